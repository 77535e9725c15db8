// Keyboard selection in the item grid: number keys pick, Ctrl+number shows a
// tab, Enter (or any key with KeyRan) confirms.
#include <algorithm>
#include <string>

#include "forms/main_form.h"

namespace zorbi {

namespace {

// 1..10 for the number keys of the main row and the keypad (0 is ten), else 0.
int KeyNumber(int key) {
  if (key >= 0x31 && key <= 0x39) return key - 0x30;
  if (key >= 0x61 && key <= 0x69) return key - 0x60;
  if (key == 0x30 || key == 0x60) return 10;
  return 0;
}

}  // namespace

void TForm1::StringGrid1KeyDown(int key, ShiftState shift) {
  // Over results number keys pick nothing, and only Enter confirms.
  if (Searching()) {
    if (key == VK_RETURN_KEY && shift.CtrlAlone())
      TabView1Click();
    else if (key == VK_ESCAPE_KEY)
      LeaveSearch();
    else if (key == VK_RETURN_KEY && !shift.Ctrl && !shift.Alt)
      confirmingKeys_.push_back(key);
    return;
  }
  if (EditMode() || shift.CtrlAlone()) return;
  if (const int n = KeyNumber(key)) {
    SelectItemByNumber(n - 1);
    // A number that picked nothing confirms nothing either.
    if (!cat_.PickedItem() || cat_.PickedIndex() != n - 1) return;
  }
  if (std::find(confirmingKeys_.begin(), confirmingKeys_.end(), key) == confirmingKeys_.end())
    confirmingKeys_.push_back(key);
}

void TForm1::StringGrid1KeyUp(int key, ShiftState shift) {
  if (EditMode()) return;
  // Only a key pressed here, and not as a tab switch, confirms on its release:
  // the release of Ctrl after Ctrl+number, or of a number pressed with Ctrl,
  // must not chain anything.
  const auto down = std::find(confirmingKeys_.begin(), confirmingKeys_.end(), key);
  const bool confirming = down != confirmingKeys_.end();
  if (confirming) confirmingKeys_.erase(down);
  if (shift.CtrlAlone()) {
    if (const int n = KeyNumber(key)) SelectTabByNumber(n - 1);
    return;
  }
  if (confirming && (KeyRan || key == VK_RETURN_KEY)) Button2Click();
}

void TForm1::SelectItemByNumber(int position) {
  const TMList* tab = cat_.Tab(C.TabControl1.TabIndex());
  if (tab && position < tab->Count()) {
    // A pick ends memo editing first; a memo that cannot be stored keeps it.
    if (MemoEditMode() && !EndMode()) return;
    C.StringGrid1.SetSelection({1, position + 1, 2, position + 1});
    bool canSelect = true;
    StringGrid1SelectCell(0, position + 1, canSelect);
    return;
  }
  messages_.ShowMessage(std::to_string(position + 1) + std::string(NotRegisteredMessage),
                        MessageKind::Plain);
}

void TForm1::SelectTabByNumber(int position) {
  if (position >= static_cast<int>(cat_.TabNames().size())) return;
  if (MemoEditMode() && !EndMode()) return;
  // As through the strip, the tab left remembers its pick: one current pick
  // in the whole catalogue. Move mode stays on. Results show no tab.
  if (Searching()) StopSearch();
  cat_.LeaveCurrentTab();
  C.TabControl1.SetTabIndex(position);
  TabControl1Change();
}

void TForm1::K10Click() {
  KeyRan = !C.K10.Checked();
  C.K10.SetChecked(KeyRan);
}

}  // namespace zorbi
