// An item whose BAT file moved, and the path it gets.
#pragma once

#include <cstdint>
#include <string>

namespace zorbi {

struct ItemRelink {
  std::int32_t Tab = 0;
  std::int32_t Position = 0;
  std::string OldPath;
  std::string NewPath;
  friend bool operator==(const ItemRelink&, const ItemRelink&) = default;
};

}  // namespace zorbi
