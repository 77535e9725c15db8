// The item grid's columns, described once: the headers, the settings key of
// the width, which one is edited in place, and each cell's text.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "catalogue/catalogue.h"
#include "platform/controls.h"

namespace zorbi {

struct GridColumn {
  std::string_view Header;        // over a tab's items
  std::string_view ResultHeader;  // over the search's results
  std::string_view WidthKey;      // in [List]; empty: the width is not kept
  bool Editable = false;          // the summary, in item edit mode
};

inline constexpr int NumberColumn = 0;
inline constexpr int FileNameColumn = 1;
inline constexpr int SummaryColumn = 2;
inline constexpr std::array<GridColumn, 3> GridColumns{{
    {"", "タブ", "", false},
    {"ファイル名", "ファイル名", "ColWidths[1]", false},
    {"概要", "概要", "ColWidths[2]", true},
}};
inline constexpr int GridColumnCount = static_cast<int>(GridColumns.size());
inline constexpr std::string_view FileNameHeader = GridColumns[FileNameColumn].Header;
inline constexpr std::string_view SummaryHeader = GridColumns[SummaryColumn].Header;

// The cells a row's highlight spans: the item's texts.
inline GridRect RowCells(int row) {
  return {FileNameColumn, row, GridColumnCount - 1, row};
}
// The cell edited in place on `row`.
inline GridRect EditCell(int row) {
  return {SummaryColumn, row, SummaryColumn, row};
}
inline bool EditableColumn(int col) {
  return col >= 0 && col < GridColumnCount && GridColumns[static_cast<std::size_t>(col)].Editable;
}

// An item's text in column `col` (not the number column), the same on a tab
// and in the results.
std::string ItemCellText(const TMenuItem& item, int col);

// The headers of a tab's items, or of the results.
void ShowGridHeaders(Grid& grid, bool results);

}  // namespace zorbi
