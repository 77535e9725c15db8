#include "editor_settings_window.h"

namespace zorbi::win32 {

namespace {

enum ControlId : UINT {
  kButton1Id = IDOK,  // OK
  kButton2Id = 101,   // 参照 beside the editor
  kButton3Id,         // 参照 beside the AWK folder
  kEdit1Id,
  kEdit2Id,
};

}  // namespace

EditorSettingsWindow::EditorSettingsWindow(FileDialogs* dialogs)
    : dialogs_(dialogs ? *dialogs : own_dialogs_) {}

bool EditorSettingsWindow::Create(HWND owner, std::string& editor, std::string& awkPath) {
  if (!CreateHidden(owner, L"TForm4", kCaption, kOuterSize, SizeOf::Window)) return false;
  own_dialogs_.SetOwner(Handle());
  const DWORD edit = ES_AUTOHSCROLL | WS_TABSTOP;
  const DWORD button = BS_PUSHBUTTON | WS_TABSTOP;
  AddControl(L"STATIC", "エディター名入力(&E)", SS_LEFT, 0xFFFF, RECT{24, 8, 150, 13});
  edit1_.Attach(AddControl(L"EDIT", "", edit, kEdit1Id, RECT{15, 24, 170, 20}, WS_EX_CLIENTEDGE));
  AddControl(L"BUTTON", "参照", button, kButton2Id, RECT{192, 24, 41, 20});
  AddControl(L"STATIC", "AWKパス入力(&W)", SS_LEFT, 0xFFFF, RECT{24, 48, 150, 13});
  edit2_.Attach(AddControl(L"EDIT", "", edit, kEdit2Id, RECT{15, 64, 170, 20}, WS_EX_CLIENTEDGE));
  AddControl(L"BUTTON", "参照", button, kButton3Id, RECT{192, 64, 41, 20});
  AddControl(L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, kButton1Id, RECT{16, 96, 217, 25});
  form_ = std::make_unique<TForm4>(EditorSettingsControls{edit1_, edit2_}, editor, awkPath,
                                   dialogs_, messages_, *this);
  return true;
}

void EditorSettingsWindow::OnCommand(UINT id, UINT code, HWND) {
  if (code != BN_CLICKED) return;
  switch (id) {
    case kButton1Id:
      form_->Button1Click();
      break;
    case kButton2Id:
      form_->Button2Click();
      break;
    case kButton3Id:
      form_->Button3Click();
      break;
    case IDCANCEL:  // Escape closes as the close box does
      Close();
      break;
    default:
      break;
  }
}

void EditorSettingsWindow::Paint(HDC dc) {
  // A framed bevel over the whole client area.
  RECT client = ClientRect();
  DrawEdge(dc, &client, EDGE_ETCHED, BF_RECT);
}

}  // namespace zorbi::win32
