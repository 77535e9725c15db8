#include "settings/ini_file.h"

#include <limits>

#include "text/sjis.h"
#include "text/text_split.h"

namespace zorbi {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

unsigned char FoldAscii(unsigned char b) {
  return b >= 'a' && b <= 'z' ? static_cast<unsigned char>(b - 'a' + 'A') : b;
}

// Letter case counts only for single-byte characters: the second byte of a
// double-byte character may look like a letter.
bool SameName(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const std::size_t la = SjisCharLen(a, i);
    const std::size_t lb = SjisCharLen(b, j);
    if (la != lb) return false;
    if (la == 1) {
      if (FoldAscii(static_cast<unsigned char>(a[i])) !=
          FoldAscii(static_cast<unsigned char>(b[j])))
        return false;
    } else if (a.substr(i, 2) != b.substr(j, 2)) {
      return false;
    }
    i += la;
    j += lb;
  }
  return i == a.size() && j == b.size();
}

// The position of `c` as a single-byte character, or npos.
std::size_t FindChar(std::string_view text, char c) {
  for (std::size_t i = 0; i < text.size(); i += SjisCharLen(text, i))
    if (text[i] == c) return i;
  return std::string_view::npos;
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

enum class Kind { Other, Section, Key };

struct Parsed {
  Kind kind = Kind::Other;
  std::string_view name;    // section or key name, trimmed
  std::size_t valueAt = 0;  // for a key: where its value starts (after '=')
};

Parsed ParseLine(std::string_view text) {
  std::string_view body = TrimBytes(text);
  if (body.empty() || body.front() == ';') return {};
  if (body.front() == '[') {
    std::string_view inner = body.substr(1);
    inner = inner.substr(0, FindChar(inner, ']'));
    return {Kind::Section, TrimBytes(inner), 0};
  }
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) return {};
  const std::string_view key = TrimBytes(text.substr(0, equals));
  if (key.empty()) return {};
  return {Kind::Key, key, equals + 1};
}

// Quotes go only around a value that is one quoted string: in "a" -x "b" the
// first and the last quote belong to different words and both stay.
std::string_view ValueOf(std::string_view raw) {
  std::string_view value = TrimBytes(raw);
  if (value.size() >= 2 && value.front() == '"' && value.find('"', 1) == value.size() - 1)
    value = value.substr(1, value.size() - 2);
  return value;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<std::int32_t> ParseProfileInteger(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  bool hex = false;
  if (!text.empty() && text.front() == '$') {
    hex = true;
    text.remove_prefix(1);
  } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    hex = true;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;
  std::uint64_t value = 0;
  const std::uint64_t limit =
      hex ? 0xFFFFFFFFull
          : static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()) +
                (negative ? 1 : 0);
  for (const char c : text) {
    const int digit = hex ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
    if (digit < 0) return std::nullopt;
    value = value * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
    if (value > limit) return std::nullopt;
  }
  // Hexadecimal spells the 32 bits, as "$FFFFFFFF" for -1.
  const auto bits = static_cast<std::uint32_t>(negative ? 0 - value : value);
  return static_cast<std::int32_t>(bits);
}

std::string ProfileValue(std::string_view value, bool quoted) {
  if (value.find('"') != std::string_view::npos || (!quoted && ValueOf(value) == value))
    return std::string(value);
  std::string text(1, '"');
  text.append(value).push_back('"');
  return text;
}

IniFile::IniFile(std::string_view bytes) {
  bool newlineSeen = false;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t brk = bytes.find_first_of("\r\n", start);
    Line line;
    if (brk == std::string_view::npos) {
      line.text = std::string(bytes.substr(start));
      start = bytes.size();
    } else {
      const std::size_t endLen =
          bytes[brk] == '\r' && brk + 1 < bytes.size() && bytes[brk + 1] == '\n' ? 2 : 1;
      line.text = std::string(bytes.substr(start, brk - start));
      line.end = std::string(bytes.substr(brk, endLen));
      start = brk + endLen;
      if (!newlineSeen) {
        newline_ = line.end;
        newlineSeen = true;
      }
    }
    lines_.push_back(std::move(line));
  }
}

IniFile::Found IniFile::Find(std::string_view section, std::string_view key) const {
  Found found;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    std::string_view text = lines_[i].text;
    if (i == 0 && text.starts_with(kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());
    const Parsed parsed = ParseLine(text);
    if (parsed.kind == Kind::Section) {
      if (found.header) break;  // the end of the first matching section
      if (SameName(parsed.name, section)) {
        found.header = i;
        found.insertAt = i + 1;
      }
    } else if (found.header && parsed.kind == Kind::Key) {
      found.insertAt = i + 1;
      if (!found.key && SameName(parsed.name, key)) found.key = i;
    }
  }
  return found;
}

std::optional<std::string> IniFile::ReadString(std::string_view section,
                                               std::string_view key) const {
  const Found found = Find(section, key);
  if (!found.key) return std::nullopt;
  const std::string& text = lines_[*found.key].text;
  return std::string(ValueOf(std::string_view(text).substr(text.find('=') + 1)));
}

std::optional<std::int32_t> IniFile::ReadInteger(std::string_view section,
                                                 std::string_view key) const {
  const std::optional<std::string> value = ReadString(section, key);
  if (!value) return std::nullopt;
  return ParseProfileInteger(*value);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key) const {
  const std::optional<std::int32_t> value = ReadInteger(section, key);
  return value && *value != 0;
}

bool IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  // The header's ']' must stay a character of its own after the name.
  const bool sectionOk = !section.empty() && TrimBytes(section) == section &&
                         !HasLineBreak(section) &&
                         FindChar(std::string(section) + "]", ']') == section.size();
  const bool keyOk = !key.empty() && TrimBytes(key) == key && !HasLineBreak(key) &&
                     key.find('=') == std::string_view::npos && key.front() != '[' &&
                     key.front() != ';';
  if (!sectionOk || !keyOk) return false;
  value = value.substr(0, value.find_first_of("\r\n"));

  const Found found = Find(section, key);
  if (found.key) {
    std::string& text = lines_[*found.key].text;
    const std::size_t valueAt = text.find('=') + 1;
    // A key that already reads as the value keeps its bytes, quotes and blanks.
    if (ValueOf(std::string_view(text).substr(valueAt)) != ValueOf(value))
      text = text.substr(0, valueAt) + std::string(value);
    return true;
  }
  std::vector<Line> added;
  if (!found.header) {
    std::string header(1, '[');
    header.append(section).push_back(']');
    added.push_back({std::move(header), newline_});
  }
  std::string pair(key);
  pair.append(1, '=').append(value);
  added.push_back({std::move(pair), newline_});
  const std::size_t at = found.header ? found.insertAt : lines_.size();
  // The line before gets the end it lacked as the file's last line.
  if (at > 0 && lines_[at - 1].end.empty()) lines_[at - 1].end = newline_;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), added.begin(), added.end());
  return true;
}

// A value written as "$221", "0x221" or "-1" for true stays as it is while it
// still means the value.
bool IniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
  const bool same = ReadInteger(section, key) == value;
  return WriteString(section, key, same ? *ReadString(section, key) : std::to_string(value));
}

bool IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  const std::optional<std::int32_t> old = ReadInteger(section, key);
  const bool same = old && (*old != 0) == value;
  return WriteString(section, key, same ? *ReadString(section, key) : (value ? "1" : "0"));
}

std::string IniFile::Bytes() const {
  std::string bytes;
  for (const Line& line : lines_) bytes += line.text + line.end;
  return bytes;
}

}  // namespace zorbi
