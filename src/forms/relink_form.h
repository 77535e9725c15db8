// The relink list: the items whose BAT files were found elsewhere, with their
// old and new paths, and how many items were found several times or not at
// all. OK takes the whole list, キャンセル nothing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/relink_plan.h"
#include "platform/controls.h"

namespace zorbi {

inline constexpr std::string_view RelinkCaption = "リンク切れ項目の再リンク";

// Folders below the chosen one that the search could not look into.
struct SkippedFolders {
  std::int64_t Unreadable = 0;
  std::int64_t Unnamed = 0;  // names with no Shift-JIS form
};

// "再リンク: 3 件　…": the counts under the list and in the messages.
std::string RelinkCounts(const RelinkPlan& plan, SkippedFolders skipped);

struct RelinkControls {
  ReportList& List;  // タブ, 番号, 元のパス, 新しいパス
  Label& Counts;
};

class TRelinkForm {
 public:
  TRelinkForm(const RelinkControls& controls, DialogWindow& window)
      : C(controls), window_(window) {}

  // Shows the plan modally; true when the user took it with OK.
  bool Confirm(const RelinkPlan& plan, const std::vector<std::string>& tabNames,
               SkippedFolders skipped);
  void OKClick();
  void CancelClick();

  RelinkControls C;

 private:
  DialogWindow& window_;
  bool accepted_ = false;
};

}  // namespace zorbi
