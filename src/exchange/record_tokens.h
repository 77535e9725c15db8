// Views of the tokens of a record line, for the parsers that run once per
// line: the same tokens as SplitDelimited(line, ' ') and the same pieces as
// SplitBy(' ', line), without building a list of strings per line.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "exchange/number_text.h"
#include "text/text_split.h"

namespace zorbi {

// Tokens as SplitDelimited(line, ' ') gives them, one at a time, so a parser
// scans no further than the tokens it uses. A token is a view into the line,
// or into this object for a quoted token with a doubled quote; it is valid
// until the next call.
class TokenCursor {
 public:
  explicit TokenCursor(std::string_view line) : line_(line) {}
  TokenCursor(const TokenCursor&) = delete;
  TokenCursor& operator=(const TokenCursor&) = delete;

  // False when no token is left.
  bool Next(std::string_view& token);

  enum class Real { None, Value, NotANumber };
  // The next token as a real (ReadReal). A number is converted straight from
  // the line, which spares scanning it twice.
  Real NextReal(double& value) {
    // Inline, the common case: a plain number that ends where its token does.
    const char* const begin = line_.data();
    const char* const end = begin + line_.size();
    const char* p = begin + pos_;
    while (p != end && IsBlank(static_cast<unsigned char>(*p))) ++p;
    if (p != end && *p != '"') {
      double plain = 0;
      const char* const stop = ReadPlainReal(begin, p, end, plain);
      if (stop != nullptr && (stop == end || IsBlank(static_cast<unsigned char>(*stop)))) {
        pos_ = static_cast<std::size_t>(stop - begin);
        value = plain;
        return Real::Value;
      }
    }
    return NextOtherReal(value);
  }

  // What NextReal would return, without converting the common shape: a
  // plain number, whose value no check needs.
  Real CheckReal() {
    const char* const begin = line_.data();
    const char* const end = begin + line_.size();
    const char* p = begin + pos_;
    while (p != end && IsBlank(static_cast<unsigned char>(*p))) ++p;
    if (p != end && *p != '"') {
      const char* const stop = SkipPlainReal(begin, p, end);
      if (stop != nullptr && (stop == end || IsBlank(static_cast<unsigned char>(*stop)))) {
        pos_ = static_cast<std::size_t>(stop - begin);
        return Real::Value;
      }
    }
    double value = 0;
    return NextOtherReal(value);
  }

 private:
  // NextReal for every other token.
  Real NextOtherReal(double& value);

  std::string_view line_;
  std::size_t pos_ = 0;
  std::string unquoted_;
};

// Checks many tokens of a line at once: past `skip` tokens, the next `count`
// (at least one) must each be a plain number, [-]d+[.d*], which CheckReal
// takes without converting it. Returns where the token after them starts, or
// the line's end when there is none; nullptr when a token has another shape
// or is too long for a 64-byte window: the caller then checks token by token.
// Bytes from the line's start up to `readable` (nullptr: the line's end) may
// be read.
const char* SkipPlainNumbers(std::string_view line, const char* readable, unsigned skip,
                             unsigned count);

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
