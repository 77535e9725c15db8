#include "forms/key_selection.h"

#include <algorithm>

namespace zorbi {

int KeyNumber(int key) {
  if (key >= 0x31 && key <= 0x39) return key - 0x30;
  if (key >= 0x61 && key <= 0x69) return key - 0x60;
  if (key == 0x30 || key == 0x60) return 10;
  return 0;
}

void KeySelection::KeyDown(int key, ShiftState shift) {
  if (shift.CtrlAlone()) return;
  bool picked = false;
  if (const int n = KeyNumber(key)) {
    // A number that picked nothing confirms nothing either.
    if (!actions_.PickNumber(n - 1)) return;
    picked = true;
  }
  const auto same = [key](const Down& d) { return d.Key == key; };
  if (std::find_if(down_.begin(), down_.end(), same) == down_.end()) down_.push_back({key, picked});
}

void KeySelection::KeyUp(int key, ShiftState shift) {
  // Only a key pressed here, and not as a tab switch, confirms on its release:
  // the release of Ctrl after Ctrl+number, or of a number pressed with Ctrl,
  // must not chain anything.
  const auto down =
      std::find_if(down_.begin(), down_.end(), [key](const Down& d) { return d.Key == key; });
  const bool confirming = down != down_.end();
  const bool picked = confirming && down->Picked;
  if (confirming) down_.erase(down);
  if (shift.CtrlAlone()) {
    if (const int n = KeyNumber(key)) actions_.ShowTabNumber(n - 1);
    return;
  }
  if (confirming && (actions_.KeyRan() || key == VK_RETURN_KEY)) actions_.ConfirmByKey(picked);
}

}  // namespace zorbi
