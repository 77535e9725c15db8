#include "about_window.h"

namespace zorbi::win32 {

namespace {

constexpr int kLabel1Id = 100;

}  // namespace

bool AboutWindow::Create(HWND owner) {
  if (!CreateHidden(owner, L"TForm3", "", kSize, SizeOf::Window)) return false;
  label_ = AddControl(L"STATIC", "", SS_LEFT, kLabel1Id, RECT{93, 24, 150, 20});
  label1_.Attach(label_);
  button1_ = AddControl(L"BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, RECT{88, 88, 75, 25});
  OnLayout();
  caption_.Attach(Handle());
  form_ = std::make_unique<TForm3>(*this, caption_, label1_);
  form_->FormCreate();
  return true;
}

void AboutWindow::OnLayout() {
  if (label_ == nullptr) return;
  label_font_.Set(FontSpec{"ＭＳ Ｐゴシック", 11, 1, kSystemTextColor}, Dpi());  // 15 pixels, bold
  button_font_.Set(FontSpec{"ＭＳ Ｐゴシック", 10, 0, kSystemTextColor}, Dpi());
  SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(label_font_.Handle()), TRUE);
  SendMessageW(button1_, WM_SETFONT, reinterpret_cast<WPARAM>(button_font_.Handle()), TRUE);
}

void AboutWindow::OnCommand(UINT id, UINT, HWND) {
  // OK, Enter and Escape.
  if (form_ && (id == IDOK || id == IDCANCEL)) form_->Button1Click();
}

void AboutWindow::Paint(HDC dc) {
  // The framed bevel over the client area.
  RECT client = ClientRect();
  DrawEdge(dc, &client, EDGE_ETCHED, BF_RECT);
}

}  // namespace zorbi::win32
