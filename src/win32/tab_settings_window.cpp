#include "tab_settings_window.h"

namespace zorbi::win32 {

namespace {

enum ControlId : UINT {
  kListBox1Id = 101,
  kEdit1Id,
  kButton1Id,  // 閉じる
  kButton2Id,  // 変更
  kButton3Id,  // 追加
  kButton4Id,  // △
  kButton5Id,  // ▽
  kButton6Id,  // 削除
};

// The etched line above the bottom strip.
constexpr int kSeparatorTop = 182;

}  // namespace

bool TabSettingsWindow::Create(HWND owner, TabSettingsHost& main) {
  // Fixed size, a caption and no title-bar buttons.
  if (!CreateHidden(owner, L"TForm2", "タブ設定", kClientSize, SizeOf::Client, false)) return false;
  const DWORD button = BS_PUSHBUTTON | WS_TABSTOP;
  // In tab order: the list first, so it has the focus on opening.
  AddControl(L"STATIC", "現在のタブ名(&T)", SS_LEFT, 0xFFFF, RECT{16, 8, 120, 14});
  list_box1_.Attach(AddControl(L"LISTBOX", "",
                               LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                               kListBox1Id, RECT{8, 24, 155, 100}, WS_EX_CLIENTEDGE));
  AddControl(L"STATIC", "変更・追加するタブ名(&N)", SS_LEFT, 0xFFFF, RECT{16, 134, 140, 14});
  edit1_.Attach(AddControl(L"EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, kEdit1Id,
                           RECT{8, 150, 155, 20}, WS_EX_CLIENTEDGE));
  AddControl(L"BUTTON", "△", button, kButton4Id, RECT{173, 28, 75, 25});
  AddControl(L"BUTTON", "削除(&D)", button, kButton6Id, RECT{173, 56, 75, 25});
  AddControl(L"BUTTON", "▽", button, kButton5Id, RECT{173, 84, 75, 25});
  AddControl(L"BUTTON", "変更(&C)", button, kButton2Id, RECT{173, 120, 75, 25});
  AddControl(L"BUTTON", "追加(&A)", button, kButton3Id, RECT{173, 148, 75, 25});
  AddControl(L"BUTTON", "閉じる", button, kButton1Id, RECT{8, 190, 241, 25});
  form_ = std::make_unique<TForm2>(TabSettingsControls{list_box1_, edit1_}, main, messages_, *this);
  return true;
}

void TabSettingsWindow::ShowModal() {
  if (Handle() == nullptr || Running()) return;
  Guarded(Handle(), [&] { form_->FormShow(); });
  ModalWindow::ShowModal();
}

void TabSettingsWindow::Close() {
  if (!Running()) return;
  ModalWindow::Close();
  Guarded(Handle(), [&] { form_->FormClose(); });
}

void TabSettingsWindow::OnCommand(UINT id, UINT code, HWND) {
  if (id == kListBox1Id) {
    if (code == LBN_SELCHANGE) form_->ListBox1Click();
    return;
  }
  if (code != BN_CLICKED) return;
  switch (id) {
    case kButton1Id:
      form_->Button1Click();
      break;
    case IDCANCEL:  // Escape
      Close();
      break;
    case kButton2Id:
      form_->Button2Click();
      break;
    case kButton3Id:
      form_->Button3Click();
      break;
    case kButton4Id:
      form_->Button4Click();
      break;
    case kButton5Id:
      form_->Button5Click();
      break;
    case kButton6Id:
      form_->Button6Click();
      break;
    default:
      break;
  }
}

void TabSettingsWindow::Paint(HDC dc) {
  RECT line{0, S(kSeparatorTop), ClientRect().right, S(kSeparatorTop) + 2};
  DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
}

}  // namespace zorbi::win32
