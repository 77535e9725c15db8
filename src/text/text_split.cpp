#include "text/text_split.h"

#include "text/sjis.h"

namespace zorbi {

std::string_view SjisPrefix(std::string_view text, std::size_t maxBytes) {
  // A whole text ends on a boundary: only a longer one needs the walk, and
  // every stored text passes here at each close.
  if (text.size() <= maxBytes) return text;
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t len = SjisCharLen(text, end);
    if (end + len > maxBytes) break;
    end += len;
  }
  return text.substr(0, end);
}

namespace {

std::size_t SkipBlanks(std::string_view text, std::size_t i) {
  while (i < text.size() && IsBlank(static_cast<unsigned char>(text[i]))) ++i;
  return i;
}

// Position of the first `sep` byte that starts a character, or npos.
std::size_t FindSeparator(std::string_view text, char sep) {
  for (std::size_t i = 0; i < text.size(); i += SjisCharLen(text, i))
    if (text[i] == sep) return i;
  return std::string_view::npos;
}

}  // namespace

std::string_view TrimBytes(std::string_view text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 32) ++begin;
  // A trail byte is never below 0x40, so trimming from the end never splits a character.
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32) --end;
  return text.substr(begin, end - begin);
}

TokenList SplitDelimited(std::string_view text, char delimiter) {
  TokenList tokens;
  const std::size_t n = text.size();
  std::size_t i = SkipBlanks(text, 0);
  while (i < n) {
    std::string token;
    if (text[i] == '"') {
      ++i;
      bool closed = false;
      while (i < n) {
        const std::size_t len = SjisCharLen(text, i);
        if (len == 1 && text[i] == '"') {
          if (i + 1 < n && text[i + 1] == '"') {
            token += '"';
            i += 2;
            continue;
          }
          ++i;
          closed = true;
          break;
        }
        token.append(text.substr(i, len));
        i += len;
      }
      // An unclosed quoted token loses its last byte.
      if (!closed && !token.empty()) token.pop_back();
    } else {
      const std::size_t start = i;
      while (i < n) {
        const std::size_t len = SjisCharLen(text, i);
        if (len == 1 && (IsBlank(static_cast<unsigned char>(text[i])) || text[i] == delimiter))
          break;
        i += len;
      }
      token.assign(text.substr(start, i - start));
    }
    tokens.push_back(std::move(token));
    i = SkipBlanks(text, i);
    if (i < n && text[i] == delimiter) {
      if (i == n - 1) tokens.emplace_back();
      i = SkipBlanks(text, i + 1);
    }
  }
  return tokens;
}

std::size_t SplitBy(char separator, std::string_view text, TokenList& list) {
  std::string_view rest = TrimBytes(text);
  for (std::size_t p = FindSeparator(rest, separator); p != std::string_view::npos;
       p = FindSeparator(rest, separator)) {
    const std::string_view piece = TrimBytes(rest.substr(0, p));
    if (!piece.empty()) list.emplace_back(piece);
    rest = TrimBytes(rest.substr(p + 1));
  }
  list.emplace_back(rest);
  return list.size();
}

std::string JoinCommaText(const TokenList& lines) {
  if (lines.size() == 1 && lines[0].empty()) return "\"\"";
  std::string out;
  for (std::size_t k = 0; k < lines.size(); ++k) {
    if (k > 0) out += ',';
    const std::string& line = lines[k];
    bool quote = false;
    // Trail bytes are never blanks, quotes or commas, so a byte scan is exact.
    for (const char c : line)
      if (IsBlank(static_cast<unsigned char>(c)) || c == '"' || c == ',') quote = true;
    if (!quote) {
      out += line;
      continue;
    }
    out += '"';
    for (const char c : line) {
      if (c == '"') out += '"';
      out += c;
    }
    out += '"';
  }
  return out;
}

std::string FileNamePart(std::string_view path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); i += SjisCharLen(path, i))
    if (path[i] == '\\' || path[i] == ':') start = i + 1;
  return std::string(path.substr(start));
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path(folder);
  if (!folder.empty() && FileNamePart(folder).size() != 0) path += '\\';
  path += name;
  return path;
}

}  // namespace zorbi
