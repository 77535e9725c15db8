#include "backup_list_window.h"

namespace zorbi::win32 {

namespace {

constexpr UINT kListId = 101, kNoteId = 102;
constexpr int kNoteHeight = 44;

}  // namespace

bool BackupListWindow::Create(HWND owner) {
  if (!CreateHidden(owner, L"TBackupListForm", std::string(BackupListCaption), kClientSize,
                    SizeOf::Client))
    return false;
  const int width = kClientSize.cx, height = kClientSize.cy;
  note_.Attach(AddControl(L"STATIC", "", SS_LEFT | SS_NOPREFIX, kNoteId,
                          RECT{8, 8, width - 16, kNoteHeight}));
  list_.Attach(AddControl(
      L"LISTBOX", "", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
      kListId, RECT{8, 16 + kNoteHeight, width - 16, height - kNoteHeight - 60}, WS_EX_CLIENTEDGE));
  AddControl(L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK,
             RECT{width - 176, height - 34, 80, 26});
  AddControl(L"BUTTON", "キャンセル", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL,
             RECT{width - 88, height - 34, 80, 26});
  form_ = std::make_unique<TBackupListForm>(BackupListControls{list_, note_}, *this);
  OnLayout();
  return true;
}

void BackupListWindow::OnLayout() {
  if (list_.Handle() == nullptr) return;
  // A fixed-pitch font keeps the dates and the numbers in columns.
  list_font_.Reset(MakeDialogFont(L"ＭＳ ゴシック", S(15)));
  SendMessageW(list_.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(list_font_.Get()), FALSE);
  list_.FitScrollWidth();
}

void BackupListWindow::OnCommand(UINT id, UINT code, HWND) {
  if (id == kListId) {
    if (code == LBN_DBLCLK) Guarded(Handle(), [&] { form_->OKClick(); });
    return;
  }
  if (code != BN_CLICKED) return;
  if (id == IDOK) Guarded(Handle(), [&] { form_->OKClick(); });
  if (id == IDCANCEL) Guarded(Handle(), [&] { form_->CancelClick(); });
}

}  // namespace zorbi::win32
