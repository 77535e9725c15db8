#include "grid_control.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <utility>

#include "command_table.h"
#include "cp932.h"
#include "dpi.h"
#include "win32_controls.h"

namespace zorbi::win32 {

namespace {

constexpr wchar_t kClassName[] = L"TStringGrid";
// Half the width of the header band in which a column border can be grabbed.
constexpr int kSizingSlack = 3;
// Text sits this far from the cell's top left corner, as in a Delphi string grid.
constexpr int kTextMargin = 2;
// While a row is dragged this close to the top or bottom edge, the view scrolls.
constexpr UINT kScrollInterval = 60;

ShiftState CurrentShiftState() {
  ShiftState shift;
  shift.Shift = GetKeyState(VK_SHIFT) < 0;
  shift.Ctrl = GetKeyState(VK_CONTROL) < 0;
  shift.Alt = GetKeyState(VK_MENU) < 0;
  return shift;
}

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
  SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

// Lines between scrolling cells: between the face colour and its shadow, so
// they show on any window colour without the weight of the fixed cells' lines.
COLORREF CellLineColour() {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  return RGB((GetRValue(face) + GetRValue(shadow)) / 2, (GetGValue(face) + GetGValue(shadow)) / 2,
             (GetBValue(face) + GetBValue(shadow)) / 2);
}

}  // namespace

GridControl::GridControl(int col_count, int row_count)
    : col_widths_(static_cast<size_t>(std::max(2, col_count)), kDefaultColWidth),
      cells_(std::max(2, col_count), std::max(2, row_count)) {
  selection_ = {1, 1, ColCount() - 1, 1};
}

GridControl::~GridControl() {
  OnExit = nullptr;
  DestroyHandle();
}

void GridControl::SetFont(const FontSpec& font) {
  const LOGFONTW log_font = LogFontOf(font, dpi_);
  HFONT made = CreateFontIndirectW(&log_font);
  if (made == nullptr) return;
  owned_font_.Reset(made);
  font_ = made;
  font_spec_ = font;
  text_colour_ = font.Color == kSystemTextColor ? CLR_INVALID : static_cast<COLORREF>(font.Color);
  Invalidate();
}

bool GridControl::Create(HWND parent, int id, RECT bounds) {
  DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | WS_CLIPSIBLINGS;
  if (!enabled_) style |= WS_DISABLED;
  if (!CreateHandle(WindowClass{kClassName, CS_DBLCLKS, nullptr}, WS_EX_CLIENTEDGE, L"", style,
                    bounds, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id))))
    return false;
  RECT client;
  GetClientRect(Handle(), &client);
  client_ = {client.right, client.bottom};
  UpdateScrollBars();
  return true;
}

void GridControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (Handle() != nullptr) EnableWindow(Handle(), enabled);
}

bool GridControl::Enabled() const {
  return Handle() != nullptr ? IsWindowEnabled(Handle()) != FALSE : enabled_;
}

void GridControl::SetRowCount(int rows) {
  rows = std::max(2, rows);
  cells_.SetRowCount(rows);
  if (editor_open_ && edit_row_ >= rows) HideEditor();
  const int last = rows - 1;
  row_ = std::min(row_, last);
  selection_.Top = std::min(selection_.Top, last);
  selection_.Bottom = std::min(selection_.Bottom, last);
  UpdateScrollBars();
  top_row_ = std::clamp(top_row_, 1, MaxTopRow());
  Invalidate();
}

std::string GridControl::Cell(int col, int row) const {
  return cells_.Cell(col, row);
}

void GridControl::SetCell(int col, int row, std::string text) {
  if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount()) return;
  if (col == 0) FitNumber(text);
  cells_.SetCell(col, row, std::move(text));
  InvalidateRow(row);
}

TMenuItem* GridControl::Item(int row) const {
  return cells_.Item(row);
}

void GridControl::SetItem(int row, TMenuItem* item) {
  cells_.SetItem(row, item);
}

void GridControl::SetRowSource(const GridRowSource* rows) {
  cells_.SetSource(rows);
  if (rows != nullptr) FitNumber(rows->WidestNumber());
  Invalidate();
}

void GridControl::FitNumber(const std::string& number) {
  if (number.size() <= longest_number_.size()) return;
  longest_number_ = number;
  FitNumberColumn();
}

void GridControl::SetSelection(GridRect cells) {
  const int last_col = ColCount() - 1, last_row = RowCount() - 1;
  GridRect s;
  s.Left = std::clamp(std::min(cells.Left, cells.Right), 1, last_col);
  s.Right = std::clamp(std::max(cells.Left, cells.Right), 1, last_col);
  s.Top = std::clamp(std::min(cells.Top, cells.Bottom), 1, last_row);
  s.Bottom = std::clamp(std::max(cells.Top, cells.Bottom), 1, last_row);
  selection_ = s;
  col_ = s.Right;
  row_ = s.Top;
  Invalidate();
}

void GridControl::SetTopRow(int row) {
  row = std::clamp(row, 1, MaxTopRow());
  if (row == top_row_) return;
  top_row_ = row;
  if (Handle() != nullptr) SetScrollPos(Handle(), SB_VERT, top_row_, TRUE);
  Invalidate();
}

void GridControl::SetFocus() {
  if (Handle() != nullptr) ::SetFocus(Handle());
}

int GridControl::ColWidth(int col) const {
  return Unscale(PixelColWidth(col), dpi_);
}

void GridControl::SetColWidth(int col, int width) {
  SetPixelColWidth(col, Scale(width, dpi_));
}

int GridControl::DefaultRowHeight() const {
  return Unscale(row_height_, dpi_);
}

void GridControl::SetDefaultRowHeight(int height) {
  SetPixelRowHeight(Scale(height, dpi_));
}

void GridControl::SetDpi(int dpi) {
  if (dpi == dpi_ || dpi <= 0) return;
  for (int& width : col_widths_) width = MulDiv(width, dpi, dpi_);
  number_col_width_ = MulDiv(number_col_width_, dpi, dpi_);
  row_height_ = std::max(1, MulDiv(row_height_, dpi, dpi_));
  dpi_ = dpi;
  if (owned_font_.Get() != nullptr) SetFont(font_spec_);
  FitNumberColumn();
  UpdateScrollBars();
  Invalidate();
}

int GridControl::PixelColWidth(int col) const {
  return col >= 0 && col < ColCount() ? col_widths_[static_cast<size_t>(col)] : 0;
}

void GridControl::SetPixelColWidth(int col, int width) {
  if (col < 0 || col >= ColCount()) return;
  col_widths_[static_cast<size_t>(col)] = std::max(0, width);
  if (col == 0) {
    number_col_width_ = std::max(0, width);
    FitNumberColumn();
  }
  UpdateScrollBars();
  Invalidate();
}

void GridControl::SetPixelRowHeight(int height) {
  row_height_ = std::max(1, height);
  UpdateScrollBars();
  top_row_ = std::clamp(top_row_, 1, MaxTopRow());
  Invalidate();
}

void GridControl::SetRowSelect(bool on) {
  if (on == row_select_) return;
  if (on) HideEditor();
  row_select_ = on;
  selection_ = on ? GridRect{1, row_, ColCount() - 1, row_} : GridRect{col_, row_, col_, row_};
  Invalidate();
}

int GridControl::VisibleRowCount() const {
  if (Handle() == nullptr) return 0;
  RECT client;
  GetClientRect(Handle(), &client);
  return std::max(0, (static_cast<int>(client.bottom) - RowPitch()) / RowPitch());
}

void GridControl::ScrollIntoView(int row) {
  if (row < 1 || row >= RowCount()) return;
  const int visible = VisibleRowCount();
  if (row < top_row_ || visible == 0) {
    SetTopRow(row);
  } else if (row >= top_row_ + visible) {
    SetTopRow(row - visible + 1);
  }
}

RECT GridControl::CellRect(int col, int row) const {
  const int left = ColLeft(col), top = RowTop(row);
  return RECT{left, top, left + PixelColWidth(col), top + row_height_};
}

bool GridControl::CellAt(POINT point, int& col, int& row) const {
  if (point.x < 0 || point.y < 0) return false;
  const int r = RowAtY(point.y);
  if (r >= RowCount()) return false;
  int c = 0;
  if (point.x >= FixedWidth()) {
    int x = point.x - FixedWidth() + left_offset_;
    for (c = 1; c < ColCount(); ++c) {
      const int pitch = col_widths_[static_cast<size_t>(c)] + 1;
      if (x < pitch) break;
      x -= pitch;
    }
    if (c == ColCount()) return false;
  }
  col = c;
  row = r;
  return true;
}

// Layout: every cell owns the 1-pixel grid line on its right and below it.
// The fixed column stays put; the scrolling columns move left by left_offset_.

int GridControl::ScrollingWidth() const {
  int width = 0;
  for (size_t c = 1; c < col_widths_.size(); ++c) width += col_widths_[c] + 1;
  return width;
}

int GridControl::ColLeft(int col) const {
  if (col <= 0) return 0;
  int left = FixedWidth() - left_offset_;
  for (int c = 1; c < col && c < ColCount(); ++c) left += col_widths_[static_cast<size_t>(c)] + 1;
  return left;
}

int GridControl::RowTop(int row) const {
  return row <= 0 ? 0 : RowPitch() * (1 + row - top_row_);
}

int GridControl::RowAtY(int y) const {
  return y < RowPitch() ? 0 : top_row_ + (y - RowPitch()) / RowPitch();
}

int GridControl::MaxTopRow() const {
  return std::max(1, RowCount() - VisibleRowCount());
}

int GridControl::MaxLeftOffset() const {
  if (Handle() == nullptr) return 0;
  RECT client;
  GetClientRect(Handle(), &client);
  return std::max(0, ScrollingWidth() - (static_cast<int>(client.right) - FixedWidth()));
}

int GridControl::SizingColumnAt(POINT point) const {
  if (point.y < 0 || point.y >= RowPitch() || point.x < 0) return -1;
  int best = -1, best_distance = kSizingSlack + 1;
  for (int c = 0; c < ColCount(); ++c) {
    const int border = ColLeft(c) + PixelColWidth(c);
    if (c > 0 && border < FixedWidth()) continue;  // scrolled under the fixed column
    const int distance = std::abs(point.x - border);
    // On a tie the later column wins, so a narrow column can still be widened.
    if (distance <= best_distance) {
      best = c;
      best_distance = distance;
    }
  }
  return best_distance <= kSizingSlack ? best : -1;
}

void GridControl::UpdateScrollBars() {
  if (Handle() == nullptr || updating_scroll_bars_) return;
  // Showing or hiding a bar resizes the client area and comes back here.
  updating_scroll_bars_ = true;
  RECT client;
  GetClientRect(Handle(), &client);
  const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
  const int bar_width = GetSystemMetrics(SM_CXVSCROLL);
  const int bar_height = GetSystemMetrics(SM_CYHSCROLL);
  const int full_width = client.right + ((style & WS_VSCROLL) ? bar_width : 0);
  const int full_height = client.bottom + ((style & WS_HSCROLL) ? bar_height : 0);
  const int rows = RowCount() - 1;
  // Each bar takes room from the other direction; two rounds settle it.
  bool need_vertical = false, need_horizontal = false;
  for (int round = 0; round < 3; ++round) {
    const int height = full_height - (need_horizontal ? bar_height : 0);
    need_vertical = rows > std::max(0, (height - RowPitch()) / RowPitch());
    const int width = full_width - (need_vertical ? bar_width : 0);
    need_horizontal = ScrollingWidth() > width - FixedWidth();
  }
  ShowScrollBar(Handle(), SB_VERT, need_vertical);
  ShowScrollBar(Handle(), SB_HORZ, need_horizontal);

  top_row_ = std::clamp(top_row_, 1, MaxTopRow());
  left_offset_ = std::clamp(left_offset_, 0, MaxLeftOffset());
  GetClientRect(Handle(), &client);
  if (need_vertical) {
    SCROLLINFO info{sizeof info,
                    SIF_RANGE | SIF_PAGE | SIF_POS,
                    1,
                    rows,
                    static_cast<UINT>(VisibleRowCount()),
                    top_row_,
                    0};
    SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
  }
  if (need_horizontal) {
    const int page = std::max(0, static_cast<int>(client.right) - FixedWidth());
    SCROLLINFO info{sizeof info,
                    SIF_RANGE | SIF_PAGE | SIF_POS,
                    0,
                    ScrollingWidth() - 1,
                    static_cast<UINT>(page),
                    left_offset_,
                    0};
    SetScrollInfo(Handle(), SB_HORZ, &info, TRUE);
  }
  updating_scroll_bars_ = false;
}

void GridControl::Invalidate() {
  if (Handle() == nullptr) return;
  InvalidateRect(Handle(), nullptr, FALSE);
  PlaceEditor();
}

void GridControl::FitNumberColumn() {
  int width = number_col_width_;
  if (Handle() != nullptr && !longest_number_.empty()) {
    // Zeros stand for the digits: as wide as any of them.
    std::wstring widest = Widen(longest_number_);
    for (wchar_t& c : widest)
      if (c >= L'1' && c <= L'9') c = L'0';
    HDC dc = GetDC(Handle());
    HGDIOBJ old = SelectObject(dc, font_ != nullptr ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    SIZE extent{};
    GetTextExtentPoint32W(dc, widest.c_str(), static_cast<int>(widest.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(Handle(), dc);
    width = std::max(width, static_cast<int>(extent.cx) + 2 * kTextMargin);
  }
  if (width == col_widths_[0]) return;
  col_widths_[0] = width;
  UpdateScrollBars();
  Invalidate();
}

bool GridControl::IsOwnWindow(HWND window) const {
  return window != nullptr && GetAncestor(window, GA_ROOT) == GetAncestor(Handle(), GA_ROOT);
}

void GridControl::SetEditing(bool on) {
  if (!on) HideEditor();
  editing_ = on;
}

void GridControl::SetRowMoving(bool on) {
  if (!on && mouse_ == MouseState::Moving) EndMouseState();
  row_moving_ = on;
}

bool GridControl::EndCellEdit() {
  return !editor_open_ || CommitEditor();
}

void GridControl::ShowEditor() {
  if (Handle() == nullptr || !editing_ || row_select_ || col_ < 1 || row_ < 1) return;
  if (editor_ == nullptr) {
    editor_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 0, 0, Handle(),
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    if (editor_ == nullptr) return;
    editor_hook_.Attach(editor_, [this](ControlHook& hook, UINT m, WPARAM w, LPARAM l) {
      return HandleEditorMessage(hook, m, w, l);
    });
  }
  SendMessageW(editor_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  edit_col_ = col_;
  edit_row_ = row_;
  editor_open_ = true;
  ScrollIntoView(edit_row_);
  SetWindowTextW(editor_, Widen(Cell(edit_col_, edit_row_)).c_str());
  SendMessageW(editor_, EM_SETSEL, 0, -1);
  PlaceEditor();
  ::SetFocus(editor_);
}

void GridControl::PlaceEditor() {
  if (!editor_open_ || editor_ == nullptr) return;
  RECT cell = CellRect(edit_col_, edit_row_);
  // Over the header or the number column it would hide them: out of view then.
  const bool visible = cell.top >= RowPitch() && cell.left >= FixedWidth();
  if (visible) {
    SetWindowPos(editor_, HWND_TOP, cell.left + 1, cell.top + 1, cell.right - cell.left - 1,
                 cell.bottom - cell.top - 1, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  } else {
    ShowWindow(editor_, SW_HIDE);
  }
}

void GridControl::HideEditor() {
  if (!editor_open_) return;
  editor_open_ = false;
  const bool had_focus = GetFocus() == editor_;
  ShowWindow(editor_, SW_HIDE);
  if (had_focus) ::SetFocus(Handle());
  Invalidate();
}

bool GridControl::CommitEditor() {
  if (!editor_open_) return true;
  const int length = GetWindowTextLengthW(editor_);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(std::max(0, GetWindowTextW(editor_, text.data(), length + 1))));
  const std::optional<std::string> bytes = Narrow(text);
  if (!bytes) {
    // Never stored with '?' in place of the character; the text stays.
    if (OnRefused) {
      const char32_t refused = FirstUnrepresentable(text);
      OnRefused(refused != 0 ? refused : 0xFFFD);
    }
    if (Handle() != nullptr && editor_open_) ::SetFocus(editor_);
    return false;
  }
  cells_.SetCell(edit_col_, edit_row_, *bytes);
  HideEditor();
  return true;
}

LRESULT GridControl::HandleEditorMessage(ControlHook& editor, UINT message, WPARAM wparam,
                                         LPARAM lparam) {
  switch (message) {
    case WM_GETDLGCODE:
      // Enter and Escape belong to the editor, not to the dialog manager.
      return editor.Default(message, wparam, lparam) | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
      switch (wparam) {
        case VK_RETURN:
          CommitEditor();
          return 0;
        case VK_ESCAPE:
          HideEditor();
          return 0;
        case VK_UP:
        case VK_DOWN:
          if (CommitEditor()) OnNavigationKey(static_cast<int>(wparam), ShiftState{});
          return 0;
        default:
          break;
      }
      break;
    case WM_CHAR:
      if (wparam == L'\r' || wparam == 0x1B) return 0;  // no beep for Enter and Escape
      break;
    case WM_CONTEXTMENU:
      // The grid's menu, not the edit box's own.
      return SendMessageW(GetParent(Handle()), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Handle()),
                          lparam);
    case WM_KILLFOCUS: {
      const LRESULT result = editor.Default(message, wparam, lparam);
      const HWND to = reinterpret_cast<HWND>(wparam);
      // Another control of this window takes the focus: the grid is left.
      // A click in the grid commits there, before it moves the selection.
      if (editor_open_ && to != Handle() && IsOwnWindow(to) && CommitEditor() && OnExit) OnExit();
      return result;
    }
    default:
      break;
  }
  return editor.Default(message, wparam, lparam);
}

void GridControl::InvalidateRow(int row) {
  // Under Wine each invalidation is a round trip to the server: a row written
  // off screen must cost nothing.
  if (Handle() == nullptr || (row != 0 && row < top_row_)) return;
  const int top = RowTop(row);
  if (top >= client_.cy) return;
  const RECT band{0, top, client_.cx, top + RowPitch()};
  InvalidateRect(Handle(), &band, FALSE);
}

void GridControl::SetLeftOffset(int offset) {
  offset = std::clamp(offset, 0, MaxLeftOffset());
  if (offset == left_offset_) return;
  left_offset_ = offset;
  SetScrollPos(Handle(), SB_HORZ, left_offset_, TRUE);
  Invalidate();
}

bool GridControl::UserMoveTo(int col, int row) {
  bool can_select = true;
  if (OnSelectCell) {
    OnSelectCell(col, row, can_select);
    // The handler may have closed the window or changed the grid.
    if (Handle() == nullptr) return false;
  }
  if (!can_select || col < 1 || col >= ColCount() || row < 1 || row >= RowCount()) return false;
  col_ = col;
  row_ = row;
  selection_ = row_select_ ? GridRect{1, row, ColCount() - 1, row} : GridRect{col, row, col, row};
  ScrollIntoView(row);
  Invalidate();
  return true;
}

void GridControl::OnLeftButtonDown(POINT point) {
  // Typed text goes into its cell before the click moves anywhere.
  if (editor_open_ && !CommitEditor()) return;
  // As in a string grid, the click focuses first: the control it leaves
  // finishes its work before the new cell is selected.
  if (GetFocus() != Handle()) ::SetFocus(Handle());
  if (Handle() == nullptr || mouse_ != MouseState::None) return;
  const int sizing = SizingColumnAt(point);
  if (sizing >= 0) {
    mouse_ = MouseState::Sizing;
    sizing_col_ = sizing;
    sizing_start_width_ = PixelColWidth(sizing);
    // The spot where the border was grabbed stays under the mouse.
    sizing_origin_ = static_cast<int>(point.x) - sizing_start_width_;
    SetCapture(Handle());
    return;
  }
  int col = 0, row = 0;
  if (!CellAt(point, col, row) || row == 0) return;
  if (col == 0) {
    if (!row_moving_) return;
    mouse_ = MouseState::Moving;
    move_from_ = move_to_ = row;
    move_point_ = point;
    SetCapture(Handle());
    SetTimer(Handle(), kScrollTimer, kScrollInterval, nullptr);
    Invalidate();
    return;
  }
  // A click on the current cell opens its editor.
  if (editing_ && !row_select_ && col == col_ && row == row_) {
    ShowEditor();
    return;
  }
  mouse_ = MouseState::Selecting;
  SetCapture(Handle());
  UserMoveTo(col, row);
}

void GridControl::UpdateDropRow(POINT point) {
  move_point_ = point;
  const int last_visible = std::max(top_row_, top_row_ + VisibleRowCount() - 1);
  const int row = std::clamp(point.y < RowPitch() ? top_row_ : RowAtY(point.y), top_row_,
                             std::min(last_visible, RowCount() - 1));
  if (row == move_to_) return;
  move_to_ = row;
  Invalidate();
}

void GridControl::OnScrollTimer() {
  if (mouse_ != MouseState::Moving) return;
  RECT client;
  GetClientRect(Handle(), &client);
  const int zone = RowPitch() / 2;
  const int bottom = RowPitch() * (1 + VisibleRowCount());
  if (move_point_.y < RowPitch() + zone) {
    SetTopRow(top_row_ - 1);
  } else if (move_point_.y >= std::min(static_cast<int>(client.bottom), bottom) - zone) {
    SetTopRow(top_row_ + 1);
  }
  move_to_ = 0;  // worked out again against the scrolled rows
  UpdateDropRow(move_point_);
}

void GridControl::MoveRow(int from, int to) {
  cells_.MoveRow(from, to);
  Invalidate();
}

void GridControl::OnMouseMove(POINT point) {
  if (mouse_ == MouseState::Moving) {
    UpdateDropRow(point);
    return;
  }
  if (mouse_ == MouseState::Sizing) {
    const int width = std::max(kMinDraggedColWidth, static_cast<int>(point.x) - sizing_origin_);
    if (width != PixelColWidth(sizing_col_)) SetPixelColWidth(sizing_col_, width);
    return;
  }
  if (mouse_ != MouseState::Selecting) return;
  // Dragging past the top or bottom edge reaches the next hidden row.
  RECT client;
  GetClientRect(Handle(), &client);
  int row = point.y < RowPitch() ? top_row_ - 1 : RowAtY(point.y);
  if (point.y >= client.bottom) row = top_row_ + VisibleRowCount();
  row = std::clamp(row, 1, RowCount() - 1);
  int col = col_;
  if (!row_select_) {
    int hit_col = 0, hit_row = 0;
    const POINT inside{std::max(static_cast<LONG>(FixedWidth()), point.x), RowPitch()};
    col = CellAt(inside, hit_col, hit_row) ? hit_col : ColCount() - 1;
  }
  if (row != row_ || col != col_) UserMoveTo(col, row);
}

void GridControl::EndMouseState(bool drop) {
  const MouseState was = mouse_;
  mouse_ = MouseState::None;
  if (Handle() != nullptr && GetCapture() == Handle()) ReleaseCapture();
  if (was == MouseState::Moving) {
    KillTimer(Handle(), kScrollTimer);
    Invalidate();
    if (drop && move_to_ != move_from_) {
      MoveRow(move_from_, move_to_);
      if (OnRowMoved) OnRowMoved(move_from_, move_to_);
    }
    return;
  }
  if (was == MouseState::Sizing && PixelColWidth(sizing_col_) != sizing_start_width_ &&
      OnColumnResized) {
    OnColumnResized(sizing_col_);
  }
}

void GridControl::OnNavigationKey(int vk, ShiftState shift) {
  const int last_row = RowCount() - 1, last_col = ColCount() - 1;
  const int page = std::max(1, VisibleRowCount());
  int col = col_, row = row_;
  std::optional<int> new_top;  // page keys turn the view as well
  // With whole rows selected, Left and Right scroll the view a column at a time.
  auto scroll_columns = [this](int direction) {
    int start = 0, target = direction < 0 ? 0 : MaxLeftOffset();
    for (int c = 1; c < ColCount(); ++c) {
      if (direction < 0 && start < left_offset_) target = start;
      if (direction > 0 && start > left_offset_) {
        target = start;
        break;
      }
      start += PixelColWidth(c) + 1;
    }
    SetLeftOffset(target);
  };
  if (shift.Ctrl) {
    switch (vk) {
      case VK_UP:
        SetTopRow(top_row_ - 1);
        return;
      case VK_DOWN:
        SetTopRow(top_row_ + 1);
        return;
      case VK_LEFT:
        if (row_select_) {
          SetLeftOffset(0);
          return;
        }
        col = 1;
        break;
      case VK_RIGHT:
        if (row_select_) {
          SetLeftOffset(MaxLeftOffset());
          return;
        }
        col = last_col;
        break;
      case VK_PRIOR:
        row = top_row_;
        break;
      case VK_NEXT:
        row = top_row_ + page - 1;
        break;
      case VK_HOME:
        if (!row_select_) col = 1;
        row = 1;
        break;
      case VK_END:
        if (!row_select_) col = last_col;
        row = last_row;
        break;
      default:
        return;
    }
  } else {
    switch (vk) {
      case VK_UP:
        --row;
        break;
      case VK_DOWN:
        ++row;
        break;
      case VK_LEFT:
        if (row_select_) {
          scroll_columns(-1);
          return;
        }
        --col;
        break;
      case VK_RIGHT:
        if (row_select_) {
          scroll_columns(1);
          return;
        }
        ++col;
        break;
      case VK_PRIOR:
        row -= page;
        new_top = top_row_ - page;
        break;
      case VK_NEXT:
        row += page;
        new_top = top_row_ + page;
        break;
      case VK_HOME:
        if (row_select_) {
          row = 1;
        } else {
          col = 1;
        }
        break;
      case VK_END:
        if (row_select_) {
          row = last_row;
        } else {
          col = last_col;
        }
        break;
      default:
        return;
    }
  }
  row = std::clamp(row, 1, last_row);
  col = std::clamp(col, 1, last_col);
  if (row == row_ && col == col_) return;
  // A page key turns the page, not only the least needed to show the row.
  if (UserMoveTo(col, row) && new_top) {
    SetTopRow(*new_top);
    ScrollIntoView(row_);
  }
}

void GridControl::OpenContextMenu() {
  // The default handling passes it on to the parent, which owns the menu.
  SendMessageW(Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Handle()), -1);
}

void GridControl::OnVerticalScroll(int request) {
  const int page = std::max(1, VisibleRowCount());
  switch (request) {
    case SB_LINEUP:
      SetTopRow(top_row_ - 1);
      break;
    case SB_LINEDOWN:
      SetTopRow(top_row_ + 1);
      break;
    case SB_PAGEUP:
      SetTopRow(top_row_ - page);
      break;
    case SB_PAGEDOWN:
      SetTopRow(top_row_ + page);
      break;
    case SB_TOP:
      SetTopRow(1);
      break;
    case SB_BOTTOM:
      SetTopRow(MaxTopRow());
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
      if (GetScrollInfo(Handle(), SB_VERT, &info)) SetTopRow(info.nTrackPos);
      break;
    }
    default:
      break;
  }
}

void GridControl::OnHorizontalScroll(int request) {
  RECT client;
  GetClientRect(Handle(), &client);
  const int page = std::max(1, static_cast<int>(client.right) - FixedWidth());
  const int line = std::max(1, row_height_);
  switch (request) {
    case SB_LINELEFT:
      SetLeftOffset(left_offset_ - line);
      break;
    case SB_LINERIGHT:
      SetLeftOffset(left_offset_ + line);
      break;
    case SB_PAGELEFT:
      SetLeftOffset(left_offset_ - page);
      break;
    case SB_PAGERIGHT:
      SetLeftOffset(left_offset_ + page);
      break;
    case SB_LEFT:
      SetLeftOffset(0);
      break;
    case SB_RIGHT:
      SetLeftOffset(MaxLeftOffset());
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
      if (GetScrollInfo(Handle(), SB_HORZ, &info)) SetLeftOffset(info.nTrackPos);
      break;
    }
    default:
      break;
  }
}

void GridControl::PaintCell(HDC dc, int col, int row, const RECT& cell) const {
  const bool fixed = col == 0 || row == 0;
  const bool selected = !fixed && col >= selection_.Left && col <= selection_.Right &&
                        row >= selection_.Top && row <= selection_.Bottom;
  const int background = fixed ? COLOR_BTNFACE : selected ? COLOR_HIGHLIGHT : COLOR_WINDOW;
  const int text = fixed ? COLOR_BTNTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT;
  const bool own_colour = !fixed && !selected && text_colour_ != CLR_INVALID;
  Fill(dc, cell, GetSysColor(background));
  if (fixed) {
    RECT edge = cell;
    DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
  }
  const std::wstring wide = Widen(cells_.Cell(col, row));
  if (!wide.empty()) {
    SetTextColor(dc, own_colour ? text_colour_ : GetSysColor(text));
    ExtTextOutW(dc, cell.left + kTextMargin, cell.top + kTextMargin, ETO_CLIPPED, &cell,
                wide.c_str(), static_cast<UINT>(wide.size()), nullptr);
  }
  const COLORREF line = fixed ? GetSysColor(COLOR_WINDOWFRAME) : CellLineColour();
  Fill(dc, RECT{cell.right, cell.top, cell.right + 1, cell.bottom + 1}, line);
  Fill(dc, RECT{cell.left, cell.bottom, cell.right + 1, cell.bottom + 1}, line);
}

void GridControl::Draw(HDC dc) const {
  RECT client;
  GetClientRect(Handle(), &client);
  Fill(dc, client, GetSysColor(COLOR_WINDOW));
  HGDIOBJ old_font = SelectObject(dc, font_ != nullptr ? font_ : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);

  std::vector<int> rows{0};
  for (int row = top_row_; row < RowCount() && RowTop(row) < client.bottom; ++row) {
    rows.push_back(row);
  }
  // Scrolling columns first, clipped so they slide under the fixed column.
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, FixedWidth(), 0, client.right, client.bottom);
  for (int col = 1; col < ColCount(); ++col) {
    const int left = ColLeft(col);
    if (left >= client.right) break;
    if (left + PixelColWidth(col) + 1 <= FixedWidth()) continue;
    for (int row : rows) PaintCell(dc, col, row, CellRect(col, row));
  }
  RestoreDC(dc, saved);
  for (int row : rows) PaintCell(dc, 0, row, CellRect(0, row));

  if (mouse_ == MouseState::Moving && move_to_ != move_from_) {
    // The dragged row goes below the target row when it moves down, above it otherwise.
    const RECT target = CellRect(0, move_to_);
    const int y = move_to_ > move_from_ ? target.bottom : target.top - 1;
    Fill(dc, RECT{0, y - 1, client.right, y + 2}, GetSysColor(COLOR_HIGHLIGHT));
  }

  if (GetFocus() == Handle() && row_ >= top_row_ && RowTop(row_) < client.bottom) {
    const int left_col = row_select_ ? selection_.Left : col_;
    const int right_col = row_select_ ? selection_.Right : col_;
    RECT focus = CellRect(left_col, row_);
    focus.right = CellRect(right_col, row_).right;
    focus.left = std::max(focus.left, static_cast<LONG>(FixedWidth()));
    if (focus.left < focus.right) {
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkColor(dc, RGB(255, 255, 255));
      DrawFocusRect(dc, &focus);
    }
  }
  SelectObject(dc, old_font);
}

void GridControl::Paint(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
  MemoryDc buffer(CreateCompatibleDC(dc));
  BitmapHandle bitmap(
      CreateCompatibleBitmap(dc, std::max(1L, client.right), std::max(1L, client.bottom)));
  {
    Selected into(buffer.Get(), bitmap.Get());
    Draw(buffer.Get());
    BitBlt(dc, 0, 0, client.right, client.bottom, buffer.Get(), 0, 0, SRCCOPY);
  }
}

void GridControl::OnGone() {
  mouse_ = MouseState::None;
  editor_open_ = false;
  editor_ = nullptr;
}

LRESULT GridControl::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  const POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  switch (message) {
    case WM_PRINTCLIENT:
      Draw(reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SIZE:
      client_ = {LOWORD(lparam), HIWORD(lparam)};
      UpdateScrollBars();
      Invalidate();
      return 0;
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wparam);
      FitNumberColumn();
      if (LOWORD(lparam) != 0) Invalidate();
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_SYSCOLORCHANGE:
      Invalidate();
      return 0;
    case WM_GETDLGCODE: {
      // Every key but Tab stays with the grid, Enter and Escape included:
      // the dialog manager moves the focus on Tab only.
      LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
      const auto* msg = reinterpret_cast<const MSG*>(lparam);
      if (msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam != VK_TAB) {
        code |= DLGC_WANTMESSAGE;
      }
      return code;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      const int vk = static_cast<int>(wparam);
      const ShiftState shift = CurrentShiftState();
      keys_down_.set(wparam & 0xFF);
      if (OnKeyDown) {
        OnKeyDown(vk, shift);
        if (Handle() == nullptr) return 0;
      }
      if (IsContextMenuKey(message, wparam, shift)) {
        OpenContextMenu();
        return 0;
      }
      if (message == WM_SYSKEYDOWN) return CallDefault(message, wparam, lparam);
      if (editing_ && (vk == VK_F2 || vk == VK_RETURN)) {
        ShowEditor();
        return 0;
      }
      OnNavigationKey(vk, shift);
      return 0;
    }
    case WM_CHAR:
      // A typed character, or the result of an input method, opens the
      // editor and goes on into it.
      if (editing_ && wparam >= 0x20 && wparam != 0x7F) {
        if (!editor_open_) ShowEditor();
        if (editor_open_) SendMessageW(editor_, WM_CHAR, wparam, lparam);
      }
      return 0;
    case WM_TIMER:
      if (wparam == kScrollTimer) OnScrollTimer();
      return 0;
    case WM_DROPFILES: {
      HDROP drop = reinterpret_cast<HDROP>(wparam);
      std::vector<std::wstring> paths;
      const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
      for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        paths.push_back(std::move(path));
      }
      DragFinish(drop);
      if (OnFilesDropped && !paths.empty()) OnFilesDropped(paths);
      return 0;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      const bool pressed_here = keys_down_.test(wparam & 0xFF);
      keys_down_.reset(wparam & 0xFF);
      if (OnKeyUp && pressed_here) {
        OnKeyUp(static_cast<int>(wparam), CurrentShiftState());
        if (Handle() == nullptr) return 0;
      }
      if (pressed_here && IsContextMenuKey(message, wparam, CurrentShiftState())) {
        OpenContextMenu();
        return 0;
      }
      if (message == WM_SYSKEYUP) return CallDefault(message, wparam, lparam);
      return 0;
    }
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(point);
      return 0;
    case WM_LBUTTONDBLCLK:
      // A double click on a column border starts sizing like a single press.
      if (SizingColumnAt(point) >= 0) {
        OnLeftButtonDown(point);
      } else if (OnDblClick) {
        OnDblClick();
      }
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(point);
      return 0;
    case WM_LBUTTONUP:
      EndMouseState(true);
      return 0;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
      EndMouseState();
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lparam) == HTCLIENT) {
        POINT cursor;
        GetCursorPos(&cursor);
        ScreenToClient(Handle(), &cursor);
        if (mouse_ == MouseState::Sizing ||
            (mouse_ == MouseState::None && SizingColumnAt(cursor) >= 0)) {
          SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32644)));  // IDC_SIZEWE
          return TRUE;
        }
      }
      return CallDefault(message, wparam, lparam);
    case WM_MOUSEWHEEL: {
      wheel_delta_ += GET_WHEEL_DELTA_WPARAM(wparam);
      const int notches = wheel_delta_ / WHEEL_DELTA;
      wheel_delta_ %= WHEEL_DELTA;
      if (notches != 0) SetTopRow(top_row_ - notches * kWheelRows);
      return 0;
    }
    case WM_VSCROLL:
      OnVerticalScroll(LOWORD(wparam));
      return 0;
    case WM_HSCROLL:
      OnHorizontalScroll(LOWORD(wparam));
      return 0;
    case WM_SETFOCUS:
      Invalidate();
      return 0;
    case WM_KILLFOCUS: {
      keys_down_.reset();
      EndMouseState();
      Invalidate();
      // The editor is part of the grid, and another program or a message
      // box taking the focus does not leave it either.
      const HWND to = reinterpret_cast<HWND>(wparam);
      if (to != editor_ && IsOwnWindow(to) && OnExit) OnExit();
      return 0;
    }
    case WM_ENABLE:
      if (wparam == FALSE) EndMouseState();
      return 0;
    default:
      return Window::HandleMessage(message, wparam, lparam);
  }
}

}  // namespace zorbi::win32
