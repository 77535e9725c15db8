#include "platform/grid_cells.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"

namespace zorbi {
namespace {

// Rows named after their number.
struct NumberedRows final : GridRowSource {
  explicit NumberedRows(int n) : items(static_cast<std::size_t>(n)) {}
  int Count() const override { return static_cast<int>(items.size()); }
  std::string Cell(int col, int row) const override {
    return std::to_string(col) + ":" + std::to_string(row);
  }
  TMenuItem* Item(int row) const override { return &items[static_cast<std::size_t>(row - 1)]; }
  std::string WidestNumber() const override { return std::to_string(Count()); }
  mutable std::vector<TMenuItem> items;
};

// Column 2 of rows 1..n as shown.
std::string Column2(const GridCells& cells, int n) {
  std::string shown;
  for (int row = 1; row <= n; ++row) shown += cells.Cell(2, row) + " ";
  return shown;
}

TEST(GridCells, MovedRowsTakeTheirItemAndEditsAlong) {
  const struct {
    int from, to;
    const char* shown;
  } rows[] = {
      // the first row to the last of the source, and back
      {1, 4, "2:2 x 2:4 2:1 - "},
      {4, 1, "2:4 2:1 2:2 x - "},
      // past the source, into a row that only holds what was written in it
      {1, 5, "2:2 x 2:4 - 2:1 "},
      {5, 3, "2:1 2:2 - x 2:4 "},
      {2, 3, "2:1 x 2:2 2:4 - "},
  };
  for (const auto& row : rows) {
    NumberedRows source(4);
    GridCells cells(3, 6);
    cells.SetSource(&source);
    cells.SetCell(2, 3, "x");
    cells.SetCell(2, 5, "-");
    cells.MoveRow(row.from, row.to);
    EXPECT_EQ(Column2(cells, 5), row.shown) << row.from << "->" << row.to;
    EXPECT_EQ(cells.Item(row.to), row.from <= 4 ? &source.items[row.from - 1] : nullptr);
  }
}

// The rows a client is told of end at the last that holds something; the
// blank rows filling the page are not rows.
TEST(GridCells, FilledRowsEndAtTheLastThatHoldsSomething) {
  const struct {
    int source, written;
    const char* text;
    int filled;
  } rows[] = {
      {0, 0, "header", 0}, {4, 7, "x", 7}, {4, 7, "", 4},
      {4, 2, "", 4},       {0, 5, "x", 5}, {100000, 3, "x", 100000},
  };
  for (const auto& r : rows) {
    NumberedRows source(r.source);
    GridCells cells(3, std::max(21, r.source + 1));
    cells.SetSource(&source);
    cells.SetCell(1, r.written, r.text);
    EXPECT_EQ(cells.FilledRows(), r.filled) << r.source << " " << r.written;
  }
}

}  // namespace
}  // namespace zorbi
