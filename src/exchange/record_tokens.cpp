#include "exchange/record_tokens.h"

#include <algorithm>
#include <cstring>

#include "exchange/number_text.h"

namespace zorbi {

// Byte scans are exact here: a Shift-JIS trail byte is never below 0x40, so it
// is never taken for a blank, a space or a double quote.

namespace {

std::size_t SkipBlanks(std::string_view text, std::size_t i) {
  while (i < text.size() && IsBlank(static_cast<unsigned char>(text[i]))) ++i;
  return i;
}

}  // namespace

bool TokenCursor::Next(std::string_view& token) {
  const std::size_t n = line_.size();
  std::size_t i = SkipBlanks(line_, pos_);
  if (i == n) {
    pos_ = n;
    return false;
  }
  if (line_[i] != '"') {
    const std::size_t start = i;
    while (i < n && !IsBlank(static_cast<unsigned char>(line_[i]))) ++i;
    token = line_.substr(start, i - start);
    pos_ = i;
    return true;
  }
  // A quoted token: a doubled quote inside stands for one; without a closing
  // quote the token runs to the end and loses its last byte.
  const std::size_t start = ++i;
  std::size_t from = start;  // start of the part not yet copied to unquoted_
  bool copied = false, closed = false;
  while (i < n) {
    const std::size_t quote = line_.find('"', i);
    if (quote == std::string_view::npos) {
      i = n;
      break;
    }
    if (quote + 1 < n && line_[quote + 1] == '"') {
      if (!copied) unquoted_.clear();
      unquoted_.append(line_.substr(from, quote + 1 - from));
      copied = true;
      i = from = quote + 2;
      continue;
    }
    i = quote;
    closed = true;
    break;
  }
  if (copied) {
    unquoted_.append(line_.substr(from, i - from));
    if (!closed) unquoted_.pop_back();  // never empty: it holds a quote
    token = unquoted_;
  } else {
    token = line_.substr(start, i - start);
    if (!closed && !token.empty()) token.remove_suffix(1);
  }
  pos_ = closed ? i + 1 : n;
  return true;
}

TokenCursor::Real TokenCursor::NextOtherReal(double& value) {
  const std::size_t n = line_.size();
  const std::size_t i = SkipBlanks(line_, pos_);
  if (i == n) {
    pos_ = n;
    return Real::None;
  }
  // A number that the plain conversion leaves to ReadRealPrefix (an exponent,
  // a '+', many digits), converted straight from the line.
  if (line_[i] != '"') {
    const std::size_t used = ReadRealPrefix(line_.substr(i), value);
    const std::size_t end = i + used;
    if (used != 0 && (end == n || IsBlank(static_cast<unsigned char>(line_[end])))) {
      pos_ = end;
      return Real::Value;
    }
  }
  // Anything else (quotes, a range error, trailing bytes) goes the long way.
  std::string_view token;
  Next(token);
  return ReadReal(token, value) ? Real::Value : Real::NotANumber;
}

namespace token_detail {

const char* SkipPlainNumbersByWindows(std::string_view line, const char* readable, unsigned skip,
                                      unsigned count) {
  if (line.empty()) return nullptr;
  const char* p = line.data();
  const char* const end = p + line.size();
  if (readable == nullptr) readable = end;
  // One window of 64 bytes after another, each taking the tokens that end in it.
  for (;;) {
    const std::size_t size = static_cast<std::size_t>(end - p);
    ByteClasses c;
    if (readable - p >= 64) {
      c = ClassifyBytes(p);
    } else {
      char copy[64] = {};
      std::memcpy(copy, p, std::min<std::size_t>(size, 64));
      c = ClassifyBytes(copy);
    }
    const bool lineEnds = size <= 64;
    const std::uint64_t inLine =
        lineEnds ? (std::uint64_t{2} << (size - 1)) - 1 : ~std::uint64_t{0};
    const std::uint64_t word = ~c.blank & inLine;
    const std::uint64_t starts = word & ~(word << 1);
    std::uint64_t next = starts;
    // A skipped token in quotes may hold blanks.
    for (; skip != 0; --skip) {
      if (next == 0 || p[std::countr_zero(next)] == '"') return nullptr;
      next &= next - 1;
    }
    if (next == 0) return nullptr;
    const std::uint64_t from = next & -next;
    unsigned taken = 0;  // tokens that end in the window
    for (; taken < count && (next & (next - 1)) != 0; ++taken) next &= next - 1;
    const char* after;     // where the next token starts
    std::uint64_t region;  // the bytes from the first checked token to `after`
    if (taken == count || (!lineEnds && taken != 0)) {
      after = p + std::countr_zero(next);
      region = (next & -next) - from;
    } else if (lineEnds && taken + 1 == count) {
      taken = count;
      after = end;
      region = inLine & -from;
    } else {
      return nullptr;  // too few tokens, or one fills the window
    }
    if (PlainFaults(c, inLine, starts, region) != 0) return nullptr;
    count -= taken;
    if (count == 0) return after;
    p = after;
  }
}

}  // namespace token_detail

void SpacePieces::Add(std::string_view piece) {
  if (count_ < kKept) views_[count_] = piece;
  ++count_;
}

namespace {

// TrimBytes of [from, to), in place.
void Trim(const char*& from, const char*& to) {
  while (from != to && static_cast<unsigned char>(*from) <= ' ') ++from;
  while (to != from && static_cast<unsigned char>(to[-1]) <= ' ') --to;
}

}  // namespace

SpacePieces::SpacePieces(std::string_view line) {
  const char* from = line.data();
  const char* end = from + line.size();
  Trim(from, end);
  // Trimmed at both ends, the text's last piece is never empty, so only
  // inner empty pieces are dropped.
  if (from == end) {
    Add(std::string_view());
    return;
  }
  for (;;) {
    const char* space = from;
    while (space != end && *space != ' ') ++space;
    const char* pieceEnd = space;
    Trim(from, pieceEnd);
    if (from != pieceEnd) Add(std::string_view(from, static_cast<std::size_t>(pieceEnd - from)));
    if (space == end) return;
    from = space + 1;
  }
}

}  // namespace zorbi
