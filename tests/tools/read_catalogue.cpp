// Reads the files a run of the program left beside it with the program's own
// readers, for the chaos run (bench/chaos):
//
//   read_catalogue Z_Orbi.DAT [--path-txt PATH.TXT] [--ini Z_Orbi.ini]
//
// Prints "tabs T items I", then "path <hex bytes>" for every item. Exit
// status 1, with the reason on stderr, when the data file is refused, when
// PATH.TXT is not the export of the data file's catalogue, or when a value
// the program writes to the settings file does not read back as one it writes.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/data_file.h"
#include "catalogue/path_txt.h"
#include "settings/ini_file.h"

namespace {

std::optional<std::string> ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

int Refuse(const std::string& what) {
  std::fprintf(stderr, "read_catalogue: %s\n", what.c_str());
  return 1;
}

std::string Hex(std::string_view bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

// The keys the program writes at close, and the values it writes to each.
std::string CheckSettings(const zorbi::IniFile& ini) {
  struct Key {
    const char* section;
    const char* key;
    std::int32_t low, high;
  };
  static constexpr Key kKeys[] = {
      {"Option", "MultiLine", 0, 1},  {"Option", "KeyRan", 0, 1},
      {"Option", "Info", 0, 1},       {"Option", "JWCheck", 0, 1},
      {"List", "FontSize", 1, 1000},  {"Memo", "FontSize", 1, 1000},
      {"Form", "Top", -32768, 32767}, {"Form", "Left", -32768, 32767},
      {"Form", "Width", 1, 32767},    {"Form", "Height", 1, 32767},
  };
  for (const Key& k : kKeys) {
    const std::optional<std::int32_t> v = ini.ReadInteger(k.section, k.key);
    if (!v || *v < k.low || *v > k.high)
      return std::string("settings: [") + k.section + "] " + k.key + " is missing or out of range";
  }
  if (ini.ReadString("List", "FontName").value_or("").empty() ||
      ini.ReadString("Memo", "FontName").value_or("").empty())
    return "settings: a font has no name";
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Refuse("usage: read_catalogue Z_Orbi.DAT [--path-txt F] [--ini F]");
  const char* pathTxt = nullptr;
  const char* ini = nullptr;
  for (int i = 2; i + 1 < argc; i += 2) {
    const std::string_view option = argv[i];
    if (option == "--path-txt")
      pathTxt = argv[i + 1];
    else if (option == "--ini")
      ini = argv[i + 1];
    else
      return Refuse("unknown option " + std::string(option));
  }

  const std::optional<std::string> bytes = ReadFile(argv[1]);
  if (!bytes) return Refuse(std::string("cannot read ") + argv[1]);
  zorbi::CatalogueData catalogue;
  std::vector<std::string> names;
  std::size_t used = 0;
  if (!zorbi::ReadCatalogueImage(catalogue, *bytes, names, &used))
    return Refuse("the data file is refused");
  if (used != bytes->size()) return Refuse("bytes after the last item");
  // What the program would write back for it is what it wrote.
  const std::string again =
      zorbi::CatalogueImage(catalogue, static_cast<std::int32_t>(names.size()), names);
  if (again != *bytes) return Refuse("the data file does not write back as its own bytes");

  if (pathTxt != nullptr) {
    const std::optional<std::string> text = ReadFile(pathTxt);
    if (!text) return Refuse(std::string("cannot read ") + pathTxt);
    if (*text != zorbi::PathTxtImage(names, catalogue.TabList))
      return Refuse("PATH.TXT is not the export of the data file");
  }
  if (ini != nullptr) {
    const std::optional<std::string> text = ReadFile(ini);
    if (!text) return Refuse(std::string("cannot read ") + ini);
    if (const std::string fault = CheckSettings(zorbi::IniFile(*text)); !fault.empty())
      return Refuse(fault);
  }

  std::printf("tabs %zu items %lld\n", catalogue.TabList.size(),
              static_cast<long long>(catalogue.TotalItemCount()));
  for (const auto& tab : catalogue.TabList)
    for (const zorbi::TMenuItem& item : *tab) std::printf("path %s\n", Hex(item.BatPath).c_str());
  return 0;
}
