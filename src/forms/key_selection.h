// Keyboard selection in the item grid: number keys pick, Ctrl+number shows a
// tab, Enter (or any key with キー選択で即実行) confirms on its release.
#pragma once

#include <string_view>
#include <vector>

#include "platform/controls.h"

namespace zorbi {

inline constexpr int VK_RETURN_KEY = 0x0D;
inline constexpr int VK_ESCAPE_KEY = 0x1B;
inline constexpr std::string_view NotRegisteredMessage = " 番目の項目は登録されていません。";

// 1..10 for the number keys of the main row and the keypad (0 is ten), else 0.
int KeyNumber(int key);

// What the keys ask of the main window.
struct KeyActions {
  // Picks the `position`th item of the shown tab; true when it is picked.
  virtual bool PickNumber(int position) = 0;
  virtual void ShowTabNumber(int position) = 0;
  // `pickedNow`: the key being released picked the item it confirms.
  virtual void ConfirmByKey(bool pickedNow) = 0;
  virtual bool KeyRan() const = 0;

 protected:
  ~KeyActions() = default;
};

class KeySelection {
 public:
  explicit KeySelection(KeyActions& actions) : actions_(actions) {}

  void KeyDown(int key, ShiftState shift);
  void KeyUp(int key, ShiftState shift);
  // Keys pressed before now confirm nothing: the focus went elsewhere, or a
  // search began.
  void Forget() { down_.clear(); }

 private:
  struct Down {
    int Key = 0;
    bool Picked = false;  // this key's press picked an item
  };
  KeyActions& actions_;
  // Keys pressed in the grid whose release may confirm: a tab switch or a
  // number that picked nothing never does.
  std::vector<Down> down_;
};

}  // namespace zorbi
