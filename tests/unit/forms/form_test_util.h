// Building catalogue files for form tests.
#pragma once

#include <string>
#include <vector>

#include "catalogue/data_file.h"

namespace zorbi::test {

struct ItemSpec {
  std::string path;
  std::string summary = "Sum";
  std::int32_t pick = 0;
  std::string memo = "\"Sum\"";
};

// The file image of a catalogue with the given tabs and their items.
inline std::string DataFileWith(const std::vector<std::string>& names,
                                const std::vector<std::vector<ItemSpec>>& items) {
  CatalogueData c;
  for (std::size_t t = 0; t < names.size(); ++t) {
    c.TabList.push_back(std::make_unique<TMList>());
    if (t >= items.size()) continue;
    for (std::size_t p = 0; p < items[t].size(); ++p) {
      const ItemSpec& s = items[t][p];
      auto item = std::make_unique<TMenuItem>();
      item->InitItem(s.path, s.summary, static_cast<std::int32_t>(t), static_cast<std::int32_t>(p),
                     s.memo, "", "", s.pick, 0);
      AddItem(*c.TabList[t], std::move(item));
    }
  }
  return CatalogueImage(c, static_cast<std::int32_t>(names.size()), names);
}

inline std::vector<ItemSpec> NumberedItems(int n, const std::string& prefix = "C:\\BAT\\") {
  std::vector<ItemSpec> items;
  for (int i = 1; i <= n; ++i)
    items.push_back({prefix + "F" + std::to_string(i) + ".BAT", "S" + std::to_string(i)});
  return items;
}

}  // namespace zorbi::test
