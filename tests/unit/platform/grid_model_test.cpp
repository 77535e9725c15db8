#include "platform/grid_model.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "text/sjis.h"

namespace zorbi {
namespace {

using K = GridModel::Key;

// The item grid as it opens: columns 26/90/219, rows 20 high (a pitch of 21
// with the line below), a client area that shows the header and 13 rows.
constexpr int kPitch = 21;
GridModel ItemGrid() {
  GridModel grid(3, 21, 64, 20);
  grid.SetColWidth(0, 26);
  grid.SetColWidth(1, 90);
  grid.SetColWidth(2, 219);
  grid.SetClientSize(356, 296);
  return grid;
}

// A key as the window handles it: a move is allowed, as by a form that says yes.
bool Press(GridModel& grid, int vk, bool ctrl = false) {
  const auto to = grid.NavigationKey(vk, ShiftState{false, ctrl, false});
  return to && grid.Go(*to);
}

TEST(GridModel, PointsFindTheCellThatOwnsThem) {
  const struct {
    int x, y, top_row;
    bool hit;
    int col, row;
  } rows[] = {
      {50, kPitch * 5 + 20, 1, true, 1, 5},  // a row owns the line below it
      {27, kPitch * 7 + 5, 1, true, 1, 7},   // column 1 starts after the number column's line
      {117, kPitch * 8 + 5, 1, true, 1, 8},  // and owns the line on its right
      {118, kPitch * 9 + 5, 1, true, 2, 9},
      {26, kPitch * 9 + 5, 1, true, 0, 9},    // the number column's line
      {60, 10, 1, true, 1, 0},                // the header
      {354, kPitch * 2 + 5, 1, true, 2, 2},   // the last column fills the client area
      {356, kPitch * 2 + 5, 1, false, 0, 0},  // right of it
      {60, kPitch * 1 + 5, 5, true, 1, 5},    // scrolled: row 5 right below the header
      {60, kPitch * 21 + 5, 1, false, 0, 0},  // below the last row
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << r.x << "," << r.y);
    GridModel grid = ItemGrid();
    grid.SetTopRow(r.top_row);
    int col = -1, row = -1;
    ASSERT_EQ(grid.CellAt(r.x, r.y, col, row), r.hit);
    EXPECT_TRUE(!r.hit || (col == r.col && row == r.row)) << col << "," << row;
  }
}

TEST(GridModel, NavigationKeysMoveOrScroll) {
  // Steps in order on one grid; a step that scrolls only asks for no move.
  const struct {
    int vk;
    bool ctrl, moves;
    int row, top;
  } steps[] = {
      {K::kDown, false, true, 2, 1},  {K::kDown, false, true, 3, 1},
      {K::kUp, false, true, 2, 1},    {K::kNext, false, true, 15, 8},  // a page, as far as it goes
      {K::kPrior, false, true, 2, 1}, {K::kEnd, false, true, 20, 8},
      {K::kHome, false, true, 1, 1},  {K::kEnd, true, true, 20, 8},
      {K::kHome, true, true, 1, 1},   {K::kUp, false, false, 1, 1},   // at the edge
      {K::kHome, false, false, 1, 1}, {K::kDown, true, false, 1, 2},  // Ctrl scrolls the view
      {K::kNext, true, true, 14, 2},                                  // the last row in view
      {K::kPrior, true, true, 2, 2},
  };
  GridModel grid = ItemGrid();
  for (const auto& s : steps) {
    SCOPED_TRACE(testing::Message() << "key " << s.vk << " ctrl " << s.ctrl);
    EXPECT_EQ(Press(grid, s.vk, s.ctrl), s.moves);
    EXPECT_EQ(grid.Selection(), (GridRect{1, s.row, 2, s.row}));
    EXPECT_EQ(grid.TopRow(), s.top);
  }
}

TEST(GridModel, LeftAndRightMoveCellsOrScrollColumns) {
  GridModel grid = ItemGrid();
  grid.SetSelection({1, 4, 2, 4});
  grid.SetRowSelect(false);
  EXPECT_EQ(grid.Selection(), (GridRect{2, 4, 2, 4}));
  EXPECT_TRUE(Press(grid, K::kLeft));
  EXPECT_FALSE(Press(grid, K::kLeft));  // already in the first column
  grid.SetRowSelect(true);
  EXPECT_EQ(grid.Selection(), (GridRect{1, 4, 2, 4}));

  // Whole rows: a column at a time, the ends with Ctrl; the selection stays.
  // Only a column wider than the client area leaves the rest to scroll to.
  grid.SetColWidth(1, 400);
  const int max = grid.MaxLeftOffset();
  ASSERT_EQ(max, 401 + GridModel::kMinLastColWidth + 1 - (356 - 27));
  const struct {
    int vk;
    bool ctrl;
    int left;
  } steps[] = {
      {K::kRight, false, max}, {K::kLeft, false, 0}, {K::kRight, true, max}, {K::kLeft, true, 0}};
  for (const auto& s : steps) {
    EXPECT_FALSE(Press(grid, s.vk, s.ctrl));
    EXPECT_EQ(grid.LeftOffset(), s.left);
  }
  EXPECT_EQ(grid.Selection(), (GridRect{1, 4, 2, 4}));
}

TEST(GridModel, ViewAndSelectionStayInsideTheirLimits) {
  GridModel grid = ItemGrid();
  grid.SetSelection({2, 30, 0, 4});
  EXPECT_EQ(grid.Selection(), (GridRect{1, 4, 2, 20}));
  EXPECT_EQ(grid.Col(), 2);

  // The partly shown row below the last whole one scrolls into view.
  grid.MoveTo(1, 14);
  EXPECT_EQ(grid.TopRow(), 2);
  // Wheel notches, halves adding up; never the selection.
  const std::pair<int, int> wheel[] = {{-120, 5}, {-60, 5}, {-60, 8}, {480, 1}};
  for (const auto& [delta, top] : wheel) {
    grid.Wheel(delta);
    EXPECT_EQ(grid.TopRow(), top) << delta;
  }
  EXPECT_EQ(grid.Row(), 14);

  grid.SetRowCount(30);
  grid.SetTopRow(17);
  grid.SetSelection({1, 25, 2, 25});
  grid.SetRowCount(10);
  EXPECT_EQ(grid.Selection(), (GridRect{1, 9, 2, 9}));
  EXPECT_EQ(grid.TopRow(), 1);
  grid.SetRowCount(0);
  EXPECT_EQ(grid.RowCount(), 2) << "the header and one item row stay";
}

TEST(GridModel, ColumnBordersSizeByDragging) {
  // Grabbed at a point of the header, dragged to x: the column's width.
  const struct {
    int grab_x, grab_y, col, to_x, width;
  } drags[] = {
      {117 + 2, 10, 1, 157, 128},             // the border right of column 1, +38
      {27 + 128 - 1, 10, 1, 0, 5},            // never narrower than a few pixels
      {27 + 5 - 3, 10, 1, 39, 15},            // a tie between borders: the later column
      {27 + 16 + 219, kPitch + 5, -1, 0, 0},  // column 2's border, below the header
      {355, 10, -1, 0, 0},                    // the last column's: the client area's edge
      {27 + 16 + 40, 10, -1, 0, 0},           // away from any border
  };
  GridModel grid = ItemGrid();
  for (const auto& d : drags) {
    SCOPED_TRACE(testing::Message() << d.grab_x << "," << d.grab_y);
    const int col = grid.SizingColumnAt(d.grab_x, d.grab_y);
    ASSERT_EQ(col, d.col);
    if (col < 0) continue;
    grid.BeginSizing(col, d.grab_x);
    grid.SizeTo(d.to_x);
    EXPECT_EQ(grid.EndMouse(true).Resized, col);
    EXPECT_EQ(grid.ColWidth(col), d.width);
  }
  EXPECT_EQ(grid.ColWidth(0), 26);
}

// The item grid's columns (26/90/219 at 96 DPI) in a grid as Wine makes it
// at the window's first width (its frame does not scale: 192 DPI gives more
// than twice 96's width) and wider, with and without the vertical scroll bar,
// the number column fitted to its widest text: row numbers with and without
// the missing-file mark, tab names over the results. The columns fill the
// width and never scroll sideways; a name wider than a third of it ends with
// "…", cut between characters.
TEST(GridModel, ColumnsFillTheClientWidthAtAnyDpi) {
  const std::string mark = "\x81\x7E ", name = "A\x92\xB7\x82\xA2\x83\x5E\x83\x75";  // A長いタブ
  const struct {
    int dpi, width, rows;
    std::string widest;
  } rows[] = {
      {96, 356, 21, "  20"},
      {96, 356, 21, mark + "10"},
      {96, 356, 5001, mark + "5000"},
      {96, 356, 8, "  " + name},                              // no vertical bar
      {96, 356, 21, "  " + name + name + name},               // cut
      {96, 756, 8, "  " + name + name + name + name + name},  // cut, a wider window
      {144, 537, 21, mark + "5000"},
      {144, 537, 21, "  " + name + name + name},
      {192, 730, 21, "  20"},
      {192, 730, 100001, mark + "100000"},
      {192, 730, 8, "  " + name + name + name},
  };
  int cuts = 0;
  for (const auto& r : rows) {
    SCOPED_TRACE(testing::Message() << r.dpi << " DPI, " << r.width << " wide, " << r.widest);
    auto scaled = [&r](int pixels) { return pixels * r.dpi / 96; };
    // 7 pixels a single-byte character, 13 a double-byte one, at 96 DPI.
    auto measure = [&](std::string_view text) {
      int width = 0;
      for (std::size_t i = 0; i < text.size(); i += SjisCharLen(text, i))
        width += scaled(SjisCharLen(text, i) == 2 ? 13 : 7);
      return width;
    };
    GridModel grid(3, r.rows, 64, scaled(20));
    const int set[] = {scaled(26), scaled(90), scaled(219)};
    for (int col = 0; col < 3; ++col) grid.SetColWidth(col, set[col]);
    grid.FitFixedColumn(r.widest, measure);
    const int bar = scaled(17), height = scaled(296);
    const auto [vertical, horizontal] = grid.ScrollBarsNeeded(r.width, height, bar, bar);
    EXPECT_EQ(vertical, r.rows > 14);
    EXPECT_FALSE(horizontal);
    const int client = r.width - (vertical ? bar : 0);
    grid.SetClientSize(client, height);
    EXPECT_EQ(grid.ColWidth(0) + grid.ColWidth(1) + grid.ColWidth(2) + 3, client);
    EXPECT_EQ(grid.MaxLeftOffset(), 0);
    EXPECT_EQ(grid.ColWidth(1), set[1]);
    const bool fits = measure(r.widest) + 4 <= client / 3;
    EXPECT_EQ(grid.ColWidth(0), std::max(set[0], fits ? measure(r.widest) + 4 : client / 3));

    // The longest start that fits, cut between characters, and the ellipsis.
    const std::string shown = CutToWidth(r.widest, grid.ColWidth(0) - 4, measure);
    if (fits) {
      EXPECT_EQ(shown, r.widest);
      continue;
    }
    ++cuts;
    const std::string start = shown.substr(0, shown.size() - 2);
    EXPECT_EQ(start + "\x81\x63", shown);
    ASSERT_EQ(r.widest.rfind(start, 0), 0u);
    std::size_t at = 0;
    while (at < start.size()) at += SjisCharLen(r.widest, at);
    EXPECT_EQ(at, start.size()) << "a character split";
    const std::size_t next = at + SjisCharLen(r.widest, at);
    EXPECT_LE(measure(shown), grid.ColWidth(0) - 4);
    EXPECT_GT(measure(r.widest.substr(0, next) + "\x81\x63"), grid.ColWidth(0) - 4);
  }
  EXPECT_EQ(cuts, 4);
}

TEST(GridModel, RowDragsDropWhereShownAndScrollAtTheEdges) {
  GridModel grid = ItemGrid();
  for (int row = 1; row < grid.RowCount(); ++row) grid.Cells().SetCell(2, row, std::to_string(row));
  grid.BeginMoving(2, 5, kPitch * 2 + 5);
  grid.UpdateDropRow(5, kPitch * 5 + 5);
  EXPECT_EQ(grid.DropRow(), 5);
  const GridModel::Ended ended = grid.EndMouse(true);
  EXPECT_EQ(ended.Moved, (std::pair{2, 5}));
  EXPECT_EQ(grid.Cells().Cell(2, 5) + grid.Cells().Cell(2, 2), "23");

  // Held at the bottom edge, each tick scrolls a row and the drop row follows.
  grid.BeginMoving(1, 5, kPitch + 5);
  grid.UpdateDropRow(5, 296 - 2);
  for (int tick = 0; tick < 3; ++tick) grid.ScrollTick();
  EXPECT_EQ(grid.TopRow(), 4);
  EXPECT_EQ(grid.DropRow(), 3 + 13);
  grid.UpdateDropRow(5, 2);
  grid.ScrollTick();
  EXPECT_EQ(grid.TopRow(), 3);
  EXPECT_EQ(grid.DropRow(), 3);
  EXPECT_FALSE(grid.EndMouse(false).Moved) << "a cancelled drag moves nothing";

  // A selecting drag reaches the hidden row past either edge.
  grid.BeginSelecting();
  EXPECT_EQ(grid.SelectTarget(50, 300).Row, 3 + 13);
  EXPECT_EQ(grid.SelectTarget(50, 5).Row, 2);
}

// What an accessibility client reads of the item grid: rows 1..15 hold
// items, the rest fill the page; rows 1..13 are in view at first.
TEST(GridModel, AccessibleRowsNamesStatesAndParts) {
  GridModel grid = ItemGrid();
  for (int row = 1; row <= 15; ++row) {
    grid.Cells().SetCell(0, row, "  " + std::to_string(row));
    grid.Cells().SetCell(1, row, "  f" + std::to_string(row) + ".bat");
  }
  grid.Cells().SetCell(0, 3, "\x81\x7E 3");  // the missing-file mark
  grid.Cells().SetCell(2, 3, "summary  text ");
  EXPECT_EQ(grid.FilledRows(), 15);
  EXPECT_EQ(grid.RowName(3), "\x81\x7E 3 f3.bat summary  text");
  EXPECT_EQ(grid.RowName(4), "4 f4.bat");

  using S = GridModel::RowState;
  const struct {
    int top, pick;
    bool focus;
    int row;
    S state;
  } states[] = {
      {1, 4, true, 4, {true, true, false}},
      {1, 4, false, 4, {true, false, false}},
      {1, 4, true, 5, {false, false, false}},
      {1, 4, true, 14, {false, false, false}},  // partly shown
      {1, 4, true, 15, {false, false, true}},
      {3, 4, true, 2, {false, false, true}},
      {3, 15, true, 15, {true, true, false}},
  };
  for (const auto& s : states) {
    SCOPED_TRACE(testing::Message() << "top " << s.top << " row " << s.row);
    grid.SetTopRow(s.top);
    grid.SetSelection({1, s.pick, 2, s.pick});
    EXPECT_EQ(grid.StateOf(s.row, s.focus), s.state);
    EXPECT_EQ(grid.RowRect(s.row).Bottom > grid.RowRect(s.row).Top, !s.state.Offscreen);
  }

  using P = GridModel::Part;
  const struct {
    int x, y, top;
    P part;
  } parts[] = {
      {60, 10, 1, {0, -1}},                // the header is the table's
      {10, kPitch * 2 + 5, 1, {2, 0}},     // a number cell
      {200, kPitch * 2 + 5, 3, {4, 2}},    // scrolled
      {60, kPitch * 9 + 5, 8, {0, -1}},    // a blank row is the table's
      {60, kPitch * 13 + 20, 3, {15, 1}},  // the last row's line
      {360, kPitch * 2 + 5, 1, {0, -1}},   // right of the cells
  };
  for (const auto& p : parts) {
    grid.SetTopRow(p.top);
    EXPECT_EQ(grid.PartAt(p.x, p.y), p.part) << p.x << "," << p.y;
  }
}

// Ctrl+Up and Ctrl+Down move the current row a place, as a drop there does:
// not past the first or last row, nor with Shift too, nor during a drag.
TEST(GridModel, CtrlArrowsMoveTheCurrentRowAsADropDoes) {
  const int last = ItemGrid().RowCount() - 1;
  const struct {
    int row, vk, to;  // to 0: nothing moves
    bool shift = false, dragging = false;
  } cases[] = {{2, K::kUp, 1},      {2, K::kDown, 3},     {1, K::kUp, 0},
               {last, K::kDown, 0}, {2, K::kUp, 0, true}, {2, K::kDown, 0, false, true}};
  for (const auto& c : cases) {
    GridModel grid = ItemGrid();
    grid.Cells().SetCell(2, c.row, "moved");
    ASSERT_TRUE(grid.Go({1, c.row, std::nullopt}));
    if (c.dragging) grid.BeginMoving(c.row, 5, kPitch * c.row + 5);
    const auto moved = grid.MoveRowByKey(c.vk, ShiftState{c.shift, true, false});
    EXPECT_EQ(moved.value_or(std::pair{0, 0}).second, c.to) << c.row << " " << c.vk;
    EXPECT_EQ(grid.Cells().Cell(2, c.to ? c.to : c.row), "moved");
  }
}

// Random steps of every kind; after each, what must hold whatever the steps.
TEST(GridModel, RandomStepsKeepTheViewAndSelectionSound) {
  std::mt19937 random(23);
  auto pick = [&](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
  GridModel grid = ItemGrid();
  for (int step = 0; step < 4000; ++step) {
    bool moved = false;
    switch (pick(0, 7)) {
      case 0:
        grid.SetRowCount(pick(0, 60));
        break;
      case 1:
      case 2:
        grid.SetClientSize(pick(0, 500), pick(0, 500));
        grid.SetColWidth(pick(0, 2), pick(0, 300));
        grid.ClampView();
        break;
      case 3:
        grid.SetRowSelect(pick(0, 1) == 1);
        break;
      case 4:
        grid.SetSelection({pick(-2, 4), pick(-2, 70), pick(-2, 4), pick(-2, 70)});
        break;
      case 5:
        grid.Wheel(pick(-400, 400));
        break;
      default:
        moved = Press(grid, pick(K::kPrior, K::kDown), pick(0, 3) == 0);
        break;
    }
    SCOPED_TRACE(testing::Message() << "step " << step);
    ASSERT_GE(grid.TopRow(), 1);
    ASSERT_LE(grid.TopRow(), grid.MaxTopRow());
    ASSERT_GE(grid.LeftOffset(), 0);
    ASSERT_LE(grid.LeftOffset(), grid.MaxLeftOffset());
    const GridRect s = grid.Selection();
    ASSERT_TRUE(1 <= s.Left && s.Left <= s.Right && s.Right < grid.ColCount());
    ASSERT_TRUE(1 <= s.Top && s.Top <= s.Bottom && s.Bottom < grid.RowCount());
    ASSERT_EQ(grid.Row(), s.Top);
    // A user's move under whole-row selection selects the whole row, in view.
    if (moved && grid.RowSelect()) {
      ASSERT_TRUE(s.Left == 1 && s.Right == grid.ColCount() - 1);
    }
    const int visible = grid.VisibleRowCount();
    if (moved && visible > 0) {
      ASSERT_GE(grid.Row(), grid.TopRow());
      ASSERT_LT(grid.Row(), grid.TopRow() + visible);
    }
  }
}

}  // namespace
}  // namespace zorbi
