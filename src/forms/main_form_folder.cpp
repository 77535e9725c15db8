// "フォルダから登録..." and folders dropped on the grid: every BAT file in a
// folder becomes an item of the shown tab.
#include <string>

#include "catalogue/registration.h"
#include "files/folder_registration.h"
#include "forms/main_form.h"

namespace zorbi {

namespace {

constexpr std::string_view FolderTitle = "フォルダから登録";
constexpr std::string_view UnrepresentableFolderMessage =
    "フォルダ名に Shift-JIS で表せない文字があるため、登録できません。";
constexpr std::string_view SubfolderQuestion = "サブフォルダの BAT ファイルも登録しますか？";
constexpr std::string_view SubfolderAnswers =
    "はい: サブフォルダも含めて登録します。\r\n"
    "いいえ: このフォルダだけ登録します。\r\n"
    "キャンセル: 登録しません。";
constexpr std::string_view UnlistedMessage = "次のフォルダを開けません。";
constexpr std::string_view NoBatMessage = "フォルダに BAT ファイルがありません。";
constexpr std::string_view UnreadableHead = "次のファイルは読み込めないため、登録しませんでした。";
constexpr std::string_view EmptyMark = "  (空のファイル)";
// As many names as the restore's questions list.
constexpr std::size_t ListedNames = 20;

void AppendList(std::string& text, const std::vector<std::string>& names) {
  for (std::size_t k = 0; k < names.size() && k < ListedNames; ++k) text += "\r\n" + names[k];
  if (names.size() > ListedNames)
    text += "\r\n... ほか " + std::to_string(names.size() - ListedNames) + " 件";
}

std::string QuestionText(const std::vector<std::string>& folders, const std::string& tabName) {
  std::string text;
  AppendList(text, folders);
  text = text.substr(2) + "\r\nの BAT ファイルを、タブ「" + tabName + "」に登録します。\r\n\r\n" +
         std::string(SubfolderQuestion) + "\r\n\r\n" + std::string(SubfolderAnswers);
  return text;
}

std::string ReportText(const FolderRead& read) {
  std::string text;
  if (!read.Unlisted.empty()) {
    text += std::string(UnlistedMessage);
    AppendList(text, read.Unlisted);
  }
  const bool found =
      !read.Bats.empty() || read.Skipped > 0 || !read.Unreadable.empty() || !read.Empty.empty();
  if (!found) return read.Unlisted.empty() ? std::string(NoBatMessage) : text;
  if (!text.empty()) text += "\r\n\r\n";
  text += std::to_string(read.Bats.size()) + " 件の BAT ファイルを登録しました。";
  if (read.Skipped > 0)
    text += "\r\nタブに登録済みの " + std::to_string(read.Skipped) + " 件は登録しませんでした。";
  if (!read.Unreadable.empty() || !read.Empty.empty()) {
    std::vector<std::string> names = read.Unreadable;
    for (const std::string& path : read.Empty) names.push_back(path + std::string(EmptyMark));
    text += "\r\n\r\n" + std::string(UnreadableHead);
    AppendList(text, names);
  }
  return text;
}

}  // namespace

std::optional<TForm1::Report> TForm1::RegisterFolders(const std::vector<std::string>& folders,
                                                      std::int32_t tab) {
  const TMList* list = cat_.Tab(tab);
  if (!list || folders.empty()) return std::nullopt;
  const auto t = static_cast<std::size_t>(tab);
  const std::string tabName = t < cat_.TabNames().size() ? cat_.TabNames()[t] : std::string();
  const Answer answer =
      messages_.AskOrCancel(QuestionText(folders, tabName), MessageKind::Information);
  if (answer == Answer::Cancel) return std::nullopt;

  // The worker sees a copy of the tab's paths, never the catalogue.
  std::vector<std::string> onTab;
  onTab.reserve(static_cast<std::size_t>(list->Count()));
  for (const TMenuItem& item : *list) onTab.push_back(item.BatPath);
  FolderRead read;
  progress_.Run(std::string(FolderTitle), [&](ProgressSink& sink) {
    read = ReadFolderBats(files_, folders, answer == Answer::Yes, onTab, &sink);
  });
  if (read.Cancelled) return std::nullopt;

  for (FolderBat& bat : read.Bats) {
    NoteFile(bat.Path, true);  // just read: it is there
    cat_.AppendItem(tab, std::move(bat.Path), std::move(bat.Summary));
  }
  registeredFolder_ = folders.back();
  const bool faults = !read.Unlisted.empty() || !read.Unreadable.empty() || !read.Empty.empty();
  return Report{ReportText(read), faults ? MessageKind::Warning : MessageKind::Information};
}

void TForm1::FolderRegister1Click() {
  // The grid is refilled below: an edit in progress is stored first. Nothing
  // is registered onto the search's results.
  if (Searching() || !EndMode()) return;
  const std::int32_t t = C.TabControl1.TabIndex();
  const std::optional<ChosenFile> folder = dialogs_.ChooseFolder(
      std::string(FolderTitle), registeredFolder_.empty() ? cat_.BatFolder() : registeredFolder_);
  std::optional<Report> report;
  if (folder && !folder->Representable)
    report = Report{std::string(UnrepresentableFolderMessage) + "\r\n" + folder->DisplayName,
                    MessageKind::Warning};
  else if (folder)
    report = RegisterFolders({folder->Path}, t);
  ClearGrid();
  ShowTab(t);
  if (report) messages_.ShowMessage(report->Text, report->Kind);
}

}  // namespace zorbi
