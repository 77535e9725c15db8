// Views of the tokens of a record line, for the parsers that run once per
// line: the same tokens as SplitDelimited(line, ' ') and the same pieces as
// SplitBy(' ', line), without building a list of strings per line.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "exchange/byte_scan.h"
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

namespace token_detail {
// Where the bytes of `region` break the plain-number shape: every byte is a
// blank, digit, '-' or '.'; a '-' only starts a token and is followed by a
// digit, as is a token start without one; a '.' follows a digit, and only
// digits follow it up to a blank or the line's end. A '-' or run of digits in
// the last bit ends the line, so what is shifted out can be left: only the
// '-' fails there.
inline std::uint64_t PlainFaults(const ByteClasses& c, std::uint64_t inLine, std::uint64_t starts,
                                 std::uint64_t region) {
  const std::uint64_t digit = c.digit & inLine;
  const std::uint64_t minus = c.minus & region, dot = c.dot & region;
  const std::uint64_t runEnds = (digit + (dot << 1)) & ~digit;
  return (c.other & region) | (minus & ~starts) | ((minus << 1) & ~digit) | (minus >> 63) |
         (starts & region & ~(minus | digit)) | (dot & ~(digit << 1)) |
         (runEnds & region & ~c.blank);
}

// SkipPlainNumbers one window of 64 bytes after another, and near the end
// of what may be read.
const char* SkipPlainNumbersByWindows(std::string_view line, const char* readable, unsigned skip,
                                      unsigned count);
}  // namespace token_detail

// Checks many tokens of a line at once: past `skip` tokens, the next `count`
// (at least one) must each be a plain number, [-]d+[.d*], which CheckReal
// takes without converting it. Returns where the token after them starts, or
// the line's end when there is none; nullptr when a token has another shape
// or is too long for a 64-byte window: the caller then checks token by token.
// Bytes from the line's start up to `readable` (nullptr: the line's end) may
// be read.
inline const char* SkipPlainNumbers(std::string_view line, const char* readable, unsigned skip,
                                    unsigned count) {
  const char* const p = line.data();
  const std::size_t size = line.size();
  // Inline, the common case: a line of one window, with the window readable.
  if (size - 1 >= 64 || readable == nullptr || readable - p < 64)
    return token_detail::SkipPlainNumbersByWindows(line, readable, skip, count);
  const ByteClasses c = ClassifyBytes(p);
  const std::uint64_t inLine = ~std::uint64_t{0} >> (64 - size);
  const std::uint64_t word = ~c.blank & inLine;
  const std::uint64_t starts = word & ~(word << 1);
  std::uint64_t next = starts;
  // A skipped token in quotes may hold blanks.
  for (unsigned i = 0; i < skip; ++i) {
    if (next == 0 || p[std::countr_zero(next)] == '"') return nullptr;
    next &= next - 1;
  }
  const std::uint64_t from = next & -next;
  for (unsigned i = 1; i < count; ++i) next &= next - 1;
  if (next == 0) return nullptr;  // too few tokens
  next &= next - 1;
  const std::uint64_t to = next & -next;  // none: the tokens end the line
  // Past a 64-byte line, inLine + 1 wraps to 0, which is right.
  const std::uint64_t region = (to != 0 ? to : inLine + 1) - from;
  if (token_detail::PlainFaults(c, inLine, starts, region) != 0) return nullptr;
  return to != 0 ? p + std::countr_zero(to) : p + size;
}

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
