#include "relink_window.h"

#include <commctrl.h>

#include <algorithm>

#include "cp932.h"

namespace zorbi::win32 {

namespace {

constexpr UINT kListId = 101, kCountsId = 102;

struct Column {
  const char* caption;
  int width;  // 96 DPI
};
constexpr Column kColumns[] = {{"タブ", 70}, {"番号", 40}, {"元のパス", 290}, {"新しいパス", 290}};

}  // namespace

void ReportListControl::SetRows(std::vector<std::vector<std::string>> rows) {
  rows_ = std::move(rows);
  if (handle_ == nullptr) return;
  SendMessageW(handle_, LVM_SETITEMCOUNT, rows_.size(), 0);
  // A new list opens at its first row, focused and selected, so the keys
  // start from a row the user sees; nothing is kept from the last list.
  LVITEMW state{};
  state.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
  SendMessageW(handle_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
               reinterpret_cast<LPARAM>(&state));
  if (!rows_.empty()) {
    state.state = LVIS_FOCUSED | LVIS_SELECTED;
    SendMessageW(handle_, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    SendMessageW(handle_, LVM_ENSUREVISIBLE, 0, FALSE);
  }
  InvalidateRect(handle_, nullptr, TRUE);
}

void ReportListControl::GiveText(NMLVDISPINFOW& info) {
  LVITEMW& item = info.item;
  if ((item.mask & LVIF_TEXT) == 0 || item.pszText == nullptr || item.cchTextMax <= 0) return;
  const auto row = static_cast<std::size_t>(item.iItem);
  const auto col = static_cast<std::size_t>(item.iSubItem);
  text_ = row < rows_.size() && col < rows_[row].size() ? Widen(rows_[row][col]) : std::wstring();
  const std::size_t n = std::min(text_.size(), static_cast<std::size_t>(item.cchTextMax - 1));
  std::copy_n(text_.c_str(), n, item.pszText);
  item.pszText[n] = L'\0';
}

bool RelinkWindow::Create(HWND owner) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&classes);
  if (!CreateHidden(owner, L"TRelinkForm", std::string(RelinkCaption), kClientSize, SizeOf::Client))
    return false;
  const int width = kClientSize.cx, height = kClientSize.cy;
  const HWND list = AddControl(WC_LISTVIEWW, "",
                               LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                                   LVS_NOSORTHEADER | WS_TABSTOP,
                               kListId, RECT{8, 8, width - 16, height - 76}, WS_EX_CLIENTEDGE);
  list_.Attach(list);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
    std::wstring caption = Widen(kColumns[i].caption);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = caption.data();
    column.cx = S(kColumns[i].width);
    column.iSubItem = i;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(&column));
  }
  counts_.Attach(AddControl(L"STATIC", "", SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, kCountsId,
                            RECT{8, height - 60, width - 16, 16}));
  AddControl(L"STATIC", "OK で、一覧のすべての項目のパスを新しいパスに変えます。", SS_LEFT, 0xFFFF,
             RECT{8, height - 28, width - 190, 16});
  AddControl(L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK,
             RECT{width - 176, height - 34, 80, 26});
  AddControl(L"BUTTON", "キャンセル", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL,
             RECT{width - 88, height - 34, 80, 26});
  form_ = std::make_unique<TRelinkForm>(RelinkControls{list_, counts_}, *this);
  OnLayout();
  return true;
}

void RelinkWindow::OnLayout() {
  if (list_.Handle() == nullptr) return;
  for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i)
    SendMessageW(list_.Handle(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(i),
                 MAKELPARAM(S(kColumns[i].width), 0));
}

void RelinkWindow::OnCommand(UINT id, UINT code, HWND) {
  if (code != BN_CLICKED) return;
  if (id == IDOK) Guarded(Handle(), [&] { form_->OKClick(); });
  if (id == IDCANCEL) Guarded(Handle(), [&] { form_->CancelClick(); });
}

LRESULT RelinkWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NOTIFY) {
    auto* header = reinterpret_cast<NMHDR*>(lparam);
    if (header->hwndFrom == list_.Handle() && header->code == LVN_GETDISPINFOW)
      list_.GiveText(*reinterpret_cast<NMLVDISPINFOW*>(lparam));
    return 0;
  }
  return ModalWindow::HandleMessage(message, wparam, lparam);
}

}  // namespace zorbi::win32
