// The item grid: a small owner-drawn string grid with one fixed header row and
// one fixed number column, drawn in the system's colours. It holds CP932 cell
// texts and a per-row item reference, and raises its events only for what the
// user does; changes made from code stay silent to the form. Accessibility
// clients see it as a table and hear of every change of the pick, whoever
// made it.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include <bitset>
#include <functional>
#include <string>
#include <vector>

#include "grid_accessible.h"
#include "platform/controls.h"
#include "platform/grid_cells.h"
#include "platform/grid_model.h"
#include "window.h"

namespace zorbi::win32 {

class GridControl final : public Window, public Grid, private AccessibleGrid {
 public:
  static constexpr int kDefaultRowCount = 21;
  static constexpr int kDefaultRowHeight = 20;
  static constexpr int kDefaultColWidth = 64;

  explicit GridControl(int col_count = 3, int row_count = kDefaultRowCount);
  ~GridControl() override;

  // Creates the child window; bounds are in the parent's client coordinates.
  bool Create(HWND parent, int id, RECT bounds, DWORD ex_style = 0);

  // Grid
  void SetEnabled(bool enabled) override;
  bool Enabled() const override;
  int RowCount() const override { return model_.RowCount(); }
  void SetRowCount(int rows) override;
  std::string Cell(int col, int row) const override;
  void SetCell(int col, int row, std::string text) override;
  const TMenuItem* Item(int row) const override;
  void SetItem(int row, const TMenuItem* item) override;
  void SetRowSource(const GridRowSource* rows) override;
  void RowsChanged() override;
  GridRect Selection() const override { return model_.Selection(); }
  void SetSelection(GridRect cells) override;
  int Row() const override { return model_.Row(); }
  int Col() const override { return model_.Col(); }
  int TopRow() const override { return model_.TopRow(); }
  void SetTopRow(int row) override;
  void SetFocus() override;
  void SetRowSelect(bool on) override;
  void SetEditing(bool on) override;
  void SetRowMoving(bool on) override;
  bool EndCellEdit() override;

  FontSpec Font() const override { return font_spec_; }
  // The grid makes and owns this font; WM_SETFONT sets one it does not own.
  void SetFont(const FontSpec& font) override;
  // Widths as set and the row height in 96-DPI pixels; the grid shows them
  // scaled, column 0 widened to its text and the last column filling the rest.
  int ColWidth(int col) const override;
  void SetColWidth(int col, int width) override;
  int DefaultRowHeight() const override;
  void SetDefaultRowHeight(int height) override;
  // In the screen's pixels; a width as shown.
  int PixelColWidth(int col) const { return model_.ColWidth(col); }
  void SetPixelColWidth(int col, int width);
  void SetPixelRowHeight(int height);
  // Rescales sizes and the font for another DPI.
  void SetDpi(int dpi);

  // The in-place cell editor, an EDIT child so that input methods work in it.
  // F2, Enter, a typed character or a click on the current cell opens it.
  void ShowEditor();
  bool EditorOpen() const { return editor_open_; }
  HWND Editor() const { return editor_; }
  // The row a row drag would drop on, or 0 when no row is dragged.
  int DropRow() const { return model_.DropRow(); }
  int VisibleRowCount() const { return model_.VisibleRowCount(); }
  void ScrollIntoView(int row) override;
  // Cell area in client coordinates, grid lines excluded.
  RECT CellRect(int col, int row) const;

  // Events; each runs only for the user's own action.
  // Before every selection move; leaving canSelect true lets it happen.
  std::function<void(int col, int row, bool& canSelect)> OnSelectCell;
  // The row double-clicked, -1 below the last row.
  std::function<void(int row)> OnDblClick;
  // Before the grid's own handling of the key.
  std::function<void(int vk, ShiftState shift)> OnKeyDown;
  std::function<void(int vk, ShiftState shift)> OnKeyUp;
  std::function<void()> OnExit;
  // A row dragged by its number cell was dropped on another row; the grid
  // has moved the row already.
  std::function<void(int from_row, int to_row)> OnRowMoved;
  // Files dropped from the shell (after DragAcceptFiles).
  std::function<void(const std::vector<std::wstring>& paths)> OnFilesDropped;
  // Typed text the grid cannot store: the code point of its first character
  // without a CP932 form.
  std::function<void(char32_t refused)> OnRefused;

 private:
  static constexpr UINT_PTR kScrollTimer = 1;
  // Posted to itself: tell accessibility clients what changed; run a row.
  static constexpr UINT kTellClientsMessage = WM_USER + 1;
  static constexpr UINT kRunRowMessage = WM_USER + 2;

  // AccessibleGrid
  HWND GridWindow() const override { return Handle(); }
  const GridModel& GridState() const override { return model_; }
  bool ClickRow(int row) override;
  void DoubleClickLater(int row) override;
  LRESULT OnGetObject(WPARAM wparam, LPARAM lparam);
  // What accessibility clients are to hear of, once the change in hand is
  // done: the rows refilled, their names changed; the pick and the focus
  // are told whenever they differ from what was told last.
  enum Tell : unsigned { kTellPick = 0, kTellRefill = 1, kTellNames = 2, kTellFocus = 4 };
  void TellClients(unsigned what = kTellPick);
  void OnTellClients();

  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  LRESULT HandleEditorMessage(ControlHook& editor, UINT message, WPARAM wparam, LPARAM lparam);
  bool PaintsItself() const override { return true; }
  // Drawn off screen first, so scrolling and selecting never flicker.
  void Paint(HDC dc) override;
  void OnSize(int width, int height) override;
  void OnGone() override;
  LRESULT OnKey(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnKeyRelease(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT OnMouse(UINT message, WPARAM wparam, LPARAM lparam);
  void OnFilesDrop(HDROP drop);
  void OnChar(WPARAM wparam, LPARAM lparam);
  // The sizing cursor over a column border; false: the default cursor.
  bool OnSetCursor();
  void OnKillFocus(HWND to);

  void UpdateScrollBars();
  // The model's view position onto the scroll bars and the screen; true when it moved.
  bool ShowView();
  void Invalidate();
  // Only the part of the row that is on screen, if any.
  void InvalidateRow(int row);
  // The user's move to a cell: asks OnSelectCell, then moves and shows it.
  bool UserMoveTo(const GridModel::Target& to);
  void OnNavigationKey(int vk, ShiftState shift);
  // The window's keyboard cues: a focus rectangle hidden until a key is used.
  LRESULT OnUpdateUiState(WPARAM wparam, LPARAM lparam);
  // After a row moved by a drag or a key: shown, and the form told.
  void RowMoved(std::optional<std::pair<int, int>> moved);
  void OnLeftButtonDown(POINT point);
  void OnMouseMove(POINT point);
  void EndMouseState(bool drop = false);
  // Stores the editor's text in its cell; false (editor kept) when refused.
  bool CommitEditor();
  void HideEditor();
  void PlaceEditor();
  // Column 0 fitted to the row source's widest text, never below its set width.
  void FitNumberColumn();
  bool IsOwnWindow(HWND window) const;
  // As for a right click, but placed by the parent (a keyboard position of -1, -1).
  void OpenContextMenu();
  void OnScroll(int bar, int request);
  void Draw(HDC dc) const;
  void PaintCell(HDC dc, int col, int row, const RECT& cell, bool high_contrast) const;

  GridModel model_;
  std::string fitted_;  // the text column 0 was last fitted to, and in which font
  HFONT fitted_font_ = nullptr;
  bool editing_ = false;
  bool row_moving_ = false;
  HWND editor_ = nullptr;
  ControlHook editor_hook_;
  bool editor_open_ = false;
  int edit_col_ = 0, edit_row_ = 0;
  bool enabled_ = true;
  HFONT font_ = nullptr;
  FontSpec font_spec_;
  FontHandle owned_font_;
  COLORREF text_colour_ = CLR_INVALID;  // the font's colour; none: the system's
  int dpi_ = 96;
  int shown_top_ = 1, shown_left_ = 0;  // as the scroll bars show them
  bool updating_scroll_bars_ = false;
  // Keys pressed while the grid had the focus. A release of any other key
  // (the Enter that chose a menu command or closed a message box) is not the
  // grid's: reporting it would confirm the pick and close the window.
  std::bitset<256> keys_down_;
  bool hide_focus_ = false;
  GridAccessible* accessible_ = nullptr;  // made at a client's first request
  unsigned to_tell_ = 0;
  bool tell_posted_ = false;
  int told_row_ = -1;  // the picked row clients were told of; 0: none
};

}  // namespace zorbi::win32
