// Any bytes as a settings file: reading the program's keys never crashes, a
// value read and written back leaves the bytes as they were, and a key written
// reads back as written, also from the bytes written, while every other line
// keeps its text.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "settings/ini_file.h"

using namespace zorbi;

namespace {

std::vector<std::string> LineTexts(const std::string& bytes) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\r' || bytes[i] == '\n') {
      if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
      lines.push_back(line);
      line.clear();
    } else {
      line += bytes[i];
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  IniFile ini(bytes);
  if (ini.Bytes() != bytes) std::abort();
  const char* const keys[][2] = {
      {"Option", "MultiLine"},  {"Option", "KeyRan"},     {"Option", "Info"},
      {"Option", "JWCheck"},    {"File", "Editor"},       {"File", "AWKPath"},
      {"List", "FontName"},     {"List", "FontSize"},     {"List", "FontStyle"},
      {"List", "ColWidths[1]"}, {"List", "ColWidths[2]"}, {"Memo", "FontName"},
      {"Memo", "FontSize"},     {"Memo", "FontStyle"},    {"Form", "Top"},
      {"Form", "Left"},         {"Form", "Width"},        {"Form", "Height"}};
  for (const auto& [section, key] : keys) {
    (void)ini.ReadString(section, key);
    (void)ini.ReadBool(section, key);
  }

  // The first line names the section, the second the key, the third the value.
  const std::vector<std::string> parts = LineTexts(bytes);
  const std::string section = parts.size() > 0 ? parts[0] : "Form";
  const std::string key = parts.size() > 1 ? parts[1] : "Width";
  const std::string value = parts.size() > 2 ? "v" + parts[2] + "v" : "545";
  // Writing back what a key reads, as the close does, quoted or not, changes no byte.
  if (const auto read = ini.ReadString(section, key)) {
    IniFile same(bytes);
    same.WriteString(section, key, ProfileValue(*read, size % 2 == 1));
    if (same.Bytes() != bytes) std::abort();
  }
  if (!ini.WriteString(section, key, value)) return 0;
  if (ini.ReadString(section, key) != value) std::abort();
  if (IniFile(ini.Bytes()).ReadString(section, key) != value) std::abort();

  // Every other line keeps its text: the key's own line changed in place, or
  // one or two lines were added in one place.
  const std::vector<std::string> before = LineTexts(bytes);
  const std::vector<std::string> after = LineTexts(ini.Bytes());
  if (after.size() == before.size()) {
    std::size_t changed = 0;
    for (std::size_t i = 0; i < before.size(); ++i) changed += after[i] != before[i] ? 1 : 0;
    if (changed > 1) std::abort();
  } else {
    const std::size_t added = after.size() - before.size();
    if (after.size() < before.size() || added > 2) std::abort();
    std::size_t i = 0;
    while (i < before.size() && after[i] == before[i]) ++i;
    for (std::size_t k = i; k < before.size(); ++k)
      if (after[k + added] != before[k]) std::abort();
  }
  return 0;
}
