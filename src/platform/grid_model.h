// What the item grid does apart from drawing: its geometry in pixels, the
// view's scroll position and its limits, the selection, the navigation keys,
// and what a mouse drag does (select, size a column, move a row). The window
// feeds it sizes, keys and points and shows the result.
//
// Every cell owns the 1-pixel grid line on its right and below it. The fixed
// column stays put; the scrolling columns move left by LeftOffset(). The
// columns fill the client area: the fixed one is as wide as its widest text
// (up to a third of the width), the last one takes what the others leave.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/controls.h"
#include "platform/grid_cells.h"
#include "platform/grid_look.h"

namespace zorbi {

// A rectangle in the grid's client area, in pixels.
struct GridBox {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

class GridModel {
 public:
  // Windows' virtual-key codes of the navigation keys.
  enum Key : int {
    kPrior = 0x21,
    kNext,
    kEnd,
    kHome,
    kLeft,
    kUp,
    kRight,
    kDown,
  };
  enum class Mouse { None, Selecting, Sizing, Moving };
  // Half the width of the header band in which a column border can be grabbed.
  static constexpr int kSizingSlack = 3;
  // A column dragged narrower stops here, so its border can still be grabbed.
  static constexpr int kMinDraggedColWidth = 5;
  // The mouse wheel scrolls the view, never the selection.
  static constexpr int kWheelRows = 3;
  static constexpr int kWheelDelta = 120;
  // Text sits this far from a cell's left and top edges.
  static constexpr int kTextMargin = 2;
  // The last column is never narrower; below it the columns scroll sideways.
  static constexpr int kMinLastColWidth = 16;

  GridModel(int col_count, int row_count, int col_width, int row_height);

  GridCells& Cells() { return cells_; }
  const GridCells& Cells() const { return cells_; }
  int ColCount() const { return cells_.ColCount(); }
  int RowCount() const { return cells_.RowCount(); }
  // At least the header and one row; the selection and the view follow.
  void SetRowCount(int rows);

  // Sizes in pixels. A column's width as shown: the fixed column's set width
  // widened to its text, the last column's what the client area leaves.
  int ColWidth(int col) const { return ColWidthIn(col, client_width_); }
  // The width set for a column (the last one's counts only until the grid
  // has a client area).
  int SetWidth(int col) const;
  void SetColWidth(int col, int width);
  // The fixed column fitted to its widest text (digits count as zeros, as
  // wide as any of them); empty: its set width.
  void FitFixedColumn(std::string_view widest, const TextMeasure& measure);
  int RowHeight() const { return row_height_; }
  void SetRowHeight(int height);
  void SetClientSize(int width, int height);
  int ClientWidth() const { return client_width_; }
  int ClientHeight() const { return client_height_; }
  // Which scroll bars the content needs in a window whose client area is
  // `width` x `height` without them: {vertical, horizontal}.
  std::pair<bool, bool> ScrollBarsNeeded(int width, int height, int bar_width,
                                         int bar_height) const;

  int RowPitch() const { return row_height_ + 1; }
  int FixedWidth() const { return ColWidth(0) + 1; }
  int ScrollingWidth() const { return ScrollingWidthIn(client_width_); }
  int ColLeft(int col) const;
  int RowTop(int row) const;
  int RowAtY(int y) const;
  // Scrolling rows that fit completely below the header row.
  int VisibleRowCount() const;
  int MaxTopRow() const;
  int MaxLeftOffset() const;
  // Cell area, grid lines excluded; a scrolled-off cell lies outside the client area.
  GridBox CellRect(int col, int row) const;
  // The cell under a point; false outside every cell.
  bool CellAt(int x, int y, int& col, int& row) const;
  // The column whose right border is near the point in the header row, or -1;
  // the last column's border is the client area's edge and stays.
  int SizingColumnAt(int x, int y) const;

  // The view. Each setter clamps and says whether anything changed.
  int TopRow() const { return top_row_; }
  bool SetTopRow(int row);
  int LeftOffset() const { return left_offset_; }
  bool SetLeftOffset(int offset);
  // Both back inside their limits after a size changed.
  void ClampView();
  // Scrolls the least needed to show the row completely.
  bool ScrollIntoView(int row);
  // A scroll bar's request (Windows' SB_ codes: line, page, thumb, ends) with
  // the thumb's position; true when the view moved.
  bool ScrollBy(bool vertical, int request, int track);
  // Wheel notches scroll kWheelRows rows each; parts of a notch add up.
  bool Wheel(int delta);

  // The selection.
  GridRect Selection() const { return selection_; }
  int Row() const { return row_; }
  int Col() const { return col_; }
  bool RowSelect() const { return row_select_; }
  void SetRowSelect(bool on);
  // From code: clamped to the scrolling cells, the current cell at (Right, Top).
  void SetSelection(GridRect cells);
  // The user's move, once allowed: false outside the scrolling cells.
  bool MoveTo(int col, int row);

  // A navigation key: either the view scrolls (done here, nothing returned)
  // or the selection is to move to a cell, asked of the form first; a page
  // key then also turns the view to `Top`.
  struct Target {
    int Col = 0, Row = 0;
    std::optional<int> Top;
  };
  std::optional<Target> NavigationKey(int vk, ShiftState shift);
  // The move to a target once allowed: false outside the scrolling cells.
  bool Go(const Target& to);

  // Mouse drags.
  Mouse MouseState() const { return mouse_; }
  void BeginSelecting() { mouse_ = Mouse::Selecting; }
  // The cell a selecting drag has reached at a point, past the edges too.
  Target SelectTarget(int x, int y) const;
  // Sizing column `col` grabbed at x: the spot stays under the mouse.
  void BeginSizing(int col, int x);
  int SizingCol() const { return sizing_col_; }
  // The sized column's width for the mouse at x; true when it changed.
  bool SizeTo(int x);
  void BeginMoving(int row, int x, int y);
  // The row a moved row would be dropped on, or 0 when none is dragged.
  int DropRow() const { return mouse_ == Mouse::Moving ? move_to_ : 0; }
  int MoveFrom() const { return move_from_; }
  // The drop row for the mouse at a point; true when it changed.
  bool UpdateDropRow(int x, int y);
  // Held near the top or bottom edge, a row drag scrolls a row a tick.
  bool ScrollTick();
  struct Ended {
    Mouse Was = Mouse::None;
    // A row moved (the cells have moved already) from and to these rows.
    std::optional<std::pair<int, int>> Moved;
    // A column whose width the drag changed.
    std::optional<int> Resized;
  };
  Ended EndMouse(bool drop);
  // Ctrl+Up or Ctrl+Down moves the current row a row up or down, as a drag
  // dropped there: the rows moved (the cells already have), or none.
  std::optional<std::pair<int, int>> MoveRowByKey(int vk, ShiftState shift);

  // What an accessibility client is told: the rows that hold something
  // (1..FilledRows(), no blank page filler), each named by its cells' texts.
  int FilledRows() const { return cells_.FilledRows(); }
  // The table's name (CP932): what it lists, or that there is nothing.
  std::string TableName() const;
  // A row's cells as shown, the spaces around each dropped, one between them.
  std::string RowName(int row) const;
  // A cell's text without the spaces around it.
  std::string CellName(int col, int row) const;
  struct RowState {
    bool Selected = false, Focused = false, Offscreen = false;
    friend bool operator==(const RowState&, const RowState&) = default;
  };
  // Focused: the current row of a grid that has the keyboard focus.
  RowState StateOf(int row, bool has_focus) const;
  // A row's cells together, cut to what the client area shows of them
  // (empty when scrolled away).
  GridBox RowRect(int row) const;
  // The cell under a point; Row 0 and Col -1 for the table itself (the
  // header, a blank row, outside every cell).
  struct Part {
    int Row = 0, Col = -1;
    friend bool operator==(const Part&, const Part&) = default;
  };
  Part PartAt(int x, int y) const;

 private:
  // The same for a client area `client_width` wide.
  int ColWidthIn(int col, int client_width) const;
  int ScrollingWidthIn(int client_width) const;
  // Moves the cells of row `from` to `to`, the rows between shifting by one.
  std::optional<std::pair<int, int>> MoveRow(int from, int to);

  GridCells cells_;
  std::vector<int> col_widths_;  // as set
  int fixed_fit_ = 0;            // the fixed column's widest text with its margins
  int row_height_;
  int client_width_ = 0, client_height_ = 0;
  int top_row_ = 1;
  int left_offset_ = 0;  // pixels of the scrolling columns hidden on the left
  int wheel_delta_ = 0;
  GridRect selection_{1, 1, 0, 1};
  int col_ = 1, row_ = 1;
  bool row_select_ = true;
  Mouse mouse_ = Mouse::None;
  int sizing_col_ = -1;
  int sizing_origin_ = 0;  // mouse x at which the sized column would be 0 wide
  int sizing_start_width_ = 0;
  int move_from_ = 0, move_to_ = 0;
  int move_x_ = 0, move_y_ = 0;
};

}  // namespace zorbi
