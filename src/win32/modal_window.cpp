#include "modal_window.h"

#include "cp932.h"

namespace zorbi::win32 {

namespace {

constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

}  // namespace

HFONT MakeDialogFont(const wchar_t* face, int pixels) {
  return CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, face);
}

bool ModalWindow::CreateHidden(HWND owner, const wchar_t* class_name, const std::string& caption,
                               SIZE size, SizeOf size_of, bool close_box) {
  const DWORD style = WS_POPUP | WS_CAPTION | (close_box ? WS_SYSMENU : 0) | WS_CLIPCHILDREN;
  owner_ = owner;
  client_ = size;
  if (size_of == SizeOf::Window) {
    const SIZE frame = FrameSize(style, kExStyle, kDesignDpi);
    client_ = SIZE{size.cx - frame.cx, size.cy - frame.cy};
  }
  // Sized as the system expects the frame; Layout measures the real one.
  const int dpi = WindowDpi(owner);
  const SIZE frame = FrameSize(style, kExStyle, dpi);
  const RECT bounds{0, 0, Scale(client_.cx, dpi) + frame.cx, Scale(client_.cy, dpi) + frame.cy};
  if (!CreateHandle(WindowClass{class_name}, kExStyle, Widen(caption).c_str(), style, bounds, owner,
                    nullptr))
    return false;
  messages_.SetOwner(Handle());
  Layout(dpi);
  return true;
}

HWND ModalWindow::AddControl(const wchar_t* cls, const char* text, DWORD style, UINT id,
                             RECT bounds, DWORD ex_style) {
  HWND control = CreateWindowExW(ex_style, cls, Widen(text).c_str(), WS_CHILD | WS_VISIBLE | style,
                                 S(bounds.left), S(bounds.top), S(bounds.right), S(bounds.bottom),
                                 Handle(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  controls_.push_back(Placed{control, bounds});
  return control;
}

RECT ModalWindow::ClientRect() const {
  RECT client{};
  GetClientRect(Handle(), &client);
  return client;
}

void ModalWindow::Layout(int dpi) {
  dpi_ = dpi;
  font_.Reset(MakeDialogFont(L"ＭＳ Ｐゴシック", S(12)));
  // The frame as the window has it: a system that does not scale frames per
  // window keeps its own. Resizing may change it, so twice when it does.
  for (int pass = 0; pass < 2; ++pass) {
    RECT outer{}, client{};
    GetWindowRect(Handle(), &outer);
    GetClientRect(Handle(), &client);
    if (client.right == S(client_.cx) && client.bottom == S(client_.cy)) break;
    SetWindowPos(Handle(), nullptr, 0, 0, outer.right - outer.left - client.right + S(client_.cx),
                 outer.bottom - outer.top - client.bottom + S(client_.cy),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  for (const Placed& placed : controls_) {
    const RECT& b = placed.bounds;
    SetWindowPos(placed.control, nullptr, S(b.left), S(b.top), S(b.right), S(b.bottom),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(placed.control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  }
  OnLayout();
  RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void ModalWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  Layout(dpi);
  SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ModalWindow::CentreOnOwner() {
  RECT owner{}, self{};
  GetWindowRect(owner_, &owner);
  GetWindowRect(Handle(), &self);
  const int width = self.right - self.left, height = self.bottom - self.top;
  SetWindowPos(Handle(), nullptr, owner.left + (owner.right - owner.left - width) / 2,
               owner.top + (owner.bottom - owner.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ModalWindow::ShowModal() {
  if (Handle() == nullptr || running_) return;
  // It opens at the DPI of the owner's monitor.
  if (const int dpi = WindowDpi(owner_); dpi != dpi_) Layout(dpi);
  PlaceOnOpening();
  EnableWindow(owner_, FALSE);
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  if (HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE)) SetFocus(first);
  running_ = true;
  RunModalLoop(Handle(), running_);
  running_ = false;
  // The owner first, so the activation goes back to it, not to another program.
  EnableWindow(owner_, TRUE);
  if (Handle() != nullptr) ShowWindow(Handle(), SW_HIDE);
}

LRESULT ModalWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_CLOSE) {  // the close box: no handler runs
    Close();
    return 0;
  }
  return Window::HandleMessage(message, wparam, lparam);
}

}  // namespace zorbi::win32
