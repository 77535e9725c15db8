#include "platform/grid_look.h"

#include <vector>

#include "text/sjis.h"

namespace zorbi {

std::string CutToWidth(std::string_view text, int width, const TextMeasure& measure) {
  if (measure(text) <= width) return std::string(text);
  constexpr std::string_view kEllipsis = "\x81\x63";  // "…"
  // The character boundaries; the longest start that fits, found by halves.
  std::vector<std::size_t> ends{0};
  for (std::size_t i = 0; i < text.size(); i += SjisCharLen(text, i))
    ends.push_back(i + SjisCharLen(text, i));
  std::size_t low = 0, high = ends.size() - 1;  // ends[high] does not fit
  while (high - low > 1) {
    const std::size_t mid = (low + high) / 2;
    std::string start(text.substr(0, ends[mid]));
    start += kEllipsis;
    (measure(start) <= width ? low : high) = mid;
  }
  return std::string(text.substr(0, ends[low])) + std::string(kEllipsis);
}

}  // namespace zorbi
