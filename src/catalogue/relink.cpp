#include "catalogue/relink.h"

namespace zorbi {

std::size_t RelinkItems(Catalogue& c, const std::vector<ItemRelink>& changes) {
  const TMenuItem* picked = PickedItem(c);
  std::size_t changed = 0;
  for (const ItemRelink& change : changes) {
    TMenuItem* item = c.Item(change.Tab, change.Position);
    if (!item || item->BatPath != change.OldPath) continue;
    item->BatPath = change.NewPath;
    if (item == picked) c.PickedBatPath = item->BatPath;
    ++changed;
  }
  return changed;
}

}  // namespace zorbi
