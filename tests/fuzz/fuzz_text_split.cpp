// Any bytes: splitting never crashes, and comma text made from any lines
// reads back as the same lines.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "text/text_split.h"

using namespace zorbi;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  for (const char delimiter : {' ', ',', ';'}) (void)SplitDelimited(text, delimiter);
  TokenList pieces;
  for (const char separator : {' ', '$', ','})
    if (SplitBy(separator, text, pieces) != pieces.size()) std::abort();
  (void)FileNamePart(text);

  TokenList lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\n') {
      lines.push_back(text.substr(start, i - start));
      start = i + 1;
    }
  }
  if (SplitDelimited(JoinCommaText(lines), ',') != lines) std::abort();
  return 0;
}
