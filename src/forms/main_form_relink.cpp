// Missing BAT files: the background check and its marks, and relinking the
// items whose files moved.
#include <string>
#include <unordered_set>

#include "catalogue/relink.h"
#include "catalogue/relink_plan.h"
#include "files/folder_scan.h"
#include "forms/main_form.h"
#include "forms/relink_form.h"

namespace zorbi {

namespace {

constexpr std::string_view NoMissingMessage = "リンク切れの項目はありません。";
constexpr std::string_view ChooseFolderTitle =
    "リンク切れ項目の BAT ファイルを探すフォルダーを選んでください（サブフォルダーも探します）";
constexpr std::string_view CheckingText = "リンク切れの項目を確かめています...";
constexpr std::string_view UnreadableFolderMessage = "フォルダーを読み込めません。";
constexpr std::string_view UnrepresentableFolderMessage =
    "フォルダー名に Shift-JIS で表せない文字があるため、探せません。";
constexpr std::string_view NothingFoundMessage =
    "このフォルダーには、ファイル名が一つだけ見つかるリンク切れ項目はありませんでした。";

}  // namespace

bool TForm1::IsMissingFile(const std::string& path) const {
  if (missingFiles_ == 0) return false;
  const auto it = fileStates_.find(path);
  return it != fileStates_.end() && it->second == FileState::Missing;
}

bool TForm1::NoteFile(const std::string& path, bool exists) {
  const FileState now = exists ? FileState::Present : FileState::Missing;
  FileState& state = fileStates_.try_emplace(path, FileState::Checking).first->second;
  const bool wasMissing = state == FileState::Missing;
  state = now;
  if (wasMissing == !exists) return false;
  missingFiles_ += exists ? -1 : 1;
  return true;
}

void TForm1::ForgetFiles() {
  fileStates_.clear();
  missingFiles_ = 0;
}

void TForm1::CheckFile(const std::string& path) {
  if (!fileCheck_ || !fileStates_.try_emplace(path, FileState::Checking).second) return;
  fileCheck_->Start({path});
}

void TForm1::CheckFiles() {
  if (!fileCheck_ || closed_) return;
  std::vector<std::string> paths;
  const auto items = static_cast<std::size_t>(cat_.TotalItemCount());
  paths.reserve(items);
  fileStates_.reserve(fileStates_.size() + items);
  const auto take = [&](const TMList& tab) {
    for (const TMenuItem& item : tab)
      if (fileStates_.try_emplace(item.BatPath, FileState::Checking).second)
        paths.push_back(item.BatPath);
  };
  // The shown rows are marked first.
  const TMList* shown = cat_.Tab(cat_.CurrentTab());
  if (shown) take(*shown);
  for (std::int32_t t = 0; t < cat_.TabListCount(); ++t)
    if (cat_.Tab(t) != shown) take(*cat_.Tab(t));
  fileCheck_->Start(std::move(paths));
}

void TForm1::FilesChecked(const std::vector<CheckedFiles>& answers) {
  bool changed = false;
  for (const CheckedFiles& part : answers)
    for (std::size_t i = 0; i < part.Paths.size() && i < part.Exist.size(); ++i)
      changed = NoteFile(part.Paths[i], part.Exist[i]) || changed;
  if (changed && !closed_) C.StringGrid1.RowsChanged();
}

void TForm1::Relink1Click() {
  // It works on the whole catalogue, not on the results: the tab comes back.
  LeaveSearch();
  if (!EndMode()) return;
  // What is missing now: files not known to be there are looked at again, as
  // the background check may not have come to them yet, or they came back.
  std::vector<std::string> paths;
  {
    std::unordered_set<std::string> seen;
    for (std::int32_t t = 0; t < cat_.TabListCount(); ++t)
      for (const TMenuItem& item : *cat_.Tab(t)) {
        const auto it = fileStates_.find(item.BatPath);
        if ((it == fileStates_.end() || it->second != FileState::Present) &&
            seen.insert(item.BatPath).second)
          paths.push_back(item.BatPath);
      }
  }
  std::vector<bool> exist;
  bool cancelled = false;
  if (!paths.empty())
    progress_.Run(std::string(RelinkCaption), [&](ProgressSink& sink) {
      const auto total = static_cast<std::int64_t>(paths.size());
      for (std::size_t i = 0; i < paths.size(); ++i) {
        if (i % 256 == 0 &&
            !sink.Report(static_cast<std::int64_t>(i), total, std::string(CheckingText))) {
          cancelled = true;
          return;
        }
        exist.push_back(files_.Exists(paths[i]));
      }
    });
  if (cancelled) return;
  bool changed = false;
  for (std::size_t i = 0; i < paths.size(); ++i) changed = NoteFile(paths[i], exist[i]) || changed;
  if (changed) C.StringGrid1.RowsChanged();

  const std::vector<MissingItem> missing =
      MissingItems(cat_.Data(), [&](const std::string& path) { return IsMissingFile(path); });
  if (missing.empty()) {
    messages_.ShowMessage(std::string(NoMissingMessage), MessageKind::Information);
    return;
  }
  const std::optional<ChosenFile> folder =
      dialogs_.ChooseFolder(std::string(ChooseFolderTitle), cat_.BatFolder());
  if (!folder) return;
  if (!folder->Representable) {
    messages_.ShowMessage(std::string(UnrepresentableFolderMessage) + "\r\n" + folder->DisplayName,
                          MessageKind::Warning);
    return;
  }
  FolderScan scan;
  RelinkPlan plan;
  progress_.Run(std::string(RelinkCaption), [&](ProgressSink& sink) {
    scan = ScanFolder(files_, folder->Path, true, "", &sink);
    if (!scan.Cancelled) plan = MakeRelinkPlan(missing, scan.Files);
  });
  if (scan.Cancelled) return;
  if (!scan.RootListed) {
    messages_.ShowMessage(std::string(UnreadableFolderMessage) + "\r\n" + folder->Path,
                          MessageKind::Warning);
    return;
  }
  const auto unreadable = static_cast<std::int64_t>(scan.Unreadable.size());
  if (plan.Changes.empty()) {
    messages_.ShowMessage(
        std::string(NothingFoundMessage) + "\r\n\r\n" + RelinkCounts(plan, unreadable),
        MessageKind::Information);
    return;
  }
  TRelinkForm* form = Dialogs ? Dialogs->RelinkForm() : nullptr;
  if (!form || !form->Confirm(plan, cat_.TabNames(), unreadable)) return;
  cat_.RelinkItems(plan.Changes);
  // The scan has just seen the new files.
  for (const ItemRelink& change : plan.Changes) NoteFile(change.NewPath, true);
  C.StringGrid1.RowsChanged();
}

}  // namespace zorbi
