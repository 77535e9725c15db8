#include "grid_control.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "command_table.h"
#include "cp932.h"
#include "dpi.h"
#include "platform/grid_look.h"
#include "win32_controls.h"

namespace zorbi::win32 {

namespace {

constexpr wchar_t kClassName[] = L"TStringGrid";
constexpr int kTextMargin = GridModel::kTextMargin;
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

COLORREF CellLineColour() {
  return GridLineColour(GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT));
}

int TextWidth(HDC dc, std::string_view text) {
  const std::wstring wide = Widen(std::string(text));
  SIZE extent{};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
  return extent.cx;
}

COLORREF SystemColor(SystemColour colour) {
  switch (colour) {
    case SystemColour::Window:
      return GetSysColor(COLOR_WINDOW);
    case SystemColour::WindowText:
      return GetSysColor(COLOR_WINDOWTEXT);
    case SystemColour::Highlight:
      return GetSysColor(COLOR_HIGHLIGHT);
    case SystemColour::HighlightText:
      return GetSysColor(COLOR_HIGHLIGHTTEXT);
    case SystemColour::Face:
      return GetSysColor(COLOR_BTNFACE);
    case SystemColour::FaceText:
      return GetSysColor(COLOR_BTNTEXT);
    case SystemColour::GrayText:
      return GetSysColor(COLOR_GRAYTEXT);
  }
  return GetSysColor(COLOR_WINDOWTEXT);
}

RECT ToRect(const GridBox& box) {
  return RECT{box.Left, box.Top, box.Right, box.Bottom};
}

}  // namespace

GridControl::GridControl(int col_count, int row_count)
    : model_(col_count, row_count, kDefaultColWidth, kDefaultRowHeight) {}

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
  FitNumberColumn();
  Invalidate();
}

bool GridControl::Create(HWND parent, int id, RECT bounds, DWORD ex_style) {
  DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | WS_CLIPSIBLINGS;
  if (!enabled_) style |= WS_DISABLED;
  if (!CreateHandle(WindowClass{kClassName, CS_DBLCLKS, nullptr}, WS_EX_CLIENTEDGE | ex_style, L"",
                    style, bounds, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id))))
    return false;
  RECT client;
  GetClientRect(Handle(), &client);
  model_.SetClientSize(client.right, client.bottom);
  hide_focus_ = (SendMessageW(Handle(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
  FitNumberColumn();  // rows given before there was a window to measure them in
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
  model_.SetRowCount(rows);
  if (editor_open_ && edit_row_ >= RowCount()) HideEditor();
  UpdateScrollBars();
  model_.ClampView();
  Invalidate();
  TellClients();
}

std::string GridControl::Cell(int col, int row) const {
  return model_.Cells().Cell(col, row);
}

void GridControl::SetCell(int col, int row, std::string text) {
  if (col < 0 || col >= model_.ColCount() || row < 0 || row >= RowCount()) return;
  model_.Cells().SetCell(col, row, std::move(text));
  InvalidateRow(row);
}

const TMenuItem* GridControl::Item(int row) const {
  return model_.Cells().Item(row);
}

void GridControl::SetItem(int row, const TMenuItem* item) {
  model_.Cells().SetItem(row, item);
}

void GridControl::SetRowSource(const GridRowSource* rows) {
  model_.Cells().SetSource(rows);
  FitNumberColumn();
  Invalidate();
  TellClients(kTellRefill);
}

void GridControl::RowsChanged() {
  FitNumberColumn();
  Invalidate();
  TellClients(kTellNames);
}

void GridControl::SetSelection(GridRect cells) {
  model_.SetSelection(cells);
  Invalidate();
  TellClients();
}

void GridControl::SetTopRow(int row) {
  model_.SetTopRow(row);
  ShowView();
}

void GridControl::ScrollIntoView(int row) {
  model_.ScrollIntoView(row);
  ShowView();
}

void GridControl::SetFocus() {
  if (Handle() != nullptr) ::SetFocus(Handle());
}

int GridControl::ColWidth(int col) const {
  return Unscale(model_.SetWidth(col), dpi_);
}

void GridControl::SetColWidth(int col, int width) {
  SetPixelColWidth(col, Scale(width, dpi_));
}

int GridControl::DefaultRowHeight() const {
  return Unscale(model_.RowHeight(), dpi_);
}

void GridControl::SetDefaultRowHeight(int height) {
  SetPixelRowHeight(Scale(height, dpi_));
}

void GridControl::SetDpi(int dpi) {
  if (dpi == dpi_ || dpi <= 0) return;
  for (int col = 0; col < model_.ColCount(); ++col)
    model_.SetColWidth(col, MulDiv(model_.SetWidth(col), dpi, dpi_));
  model_.SetRowHeight(std::max(1, MulDiv(model_.RowHeight(), dpi, dpi_)));
  dpi_ = dpi;
  if (owned_font_.Get() != nullptr) SetFont(font_spec_);
  FitNumberColumn();
  UpdateScrollBars();
  Invalidate();
}

void GridControl::SetPixelColWidth(int col, int width) {
  if (col < 0 || col >= model_.ColCount()) return;
  model_.SetColWidth(col, width);
  UpdateScrollBars();
  Invalidate();
}

void GridControl::SetPixelRowHeight(int height) {
  model_.SetRowHeight(height);
  UpdateScrollBars();
  model_.ClampView();
  Invalidate();
}

void GridControl::SetRowSelect(bool on) {
  if (on == model_.RowSelect()) return;
  if (on) HideEditor();
  model_.SetRowSelect(on);
  Invalidate();
  TellClients();
}

RECT GridControl::CellRect(int col, int row) const {
  return ToRect(model_.CellRect(col, row));
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
  const auto [vertical, horizontal] = model_.ScrollBarsNeeded(
      client.right + ((style & WS_VSCROLL) ? bar_width : 0),
      client.bottom + ((style & WS_HSCROLL) ? bar_height : 0), bar_width, bar_height);
  ShowScrollBar(Handle(), SB_VERT, vertical);
  ShowScrollBar(Handle(), SB_HORZ, horizontal);
  GetClientRect(Handle(), &client);
  model_.SetClientSize(client.right, client.bottom);
  model_.ClampView();
  shown_top_ = model_.TopRow();
  shown_left_ = model_.LeftOffset();
  if (vertical) {
    SCROLLINFO info{sizeof info,
                    SIF_RANGE | SIF_PAGE | SIF_POS,
                    1,
                    RowCount() - 1,
                    static_cast<UINT>(model_.VisibleRowCount()),
                    shown_top_,
                    0};
    SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
  }
  if (horizontal) {
    const int page = std::max(0, static_cast<int>(client.right) - model_.FixedWidth());
    SCROLLINFO info{sizeof info,
                    SIF_RANGE | SIF_PAGE | SIF_POS,
                    0,
                    model_.ScrollingWidth() - 1,
                    static_cast<UINT>(page),
                    shown_left_,
                    0};
    SetScrollInfo(Handle(), SB_HORZ, &info, TRUE);
  }
  updating_scroll_bars_ = false;
}

bool GridControl::ShowView() {
  if (Handle() == nullptr) return false;
  const bool moved = model_.TopRow() != shown_top_ || model_.LeftOffset() != shown_left_;
  if (model_.TopRow() != shown_top_)
    SetScrollPos(Handle(), SB_VERT, shown_top_ = model_.TopRow(), TRUE);
  if (model_.LeftOffset() != shown_left_)
    SetScrollPos(Handle(), SB_HORZ, shown_left_ = model_.LeftOffset(), TRUE);
  if (moved) Invalidate();
  return moved;
}

void GridControl::Invalidate() {
  if (Handle() == nullptr) return;
  InvalidateRect(Handle(), nullptr, FALSE);
  PlaceEditor();
}

void GridControl::InvalidateRow(int row) {
  // Under Wine each invalidation is a round trip to the server: a row written
  // off screen must cost nothing.
  if (Handle() == nullptr || (row != 0 && row < model_.TopRow())) return;
  const int top = model_.RowTop(row);
  if (top >= model_.ClientHeight()) return;
  const RECT band{0, top, model_.ClientWidth(), top + model_.RowPitch()};
  InvalidateRect(Handle(), &band, FALSE);
}

void GridControl::FitNumberColumn() {
  const GridRowSource* rows = model_.Cells().Source();
  const std::string widest = rows != nullptr ? rows->WidestNumber() : std::string();
  // Measured once for each text and font.
  if (Handle() == nullptr || (widest == fitted_ && font_ == fitted_font_)) return;
  fitted_ = widest;
  fitted_font_ = font_;
  const int before = model_.ColWidth(0);
  {
    WindowDc dc(Handle());
    Selected font(dc.Get(), font_ != nullptr ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    model_.FitFixedColumn(widest,
                          [&dc](std::string_view text) { return TextWidth(dc.Get(), text); });
  }
  if (model_.ColWidth(0) == before) return;
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
  if (!on && model_.MouseState() == GridModel::Mouse::Moving) EndMouseState();
  row_moving_ = on;
}

bool GridControl::EndCellEdit() {
  return !editor_open_ || CommitEditor();
}

bool GridControl::UserMoveTo(const GridModel::Target& to) {
  bool can_select = true;
  if (OnSelectCell) {
    OnSelectCell(to.Col, to.Row, can_select);
    // The handler may have closed the window or changed the grid.
    if (Handle() == nullptr) return false;
  }
  if (!can_select || !model_.Go(to)) return false;
  ShowView();
  Invalidate();
  TellClients();
  return true;
}

bool GridControl::ClickRow(int row) {
  // Only where a click could land: not under a dialog or a message box, nor
  // in the middle of a drag.
  if (Handle() == nullptr || row < 1 || row > model_.FilledRows() || !IsWindowEnabled(Handle()) ||
      !IsWindowEnabled(GetAncestor(Handle(), GA_ROOT)) ||
      model_.MouseState() != GridModel::Mouse::None)
    return false;
  if (editor_open_ && !CommitEditor()) return false;
  if (GetFocus() != Handle()) ::SetFocus(Handle());
  return Handle() != nullptr && UserMoveTo({model_.Col(), row, std::nullopt});
}

void GridControl::DoubleClickLater(int row) {
  PostMessageW(Handle(), kRunRowMessage, static_cast<WPARAM>(row), 0);
}

LRESULT GridControl::OnGetObject(WPARAM wparam, LPARAM lparam) {
  if (static_cast<DWORD>(lparam) != static_cast<DWORD>(OBJID_CLIENT))
    return CallDefault(WM_GETOBJECT, wparam, lparam);
  EnsureCom();
  if (accessible_ == nullptr) accessible_ = MakeGridAccessible(*this);
  return LresultFromObject(__uuidof(IAccessible), wparam, AsAccessible(accessible_));
}

void GridControl::TellClients(unsigned what) {
  to_tell_ |= what;
  if (Handle() == nullptr || tell_posted_) return;
  tell_posted_ = PostMessageW(Handle(), kTellClientsMessage, 0, 0) != FALSE;
}

void GridControl::OnTellClients() {
  tell_posted_ = false;
  const unsigned what = std::exchange(to_tell_, 0u);
  const HWND window = Handle();
  if (what & kTellRefill) NotifyWinEvent(EVENT_OBJECT_REORDER, window, OBJID_CLIENT, CHILDID_SELF);
  const int filled = model_.FilledRows();
  const int row = Row() <= filled ? Row() : 0;
  if (what & kTellNames) {
    // The marks change the names of rows anywhere; those in view and the
    // pick are the ones a reader may be showing.
    const int last = std::min(filled, TopRow() + VisibleRowCount());
    for (int shown = TopRow(); shown <= last; ++shown)
      NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, shown);
    if (row != 0 && (row < TopRow() || row > last))
      NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, window, OBJID_CLIENT, row);
  }
  // Refilled, the same row number may hold another item.
  const bool moved = row != told_row_ || (what & kTellRefill) != 0;
  if (!moved && (what & kTellFocus) == 0) return;
  told_row_ = row;
  if (moved && row != 0) NotifyWinEvent(EVENT_OBJECT_SELECTION, window, OBJID_CLIENT, row);
  if (GetFocus() == window)
    NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, row != 0 ? row : CHILDID_SELF);
}

void GridControl::OnNavigationKey(int vk, ShiftState shift) {
  if (const std::optional<GridModel::Target> to = model_.NavigationKey(vk, shift)) {
    // Keys in use: focus rectangles show from now on, here and in the window.
    if (hide_focus_) {
      hide_focus_ = false;
      SendMessageW(GetAncestor(Handle(), GA_ROOT), WM_CHANGEUISTATE,
                   MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    }
    UserMoveTo(*to);
  }
  ShowView();
}

LRESULT GridControl::OnUpdateUiState(WPARAM wparam, LPARAM lparam) {
  // As the system's lists: no focus rectangle while the window hides it (a
  // mouse user's window before any key).
  const LRESULT result = CallDefault(WM_UPDATEUISTATE, wparam, lparam);
  if ((HIWORD(wparam) & UISF_HIDEFOCUS) != 0) {
    const WORD action = LOWORD(wparam);
    hide_focus_ = action == UIS_SET || (action == UIS_INITIALIZE &&
                                        (CallDefault(WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0);
    Invalidate();
  }
  return result;
}

void GridControl::OnLeftButtonDown(POINT point) {
  // Typed text goes into its cell before the click moves anywhere.
  if (editor_open_ && !CommitEditor()) return;
  // As in a string grid, the click focuses first: the control it leaves
  // finishes its work before the new cell is selected.
  if (GetFocus() != Handle()) ::SetFocus(Handle());
  if (Handle() == nullptr || model_.MouseState() != GridModel::Mouse::None) return;
  if (const int sizing = model_.SizingColumnAt(point.x, point.y); sizing >= 0) {
    model_.BeginSizing(sizing, point.x);
    SetCapture(Handle());
    return;
  }
  int col = 0, row = 0;
  if (!model_.CellAt(point.x, point.y, col, row) || row == 0) return;
  if (col == 0) {
    if (!row_moving_) return;
    model_.BeginMoving(row, point.x, point.y);
    SetCapture(Handle());
    SetTimer(Handle(), kScrollTimer, kScrollInterval, nullptr);
    Invalidate();
    return;
  }
  // A click on the current cell opens its editor.
  if (editing_ && !model_.RowSelect() && col == Col() && row == Row()) {
    ShowEditor();
    return;
  }
  model_.BeginSelecting();
  SetCapture(Handle());
  UserMoveTo({col, row, std::nullopt});
}

void GridControl::OnMouseMove(POINT point) {
  switch (model_.MouseState()) {
    case GridModel::Mouse::Moving:
      if (model_.UpdateDropRow(point.x, point.y)) Invalidate();
      break;
    case GridModel::Mouse::Sizing:
      if (model_.SizeTo(point.x))
        SetPixelColWidth(model_.SizingCol(), model_.ColWidth(model_.SizingCol()));
      break;
    case GridModel::Mouse::Selecting: {
      const GridModel::Target to = model_.SelectTarget(point.x, point.y);
      if (to.Row != Row() || to.Col != Col()) UserMoveTo(to);
      break;
    }
    case GridModel::Mouse::None:
      break;
  }
}

void GridControl::EndMouseState(bool drop) {
  // Ended first: the release of the capture comes back here.
  const GridModel::Ended ended = model_.EndMouse(drop);
  if (Handle() != nullptr && GetCapture() == Handle()) ReleaseCapture();
  if (ended.Was != GridModel::Mouse::Moving) return;
  KillTimer(Handle(), kScrollTimer);
  RowMoved(ended.Moved);
}

void GridControl::RowMoved(std::optional<std::pair<int, int>> moved) {
  Invalidate();
  if (moved) TellClients(kTellRefill);
  if (moved && OnRowMoved) OnRowMoved(moved->first, moved->second);
}

void GridControl::OpenContextMenu() {
  // The default handling passes it on to the parent, which owns the menu.
  SendMessageW(Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Handle()), -1);
}

void GridControl::OnScroll(int bar, int request) {
  const bool vertical = bar == SB_VERT;
  int track = 0;
  if (request == SB_THUMBTRACK || request == SB_THUMBPOSITION) {
    SCROLLINFO info{sizeof info, SIF_TRACKPOS, 0, 0, 0, 0, 0};
    if (!GetScrollInfo(Handle(), bar, &info)) return;
    track = info.nTrackPos;
  }
  if (model_.ScrollBy(vertical, request, track)) ShowView();
}

void GridControl::PaintCell(HDC dc, int col, int row, const RECT& cell, bool high_contrast) const {
  const GridRect s = model_.Selection();
  const bool fixed = col == 0 || row == 0;
  const bool selected =
      !fixed && col >= s.Left && col <= s.Right && row >= s.Top && row <= s.Bottom;
  // A missing file's row is greyed; its number cell carries the mark.
  const CellLook look = LookOfCell(fixed, selected, !fixed && model_.Cells().Dimmed(row),
                                   text_colour_ != CLR_INVALID, high_contrast);
  Fill(dc, cell, SystemColor(look.Background));
  if (fixed) {
    RECT edge = cell;
    DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
  }
  // A name too long for the number column ends with "…".
  const std::string shown =
      col == 0 ? CutToWidth(Cell(col, row), cell.right - cell.left - 2 * kTextMargin,
                            [dc](std::string_view t) { return TextWidth(dc, t); })
               : Cell(col, row);
  const std::wstring wide = Widen(shown);
  if (!wide.empty()) {
    SetTextColor(dc, look.FontColour ? text_colour_ : SystemColor(look.Text));
    ExtTextOutW(dc, cell.left + kTextMargin, cell.top + kTextMargin, ETO_CLIPPED, &cell,
                wide.c_str(), static_cast<UINT>(wide.size()), nullptr);
  }
  const COLORREF line = fixed             ? GetSysColor(COLOR_WINDOWFRAME)
                        : look.SolidLines ? GetSysColor(COLOR_WINDOWTEXT)
                                          : CellLineColour();
  Fill(dc, RECT{cell.right, cell.top, cell.right + 1, cell.bottom + 1}, line);
  Fill(dc, RECT{cell.left, cell.bottom, cell.right + 1, cell.bottom + 1}, line);
}

void GridControl::Draw(HDC dc) const {
  RECT client;
  GetClientRect(Handle(), &client);
  Fill(dc, client, GetSysColor(COLOR_WINDOW));
  Selected font(dc, font_ != nullptr ? font_ : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  const int fixed_width = model_.FixedWidth();
  HIGHCONTRASTW contrast{sizeof contrast, 0, nullptr};
  const bool high_contrast =
      SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
      (contrast.dwFlags & HCF_HIGHCONTRASTON) != 0;

  std::vector<int> rows{0};
  for (int row = TopRow(); row < RowCount() && model_.RowTop(row) < client.bottom; ++row)
    rows.push_back(row);
  // Scrolling columns first, clipped so they slide under the fixed column.
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, fixed_width, 0, client.right, client.bottom);
  for (int col = 1; col < model_.ColCount(); ++col) {
    const int left = model_.ColLeft(col);
    if (left >= client.right) break;
    if (left + PixelColWidth(col) + 1 <= fixed_width) continue;
    for (int row : rows) PaintCell(dc, col, row, CellRect(col, row), high_contrast);
  }
  RestoreDC(dc, saved);
  for (int row : rows) PaintCell(dc, 0, row, CellRect(0, row), high_contrast);

  if (const int to = model_.DropRow(); to != 0 && to != model_.MoveFrom()) {
    // The dragged row goes below the target row when it moves down, above it otherwise.
    const RECT target = CellRect(0, to);
    const int y = to > model_.MoveFrom() ? target.bottom : target.top - 1;
    Fill(dc, RECT{0, y - 1, client.right, y + 2}, GetSysColor(COLOR_HIGHLIGHT));
  }

  // Drawn by the system in the width set for it.
  if (!hide_focus_ && GetFocus() == Handle() && Row() >= TopRow() &&
      model_.RowTop(Row()) < client.bottom) {
    const GridRect s = model_.Selection();
    const bool rows_only = model_.RowSelect();
    RECT focus = CellRect(rows_only ? s.Left : Col(), Row());
    focus.right = CellRect(rows_only ? s.Right : Col(), Row()).right;
    focus.left = std::max(focus.left, static_cast<LONG>(fixed_width));
    if (focus.left < focus.right) {
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkColor(dc, RGB(255, 255, 255));
      DrawFocusRect(dc, &focus);
    }
  }
}

void GridControl::Paint(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
  MemoryDc buffer(CreateCompatibleDC(dc));
  BitmapHandle bitmap(
      CreateCompatibleBitmap(dc, std::max(1L, client.right), std::max(1L, client.bottom)));
  Selected into(buffer.Get(), bitmap.Get());
  Draw(buffer.Get());
  BitBlt(dc, 0, 0, client.right, client.bottom, buffer.Get(), 0, 0, SRCCOPY);
}

void GridControl::OnSize(int width, int height) {
  model_.SetClientSize(width, height);
  UpdateScrollBars();
  Invalidate();
}

void GridControl::OnGone() {
  // Clients may hold the table longer; from now on it answers that it is gone.
  if (accessible_ != nullptr) {
    Disconnect(accessible_);
    AsAccessible(std::exchange(accessible_, nullptr))->Release();
  }
  tell_posted_ = false;
  model_.EndMouse(false);
  editor_open_ = false;
  editor_ = nullptr;
}

void GridControl::OnFilesDrop(HDROP drop) {
  std::vector<std::wstring> paths;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
    path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
    paths.push_back(std::move(path));
  }
  DragFinish(drop);
  if (OnFilesDropped && !paths.empty()) OnFilesDropped(paths);
}

LRESULT GridControl::OnKey(UINT message, WPARAM wparam, LPARAM lparam) {
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
  // While rows can be dragged, Ctrl+Up and Ctrl+Down move the row as a drop does.
  if (row_moving_) {
    if (const auto moved = model_.MoveRowByKey(vk, shift)) {
      RowMoved(moved);
      return 0;
    }
  }
  OnNavigationKey(vk, shift);
  return 0;
}

LRESULT GridControl::OnKeyRelease(UINT message, WPARAM wparam, LPARAM lparam) {
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

LRESULT GridControl::OnMouse(UINT message, WPARAM wparam, LPARAM lparam) {
  const POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  switch (message) {
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(point);
      break;
    case WM_LBUTTONDBLCLK:
      // A double click on a column border starts sizing like a single press.
      if (model_.SizingColumnAt(point.x, point.y) >= 0) {
        OnLeftButtonDown(point);
      } else if (OnDblClick) {
        int col = 0, row = -1;
        if (!model_.CellAt(point.x, point.y, col, row)) row = -1;
        OnDblClick(row);
      }
      break;
    case WM_MOUSEMOVE:
      OnMouseMove(point);
      break;
    case WM_LBUTTONUP:
      EndMouseState(true);
      break;
    case WM_MOUSEWHEEL:
      if (model_.Wheel(GET_WHEEL_DELTA_WPARAM(wparam))) ShowView();
      break;
    default:
      break;
  }
  return 0;
}

void GridControl::OnChar(WPARAM wparam, LPARAM lparam) {
  // A typed character, or the result of an input method, opens the editor
  // and goes on into it.
  if (!editing_ || wparam < 0x20 || wparam == 0x7F) return;
  if (!editor_open_) ShowEditor();
  if (editor_open_) SendMessageW(editor_, WM_CHAR, wparam, lparam);
}

bool GridControl::OnSetCursor() {
  POINT cursor;
  GetCursorPos(&cursor);
  ScreenToClient(Handle(), &cursor);
  const GridModel::Mouse mouse = model_.MouseState();
  if (mouse != GridModel::Mouse::Sizing &&
      (mouse != GridModel::Mouse::None || model_.SizingColumnAt(cursor.x, cursor.y) < 0))
    return false;
  SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32644)));  // IDC_SIZEWE
  return true;
}

void GridControl::OnKillFocus(HWND to) {
  keys_down_.reset();
  EndMouseState();
  Invalidate();
  // The editor is part of the grid, and another program or a message box
  // taking the focus does not leave it either.
  if (to != editor_ && IsOwnWindow(to) && OnExit) OnExit();
}

LRESULT GridControl::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PRINTCLIENT:
      Draw(reinterpret_cast<HDC>(wparam));
      return 0;
    case WM_ERASEBKGND:
      return 1;
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
    case WM_SETFOCUS:
      Invalidate();
      TellClients(kTellFocus);
      return 0;
    case WM_UPDATEUISTATE:
      return OnUpdateUiState(wparam, lparam);
    case WM_GETOBJECT:
      return OnGetObject(wparam, lparam);
    case kTellClientsMessage:
      OnTellClients();
      return 0;
    case kRunRowMessage:
      // A double click's first click picks the row.
      if (ClickRow(static_cast<int>(wparam)) && OnDblClick) OnDblClick(static_cast<int>(wparam));
      return 0;
    case WM_GETDLGCODE: {
      // Every key but Tab stays with the grid, Enter and Escape included:
      // the dialog manager moves the focus on Tab only.
      const auto* msg = reinterpret_cast<const MSG*>(lparam);
      const bool wanted = msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam != VK_TAB;
      return DLGC_WANTARROWS | DLGC_WANTCHARS | (wanted ? DLGC_WANTMESSAGE : 0);
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      return OnKey(message, wparam, lparam);
    case WM_KEYUP:
    case WM_SYSKEYUP:
      return OnKeyRelease(message, wparam, lparam);
    case WM_CHAR:
      OnChar(wparam, lparam);
      return 0;
    case WM_TIMER:
      if (wparam == kScrollTimer && model_.ScrollTick()) ShowView();
      if (wparam == kScrollTimer) Invalidate();
      return 0;
    case WM_DROPFILES:
      OnFilesDrop(reinterpret_cast<HDROP>(wparam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
    case WM_MOUSEWHEEL:
      return OnMouse(message, wparam, lparam);
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
      EndMouseState();
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lparam) == HTCLIENT && OnSetCursor()) return TRUE;
      break;
    case WM_VSCROLL:
    case WM_HSCROLL:
      OnScroll(message == WM_VSCROLL ? SB_VERT : SB_HORZ, LOWORD(wparam));
      return 0;
    case WM_KILLFOCUS:
      OnKillFocus(reinterpret_cast<HWND>(wparam));
      return 0;
    case WM_ENABLE:
      if (wparam == FALSE) EndMouseState();
      return 0;
    default:
      break;
  }
  return Window::HandleMessage(message, wparam, lparam);
}

}  // namespace zorbi::win32
