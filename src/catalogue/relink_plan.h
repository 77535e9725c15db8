// Finding moved BAT files: which missing item goes to which file found below
// a folder the user chose.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/relink.h"

namespace zorbi {

struct MissingItem {
  std::int32_t Tab = 0;
  std::int32_t Position = 0;
  std::string Path;
};

struct RelinkPlan {
  // Items whose file name was found exactly once, in catalogue order.
  std::vector<ItemRelink> Changes;
  std::int64_t FoundSeveral = 0;  // items whose name was found more than once
  std::int64_t NotFound = 0;
};

// The items of the named tabs whose file `missing` says is gone, in order.
std::vector<MissingItem> MissingItems(const CatalogueData& c,
                                      const std::function<bool(const std::string&)>& missing);

// Each missing item against the files found, by file name with ASCII letter
// case ignored.
RelinkPlan MakeRelinkPlan(const std::vector<MissingItem>& missing,
                          const std::vector<std::string>& found);

}  // namespace zorbi
