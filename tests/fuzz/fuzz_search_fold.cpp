// Any bytes as Shift-JIS text for find-as-you-type:
// - FoldInto writes no more than it may and the same as SearchFold;
// - the folded text is ASCII and well-formed three-byte characters, with no
//   control bytes;
// - a piece of the text cut at character boundaries folds to bytes found in
//   the folded text, and every place they are found starts a character, so a
//   plain byte search finds only whole characters;
// - the words of a search are non-empty and hold no space.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "text/search_fold.h"
#include "text/sjis.h"

using namespace zorbi;

namespace {

// Offsets where a folded character starts, and the end.
std::vector<bool> Starts(const std::string& folded) {
  std::vector<bool> starts(folded.size() + 1, false);
  for (std::size_t i = 0; i < folded.size();) {
    starts[i] = true;
    const auto b = static_cast<unsigned char>(folded[i]);
    if (b < 0x80) {
      if (b >= 1 && b < 32) std::abort();
      ++i;
      continue;
    }
    if (b < 0xE0 || b > 0xEF || i + 3 > folded.size()) std::abort();
    for (std::size_t k = 1; k < 3; ++k)
      if ((static_cast<unsigned char>(folded[i + k]) & 0xC0) != 0x80) std::abort();
    i += 3;
  }
  starts[folded.size()] = true;
  return starts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data) + 2, size - 2);

  // Exactly the room promised, so ASan sees a write past it.
  std::vector<char> room(text.size() * kMaxFoldGrowth);
  const char* end = FoldInto(text, room.data());
  const std::string folded(room.data(), static_cast<std::size_t>(end - room.data()));
  if (folded != SearchFold(text)) std::abort();
  const std::vector<bool> starts = Starts(folded);

  // A piece between two character boundaries chosen by the first two bytes.
  std::vector<std::size_t> bounds;
  for (std::size_t i = 0; i < text.size(); i += SjisCharLen(text, i)) bounds.push_back(i);
  bounds.push_back(text.size());
  const std::size_t a = data[0] % bounds.size(), b = data[1] % bounds.size();
  const std::string_view piece =
      text.substr(bounds[std::min(a, b)], bounds[std::max(a, b)] - bounds[std::min(a, b)]);
  const std::string word = SearchFold(piece);
  if (folded.find(word) == std::string::npos) std::abort();
  if (!word.empty())
    for (std::size_t at = folded.find(word); at != std::string::npos;
         at = folded.find(word, at + 1))
      if (!starts[at]) std::abort();

  for (const std::string& w : SearchWords(text))
    if (w.empty() || w.find(' ') != std::string::npos) std::abort();
  return 0;
}
