#include "catalogue/relink_plan.h"

#include <unordered_map>

#include "text/name_order.h"
#include "text/text_split.h"

namespace zorbi {

std::vector<MissingItem> MissingItems(const CatalogueData& c,
                                      const std::function<bool(const std::string&)>& missing) {
  std::vector<MissingItem> items;
  for (std::size_t t = 0; t < c.TabNames.size() && t < c.TabList.size(); ++t) {
    const TMList& tab = *c.TabList[t];
    for (std::int32_t p = 0; p < tab.Count(); ++p) {
      const std::string& path = tab.Items[static_cast<std::size_t>(p)]->BatPath;
      if (missing(path)) items.push_back({static_cast<std::int32_t>(t), p, path});
    }
  }
  return items;
}

RelinkPlan MakeRelinkPlan(const std::vector<MissingItem>& missing,
                          const std::vector<std::string>& found) {
  struct Seen {
    const std::string* path;
    int count;
  };
  std::unordered_map<std::string, Seen> byName;
  byName.reserve(found.size());
  for (const std::string& path : found) {
    const auto [it, made] = byName.try_emplace(FoldCase(FileNamePart(path)), Seen{&path, 0});
    ++it->second.count;
  }
  RelinkPlan plan;
  for (const MissingItem& item : missing) {
    const std::string name = FileNamePart(item.Path);
    const auto it = name.empty() ? byName.end() : byName.find(FoldCase(name));
    if (it == byName.end()) {
      ++plan.NotFound;
    } else if (it->second.count > 1) {
      ++plan.FoundSeveral;
    } else {
      plan.Changes.push_back({item.Tab, item.Position, item.Path, *it->second.path});
    }
  }
  return plan;
}

}  // namespace zorbi
