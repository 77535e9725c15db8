#include "script_choice_window.h"

namespace zorbi::win32 {

namespace {

enum ControlId : UINT {
  kButton1Id = IDCANCEL,  // キャンセル, also Escape
  kButton2Id = IDOK,      // OK, also Enter
  kListBox1Id = 100,
};

constexpr int kListHeight = 119;
constexpr int kLineHeight = 15;

}  // namespace

ScriptChoiceWindow::~ScriptChoiceWindow() {
  if (Handle() != nullptr) DestroyWindow(Handle());
  if (list_font_ != nullptr) DeleteObject(list_font_);
}

bool ScriptChoiceWindow::Create(HINSTANCE instance, HWND owner) {
  RECT outer{0, 0, kClientSize.cx, kClientSize.cy};
  AdjustWindowRectEx(&outer, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_DLGMODALFRAME);
  if (!CreateHidden(instance, owner, L"TForm5", kCaption,
                    SIZE{outer.right - outer.left, outer.bottom - outer.top}))
    return false;
  list_box1_.Attach(
      AddControl(L"LISTBOX", "", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                 kListBox1Id, RECT{0, 0, kClientSize.cx, kListHeight}, WS_EX_CLIENTEDGE));
  list_font_ = MakeDialogFont(L"ＭＳ ゴシック", S(15));
  SendMessageW(list_box1_.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(list_font_), FALSE);
  SendMessageW(list_box1_.Handle(), LB_SETITEMHEIGHT, 0, S(kLineHeight));
  AddControl(L"BUTTON", "キャンセル", BS_PUSHBUTTON | WS_TABSTOP, kButton1Id,
             RECT{1, kListHeight + 1, 83, 25});
  AddControl(L"BUTTON", "OK", BS_PUSHBUTTON | WS_TABSTOP, kButton2Id,
             RECT{84, kListHeight + 1, 83, 25});
  form_ = std::make_unique<TForm5>(list_box1_, *this);
  return true;
}

void ScriptChoiceWindow::OnCommand(UINT id, UINT code) {
  if (id == kListBox1Id) {
    if (code == LBN_DBLCLK) form_->Button2Click();
    return;
  }
  if (id == kButton2Id) form_->Button2Click();
  if (id == kButton1Id) form_->Button1Click();
}

LRESULT ScriptChoiceWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      // The raised strip that holds the buttons.
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(Handle(), &paint);
      RECT strip{0, kListHeight, kClientSize.cx, kClientSize.cy};
      DrawEdge(dc, &strip, BDR_RAISEDINNER, BF_RECT);
      EndPaint(Handle(), &paint);
      return 0;
    }
    default:
      return ModalWindow::HandleMessage(message, wparam, lparam);
  }
}

}  // namespace zorbi::win32
