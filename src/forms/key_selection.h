// Keyboard selection in the item grid: number keys pick, Ctrl+number shows a
// tab, Enter (or any key with キー選択で即実行) confirms on its release.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"
#include "forms/command_rule.h"
#include "forms/item_search.h"
#include "forms/item_view.h"
#include "platform/controls.h"
#include "platform/services.h"

namespace zorbi {

inline constexpr int VK_RETURN_KEY = 0x0D;
inline constexpr int VK_ESCAPE_KEY = 0x1B;
inline constexpr std::string_view NotRegisteredMessage = " 番目の項目は登録されていません。";

// 1..10 for the number keys of the main row and the keypad (0 is ten), else 0.
int KeyNumber(int key);

class KeySelection {
 public:
  // `keyRan` is the setting, read at each key; `confirm` hands the pick to
  // the host, told whether the key being released picked it.
  KeySelection(Catalogue& cat, ItemView& view, ItemSearch& search, Grid& grid, TabStrip& tabs,
               MessageBoxes& messages, CommandGate& gate, const bool& keyRan,
               std::function<void(bool pickedNow)> confirm)
      : cat_(cat),
        view_(view),
        search_(search),
        grid_(grid),
        tabs_(tabs),
        messages_(messages),
        gate_(gate),
        keyRan_(keyRan),
        confirm_(std::move(confirm)) {}

  void KeyDown(int key, ShiftState shift, FormMode mode);
  void KeyUp(int key, ShiftState shift, FormMode mode);
  // Keys pressed before now confirm nothing: the focus went elsewhere, or a
  // search began.
  void Forget() { down_.clear(); }
  // "タブで表示", Ctrl+Enter: the highlighted result on its tab, the keys
  // back in the grid.
  void ShowResultOnTab();
  // Ctrl+Tab, Ctrl+Shift+Tab: the next or the previous tab, round from the
  // last to the first, as Ctrl+number shows it.
  void ShowNextTab(bool back);

 private:
  // Picks the `position`th item of the shown tab; true when it is picked.
  bool PickNumber(int position);
  void ShowTabNumber(int position);

  struct Down {
    int Key = 0;
    // The picks when it went down: a key that moved the pick (a number, an
    // arrow) picked what its release would confirm.
    std::uint64_t PicksBefore = 0;
  };
  Catalogue& cat_;
  ItemView& view_;
  ItemSearch& search_;
  Grid& grid_;
  TabStrip& tabs_;
  MessageBoxes& messages_;
  CommandGate& gate_;
  const bool& keyRan_;
  std::function<void(bool)> confirm_;
  // Keys pressed in the grid whose release may confirm: a tab switch or a
  // number that picked nothing never does.
  std::vector<Down> down_;
};

}  // namespace zorbi
