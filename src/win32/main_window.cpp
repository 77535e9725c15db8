#include "main_window.h"

#include <commctrl.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <exception>
#include <string>

#include "application.h"
#include "cp932.h"
#include "forms/typed_text.h"
#include "forms/window_placement.h"

namespace zorbi::win32 {

namespace {

constexpr wchar_t kClassName[] = L"TForm1";

// Sizes of the layout, in pixels.
constexpr int kBevelHeight = 2;       // Panel3
constexpr int kBottomHeight = 35;     // Panel2
constexpr int kMemoPanelWidth = 169;  // Panel1

enum ControlId : UINT {
  kGridId = 100,
  kTabsId,
  kMemoId,
  kLabel1Id,
  kLabel2Id,
  kOkId,
  kCancelId,
  kCloseButtonId,
};

// Menu commands. Those whose work comes later are wired to nothing yet.
enum MenuId : UINT {
  kBatEditMain = 1000,  // "BATファイル編集(&B)"
  kScriptEditMain,      // "スクリプト編集(&S)"
  kEditorSettings,      // "設定(&E)"
  kCancelMenu,          // "ｷｬﾝｾﾙ(&C)"
  kExitMenu,            // "終了(&X)"
  kTabSettingsMain,     // "タブ設定(&T)"
  kK7,                  // "タブを全て表示"
  kK10,                 // "キー選択で即実行"
  kK15,                 // "バッチファイル名の表示"
  kJWWIN1,              // "JW_WINのチェックを行う"
  kDatRestore,          // "Z_Orbi.dat から復旧"
  kPathTxtRestore,      // "PATH.TXT から復旧"
  kGridFont,            // "項目リスト"
  kMemoFont,            // "メモ"
  kAbout,               // "ﾊﾞｰｼﾞｮﾝ情報(&A)..."
  kM2,                  // "項目追加"
  kDeleteItem,          // "項目削除"
  kEdit1,               // "項目編集"
  kK8,                  // "項目移動"
  kK4,                  // "確定終了"
  kTabSettingsPopup,    // "タブ設定"
  kK6,                  // "タブ表示" ▸ "タブを全て表示"
  kBatEditPopup,        // "バッチファイル編集"
  kScriptEditPopup,     // "スクリプト編集"
  kN8,                  // "エディタ起動"
  kN1,                  // "メモ編集"
  kExit2,               // "確定終了" (memo)
};

HFONT MakeFont(const wchar_t* face, int pixels, bool bold = false) {
  return CreateFontW(-pixels, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                     SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, face);
}

constexpr wchar_t kPGothic[] = L"ＭＳ Ｐゴシック";

void AddItem(HMENU menu, UINT id, const char* caption) {
  AppendMenuW(menu, MF_STRING, id, Widen(caption).c_str());
}

void AddSeparator(HMENU menu) {
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
}

HMENU AddSubmenu(HMENU menu, const char* caption) {
  HMENU sub = CreatePopupMenu();
  AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), Widen(caption).c_str());
  return sub;
}

HWND MakeChild(HWND parent, const wchar_t* cls, const char* text, DWORD style, UINT id,
               HINSTANCE instance, DWORD ex_style = 0) {
  return CreateWindowExW(ex_style, cls, Widen(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0,
                         10, 10, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                         instance, nullptr);
}

// Sent by the memo when another control of the window takes the focus.
constexpr UINT kMemoExitMessage = WM_APP + 1;

// The memo's own context menu (copy, select all) would hide the form's. The
// context-menu key and Shift+F10 open the form's menu whatever the edit
// control itself would make of them.
LRESULT CALLBACK MemoSubclass(HWND window, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                              DWORD_PTR) {
  const bool menu_key =
      (message == WM_KEYUP && wparam == VK_APPS) ||
      ((message == WM_KEYDOWN || message == WM_SYSKEYDOWN) && wparam == VK_F10 &&
       GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0);
  if (menu_key) lparam = -1;
  if (message == WM_CONTEXTMENU || menu_key) {
    SendMessageW(GetParent(window), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), lparam);
    return 0;
  }
  if (message == WM_KILLFOCUS) {
    const LRESULT result = DefSubclassProc(window, message, wparam, lparam);
    const HWND to = reinterpret_cast<HWND>(wparam);
    if (to != nullptr && GetAncestor(to, GA_ROOT) == GetAncestor(window, GA_ROOT))
      SendMessageW(GetParent(window), kMemoExitMessage, 0, 0);
    return result;
  }
  return DefSubclassProc(window, message, wparam, lparam);
}

// Height of a line of text in the control's font.
int LineHeight(HWND control) {
  HDC dc = GetDC(control);
  HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return metrics.tmHeight;
}

}  // namespace

MainWindow::MainWindow(Application& application, System* system, FileDialogs* dialogs,
                       Processes* processes, FontDialogs* fonts)
    : application_(application),
      system_(system ? *system : own_system_),
      dialogs_(dialogs ? *dialogs : own_dialogs_),
      processes_(processes ? *processes : own_processes_),
      fonts_(fonts ? *fonts : own_fonts_),
      form4_(dialogs) {}

MainWindow::~MainWindow() {
  if (handle_ != nullptr) DestroyWindow(handle_);
  for (HMENU menu : {popup_menu1_, popup_menu2_})
    if (menu != nullptr) DestroyMenu(menu);
  for (HFONT font : {form_font_, panel_font_, label2_font_})
    if (font != nullptr) DeleteObject(font);
}

template <typename F>
void MainWindow::Guard(F&& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    messages_.ShowMessage(std::string("予期しないエラーが発生しました。\r\n") + e.what(),
                          MessageKind::Error);
  }
}

bool MainWindow::Create(StartupPreload* preload) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.style = CS_DBLCLKS;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = application_.Instance();
  window_class.hIcon = application_.LargeIcon();
  window_class.hIconSm = application_.SmallIcon();
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = kClassName;
  if (RegisterClassExW(&window_class) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    return false;
  }

  // Only the system menu and the close box; the border still resizes.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
  const RECT& bounds = kInitialBounds;
  CreateMenus();
  dpi_ = SystemDpi();
  handle_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, Widen(kCaption).c_str(), style,
                            S(bounds.left), S(bounds.top), S(bounds.right - bounds.left),
                            S(bounds.bottom - bounds.top), application_.Handle(), main_menu_,
                            application_.Instance(), this);
  if (handle_ == nullptr) return false;
  application_.SetMainWindow(handle_);
  application_.SetDialogWindow(handle_);
  messages_.SetOwner(handle_);
  own_dialogs_.SetOwner(handle_);
  own_fonts_.SetOwner(handle_);

  form_ = std::make_unique<TForm1>(
      FormControls{grid_, tabs_, memo_, label2_, button2_, button4_, dat_restore_, path_restore_,
                   k10_, k6_, k7_, k15_, jwwin1_},
      FormServices{files_, messages_, system_, *this, dialogs_, processes_, host_windows_, fonts_});
  form_->UsePreload(preload);
  grid_.OnSelectCell = [this](int col, int row, bool& can_select) {
    Guard([&] { form_->StringGrid1SelectCell(col, row, can_select); });
  };
  grid_.OnDblClick = [this] { Guard([&] { form_->StringGrid1DblClick(); }); };
  grid_.OnKeyDown = [this](int key, ShiftState shift) {
    Guard([&] { form_->StringGrid1KeyDown(key, shift); });
  };
  grid_.OnKeyUp = [this](int key, ShiftState shift) {
    Guard([&] { form_->StringGrid1KeyUp(key, shift); });
  };
  grid_.OnExit = [this] { Guard([&] { form_->StringGrid1Exit(); }); };
  grid_.OnRowMoved = [this](int from, int to) {
    Guard([&] { form_->StringGrid1RowMoved(from, to); });
  };
  grid_.OnFilesDropped = [this](const std::vector<std::wstring>& paths) {
    std::vector<ChosenFile> files;
    for (const std::wstring& path : paths) files.push_back(ChosenFromPath(path));
    Guard([&] { form_->StringGrid1DropFiles(files); });
  };
  grid_.OnRefused = [this](char32_t refused) {
    messages_.ShowMessage(UnrepresentableTextMessage("概要", refused), MessageKind::Warning);
  };
  memo_.OnRefused = [this](char32_t refused) {
    messages_.ShowMessage(UnrepresentableTextMessage("メモ", refused), MessageKind::Warning);
  };
  // What DragAcceptFiles does, without loading shell32 at every start.
  SetWindowLongPtrW(grid_.Handle(), GWL_EXSTYLE,
                    GetWindowLongPtrW(grid_.Handle(), GWL_EXSTYLE) | WS_EX_ACCEPTFILES);

  bool started = false;
  Guard([&] { started = form_->FormCreateUntilExchange(); });
  if (started) {
    // The dialogs come after the settings, so TForm4 shows the settings read,
    // and before the exchange file's outcome, for which a large file may keep
    // start-up waiting: they show nothing until asked.
    if (form2_.Create(application_.Instance(), handle_, *form_)) form_->Form2 = &form2_.Form();
    about_ = std::make_unique<AboutWindow>(application_, handle_);
    if (about_->Create()) form_->Form3 = &about_->Form();
    if (form4_.Create(application_.Instance(), handle_, form_->Editor, form_->AWKPath)) {
      form_->Form4 = &form4_.Form();
      Guard([&] { form4_.Form().FormCreate(); });
    }
    if (form5_.Create(application_.Instance(), handle_)) form_->Form5 = &form5_.Form();
    Layout();
    started = false;
    Guard([&] {
      form_->FormCreateFromExchange();
      started = true;
    });
  }
  if (!started) {
    // Nothing is written: the close sequence is not run.
    DestroyWindow(handle_);
    return false;
  }
  // The pick was scrolled to while the tab strip had no tabs and the grid
  // was taller: scroll again now that the grid has its size.
  form_->ScrollToPick();
  grid_.ScrollIntoView(grid_.Row());
  return true;
}

void MainWindow::FocusGrid() {
  SetFocus(grid_.Handle());
}

void MainWindow::SetCaption(std::string text) {
  SetWindowTextW(handle_, Widen(text).c_str());
}

Bounds MainWindow::WindowBounds() const {
  RECT r{};
  GetWindowRect(handle_, &r);
  return Bounds{Unscale(r.left, dpi_), Unscale(r.top, dpi_), Unscale(r.right - r.left, dpi_),
                Unscale(r.bottom - r.top, dpi_)};
}

void MainWindow::SetWindowBounds(const Bounds& b) {
  SetWindowPos(handle_, nullptr, S(b.Left), S(b.Top), S(b.Width), S(b.Height),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::MakeFonts() {
  for (HFONT font : {form_font_, panel_font_, label2_font_})
    if (font != nullptr) DeleteObject(font);
  form_font_ = MakeFont(kPGothic, S(12));
  panel_font_ = MakeFont(kPGothic, S(13));
  label2_font_ = MakeFont(kPGothic, S(13), true);
  SendMessageW(tabs_.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(form_font_), TRUE);
  SendMessageW(label1_, WM_SETFONT, reinterpret_cast<WPARAM>(form_font_), TRUE);
  SendMessageW(GetDlgItem(handle_, kLabel2Id), WM_SETFONT, reinterpret_cast<WPARAM>(label2_font_),
               TRUE);
  for (HWND button : {button2_.Handle(), button4_.Handle(), close_button_})
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(panel_font_), TRUE);
}

void MainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  MakeFonts();
  grid_.SetDpi(dpi);
  memo_.SetDpi(dpi);
  SetWindowPos(handle_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();
}

void MainWindow::Destroy() {
  // Destroying the active window activates another one first, so the host's
  // console must be brought forward while this window still holds the
  // activation: from WM_DESTROY two activations would race.
  RunFormDestroy();
  if (handle_ != nullptr) DestroyWindow(handle_);
}

void MainWindow::RunFormDestroy() {
  if (!form_ || form_destroyed_) return;
  form_destroyed_ = true;
  Guard([&] { form_->FormDestroy(); });
}

void MainWindow::CreateMenus() {
  main_menu_ = CreateMenu();
  HMENU file = AddSubmenu(main_menu_, "ﾌｧｲﾙ(&F)");
  AddItem(file, kBatEditMain, "BATファイル編集(&B)");
  AddItem(file, kScriptEditMain, "スクリプト編集(&S)");
  AddSeparator(file);
  AddItem(file, kEditorSettings, "設定(&E)");
  AddSeparator(file);
  AddItem(file, kCancelMenu, "ｷｬﾝｾﾙ(&C)");
  AddItem(file, kExitMenu, "終了(&X)");

  HMENU option = AddSubmenu(main_menu_, "ｵﾌﾟｼｮﾝ(&O)");
  AddItem(option, kTabSettingsMain, "タブ設定(&T)");
  AddItem(option, kK7, "タブを全て表示");
  AddSeparator(option);
  AddItem(option, kK10, "キー選択で即実行");
  AddItem(option, kK15, "バッチファイル名の表示");
  AddItem(option, kJWWIN1, "JW_WINのチェックを行う");
  AddSeparator(option);
  HMENU repair = AddSubmenu(option, "項目修復(&R)");
  AddItem(repair, kDatRestore, "Z_Orbi.dat から復旧");
  AddItem(repair, kPathTxtRestore, "PATH.TXT から復旧");
  HMENU fonts = AddSubmenu(option, "フォントの設定");
  AddItem(fonts, kGridFont, "項目リスト");
  AddItem(fonts, kMemoFont, "メモ");

  HMENU help = AddSubmenu(main_menu_, "ﾍﾙﾌﾟ(&H)");
  AddItem(help, kAbout, "ﾊﾞｰｼﾞｮﾝ情報(&A)...");

  popup_menu1_ = CreatePopupMenu();
  AddItem(popup_menu1_, kM2, "項目追加");
  AddItem(popup_menu1_, kDeleteItem, "項目削除");
  AddSeparator(popup_menu1_);
  AddItem(popup_menu1_, kEdit1, "項目編集");
  AddItem(popup_menu1_, kK8, "項目移動");
  AddItem(popup_menu1_, kK4, "確定終了");
  AddSeparator(popup_menu1_);
  AddItem(popup_menu1_, kTabSettingsPopup, "タブ設定");
  HMENU tab_view = AddSubmenu(popup_menu1_, "タブ表示");
  AddItem(tab_view, kK6, "タブを全て表示");
  AddSeparator(popup_menu1_);
  AddItem(popup_menu1_, kBatEditPopup, "バッチファイル編集");
  AddItem(popup_menu1_, kScriptEditPopup, "スクリプト編集");
  AddItem(popup_menu1_, kN8, "エディタ起動");

  popup_menu2_ = CreatePopupMenu();
  AddItem(popup_menu2_, kN1, "メモ編集");
  AddItem(popup_menu2_, kExit2, "確定終了");

  dat_restore_.Attach(repair, kDatRestore);
  path_restore_.Attach(repair, kPathTxtRestore);
  k10_.Attach(option, kK10);
  k6_.Attach(tab_view, kK6);
  k7_.Attach(option, kK7);
  k15_.Attach(option, kK15);
  jwwin1_.Attach(option, kJWWIN1);
}

void MainWindow::CreateControls() {
  HINSTANCE instance = application_.Instance();
  dpi_ = WindowDpi(handle_);

  // The tab strip lies under the grid; it must not paint over it.
  tabs_.Attach(MakeChild(handle_, WC_TABCONTROLW, "", WS_CLIPSIBLINGS, kTabsId, instance));

  grid_.Create(handle_, kGridId, RECT{0, 0, 10, 10});
  grid_.SetDpi(dpi_);
  grid_.SetColWidth(0, 26);
  grid_.SetColWidth(1, 90);
  grid_.SetColWidth(2, 219);
  // 10 points: 13 pixels at 96 dots per inch.
  grid_.SetFont(FontSpec{"ＭＳ Ｐゴシック", 10, 0, kSystemTextColor});
  SetWindowPos(grid_.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);

  label1_ = MakeChild(handle_, L"STATIC", "Memo", SS_LEFT, kLabel1Id, instance);

  memo_.Attach(MakeChild(
      handle_, L"EDIT", "",
      ES_MULTILINE | ES_READONLY | ES_WANTRETURN | ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_HSCROLL,
      kMemoId, instance, WS_EX_CLIENTEDGE));
  memo_.SetFont(FontSpec{"ＭＳ ゴシック", 10, 0, kSystemTextColor});
  memo_.SetDpi(dpi_);
  SetWindowSubclass(memo_.Handle(), MemoSubclass, 1, 0);

  // Never visible: it lies beyond the memo panel's right edge. Tab moves the
  // focus there from the grid, and Enter or Space on it confirms.
  close_button_ =
      MakeChild(handle_, L"BUTTON", "閉る", BS_PUSHBUTTON | WS_TABSTOP, kCloseButtonId, instance);

  label2_.Attach(MakeChild(handle_, L"STATIC", "", SS_LEFT, kLabel2Id, instance));
  label2_.SetVisible(false);

  button2_.Attach(MakeChild(handle_, L"BUTTON", "OK", BS_PUSHBUTTON, kOkId, instance));
  button4_.Attach(MakeChild(handle_, L"BUTTON", "キャンセル", BS_PUSHBUTTON, kCancelId, instance));
  MakeFonts();
  Layout();
}

void MainWindow::Layout() {
  RECT client{};
  GetClientRect(handle_, &client);
  const int width = client.right;
  const int height = client.bottom;
  const int panel1_left = width - S(kMemoPanelWidth);
  const int panel1_top = S(kBevelHeight);
  const int panel1_height = height - S(kBevelHeight) - S(kBottomHeight);
  const int panel2_top = height - S(kBottomHeight);

  HDWP moves = BeginDeferWindowPos(10);
  auto place = [&](HWND window, int x, int y, int w, int h) {
    if (window != nullptr && moves != nullptr)
      moves = DeferWindowPos(moves, window, nullptr, x, y, w < 0 ? 0 : w, h < 0 ? 0 : h,
                             SWP_NOZORDER | SWP_NOACTIVATE);
  };
  RECT page{0, S(kBevelHeight), panel1_left, panel2_top};
  place(tabs_.Handle(), page.left, page.top, page.right - page.left, page.bottom - page.top);
  TabCtrl_AdjustRect(tabs_.Handle(), FALSE, &page);
  place(grid_.Handle(), page.left, page.top, page.right - page.left, page.bottom - page.top);
  place(label1_, panel1_left + S(8), panel1_top + S(5), S(60), S(14));
  place(memo_.Handle(), panel1_left + S(8), panel1_top + S(20), S(155), panel1_height - S(33));
  place(close_button_, panel1_left + S(384), panel1_top + S(88), S(60), S(25));
  // The mode label ends before キャンセル: shown, it would paint over the button.
  place(GetDlgItem(handle_, kLabel2Id), S(16), panel2_top + S(10), width - S(244 + 8 + 16), S(17));
  place(button2_.Handle(), width - S(161), panel2_top + S(5), S(153), S(25));
  place(button4_.Handle(), width - S(244), panel2_top + S(5), S(75), S(25));
  if (moves != nullptr) EndDeferWindowPos(moves);
  InvalidateRect(handle_, nullptr, TRUE);
}

void MainWindow::PaintBevels(HDC dc) {
  RECT client{};
  GetClientRect(handle_, &client);
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
      menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, at.x, at.y, 0, handle_, nullptr));
  if (id != 0) OnCommand(id);
}

void MainWindow::OnCommand(UINT id) {
  switch (id) {
    case kOkId:
    case kCloseButtonId:
    case kExitMenu:
      Guard([&] { form_->Button2Click(); });
      break;
    case kCancelId:
    case kCancelMenu:
      Guard([&] { form_->Button4Click(); });
      break;
    case kK10:
      Guard([&] { form_->K10Click(); });
      break;
    case kK6:
    case kK7:
      Guard([&] { form_->K6Click(); });
      Layout();  // the strip's rows decide the grid's page
      break;
    case kK15:
      Guard([&] { form_->K15Click(); });
      break;
    case kJWWIN1:
      Guard([&] { form_->JWWIN1Click(); });
      break;
    case kGridFont:
      Guard([&] { form_->K13Click(); });
      break;
    case kMemoFont:
      Guard([&] { form_->K14Click(); });
      break;
    case kAbout:
      Guard([&] { form_->About1Click(); });
      break;
    case kM2:
      Guard([&] { form_->m2Click(); });
      break;
    case kBatEditMain:
    case kBatEditPopup:
      Guard([&] { form_->BEdit1Click(); });
      break;
    case kScriptEditMain:
    case kScriptEditPopup:
      Guard([&] { form_->SEditClick(); });
      break;
    case kN8:
      Guard([&] { form_->N8Click(); });
      break;
    case kEditorSettings:
      Guard([&] { form_->K11Click(); });
      break;
    case kTabSettingsMain:
    case kTabSettingsPopup:
      Guard([&] { form_->K3Click(); });
      break;
    case kDatRestore:
      Guard([&] { form_->RestoreFromDataFile(); });
      break;
    case kPathTxtRestore:
      Guard([&] { form_->PATHTXT1Click(); });
      break;
    case kDeleteItem:
      Guard([&] { form_->m1Click(); });
      break;
    case kEdit1:
      Guard([&] { form_->Edit1Click(); });
      break;
    case kK8:
      Guard([&] { form_->K8Click(); });
      break;
    case kK4:
      Guard([&] { form_->K4Click(); });
      break;
    case kN1:
      Guard([&] { form_->n1Click(); });
      break;
    case kExit2:
      Guard([&] { form_->Exit2Click(); });
      break;
    default:
      break;
  }
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    auto* self = static_cast<MainWindow*>(create->lpCreateParams);
    self->handle_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  return self->HandleMessage(message, wparam, lparam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      CreateControls();
      return 0;
    case WM_SIZE:
      Layout();
      if (form_) Guard([&] { form_->FormResize(); });
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(handle_, &paint);
      PaintBevels(dc);
      EndPaint(handle_, &paint);
      return 0;
    }
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
      info->ptMinTrackSize.x = S(kMinimumSize.cx);
      info->ptMinTrackSize.y = S(kMinimumSize.cy);
      return 0;
    }
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_WINDOWPOSCHANGING: {
      // The default handling keeps the minimum size; the placement rule
      // corrects what it leaves.
      const LRESULT result = DefWindowProcW(handle_, message, wparam, lparam);
      auto* pos = reinterpret_cast<WINDOWPOS*>(lparam);
      if ((pos->flags & SWP_NOMOVE) == 0) {
        RECT now{};
        GetWindowRect(handle_, &now);
        const WindowPos fixed = ClampToWorkArea({pos->x, pos->y}, now.right - now.left,
                                                now.bottom - now.top, system_.WorkArea());
        pos->x = fixed.X;
        pos->y = fixed.Y;
      }
      return result;
    }
    case WM_ACTIVATE:
      // Give the focus back to the control that had it.
      if (LOWORD(wparam) == WA_INACTIVE) {
        focused_ = GetFocus();
      } else if (focused_ != nullptr && IsWindow(focused_) && IsChild(handle_, focused_)) {
        SetFocus(focused_);
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wparam);
      HWND control = reinterpret_cast<HWND>(lparam);
      // The system's colours, read at each paint: a scheme changed while the
      // program runs applies at once. Brushes from GetSysColorBrush are not ours.
      if (control == memo_.Handle()) {  // read-only, but in a memo's colours
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        const auto colour = memo_.Font().Color;
        SetTextColor(dc, colour == kSystemTextColor ? GetSysColor(COLOR_WINDOWTEXT)
                                                    : static_cast<COLORREF>(colour));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
      }
      SetTextColor(dc, control == GetDlgItem(handle_, kLabel2Id) ? RGB(255, 0, 0)
                                                                 : GetSysColor(COLOR_BTNTEXT));
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    case WM_SYSCOLORCHANGE:
      // Only top-level windows hear of it; the grid and the common controls
      // keep colours of their own.
      for (HWND child = GetWindow(handle_, GW_CHILD); child != nullptr;
           child = GetWindow(child, GW_HWNDNEXT))
        SendMessageW(child, WM_SYSCOLORCHANGE, wparam, lparam);
      RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lparam);
      if (header->hwndFrom == tabs_.Handle() && form_) {
        if (header->code == TCN_SELCHANGING) {
          bool allow = true;
          Guard([&] { form_->TabControl1Changing(allow); });
          return allow ? FALSE : TRUE;
        }
        if (header->code == TCN_SELCHANGE) {
          Guard([&] { form_->TabControl1Change(); });
          return 0;
        }
      }
      break;
    }
    case WM_COMMAND:
      if (form_ && (HIWORD(wparam) == BN_CLICKED || lparam == 0)) OnCommand(LOWORD(wparam));
      return 0;
    case WM_CONTEXTMENU: {
      const HWND from = reinterpret_cast<HWND>(wparam);
      if (from == grid_.Handle()) ShowPopup(popup_menu1_, from, lparam);
      if (from == memo_.Handle()) ShowPopup(popup_menu2_, from, lparam);
      return 0;
    }
    case kMemoExitMessage:
      if (form_) Guard([&] { form_->Memo1Exit(); });
      return 0;
    case WM_CLOSE:
      // Disabled under a dialog or a message box: closing now would free the
      // catalogue under the command that is still running.
      if (form_ && IsWindowEnabled(handle_)) Guard([&] { form_->Close(); });
      return 0;
    case WM_DESTROY:
      RunFormDestroy();
      return 0;
    case WM_NCDESTROY: {
      SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
      const LRESULT result = DefWindowProcW(handle_, message, wparam, lparam);
      handle_ = nullptr;
      application_.SetMainWindow(nullptr);
      application_.SetDialogWindow(nullptr);
      // The program ends with its main window.
      PostQuitMessage(0);
      application_.EndRun();
      return result;
    }
    default:
      break;
  }
  return DefWindowProcW(handle_, message, wparam, lparam);
}

}  // namespace zorbi::win32
