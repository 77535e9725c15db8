// Items whose BAT files moved get their new paths.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"

namespace zorbi {

struct ItemRelink {
  std::int32_t Tab = 0;
  std::int32_t Position = 0;
  std::string OldPath;
  std::string NewPath;
  friend bool operator==(const ItemRelink&, const ItemRelink&) = default;
};

// Gives each item its new path, all in one step; only the path changes. An
// item no longer at its place with its old path is left as it is. The
// picked item's new path becomes PickedBatPath. Returns how many changed.
std::size_t RelinkItems(Catalogue& c, const std::vector<ItemRelink>& changes);

}  // namespace zorbi
