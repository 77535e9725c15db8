#include "forms/file_marks.h"

#include <algorithm>
#include <unordered_set>

#include "catalogue/relink_plan.h"
#include "files/folder_scan.h"
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

bool FileMarks::IsMissing(const std::string& path) const {
  if (missing_ == 0) return false;
  const auto it = states_.find(path);
  return it != states_.end() && it->second == State::Missing;
}

bool FileMarks::Note(const std::string& path, bool exists) {
  State& state = states_.try_emplace(path, State::Checking).first->second;
  const bool wasMissing = state == State::Missing;
  state = exists ? State::Present : State::Missing;
  if (wasMissing == !exists) return false;
  missing_ += exists ? -1 : 1;
  return true;
}

void FileMarks::Forget() {
  states_.clear();
  missing_ = 0;
}

void FileMarks::Start(std::vector<std::string> paths) {
  pending_ += paths.size();
  check_->Start(std::move(paths));
}

void FileMarks::CheckAgain() {
  if (!check_ || stopped_ || !checkedAll_ || pending_ > 0) return;
  std::vector<std::string> paths;
  paths.reserve(states_.size());
  std::unordered_set<std::string_view> seen;
  for (std::int32_t t = 0; t < cat_.TabListCount(); ++t)
    for (const TMenuItem& item : *cat_.Tab(t))
      if (seen.insert(item.BatPath.View()).second) paths.push_back(item.BatPath);
  Start(std::move(paths));
}

void FileMarks::CheckAll() {
  if (!check_ || stopped_) return;
  std::vector<std::string> paths;
  const auto items = static_cast<std::size_t>(cat_.TotalItemCount());
  paths.reserve(items);
  states_.reserve(states_.size() + items);
  const auto take = [&](const TMList& tab) {
    for (const TMenuItem& item : tab)
      if (states_.try_emplace(item.BatPath, State::Checking).second) paths.push_back(item.BatPath);
  };
  // The shown rows are marked first.
  const TMList* shown = cat_.Tab(cat_.CurrentTab());
  if (shown) take(*shown);
  for (std::int32_t t = 0; t < cat_.TabListCount(); ++t)
    if (cat_.Tab(t) != shown) take(*cat_.Tab(t));
  checkedAll_ = true;
  Start(std::move(paths));
}

void FileMarks::Answered(const std::vector<CheckedFiles>& answers) {
  bool changed = false;
  for (const CheckedFiles& part : answers) {
    pending_ -= std::min(pending_, part.Paths.size());
    for (std::size_t i = 0; i < part.Paths.size() && i < part.Exist.size(); ++i)
      changed = Note(part.Paths[i], part.Exist[i]) || changed;
  }
  if (changed && !stopped_) grid_.RowsChanged();
}

bool FileMarks::CheckMissingAgain() {
  // Files not known to be there are looked at again: the background check
  // may not have come to them yet, or they came back.
  std::vector<std::string> paths;
  std::unordered_set<std::string> seen;
  for (std::int32_t t = 0; t < cat_.TabListCount(); ++t)
    for (const TMenuItem& item : *cat_.Tab(t)) {
      const auto it = states_.find(item.BatPath);
      if ((it == states_.end() || it->second != State::Present) && seen.insert(item.BatPath).second)
        paths.push_back(item.BatPath);
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
  if (cancelled) return false;
  bool changed = false;
  for (std::size_t i = 0; i < paths.size(); ++i) changed = Note(paths[i], exist[i]) || changed;
  if (changed) grid_.RowsChanged();
  return true;
}

bool FileMarks::Relink(TRelinkForm* form) {
  if (!CheckMissingAgain()) return false;
  const std::vector<MissingItem> missing =
      MissingItems(cat_.Data(), [&](const std::string& path) { return IsMissing(path); });
  if (missing.empty()) {
    messages_.ShowMessage(std::string(NoMissingMessage), MessageKind::Information);
    return false;
  }
  const std::optional<ChosenFile> folder =
      dialogs_.ChooseFolder(std::string(ChooseFolderTitle), cat_.BatFolder());
  if (!folder) return false;
  if (!folder->Representable) {
    messages_.ShowMessage(std::string(UnrepresentableFolderMessage) + "\r\n" + folder->DisplayName,
                          MessageKind::Warning);
    return false;
  }
  FolderScan scan;
  RelinkPlan plan;
  progress_.Run(std::string(RelinkCaption), [&](ProgressSink& sink) {
    scan = ScanFolder(files_, folder->Path, true, "", &sink);
    if (!scan.Cancelled) plan = MakeRelinkPlan(missing, scan.Files);
  });
  if (scan.Cancelled) return false;
  if (!scan.RootListed) {
    messages_.ShowMessage(std::string(UnreadableFolderMessage) + "\r\n" + folder->Path,
                          MessageKind::Warning);
    return false;
  }
  const SkippedFolders skipped{static_cast<std::int64_t>(scan.Unreadable.size()),
                               static_cast<std::int64_t>(scan.UnnamedFolders)};
  if (plan.Changes.empty()) {
    messages_.ShowMessage(
        std::string(NothingFoundMessage) + "\r\n\r\n" + RelinkCounts(plan, skipped),
        MessageKind::Information);
    return false;
  }
  if (!form || !form->Confirm(plan, cat_.TabNames(), skipped)) return false;
  cat_.RelinkItems(plan.Changes);
  // The scan has just seen the new files.
  for (const ItemRelink& change : plan.Changes) {
    Note(change.NewPath, true);
    usage_.Relinked(change.OldPath, change.NewPath);
  }
  grid_.RowsChanged();
  return true;
}

}  // namespace zorbi
