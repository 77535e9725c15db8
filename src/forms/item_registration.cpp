#include "forms/item_registration.h"

#include "catalogue/registration.h"
#include "files/folder_registration.h"

namespace zorbi {

namespace {

constexpr std::string_view UnreadableBatMessage = "ファイルを読み込めません。";
constexpr std::string_view EmptyBatMessage = "ファイルが空です、登録できません。";
constexpr std::string_view UnrepresentableNameMessage =
    "ファイル名に Shift-JIS で表せない文字があるため、登録できません。";

// Explorer hands over any file; only ".bat" names are external transformations.
bool IsBatName(const std::string& name) {
  if (name.size() < 4) return false;
  std::string ext = name.substr(name.size() - 4);
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return ext == ".bat";
}

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
constexpr std::string_view UnnamedHead =
    "次のファイルとフォルダは、名前に Shift-JIS で表せない文字があるため、登録しませんでした。";
// As many names as the restore's questions list.
constexpr std::size_t ListedNames = 20;

void AppendList(std::vector<std::string>& lines, const std::vector<std::string>& names) {
  for (std::size_t k = 0; k < names.size() && k < ListedNames; ++k) lines.push_back(names[k]);
  if (names.size() > ListedNames)
    lines.push_back("... ほか " + std::to_string(names.size() - ListedNames) + " 件");
}

std::string QuestionText(const std::string& tabName) {
  return "次のフォルダの BAT ファイルを、タブ「" + tabName + "」に登録します。\r\n\r\n" +
         std::string(SubfolderQuestion) + "\r\n\r\n" + std::string(SubfolderAnswers);
}

// The counts above, the folders and files left out in the list below with a
// heading for each kind.
void MakeReport(const FolderRead& read, std::string& text, std::vector<std::string>& lines) {
  const bool found = !read.Bats.empty() || read.Skipped > 0 || !read.Unreadable.empty() ||
                     !read.Empty.empty() || !read.Unnamed.empty();
  if (!found) {
    text = read.Unlisted.empty() ? std::string(NoBatMessage) : std::string(UnlistedMessage);
    AppendList(lines, read.Unlisted);
    return;
  }
  text = std::to_string(read.Bats.size()) + " 件の BAT ファイルを登録しました。";
  if (read.Skipped > 0)
    text += "\r\nタブに登録済みの " + std::to_string(read.Skipped) + " 件は登録しませんでした。";
  if (!read.Unlisted.empty()) {
    lines.push_back(std::string(UnlistedMessage));
    AppendList(lines, read.Unlisted);
  }
  if (!read.Unreadable.empty() || !read.Empty.empty()) {
    std::vector<std::string> names = read.Unreadable;
    for (const std::string& path : read.Empty) names.push_back(path + std::string(EmptyMark));
    if (!lines.empty()) lines.push_back("");
    lines.push_back(std::string(UnreadableHead));
    AppendList(lines, names);
  }
  if (!read.Unnamed.empty()) {
    if (!lines.empty()) lines.push_back("");
    lines.push_back(std::string(UnnamedHead));
    AppendList(lines, read.Unnamed);
  }
}

}  // namespace

ItemRegistration::ItemRegistration(Catalogue& cat, ItemView& view, FileMarks& marks, Grid& grid,
                                   FileSystem& files, MessageBoxes& messages, FileDialogs& dialogs,
                                   ProgressRunner& progress)
    : cat_(cat),
      view_(view),
      marks_(marks),
      grid_(grid),
      files_(files),
      messages_(messages),
      dialogs_(dialogs),
      progress_(progress) {
  OpenDialog1.Filter = std::string(BatFilter);
  OpenDialog1.MultiSelect = true;
  OpenDialog1.FileMustExist = true;
}

bool ItemRegistration::AddFile(const std::string& path, std::int32_t tab) {
  if (!cat_.Tab(tab)) return false;
  const std::optional<std::string> head = files_.ReadHead(path, BatHeadBytes);
  if (!head) {
    messages_.ShowMessage(std::string(UnreadableBatMessage) + "\r\n" + path, MessageKind::Error);
    return false;
  }
  std::optional<std::string> summary = BatSummary(*head);
  if (!summary) {
    messages_.ShowMessage(std::string(EmptyBatMessage) + "\r\n" + path, MessageKind::Error);
    return false;
  }
  cat_.AppendItem(tab, path, std::move(*summary));
  marks_.SeenPresent(path);  // just read: it is there
  return true;
}

bool ItemRegistration::AddFiles(const std::vector<ChosenFile>& files, std::int32_t tab) {
  const TMList* list = cat_.Tab(tab);
  const int needed = (list ? list->Count() : 0) + static_cast<int>(files.size()) + 1;
  if (grid_.RowCount() < needed) grid_.SetRowCount(needed);
  for (const ChosenFile& file : files) {
    // A name without a Shift-JIS form would be stored damaged and chain a
    // path that does not exist; the other files still go in.
    if (!file.Representable) {
      messages_.ShowMessage(std::string(UnrepresentableNameMessage) + "\r\n" + file.DisplayName,
                            MessageKind::Warning);
      continue;
    }
    if (!AddFile(file.Path, tab)) return false;
  }
  return true;
}

std::optional<ItemRegistration::Report> ItemRegistration::AddFolders(
    const std::vector<std::string>& folders, std::int32_t tab) {
  const TMList* list = cat_.Tab(tab);
  if (!list || folders.empty()) return std::nullopt;
  const auto t = static_cast<std::size_t>(tab);
  const std::string tabName = t < cat_.TabNames().size() ? cat_.TabNames()[t] : std::string();
  std::vector<std::string> listed;
  AppendList(listed, folders);
  const Answer answer = messages_.ShowList(QuestionText(tabName), listed, MessageKind::Information,
                                           Answers::YesNoCancel);
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
    marks_.SeenPresent(bat.Path);  // just read: it is there
    cat_.AppendItem(tab, std::move(bat.Path), std::move(bat.Summary));
  }
  registeredFolder_ = folders.back();
  const bool faults = !read.Unlisted.empty() || !read.Unreadable.empty() || !read.Empty.empty() ||
                      !read.Unnamed.empty();
  Report report{{}, {}, faults ? MessageKind::Warning : MessageKind::Information};
  MakeReport(read, report.Text, report.Lines);
  return report;
}

void ItemRegistration::ShowTabAndReport(std::int32_t tab, const std::optional<Report>& report) {
  view_.ClearGrid();
  view_.ShowTab(tab);
  if (!report) return;
  if (report->Lines.empty())
    messages_.ShowMessage(report->Text, report->Kind);
  else
    messages_.ShowList(report->Text, report->Lines, report->Kind, Answers::Ok);
}

void ItemRegistration::AddChosenFiles() {
  const std::int32_t t = cat_.CurrentTab();
  OpenDialog1.InitialDir = cat_.BatFolder();
  // Files registered before a failure stay, and are shown.
  if (const auto chosen = dialogs_.OpenFiles(OpenDialog1)) AddFiles(*chosen, t);
  view_.ClearGrid();
  view_.ShowTab(t);
}

void ItemRegistration::AddFolder() {
  const std::int32_t t = cat_.CurrentTab();
  const std::optional<ChosenFile> folder = dialogs_.ChooseFolder(
      std::string(FolderTitle), registeredFolder_.empty() ? cat_.BatFolder() : registeredFolder_);
  std::optional<Report> report;
  if (folder && !folder->Representable)
    report = Report{std::string(UnrepresentableFolderMessage) + "\r\n" + folder->DisplayName,
                    {},
                    MessageKind::Warning};
  else if (folder)
    report = AddFolders({folder->Path}, t);
  ShowTabAndReport(t, report);
}

bool ItemRegistration::SortDropped(const std::vector<ChosenFile>& files) {
  droppedBats_.clear();
  droppedFolders_.clear();
  std::vector<std::string> refused, unnamed;
  for (const ChosenFile& file : files) {
    if (file.Representable && files_.Entry(file.Path) == EntryKind::Other)
      droppedFolders_.push_back(file.Path);
    else if (IsBatName(file.DisplayName))
      droppedBats_.push_back(file);
    else if (!file.Representable)
      unnamed.push_back(file.DisplayName);  // a folder or a file: it cannot be looked at
    else
      refused.push_back(file.DisplayName);
  }
  if (!refused.empty())
    messages_.ShowList(std::string(NotBatFilesMessage), refused, MessageKind::Warning, Answers::Ok);
  if (!unnamed.empty())
    messages_.ShowList(std::string(UnnamedHead), unnamed, MessageKind::Warning, Answers::Ok);
  return !droppedBats_.empty() || !droppedFolders_.empty();
}

void ItemRegistration::AddDropped() {
  const std::int32_t t = cat_.CurrentTab();
  // Files registered before a failure stay, and are shown.
  std::optional<Report> report;
  if (AddFiles(droppedBats_, t)) report = AddFolders(droppedFolders_, t);
  droppedBats_.clear();
  droppedFolders_.clear();
  ShowTabAndReport(t, report);
}

}  // namespace zorbi
