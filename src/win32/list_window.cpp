#include "list_window.h"

#include <utility>

#include "cp932.h"

namespace zorbi::win32 {

namespace {

constexpr UINT kMessageId = 100;

struct ButtonSpec {
  UINT id;
  const char* caption;
  Answer answer;
};

// Our own captions: the system's read Yes and No on a system that is not Japanese.
std::vector<ButtonSpec> ButtonsOf(Answers answers) {
  switch (answers) {
    case Answers::YesNo:
    case Answers::YesNoSafe:
      return {{IDYES, "はい", Answer::Yes}, {IDNO, "いいえ", Answer::No}};
    case Answers::YesNoCancel:
      return {{IDYES, "はい", Answer::Yes},
              {IDNO, "いいえ", Answer::No},
              {IDCANCEL, "キャンセル", Answer::Cancel}};
    case Answers::Ok:
      break;
  }
  return {{IDOK, "OK", Answer::Ok}};
}

// What Esc and the close box answer: nothing done.
Answer SafeAnswer(Answers answers) {
  switch (answers) {
    case Answers::YesNo:
    case Answers::YesNoSafe:
      return Answer::No;
    case Answers::YesNoCancel:
      return Answer::Cancel;
    case Answers::Ok:
      break;
  }
  return Answer::Ok;
}

// The icon beside the message and the sound it opens with, as a message box has them.
struct Look {
  const wchar_t* icon;  // none for a plain message
  UINT sound;
};

Look LookOf(MessageKind kind, Answers answers) {
  if (answers != Answers::Ok) return {IDI_QUESTION, MB_ICONQUESTION};
  switch (kind) {
    case MessageKind::Information:
      return {IDI_INFORMATION, MB_ICONINFORMATION};
    case MessageKind::Warning:
      return {IDI_WARNING, MB_ICONWARNING};
    case MessageKind::Error:
      return {IDI_ERROR, MB_ICONERROR};
    case MessageKind::Plain:
      break;
  }
  return {nullptr, MB_OK};
}

ScreenRect ToScreenRect(const RECT& r) {
  return ScreenRect{r.left, r.top, r.right, r.bottom};
}

void Place(HWND control, const PixelBox& box) {
  SetWindowPos(control, nullptr, box.Left, box.Top, box.Width, box.Height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

ListWindow::ListWindow(std::string text, std::vector<std::string> lines, MessageKind kind,
                       Answers answers)
    : text_(std::move(text)),
      lines_(std::move(lines)),
      kind_(kind),
      answers_(answers),
      answer_(SafeAnswer(answers)) {}

ListWindow::~ListWindow() {
  DestroyHandle();
}

bool ListWindow::Create(HWND owner, const std::string& caption) {
  // Made at a size of its own, then arranged once the parts can be measured.
  if (!CreateHidden(owner, kClassName, caption, SIZE{400, 240}, SizeOf::Client)) return false;
  if (const wchar_t* icon = LookOf(kind_, answers_).icon) icon_ = LoadIconW(nullptr, icon);
  message_ = AddControl(L"STATIC", text_.c_str(), SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL,
                        kMessageId, RECT{12, 12, 376, 40});
  SetWindowTextW(message_, WidenForDisplay(text_).c_str());
  // A question without lines is its message and its buttons.
  if (!lines_.empty()) {
    list_ = AddControl(
        L"EDIT", "",
        ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_NOHIDESEL | WS_VSCROLL | WS_TABSTOP,
        kListId, RECT{12, 60, 376, 120}, WS_EX_CLIENTEDGE);
    list_hook_.Attach(list_, [this](ControlHook& hook, UINT message, WPARAM wparam, LPARAM lparam) {
      return ListMessage(hook, message, wparam, lparam);
    });
  }
  const std::vector<ButtonSpec> specs = ButtonsOf(answers_);
  default_button_ = answers_ == Answers::YesNoSafe ? specs.size() - 1 : 0;
  for (const ButtonSpec& spec : specs) {
    const bool isDefault = buttons_.size() == default_button_;
    buttons_.push_back(AddControl(L"BUTTON", spec.caption,
                                  (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP,
                                  spec.id, RECT{12, 200, 80, 26}));
  }
  Arrange();
  return true;
}

void ListWindow::ShowModal() {
  MessageBeep(LookOf(kind_, answers_).sound);
  ModalWindow::ShowModal();
}

void ListWindow::Arrange() {
  if (message_ == nullptr) return;
  ListDialogInput in;
  // The work area of the monitor the dialog is on once shown, else the owner's.
  const HWND nearby = IsWindowVisible(Handle()) || Owner() == nullptr ? Handle() : Owner();
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  RECT work{};
  if (GetMonitorInfoW(MonitorFromWindow(nearby, MONITOR_DEFAULTTONEAREST), &monitor))
    work = monitor.rcWork;
  else if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
    work = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  in.WorkArea = ToScreenRect(work);
  RECT owner{};
  if (Owner() != nullptr && IsWindowVisible(Owner()) && GetWindowRect(Owner(), &owner))
    in.Owner = ToScreenRect(owner);
  in.Dpi = Dpi();

  // The frames as the windows have them now.
  RECT outer{}, client{};
  GetWindowRect(Handle(), &outer);
  GetClientRect(Handle(), &client);
  in.Frame = {outer.right - outer.left - client.right, outer.bottom - outer.top - client.bottom};
  if (list_ != nullptr) {
    SendMessageW(list_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(S(3), S(3)));
    RECT list_outer{}, list_client{}, text{};
    GetWindowRect(list_, &list_outer);
    GetClientRect(list_, &list_client);
    SendMessageW(list_, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
    // A little more than the edit box takes, so that no line wraps for a pixel.
    in.ListChrome = {list_outer.right - list_outer.left - (text.right - text.left) + S(4),
                     list_outer.bottom - list_outer.top - list_client.bottom + S(2)};
  }

  const WindowDc dc(Handle());
  const Selected font(dc.Get(), reinterpret_cast<HFONT>(SendMessageW(message_, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.Get(), &metrics);
  in.LineHeight = metrics.tmHeight;
  for (const std::string& line : lines_) {
    const std::wstring wide = WidenForDisplay(line);
    SIZE size{};
    GetTextExtentPoint32W(dc.Get(), wide.c_str(), static_cast<int>(wide.size()), &size);
    in.LineWidths.push_back(size.cx);
  }
  const std::wstring message = WidenForDisplay(text_);
  in.MeasureMessage = [&](int max_width) {
    // As the static control wraps it.
    RECT r{0, 0, max_width, 0};
    DrawTextW(dc.Get(), message.c_str(), -1, &r,
              DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_EXPANDTABS | DT_NOPREFIX);
    return PixelSize{r.right - r.left, r.bottom - r.top};
  };
  in.Buttons = static_cast<int>(buttons_.size());
  in.Icon = icon_ != nullptr;

  const ListDialogLayout layout = LayOutListDialog(in);
  const ScreenRect& w = layout.Window;
  SetWindowPos(Handle(), nullptr, w.Left, w.Top, w.Right - w.Left, w.Bottom - w.Top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  icon_box_ = layout.Icon;
  Place(message_, layout.Message);
  if (list_ != nullptr) {
    Place(list_, layout.List);
    // Given at its size: the edit box sets its scroll bar only as the text comes.
    std::string joined;
    for (std::size_t k = 0; k < lines_.size(); ++k) joined += (k > 0 ? "\r\n" : "") + lines_[k];
    SetWindowTextW(list_, WidenForDisplay(joined).c_str());
  }
  for (std::size_t k = 0; k < buttons_.size() && k < layout.Buttons.size(); ++k)
    Place(buttons_[k], layout.Buttons[k]);
}

LRESULT ListWindow::ListMessage(ControlHook& hook, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_GETDLGCODE:
      // Enter, Esc and Tab belong to the dialog, as in a message box.
      return hook.Default(message, wparam, lparam) &
             ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | DLGC_WANTTAB);
    case WM_KEYDOWN:
      // Ctrl+A selects all: not every system's edit box does it by itself.
      if (wparam == 'A' && GetKeyState(VK_CONTROL) < 0) {
        SendMessageW(list_, EM_SETSEL, 0, -1);
        return 0;
      }
      break;
    case WM_CHAR:
      if (wparam == 1) return 0;  // Ctrl+A's character, which would beep
      break;
    default:
      break;
  }
  return hook.Default(message, wparam, lparam);
}

void ListWindow::OnCommand(UINT id, UINT code, HWND) {
  if (code != BN_CLICKED) return;
  // Esc comes as IDCANCEL too, with or without a キャンセル button.
  if (id == IDCANCEL) {
    answer_ = SafeAnswer(answers_);
    Close();
    return;
  }
  for (const ButtonSpec& spec : ButtonsOf(answers_)) {
    if (spec.id != id) continue;
    answer_ = spec.answer;
    Close();
  }
}

LRESULT ListWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == DM_GETDEFID && !buttons_.empty()) {
    // Enter presses the focused button, else the default one.
    HWND pressed = buttons_.at(default_button_);
    for (const HWND button : buttons_)
      if (button == GetFocus()) pressed = button;
    return MAKELRESULT(GetDlgCtrlID(pressed), DC_HASDEFID);
  }
  return ModalWindow::HandleMessage(message, wparam, lparam);
}

HBRUSH ListWindow::ColourStatic(HDC dc, HWND control) {
  if (control != list_) return ModalWindow::ColourStatic(dc, control);
  // A list, though read-only: the colours of a list box.
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  return GetSysColorBrush(COLOR_WINDOW);
}

void ListWindow::Paint(HDC dc) {
  DrawIconEx(dc, icon_box_.Left, icon_box_.Top, icon_, icon_box_.Width, icon_box_.Height, 0,
             nullptr, DI_NORMAL);
}

}  // namespace zorbi::win32
