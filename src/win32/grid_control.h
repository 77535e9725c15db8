// The item grid: a small owner-drawn string grid with one fixed header row and
// one fixed number column, drawn in the system's colours. It holds CP932 cell
// texts and a per-row item reference, and raises its events only for what the
// user does; changes made from code stay silent.
#pragma once

#include <windows.h>

#include <bitset>
#include <functional>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/grid_cells.h"
#include "window.h"

namespace zorbi::win32 {

class GridControl final : public Window, public Grid {
 public:
  static constexpr int kDefaultRowCount = 21;
  static constexpr int kDefaultRowHeight = 20;
  static constexpr int kDefaultColWidth = 64;
  // A column dragged narrower stops here, so its border can still be grabbed.
  static constexpr int kMinDraggedColWidth = 5;
  // The mouse wheel scrolls the view, never the selection.
  static constexpr int kWheelRows = 3;

  explicit GridControl(int col_count = 3, int row_count = kDefaultRowCount);
  GridControl(const GridControl&) = delete;
  GridControl& operator=(const GridControl&) = delete;
  ~GridControl() override;

  // Creates the child window; bounds are in the parent's client coordinates.
  bool Create(HWND parent, int id, RECT bounds);

  // Grid
  void SetEnabled(bool enabled) override;
  bool Enabled() const override;
  int RowCount() const override { return cells_.RowCount(); }
  void SetRowCount(int rows) override;
  std::string Cell(int col, int row) const override;
  void SetCell(int col, int row, std::string text) override;
  TMenuItem* Item(int row) const override;
  void SetItem(int row, TMenuItem* item) override;
  void SetRowSource(const GridRowSource* rows) override;
  GridRect Selection() const override { return selection_; }
  void SetSelection(GridRect cells) override;
  int Row() const override { return row_; }
  int Col() const override { return col_; }
  int TopRow() const override { return top_row_; }
  void SetTopRow(int row) override;
  void SetFocus() override;
  void SetRowSelect(bool on) override;
  void SetEditing(bool on) override;
  void SetRowMoving(bool on) override;
  bool EndCellEdit() override;

  FontSpec Font() const override { return font_spec_; }
  // The grid makes and owns this font; WM_SETFONT sets one it does not own.
  void SetFont(const FontSpec& font) override;
  // Widths and the row height in 96-DPI pixels; the grid shows them scaled.
  int ColWidth(int col) const override;
  void SetColWidth(int col, int width) override;
  int DefaultRowHeight() const override;
  void SetDefaultRowHeight(int height) override;
  // The same in the screen's pixels.
  int PixelColWidth(int col) const;
  void SetPixelColWidth(int col, int width);
  int PixelRowHeight() const { return row_height_; }
  void SetPixelRowHeight(int height);
  // Rescales sizes and the font for another DPI.
  void SetDpi(int dpi);
  int Dpi() const { return dpi_; }

  int ColCount() const { return static_cast<int>(col_widths_.size()); }
  // Whole-row selection; off, single cells of the scrolling columns are selected.
  bool RowSelect() const { return row_select_; }
  // The in-place cell editor, an EDIT child so that input methods work in it.
  // F2, Enter, a typed character or a click on the current cell opens it.
  void ShowEditor();
  bool EditorOpen() const { return editor_open_; }
  HWND Editor() const { return editor_; }
  // The row a row drag would drop on, or 0 when no row is dragged.
  int DropRow() const { return mouse_ == MouseState::Moving ? move_to_ : 0; }
  // Scrolling rows that fit completely below the header row.
  int VisibleRowCount() const;
  // Scrolls the least needed to show the row completely.
  void ScrollIntoView(int row);
  // Cell area in client coordinates, grid lines excluded; clipped by nothing,
  // so a scrolled-off cell lies outside the client area.
  RECT CellRect(int col, int row) const;
  // The cell under a client point; false outside every cell.
  bool CellAt(POINT point, int& col, int& row) const;

  // Events; each runs only for the user's own action.
  // Before every selection move; leaving canSelect true lets it happen.
  std::function<void(int col, int row, bool& canSelect)> OnSelectCell;
  std::function<void()> OnDblClick;
  // Before the grid's own handling of the key.
  std::function<void(int vk, ShiftState shift)> OnKeyDown;
  std::function<void(int vk, ShiftState shift)> OnKeyUp;
  std::function<void()> OnExit;
  std::function<void(int col)> OnColumnResized;
  // A row dragged by its number cell was dropped on another row; the grid
  // has moved the row already.
  std::function<void(int from_row, int to_row)> OnRowMoved;
  // Files dropped from the shell (after DragAcceptFiles).
  std::function<void(const std::vector<std::wstring>& paths)> OnFilesDropped;
  // Typed text the grid cannot store: the code point of its first character
  // without a CP932 form.
  std::function<void(char32_t refused)> OnRefused;

 private:
  enum class MouseState { None, Selecting, Sizing, Moving };
  static constexpr UINT_PTR kScrollTimer = 1;

  LRESULT HandleEditorMessage(ControlHook& editor, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  bool PaintsItself() const override { return true; }
  // Drawn off screen first, so scrolling and selecting never flicker.
  void Paint(HDC dc) override;
  void OnGone() override;

  int RowPitch() const { return row_height_ + 1; }
  int FixedWidth() const { return col_widths_[0] + 1; }
  int ScrollingWidth() const;
  int ColLeft(int col) const;
  int RowTop(int row) const;
  int MaxTopRow() const;
  int MaxLeftOffset() const;
  int RowAtY(int y) const;
  // The column whose right border is near x in the header row, or -1.
  int SizingColumnAt(POINT point) const;

  void UpdateScrollBars();
  void Invalidate();
  // Only the part of the row that is on screen, if any.
  void InvalidateRow(int row);
  void SetLeftOffset(int offset);
  // The user's move to a cell: asks OnSelectCell, then moves and shows it.
  bool UserMoveTo(int col, int row);
  void OnLeftButtonDown(POINT point);
  void OnMouseMove(POINT point);
  void EndMouseState(bool drop = false);
  void UpdateDropRow(POINT point);
  void OnScrollTimer();
  void MoveRow(int from, int to);
  // Stores the editor's text in its cell; false (editor kept) when refused.
  bool CommitEditor();
  void HideEditor();
  void PlaceEditor();
  // Column 0 wide enough for the longest row number shown so far, never
  // below its set width.
  void FitNumberColumn();
  bool IsOwnWindow(HWND window) const;
  void OnNavigationKey(int vk, ShiftState shift);
  // As for a right click, but placed by the parent (a keyboard position of -1, -1).
  void OpenContextMenu();
  void OnVerticalScroll(int request);
  void OnHorizontalScroll(int request);
  void Draw(HDC dc) const;
  void PaintCell(HDC dc, int col, int row, const RECT& cell) const;
  // Column 0 fitted to `number` too, if it is the longest so far.
  void FitNumber(const std::string& number);

  std::vector<int> col_widths_;
  int number_col_width_ = kDefaultColWidth;  // as set; the fit may widen it
  std::string longest_number_;               // the longest text column 0 has held
  // Asks the row source only for the rows painted, read or edited.
  GridCells cells_;
  int row_height_ = kDefaultRowHeight;
  GridRect selection_{1, 1, 0, 1};
  int col_ = 1, row_ = 1;
  int top_row_ = 1;
  int left_offset_ = 0;  // pixels of the scrolling columns hidden on the left
  bool row_select_ = true;
  bool editing_ = false;
  bool row_moving_ = false;
  HWND editor_ = nullptr;
  ControlHook editor_hook_;
  bool editor_open_ = false;
  int edit_col_ = 0, edit_row_ = 0;
  int move_from_ = 0, move_to_ = 0;
  POINT move_point_{0, 0};
  bool enabled_ = true;
  HFONT font_ = nullptr;
  FontSpec font_spec_;
  FontHandle owned_font_;
  COLORREF text_colour_ = CLR_INVALID;  // the font's colour; none: the system's
  int dpi_ = 96;

  MouseState mouse_ = MouseState::None;
  int sizing_col_ = -1;
  int sizing_origin_ = 0;  // mouse x at which the sized column would be 0 wide
  int sizing_start_width_ = 0;
  int wheel_delta_ = 0;
  bool updating_scroll_bars_ = false;
  // The client area as of the last WM_SIZE: a row written below it needs no
  // painting, and asking the system for the size per cell written costs more
  // than filling the cell.
  SIZE client_{0, 0};
  // Keys pressed while the grid had the focus. A release of any other key
  // (the Enter that chose a menu command or closed a message box) is not the
  // grid's: reporting it would confirm the pick and close the window.
  std::bitset<256> keys_down_;
};

}  // namespace zorbi::win32
