#include "main_window.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <string>

#include "cp932.h"
#include "forms/window_placement.h"
#include "grid_accessible.h"

namespace zorbi::win32 {

namespace {

// Sizes of the layout, in pixels.
constexpr int kBevelHeight = 2;       // Panel3
constexpr int kBottomHeight = 35;     // Panel2
constexpr int kMemoPanelWidth = 169;  // Panel1
constexpr int kSearchBoxWidth = 150;  // left of キャンセル, the mode label before it

enum ControlId : UINT {
  kGridId = 100,
  kTabsId,
  kMemoId,
  kLabel1Id,
  kLabel2Id,
  kSearchBoxId,
};

HFONT MakeFont(const wchar_t* face, int pixels, bool bold = false) {
  return CreateFontW(-pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                     SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, face);
}

constexpr wchar_t kPGothic[] = L"ＭＳ Ｐゴシック";

ShiftState KeyboardShiftState() {
  return ShiftState{GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0,
                    GetKeyState(VK_MENU) < 0};
}

// Height of a line of text in the control's font.
int LineHeight(HWND control) {
  WindowDc dc(control);
  Selected font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.Get(), &metrics);
  return metrics.tmHeight;
}

}  // namespace

MainWindow::~MainWindow() {
  DestroyHandle();
}

bool MainWindow::Create(HWND owner, HICON icon, HICON small_icon) {
  // Only the system menu and the close box; the border still resizes.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
  MenuHandle bar(BuildMenu(Place::MenuBar, items_));
  popup_menu1_.Reset(BuildMenu(Place::PopupMenu1, items_));
  popup_menu2_.Reset(BuildMenu(Place::PopupMenu2, items_));
  dpi_ = SystemDpi();
  const RECT& b = kInitialBounds;
  const WindowClass window_class{L"TForm1", CS_DBLCLKS, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                                 icon, small_icon};
  if (!CreateHandle(window_class, WS_EX_CONTROLPARENT, Widen(kCaption).c_str(), style,
                    RECT{S(b.left), S(b.top), S(b.left) + S(b.right - b.left),
                         S(b.top) + S(b.bottom - b.top)},
                    owner, bar.Get()))
    return false;
  bar.Release();  // the window's now, destroyed with it
  CreateControls();
  return true;
}

FormControls MainWindow::Controls() {
  return FormControls{grid_,
                      tabs_,
                      memo_,
                      label2_,
                      button2_,
                      button4_,
                      items_.DatRestore1,
                      items_.PATHTXT1,
                      items_.K10,
                      items_.K6,
                      items_.K7,
                      items_.K15,
                      items_.JWWIN1,
                      items_.Undo1,
                      items_.Redo1};
}

void MainWindow::FocusGrid() {
  SetFocus(grid_.Handle());
}

void MainWindow::SetCaption(std::string text) {
  SetWindowTextW(Handle(), Widen(text).c_str());
}

Bounds MainWindow::WindowBounds() const {
  RECT r{};
  GetWindowRect(Handle(), &r);
  return Bounds{Unscale(r.left, dpi_), Unscale(r.top, dpi_), Unscale(r.right - r.left, dpi_),
                Unscale(r.bottom - r.top, dpi_)};
}

void MainWindow::SetWindowBounds(const Bounds& b) {
  // The settings set each bound in turn, most often to where the window
  // already is; under Wine each call is a round trip to X.
  const RECT target{S(b.Left), S(b.Top), S(b.Left) + S(b.Width), S(b.Top) + S(b.Height)};
  RECT now{};
  if (GetWindowRect(Handle(), &now) && EqualRect(&now, &target)) return;
  SetWindowPos(Handle(), nullptr, target.left, target.top, target.right - target.left,
               target.bottom - target.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::Destroy() {
  // Destroying the active window activates another one first, so the host's
  // console must be brought forward while this window still holds the
  // activation: from WM_DESTROY two activations would race.
  TellDestroying();
  DestroyHandle();
}

void MainWindow::TellDestroying() {
  if (destroying_told_ || !OnDestroying) return;
  destroying_told_ = true;
  OnDestroying();
}

HWND MainWindow::MakeChild(const wchar_t* cls, const char* text, DWORD style, UINT id,
                           const RECT& at, DWORD ex_style) {
  return CreateWindowExW(ex_style, cls, Widen(text).c_str(), WS_CHILD | WS_VISIBLE | style, at.left,
                         at.top, at.right - at.left, at.bottom - at.top, Handle(),
                         reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
}

void MainWindow::CreateControls() {
  dpi_ = WindowDpi(Handle());
  auto button_id = [](const char* caption) {
    return CommandId(*FindCommand(Place::Buttons, caption));
  };
  // Each control is made where the layout puts it: under Wine a move costs
  // as much as making it.
  MakeFonts();
  const Places at = PlacesInClient();

  // The tab strip lies under the grid; it must not paint over it.
  tabs_.Attach(MakeChild(WC_TABCONTROLW, "", WS_CLIPSIBLINGS, kTabsId, at.tabs));
  tabs_.OnRowsChanged = [this] { Layout(); };
  SetFonts(false);  // the strip's font and padding decide the grid's page

  // WS_EX_ACCEPTFILES: what DragAcceptFiles does, without loading shell32 at every start.
  grid_.Create(Handle(), kGridId, GridPlace(at.tabs), WS_EX_ACCEPTFILES);
  grid_.SetDpi(dpi_);
  grid_.SetColWidth(0, 26);
  grid_.SetColWidth(1, 90);
  grid_.SetColWidth(2, 219);
  // 10 points: 13 pixels at 96 dots per inch.
  grid_.SetFont(FontSpec{"ＭＳ Ｐゴシック", 10, 0, kSystemTextColor});

  label1_ = MakeChild(L"STATIC", "Memo", SS_LEFT, kLabel1Id, at.label1);

  memo_.Attach(MakeChild(L"EDIT", "",
                         ES_MULTILINE | ES_READONLY | ES_WANTRETURN | ES_AUTOHSCROLL |
                             ES_AUTOVSCROLL | WS_HSCROLL | WS_TABSTOP,
                         kMemoId, at.memo, WS_EX_CLIENTEDGE));
  memo_.SetFont(FontSpec{"ＭＳ ゴシック", 10, 0, kSystemTextColor});
  memo_.SetDpi(dpi_);
  memo_hook_.Attach(memo_.Handle(), [this](ControlHook& hook, UINT m, WPARAM w, LPARAM l) {
    return MemoMessage(hook, m, w, l);
  });

  // Never visible: it lies beyond the memo panel's right edge. It is the
  // window's default button, so Enter where no control takes it confirms;
  // no tab stop, as the focus would vanish on it.
  close_button_ = MakeChild(L"BUTTON", "閉る", BS_PUSHBUTTON, button_id("閉る"), at.close);

  label2_.Attach(MakeChild(L"STATIC", "", SS_LEFT, kLabel2Id, at.label2));
  label2_.SetVisible(false);

  button2_.Attach(MakeChild(L"BUTTON", "OK", BS_PUSHBUTTON | WS_TABSTOP, button_id("OK"), at.ok));
  button4_.Attach(MakeChild(L"BUTTON", "キャンセル", BS_PUSHBUTTON | WS_TABSTOP,
                            button_id("キャンセル"), at.cancel));
  search_box_.box_.Attach(MakeChild(L"EDIT", "", ES_AUTOHSCROLL | ES_LEFT | WS_TABSTOP,
                                    kSearchBoxId, at.search, WS_EX_CLIENTEDGE));
  SendMessageW(search_box_.Handle(), EM_SETCUEBANNER, TRUE,
               reinterpret_cast<LPARAM>(Widen("検索 (Ctrl+F)").c_str()));
  search_hook_.Attach(search_box_.Handle(), [this](ControlHook& hook, UINT m, WPARAM w, LPARAM l) {
    return SearchBoxMessage(hook, m, w, l);
  });
  SetFonts(false);
  OrderTabStops();
  Layout();
}

void MainWindow::OrderTabStops() {
  // Tab follows the order of the siblings: the grid, the memo beside it, then
  // the bottom strip from left to right. The grid stays first, above the tab
  // strip it lies on.
  HWND after = HWND_TOP;
  for (HWND control : {grid_.Handle(), memo_.Handle(), search_box_.Handle(), button4_.Handle(),
                       button2_.Handle()}) {
    SetWindowPos(control, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = control;
  }
}

void MainWindow::MakeFonts() {
  form_font_.Reset(MakeFont(kPGothic, S(12)));
  panel_font_.Reset(MakeFont(kPGothic, S(13)));
  label2_font_.Reset(MakeFont(kPGothic, S(13), true));
}

void MainWindow::SetFonts(bool redraw) {
  auto set = [redraw](HWND control, const FontHandle& font) {
    if (control != nullptr)
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), redraw);
  };
  set(tabs_.Handle(), form_font_);
  set(label1_, form_font_);
  set(GetDlgItem(Handle(), kLabel2Id), label2_font_);
  for (HWND button : {button2_.Handle(), button4_.Handle(), close_button_, search_box_.Handle()})
    set(button, panel_font_);
  // The tabs' padding scales with their font.
  if (tabs_.Handle() != nullptr) tabs_.SetPadding(S(6), S(3));
}

void MainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  MakeFonts();
  SetFonts(true);
  grid_.SetDpi(dpi);
  memo_.SetDpi(dpi);
  SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();
}

MainWindow::Places MainWindow::PlacesInClient() const {
  RECT client{};
  GetClientRect(Handle(), &client);
  const int width = client.right;
  const int height = client.bottom;
  const int panel1_left = width - S(kMemoPanelWidth);
  const int panel1_top = S(kBevelHeight);
  const int panel1_height = height - S(kBevelHeight) - S(kBottomHeight);
  const int panel2_top = height - S(kBottomHeight);
  auto box = [](int x, int y, int w, int h) {
    return RECT{x, y, x + std::max(0, w), y + std::max(0, h)};
  };
  Places at{};
  at.tabs =
      RECT{0, S(kBevelHeight), std::max(0, panel1_left), std::max(S(kBevelHeight), panel2_top)};
  at.label1 = box(panel1_left + S(8), panel1_top + S(5), S(60), S(14));
  at.memo = box(panel1_left + S(8), panel1_top + S(20), S(155), panel1_height - S(33));
  at.close = box(panel1_left + S(384), panel1_top + S(88), S(60), S(25));
  // The mode label ends before the search box: shown, it would paint over it.
  const int search_left = width - S(244 + 8 + kSearchBoxWidth);
  at.search = box(search_left, panel2_top + S(6), S(kSearchBoxWidth), S(23));
  at.label2 = box(S(16), panel2_top + S(10), search_left - S(8 + 16), S(17));
  at.ok = box(width - S(161), panel2_top + S(5), S(153), S(25));
  at.cancel = box(width - S(244), panel2_top + S(5), S(75), S(25));
  return at;
}

RECT MainWindow::GridPlace(RECT page) const {
  TabCtrl_AdjustRect(tabs_.Handle(), FALSE, &page);
  page.right = std::max(page.left, page.right);
  page.bottom = std::max(page.top, page.bottom);
  return page;
}

void MainWindow::Layout() {
  if (tabs_.Handle() == nullptr) return;
  const Places at = PlacesInClient();
  // Nothing is copied from where a control was: a control moved with the
  // bottom or right edge would show what was there before until repainted.
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS;
  // Start-up lays the window out several times over; a control already in
  // place is left alone.
  auto place = [&](HWND window, const RECT& target) {
    if (window == nullptr) return;
    RECT now{};
    GetWindowRect(window, &now);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&now), 2);
    if (EqualRect(&now, &target)) return;
    SetWindowPos(window, nullptr, target.left, target.top, target.right - target.left,
                 target.bottom - target.top, flags);
  };
  // The strip first: its rows at its new width decide the grid's page.
  place(tabs_.Handle(), at.tabs);
  tabs_.FitWidths();
  place(grid_.Handle(), GridPlace(at.tabs));
  place(label1_, at.label1);
  place(memo_.Handle(), at.memo);
  place(close_button_, at.close);
  place(search_box_.Handle(), at.search);
  place(GetDlgItem(Handle(), kLabel2Id), at.label2);
  place(button2_.Handle(), at.ok);
  place(button4_.Handle(), at.cancel);
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void MainWindow::Paint(HDC dc) {
  RECT client{};
  GetClientRect(Handle(), &client);
  RECT top{0, 0, client.right, S(kBevelHeight)};
  DrawEdge(dc, &top, BDR_SUNKENOUTER, BF_RECT);
  RECT bottom{0, client.bottom - S(kBottomHeight), client.right, client.bottom};
  DrawEdge(dc, &bottom, BDR_RAISEDOUTER | BDR_SUNKENINNER, BF_RECT);
}

POINT MainWindow::KeyboardMenuPoint(HWND from) const {
  POINT at{8, 8};
  if (from == grid_.Handle()) {
    const RECT cell = grid_.CellRect(grid_.Selection().Left, grid_.Row());
    at = POINT{cell.left + 8, (cell.top + cell.bottom) / 2};
  } else if (from == memo_.Handle()) {
    DWORD start = 0;
    SendMessageW(from, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    LRESULT corner = SendMessageW(from, EM_POSFROMCHAR, start, 0);
    // Nothing follows the caret at the end of the text: the last character then.
    if (corner == -1 && start > 0) corner = SendMessageW(from, EM_POSFROMCHAR, start - 1, 0);
    if (corner != -1) {
      at = POINT{static_cast<short>(LOWORD(corner)),
                 static_cast<short>(HIWORD(corner)) + LineHeight(from) / 2};
    }
  }
  // A row or caret scrolled out of sight: the nearest point inside.
  RECT client{};
  GetClientRect(from, &client);
  at.x = std::clamp(at.x, 0L, std::max(0L, client.right - 1));
  at.y = std::clamp(at.y, 0L, std::max(0L, client.bottom - 1));
  ClientToScreen(from, &at);
  return at;
}

void MainWindow::ShowPopup(HMENU menu, HWND from, LPARAM where) {
  POINT at{GET_X_LPARAM(where), GET_Y_LPARAM(where)};
  // From the keyboard: at the selected row or the caret.
  if (at.x == -1 && at.y == -1) at = KeyboardMenuPoint(from);
  const UINT id = static_cast<UINT>(TrackPopupMenu(
      menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, at.x, at.y, 0, Handle(), nullptr));
  if (id != 0) OnCommand(id, 0, nullptr);
}

void MainWindow::SearchBoxControl::SetText(std::string text) {
  from_code_ = true;
  box_.SetText(std::move(text));
  from_code_ = false;
}

void MainWindow::FocusSearchBox() {
  SetFocus(search_box_.Handle());
  SendMessageW(search_box_.Handle(), EM_SETSEL, 0, -1);
}

LRESULT MainWindow::SearchBoxMessage(ControlHook& box, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_GETOBJECT:
      // It has no label, only a hint shown while it is empty.
      if (const LRESULT named = NamedStandardObject(box.Handle(), wparam, lparam, L"検索"))
        return named;
      break;
    case WM_GETDLGCODE: {
      // Enter and Escape belong to the search, not to the dialog manager.
      const auto* msg = reinterpret_cast<const MSG*>(lparam);
      const bool wanted = msg != nullptr && msg->message == WM_KEYDOWN &&
                          (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE);
      return box.Default(message, wparam, lparam) | (wanted ? DLGC_WANTMESSAGE : 0);
    }
    case WM_KEYDOWN:
      if (OnSearchKeyDown && OnSearchKeyDown(static_cast<int>(wparam), KeyboardShiftState()))
        return 0;
      break;
    case WM_CHAR:
      // A one-line box beeps at these; the keys have done their work.
      if (wparam == '\r' || wparam == '\n' || wparam == 0x1B) return 0;
      break;
    default:
      break;
  }
  return box.Default(message, wparam, lparam);
}

void MainWindow::EnableForResults(HMENU menu) {
  const bool results = ShowsResults && ShowsResults();
  for (const Command& command : Commands()) {
    if (command.offered == Offered::Always) continue;
    const bool on = (command.offered == Offered::OnResults) == results;
    EnableMenuItem(menu, CommandId(command), MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
  }
}

void MainWindow::OnCommand(UINT id, UINT code, HWND control) {
  if (control != nullptr && control == search_box_.Handle()) {
    if (code == EN_CHANGE && !search_box_.from_code_ && OnSearchChange) OnSearchChange();
    return;
  }
  // Buttons report their clicks; menus come without a control.
  if (code != BN_CLICKED && control != nullptr) return;
  if (const Command* command = FindCommand(id); command != nullptr && OnCommandChosen)
    OnCommandChosen(*command);
}

// The memo's own context menu (copy, select all) would hide the form's. The
// context-menu keys open the form's menu whatever the edit control itself
// would make of them.
LRESULT MainWindow::MemoMessage(ControlHook& memo, UINT message, WPARAM wparam, LPARAM lparam) {
  // The label above it says "Memo"; a screen reader says what it holds.
  if (message == WM_GETOBJECT)
    if (const LRESULT named = NamedStandardObject(memo.Handle(), wparam, lparam, L"メモ"))
      return named;
  // A multi-line edit control asks its parent to close on Escape, as in a
  // dialog box: here that would close the window and chain the pick.
  if ((message == WM_KEYDOWN || message == WM_CHAR) && wparam == VK_ESCAPE) return 0;
  // Tab moves on to the next control, in memo edit mode too.
  if (message == WM_GETDLGCODE) {
    const auto* msg = reinterpret_cast<const MSG*>(lparam);
    const LRESULT code = memo.Default(message, wparam, lparam);
    if (msg == nullptr || msg->message != WM_KEYDOWN || msg->wParam != VK_TAB) return code;
    return code & ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | DLGC_WANTTAB);
  }
  if (message == WM_CHAR && wparam == '\t') return 0;
  if (message == WM_CONTEXTMENU || IsContextMenuKey(message, wparam, KeyboardShiftState())) {
    ShowPopup(popup_menu2_.Get(), memo.Handle(), message == WM_CONTEXTMENU ? lparam : -1);
    return 0;
  }
  if (message == WM_KILLFOCUS) {
    const LRESULT result = memo.Default(message, wparam, lparam);
    const HWND to = reinterpret_cast<HWND>(wparam);
    if (to != nullptr && GetAncestor(to, GA_ROOT) == Handle() && OnMemoExit) OnMemoExit();
    return result;
  }
  return memo.Default(message, wparam, lparam);
}

void MainWindow::OnSize(int, int) {
  Layout();
  if (OnResize) OnResize();
}

LRESULT MainWindow::OnPositionChanging(WPARAM wparam, LPARAM lparam) {
  // The default handling keeps the minimum size; the placement rule
  // corrects what it leaves.
  const LRESULT result = CallDefault(WM_WINDOWPOSCHANGING, wparam, lparam);
  auto* pos = reinterpret_cast<WINDOWPOS*>(lparam);
  if ((pos->flags & SWP_NOMOVE) == 0) {
    RECT now{};
    GetWindowRect(Handle(), &now);
    const WindowPos fixed = ClampToWorkArea({pos->x, pos->y}, now.right - now.left,
                                            now.bottom - now.top, system_.WorkArea());
    pos->x = fixed.X;
    pos->y = fixed.Y;
  }
  return result;
}

bool MainWindow::OnActivate(WPARAM wparam) {
  // Give the focus back to the control that had it.
  if (LOWORD(wparam) == WA_INACTIVE) {
    focused_ = GetFocus();
    return false;
  }
  if (OnActivated) OnActivated();
  if (focused_ == nullptr || !IsWindow(focused_) || !IsChild(Handle(), focused_)) return false;
  SetFocus(focused_);
  return true;
}

HBRUSH MainWindow::ColourStatic(HDC dc, HWND control) {
  if (control == memo_.Handle()) {  // read-only, but in a memo's colours
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    const auto colour = memo_.Font().Color;
    SetTextColor(dc, colour == kSystemTextColor ? GetSysColor(COLOR_WINDOWTEXT)
                                                : static_cast<COLORREF>(colour));
    return GetSysColorBrush(COLOR_WINDOW);
  }
  const HBRUSH brush = Window::ColourStatic(dc, control);
  if (control == GetDlgItem(Handle(), kLabel2Id)) SetTextColor(dc, RGB(255, 0, 0));
  return brush;
}

LRESULT MainWindow::OnNotify(const NMHDR& header) {
  if (header.hwndFrom != tabs_.Handle()) return 0;
  if (header.code == TCN_SELCHANGING) {
    bool allow = true;
    if (OnTabChanging) OnTabChanging(allow);
    return allow ? FALSE : TRUE;
  }
  if (header.code == TCN_SELCHANGE && OnTabChange) OnTabChange();
  return 0;
}

void MainWindow::OnGone() {
  if (OnGoneEvent) OnGoneEvent();
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case DM_GETDEFID:
      // Enter where no control takes it runs "閉る"; a button Tab reached is
      // pressed as the dialog manager makes it the default.
      return MAKELRESULT(GetDlgCtrlID(close_button_), DC_HASDEFID);
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
      info->ptMinTrackSize.x = S(kMinimumSize.cx);
      info->ptMinTrackSize.y = S(kMinimumSize.cy);
      return 0;
    }
    case WM_WINDOWPOSCHANGING:
      return OnPositionChanging(wparam, lparam);
    case WM_ACTIVATE:
      if (OnActivate(wparam)) return 0;
      break;
    case WM_SYSCOLORCHANGE:
      // Only top-level windows hear of it; the grid and the common controls
      // keep colours of their own.
      for (HWND child = GetWindow(Handle(), GW_CHILD); child != nullptr;
           child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, WM_SYSCOLORCHANGE, wparam, lparam);
      RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lparam));
    case WM_INITMENUPOPUP:
      EnableForResults(reinterpret_cast<HMENU>(wparam));
      return 0;
    case WM_CONTEXTMENU:
      if (reinterpret_cast<HWND>(wparam) == grid_.Handle())
        ShowPopup(popup_menu1_.Get(), grid_.Handle(), lparam);
      return 0;
    case WM_CLOSE:
      // Disabled under a dialog or a message box: closing now would free the
      // catalogue under the command that is still running.
      if (IsWindowEnabled(Handle()) && OnCloseQuery) OnCloseQuery();
      return 0;
    case WM_DESTROY:
      TellDestroying();
      return 0;
    case WM_TIMER:
      if (wparam != kCheckFilesTimer) break;
      KillTimer(Handle(), kCheckFilesTimer);
      if (OnCheckFiles) OnCheckFiles();
      return 0;
    case kFilesCheckedMessage:
      if (OnFilesChecked) OnFilesChecked();
      return 0;
    default:
      break;
  }
  return Window::HandleMessage(message, wparam, lparam);
}

}  // namespace zorbi::win32
