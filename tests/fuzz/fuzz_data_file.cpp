// Any bytes: the reader must not crash, must change nothing when it refuses,
// and what it accepts must write back to a file that reads back the same.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "catalogue/data_file.h"

using namespace zorbi;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  CatalogueData c;
  std::vector<std::string> names{"before"};
  if (!ReadCatalogueImage(c, bytes, names)) {
    if (!c.TabList.empty() || names.size() != 1 || names[0] != "before") std::abort();
    return 0;
  }
  const auto count = static_cast<std::int32_t>(names.size());
  const std::string image = CatalogueImage(c, count, names);
  CatalogueData again;
  std::vector<std::string> againNames;
  if (!ReadCatalogueImage(again, image, againNames)) std::abort();
  if (CatalogueImage(again, static_cast<std::int32_t>(againNames.size()), againNames) != image)
    std::abort();
  return 0;
}
