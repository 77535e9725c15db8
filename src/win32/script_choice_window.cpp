#include "script_choice_window.h"

#include <algorithm>

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

bool ScriptChoiceWindow::Create(HWND owner) {
  if (!CreateHidden(owner, L"TForm5", kCaption, kClientSize, SizeOf::Client)) return false;
  list_box1_.Attach(AddControl(
      L"LISTBOX", "", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
      kListBox1Id, RECT{0, 0, kClientSize.cx, kListHeight}, WS_EX_CLIENTEDGE));
  AddControl(L"BUTTON", "キャンセル", BS_PUSHBUTTON | WS_TABSTOP, kButton1Id,
             RECT{1, kListHeight + 1, 83, 25});
  AddControl(L"BUTTON", "OK", BS_PUSHBUTTON | WS_TABSTOP, kButton2Id,
             RECT{84, kListHeight + 1, 83, 25});
  OnLayout();
  form_ = std::make_unique<TForm5>(list_box1_, *this);
  return true;
}

void ScriptChoiceWindow::OnLayout() {
  if (list_box1_.Handle() == nullptr) return;
  list_font_.Reset(MakeDialogFont(L"ＭＳ ゴシック", S(15)));
  const HWND list = list_box1_.Handle();
  SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(list_font_.Get()), FALSE);
  // The focus rectangle is drawn on a line's edge: a line of the font's whole
  // height and a pixel more each way keeps it off the underscores.
  TEXTMETRICW metrics{};
  {
    const WindowDc dc(list);
    const Selected font(dc.Get(), list_font_.Get());
    GetTextMetricsW(dc.Get(), &metrics);
  }
  SendMessageW(list, LB_SETITEMHEIGHT, 0, std::max<LONG>(S(kLineHeight), metrics.tmHeight + 2));
  list_box1_.FitScrollWidth();
}

void ScriptChoiceWindow::OnCommand(UINT id, UINT code, HWND) {
  if (id == kListBox1Id) {
    if (code == LBN_DBLCLK) form_->Button2Click();
    return;
  }
  if (id == kButton2Id) form_->Button2Click();
  if (id == kButton1Id) form_->Button1Click();
}

void ScriptChoiceWindow::Paint(HDC dc) {
  // The raised strip that holds the buttons.
  RECT strip = ClientRect();
  strip.top = S(kListHeight);
  DrawEdge(dc, &strip, BDR_RAISEDINNER, BF_RECT);
}

}  // namespace zorbi::win32
