#include "exchange/record_tokens.h"

namespace zorbi {

// Byte scans are exact here: a Shift-JIS trail byte is never below 0x40, so it
// is never taken for a blank, a space or a double quote.

namespace {

std::size_t SkipBlanks(std::string_view text, std::size_t i) {
  while (i < text.size() && IsBlank(static_cast<unsigned char>(text[i]))) ++i;
  return i;
}

}  // namespace

void SpaceTokens::Add(std::string_view token) {
  if (count_ < kKept) views_[count_] = token;
  ++count_;
}

SpaceTokens::SpaceTokens(std::string_view line) {
  const std::size_t n = line.size();
  std::size_t i = SkipBlanks(line, 0);
  while (i < n) {
    std::size_t start = i, end = i;
    if (line[i] == '"') {
      start = i + 1;
      const std::size_t close = line.find('"', start);
      if (close == std::string_view::npos) {
        // Unclosed: runs to the end and loses its last byte.
        end = n > start ? n - 1 : start;
        i = n;
      } else if (close + 1 < n && line[close + 1] == '"') {
        // A doubled quote stands for one; such a token can't be a view.
        unquoted_ = SplitDelimited(line, ' ');
        count_ = 0;
        for (const std::string& token : unquoted_) Add(token);
        return;
      } else {
        end = close;
        i = close + 1;
      }
    } else {
      while (i < n && !IsBlank(static_cast<unsigned char>(line[i]))) ++i;
      end = i;
    }
    Add(line.substr(start, end - start));
    i = SkipBlanks(line, i);
  }
}

void SpacePieces::Add(std::string_view piece) {
  if (count_ < kKept) views_[count_] = piece;
  ++count_;
}

SpacePieces::SpacePieces(std::string_view line) {
  const std::string_view text = TrimBytes(line);
  // Trimmed at both ends, the text's last piece is never empty, so only
  // inner empty pieces are dropped.
  if (text.empty()) {
    Add(text);
    return;
  }
  std::size_t from = 0;
  for (;;) {
    const std::size_t p = text.find(' ', from);
    const std::string_view piece =
        TrimBytes(text.substr(from, p == std::string_view::npos ? p : p - from));
    if (!piece.empty()) Add(piece);
    if (p == std::string_view::npos) return;
    from = p + 1;
  }
}

}  // namespace zorbi
