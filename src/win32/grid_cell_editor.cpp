// The grid's in-place cell editor: an EDIT child over the cell, so that input
// methods work in it.
#include <algorithm>
#include <optional>

#include "cp932.h"
#include "grid_control.h"

namespace zorbi::win32 {

void GridControl::ShowEditor() {
  if (Handle() == nullptr || !editing_ || model_.RowSelect() || Col() < 1 || Row() < 1) return;
  if (editor_ == nullptr) {
    editor_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 0, 0, Handle(),
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    if (editor_ == nullptr) return;
    editor_hook_.Attach(editor_, [this](ControlHook& hook, UINT m, WPARAM w, LPARAM l) {
      return HandleEditorMessage(hook, m, w, l);
    });
  }
  SendMessageW(editor_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  edit_col_ = Col();
  edit_row_ = Row();
  editor_open_ = true;
  ScrollIntoView(edit_row_);
  SetWindowTextW(editor_, Widen(Cell(edit_col_, edit_row_)).c_str());
  SendMessageW(editor_, EM_SETSEL, 0, -1);
  PlaceEditor();
  ::SetFocus(editor_);
}

void GridControl::PlaceEditor() {
  if (!editor_open_ || editor_ == nullptr) return;
  const RECT cell = CellRect(edit_col_, edit_row_);
  // Over the header or the number column it would hide them: out of view then.
  if (cell.top >= model_.RowPitch() && cell.left >= model_.FixedWidth()) {
    SetWindowPos(editor_, HWND_TOP, cell.left + 1, cell.top + 1, cell.right - cell.left - 1,
                 cell.bottom - cell.top - 1, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  } else {
    ShowWindow(editor_, SW_HIDE);
  }
}

void GridControl::HideEditor() {
  if (!editor_open_) return;
  editor_open_ = false;
  const bool had_focus = GetFocus() == editor_;
  ShowWindow(editor_, SW_HIDE);
  if (had_focus) ::SetFocus(Handle());
  Invalidate();
}

bool GridControl::CommitEditor() {
  if (!editor_open_) return true;
  const int length = GetWindowTextLengthW(editor_);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(std::max(0, GetWindowTextW(editor_, text.data(), length + 1))));
  const std::optional<std::string> bytes = Narrow(text);
  if (!bytes) {
    // Never stored with '?' in place of the character; the text stays.
    if (OnRefused) {
      const char32_t refused = FirstUnrepresentable(text);
      OnRefused(refused != 0 ? refused : 0xFFFD);
    }
    if (Handle() != nullptr && editor_open_) ::SetFocus(editor_);
    return false;
  }
  model_.Cells().SetCell(edit_col_, edit_row_, *bytes);
  HideEditor();
  return true;
}

LRESULT GridControl::HandleEditorMessage(ControlHook& editor, UINT message, WPARAM wparam,
                                         LPARAM lparam) {
  switch (message) {
    case WM_GETDLGCODE:
      // Enter and Escape belong to the editor, not to the dialog manager.
      return editor.Default(message, wparam, lparam) | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
      if (wparam == VK_RETURN) {
        CommitEditor();
      } else if (wparam == VK_ESCAPE) {
        HideEditor();
      } else if (wparam == VK_UP || wparam == VK_DOWN) {
        if (CommitEditor()) OnNavigationKey(static_cast<int>(wparam), ShiftState{});
      } else {
        break;
      }
      return 0;
    case WM_CHAR:
      if (wparam == L'\r' || wparam == 0x1B) return 0;  // no beep for Enter and Escape
      break;
    case WM_CONTEXTMENU:
      // The grid's menu, not the edit box's own.
      return SendMessageW(GetParent(Handle()), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Handle()),
                          lparam);
    case WM_KILLFOCUS: {
      const LRESULT result = editor.Default(message, wparam, lparam);
      const HWND to = reinterpret_cast<HWND>(wparam);
      // Another control of this window takes the focus: the grid is left.
      // A click in the grid commits there, before it moves the selection.
      if (editor_open_ && to != Handle() && IsOwnWindow(to) && CommitEditor() && OnExit) OnExit();
      return result;
    }
    default:
      break;
  }
  return editor.Default(message, wparam, lparam);
}

}  // namespace zorbi::win32
