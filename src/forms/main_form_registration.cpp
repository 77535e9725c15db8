// "項目追加": registering BAT files chosen in the open dialog.
#include <string>

#include "catalogue/registration.h"
#include "forms/main_form.h"

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

}  // namespace

bool TForm1::RegisterBatFile(const std::string& path, std::int32_t tab) {
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
  CheckFile(path);
  return true;
}

bool TForm1::RegisterFiles(const std::vector<ChosenFile>& files, std::int32_t tab) {
  const TMList* list = cat_.Tab(tab);
  const int needed = (list ? list->Count() : 0) + static_cast<int>(files.size()) + 1;
  if (C.StringGrid1.RowCount() < needed) C.StringGrid1.SetRowCount(needed);
  for (const ChosenFile& file : files) {
    // A name without a Shift-JIS form would be stored damaged and chain a
    // path that does not exist; the other files still go in.
    if (!file.Representable) {
      messages_.ShowMessage(std::string(UnrepresentableNameMessage) + "\r\n" + file.DisplayName,
                            MessageKind::Warning);
      continue;
    }
    if (!RegisterBatFile(file.Path, tab)) return false;
  }
  return true;
}

void TForm1::m2Click() {
  // The grid is refilled below: an edit in progress is stored first. Nothing
  // is registered onto the search's results.
  if (Searching() || !EndMode()) return;
  const std::int32_t t = C.TabControl1.TabIndex();
  OpenDialog1.InitialDir = cat_.BatFolder();
  // Files registered before a failure stay, and are shown.
  if (const auto chosen = dialogs_.OpenFiles(OpenDialog1)) RegisterFiles(*chosen, t);
  ClearGrid();
  ShowTab(t);
}

void TForm1::StringGrid1DropFiles(const std::vector<ChosenFile>& files) {
  if (Searching()) return;
  std::vector<ChosenFile> bats;
  std::vector<std::string> folders;
  std::string refused;
  for (const ChosenFile& file : files) {
    if (file.Representable && files_.Entry(file.Path) == EntryKind::Other)
      folders.push_back(file.Path);
    else if (IsBatName(file.DisplayName))
      bats.push_back(file);
    else
      refused += "\r\n" + file.DisplayName;
  }
  if (!refused.empty())
    messages_.ShowMessage(std::string(NotBatFilesMessage) + refused, MessageKind::Warning);
  if ((bats.empty() && folders.empty()) || !EndMode()) return;
  const std::int32_t t = C.TabControl1.TabIndex();
  // Files registered before a failure stay, and are shown.
  std::optional<Report> report;
  if (RegisterFiles(bats, t)) report = RegisterFolders(folders, t);
  ClearGrid();
  ShowTab(t);
  if (report) messages_.ShowMessage(report->Text, report->Kind);
}

}  // namespace zorbi
