#include "forms/key_selection.h"

#include <algorithm>
#include <string>

#include "forms/grid_columns.h"

namespace zorbi {

int KeyNumber(int key) {
  if (key >= 0x31 && key <= 0x39) return key - 0x30;
  if (key >= 0x61 && key <= 0x69) return key - 0x60;
  if (key == 0x30 || key == 0x60) return 10;
  return 0;
}

void KeySelection::KeyDown(int key, ShiftState shift, FormMode mode) {
  // Over results number keys pick nothing, and only Enter confirms.
  if (search_.Active()) {
    if (key == VK_RETURN_KEY && shift.CtrlAlone())
      ShowResultOnTab();
    else if (key == VK_ESCAPE_KEY)
      search_.Leave();
    else if (key == VK_RETURN_KEY && !shift.Ctrl && !shift.Alt)
      down_.push_back({key, view_.Picks()});
    return;
  }
  // In item edit mode the keys belong to the cell.
  if (mode == FormMode::ItemEdit || shift.CtrlAlone()) return;
  const std::uint64_t before = view_.Picks();
  // A number that picked nothing confirms nothing either.
  if (const int n = KeyNumber(key); n && !PickNumber(n - 1)) return;
  const auto same = [key](const Down& d) { return d.Key == key; };
  if (std::find_if(down_.begin(), down_.end(), same) == down_.end()) down_.push_back({key, before});
}

void KeySelection::KeyUp(int key, ShiftState shift, FormMode mode) {
  // In item edit mode only Ctrl+number reaches here: it switches tabs.
  if (mode == FormMode::ItemEdit && !(shift.CtrlAlone() && KeyNumber(key))) return;
  // Only a key pressed here, and not as a tab switch, confirms on its release:
  // the release of Ctrl after Ctrl+number, or of a number pressed with Ctrl,
  // must not chain anything.
  const auto down =
      std::find_if(down_.begin(), down_.end(), [key](const Down& d) { return d.Key == key; });
  const bool confirming = down != down_.end();
  const bool picked = confirming && view_.Picks() != down->PicksBefore;
  if (confirming) down_.erase(down);
  if (shift.CtrlAlone()) {
    if (const int n = KeyNumber(key)) ShowTabNumber(n - 1);
    return;
  }
  if (confirming && (keyRan_ || key == VK_RETURN_KEY)) confirm_(picked);
}

bool KeySelection::PickNumber(int position) {
  const TMList* tab = cat_.Tab(cat_.CurrentTab());
  if (!tab || position >= tab->Count()) {
    messages_.ShowMessage(std::to_string(position + 1) + std::string(NotRegisteredMessage),
                          MessageKind::Plain);
    return false;
  }
  if (!gate_.Allowed(Command::PickRow)) return false;
  grid_.SetSelection(RowCells(position + 1));
  view_.PickRow(position + 1);
  grid_.ScrollIntoView(position + 1);
  return cat_.PickedItem() != nullptr && cat_.PickedIndex() == position;
}

void KeySelection::ShowTabNumber(int position) {
  if (position >= cat_.TabNameCount() || !gate_.Allowed(Command::SwitchTab)) return;
  // As through the strip, the tab left remembers its pick: one current pick
  // in the whole catalogue. Results show no tab.
  search_.Stop();
  cat_.LeaveCurrentTab();
  tabs_.SetTabIndex(position);
  view_.ShowStripTab();
}

void KeySelection::ShowNextTab(bool back) {
  const int count = cat_.TabNameCount();
  if (count > 1) ShowTabNumber((cat_.CurrentTab() + (back ? count - 1 : 1)) % count);
}

void KeySelection::ShowResultOnTab() {
  if (gate_.Allowed(Command::ShowResultOnTab)) grid_.SetFocus();
}

}  // namespace zorbi
