// Any bytes as PATH.TXT: either the whole catalogue is restored or nothing is,
// and a restored catalogue exports to a file that restores to the same export.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "catalogue/path_txt.h"

using namespace zorbi;

namespace {

// BAT files from their names: an 'x' cannot be read, an 'e' is empty.
std::optional<std::string> Head(const std::string& path) {
  if (path.find('x') != std::string::npos) return std::nullopt;
  if (path.find('e') != std::string::npos) return std::string();
  return "@REM " + path + "\r\n";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  PathTxtCatalogue out;
  out.TabNames = {"before"};
  PathTxtError error;
  if (!RestorePathTxt(bytes, {"T1", "T2"}, 2, Head, out, error)) {
    if (out.TabNames != std::vector<std::string>{"before"} || !out.TabList.empty()) std::abort();
    if (error.LineNo < 2 || error.Fault == PathTxtFault::None) std::abort();
    return 0;
  }
  if (out.TabNames.empty() || out.TabList.size() < out.TabNames.size()) std::abort();
  // One item for every item line: never a part of the file.
  const std::string image = PathTxtImage(out.TabNames, out.TabList);
  if (SplitTextLines(image).size() != std::max<std::size_t>(1, SplitTextLines(bytes).size()))
    std::abort();
  PathTxtCatalogue again;
  if (!RestorePathTxt(image, {}, out.TabList.size(), Head, again, error)) std::abort();
  if (PathTxtImage(again.TabNames, again.TabList) != image) std::abort();
  return 0;
}
