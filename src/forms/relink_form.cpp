#include "forms/relink_form.h"

namespace zorbi {

std::string RelinkCounts(const RelinkPlan& plan, SkippedFolders skipped) {
  std::string text = "再リンク: " + std::to_string(plan.Changes.size()) +
                     " 件　複数見つかった: " + std::to_string(plan.FoundSeveral) +
                     " 件　見つからない: " + std::to_string(plan.NotFound) + " 件";
  if (skipped.Unreadable > 0)
    text += "　読めないフォルダー: " + std::to_string(skipped.Unreadable) + " 件";
  if (skipped.Unnamed > 0)
    text += "　Shift-JIS で表せない名前のフォルダー: " + std::to_string(skipped.Unnamed) + " 件";
  return text;
}

bool TRelinkForm::Confirm(const RelinkPlan& plan, const std::vector<std::string>& tabNames,
                          SkippedFolders skipped) {
  std::vector<std::vector<std::string>> rows;
  rows.reserve(plan.Changes.size());
  for (const ItemRelink& change : plan.Changes) {
    const auto tab = static_cast<std::size_t>(change.Tab);
    rows.push_back({tab < tabNames.size() ? tabNames[tab] : std::string(),
                    std::to_string(change.Position + 1), change.OldPath, change.NewPath});
  }
  C.List.SetRows(std::move(rows));
  C.Counts.SetCaption(RelinkCounts(plan, skipped));
  accepted_ = false;
  window_.ShowModal();
  // The list may be long: its texts are not kept once it is closed.
  C.List.SetRows({});
  return accepted_;
}

void TRelinkForm::OKClick() {
  accepted_ = true;
  window_.Close();
}

void TRelinkForm::CancelClick() {
  accepted_ = false;
  window_.Close();
}

}  // namespace zorbi
