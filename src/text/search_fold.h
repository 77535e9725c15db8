// Text folded for find-as-you-type: letter case, the width of letters, digits,
// punctuation and katakana, and hiragana against katakana make no difference.
//
// The folded form is not Shift-JIS: an ASCII character stays one byte and any
// other becomes three bytes laid out as in UTF-8 (a lead byte 0xE0..0xEF, two
// bytes 0x80..0xBF). A folded word then only ever matches a folded text at a
// character boundary, so a plain byte search is enough; in Shift-JIS a trail
// byte may look like an ASCII letter.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zorbi {

// Folded text takes at most this many bytes per byte of Shift-JIS.
inline constexpr std::size_t kMaxFoldGrowth = 3;

// Writes `sjis` folded from `out` on, which has room for kMaxFoldGrowth bytes
// per byte, and returns the end. Blanks (bytes 1..32, the full-width space)
// become one ASCII space each, so a folded word, which has none, never spans
// two texts joined with a space.
char* FoldInto(std::string_view sjis, char* out);
std::string SearchFold(std::string_view sjis);

// The folded words of a search text, split at ASCII and full-width spaces.
std::vector<std::string> SearchWords(std::string_view sjis);

}  // namespace zorbi
