// The cells and item references of a grid whose rows below the header come
// from a row source, asked only for the rows that are read or shown; a cell
// or item set one by one takes the place of the source's for its whole row.
// Showing a tab of any length then costs the same: no work per row.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/controls.h"

namespace zorbi {

class GridCells {
 public:
  GridCells(int col_count, int row_count);

  int ColCount() const { return col_count_; }
  int RowCount() const { return row_count_; }
  // Rows past the new count are dropped, also those of the source.
  void SetRowCount(int rows);
  // Empty, or null, outside the grid.
  std::string Cell(int col, int row) const;
  void SetCell(int col, int row, std::string text);
  const TMenuItem* Item(int row) const;
  void SetItem(int row, const TMenuItem* item);
  // The source's word; a row set one by one keeps what it had then.
  bool Dimmed(int row) const;
  // Rows 1.. now come from `source` (none when null); what was set in them
  // one by one is dropped. The source's row count is taken now.
  void SetSource(const GridRowSource* source);
  const GridRowSource* Source() const { return source_; }
  // Puts row `from` at `to`, the rows between closing up.
  void MoveRow(int from, int to);
  // The rows below the header up to the last one with an item or a text; the
  // blank rows after it only fill the page. Costs nothing per source row.
  int FilledRows() const;

 private:
  struct Row {
    std::vector<std::string> cells;
    const TMenuItem* item = nullptr;
    bool dimmed = false;
  };
  bool FromSource(int row) const { return source_ != nullptr && row >= 1 && row <= source_rows_; }
  // The row as set one by one, made from the source's on first use.
  Row& Written(int row);

  int col_count_;
  int row_count_;
  const GridRowSource* source_ = nullptr;
  int source_rows_ = 0;
  // Few: the header and the rows edited or moved since the last refill.
  std::map<int, Row> written_;
};

}  // namespace zorbi
