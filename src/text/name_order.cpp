#include "text/name_order.h"

#include "text/sjis.h"

namespace zorbi {

namespace {

// Compares with single-byte letters folded: a trail byte in 'A'..'Z' belongs
// to a double-byte character and must stay as it is.
int CompareIgnoringCase(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  for (; i < a.size() && i < b.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x != y) {
      if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
      if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
      if (x != y) return x < y ? -1 : 1;
    }
    if (IsSjisLeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size() && i + 1 < b.size()) {
      ++i;  // the trail bytes compare as they are
      if (a[i] != b[i])
        return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[i]) ? -1 : 1;
    }
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareIgnoringCase(a, b) == 0;
}

bool LessIgnoringCase(std::string_view a, std::string_view b) {
  const int order = CompareIgnoringCase(a, b);
  return order != 0 ? order < 0 : a < b;
}

std::string FoldCase(std::string_view name) {
  std::string folded(name);
  for (std::size_t i = 0; i < folded.size(); i += SjisCharLen(folded, i)) {
    char& c = folded[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

}  // namespace zorbi
