// Views of the tokens of a record line, for the parsers that run once per
// line: the same tokens as SplitDelimited(line, ' ') and the same pieces as
// SplitBy(' ', line), without building a list of strings per line.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "exchange/text_split.h"

namespace zorbi {

// Tokens as SplitDelimited(line, ' ') gives them. All are counted; the first
// kKept are kept. A view is valid while the line and this object live.
class SpaceTokens {
 public:
  static constexpr std::size_t kKept = 17;  // "hs" and its 16 group scales

  explicit SpaceTokens(std::string_view line);
  SpaceTokens(const SpaceTokens&) = delete;
  SpaceTokens& operator=(const SpaceTokens&) = delete;

  std::size_t size() const { return count_; }
  // Token i for i < min(size(), kKept).
  std::string_view operator[](std::size_t i) const { return views_[i]; }

 private:
  void Add(std::string_view token);

  std::array<std::string_view, kKept> views_{};
  std::size_t count_ = 0;
  TokenList unquoted_;  // only for a line whose quoted token holds a doubled quote
};

// Pieces as SplitBy(' ', line, list) appends them to an empty list. All are
// counted; the first kKept are kept.
class SpacePieces {
 public:
  static constexpr std::size_t kKept = 9;  // a solid's kind and eight numbers

  explicit SpacePieces(std::string_view line);

  std::size_t size() const { return count_; }
  std::string_view operator[](std::size_t i) const { return views_[i]; }

 private:
  void Add(std::string_view piece);

  std::array<std::string_view, kKept> views_{};
  std::size_t count_ = 0;
};

}  // namespace zorbi
