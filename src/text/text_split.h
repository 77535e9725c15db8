// Splitting lines into pieces and the comma-text form of a list of lines.
// Shift-JIS aware: the second byte of a double-byte character is never taken
// for a blank, a delimiter, a separator or a double quote.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zorbi {

using TokenList = std::vector<std::string>;

// Blank: a byte from 1 to 32.
constexpr bool IsBlank(unsigned char b) {
  return b >= 1 && b <= 32;
}

// Tokens separated by blanks and `delimiter`, with double-quoted tokens in
// which a doubled quote stands for one. Reads comma text when `delimiter` is ','.
TokenList SplitDelimited(std::string_view text, char delimiter);

// Appends the trimmed, non-empty pieces of `text` between `separator` bytes to
// `list`, then the trimmed rest even when empty; returns the list's new size.
// Quotes have no meaning here.
std::size_t SplitBy(char separator, std::string_view text, TokenList& list);

// The standard comma text of `lines` (quoted where a line holds a blank, a
// double quote or a comma).
std::string JoinCommaText(const TokenList& lines);

// The text after the last '\' or ':' (the whole text when there is none).
std::string FileNamePart(std::string_view path);

// `name` in `folder`: a '\' between them unless the folder ends in one or in
// ':' (a trail byte 0x5C of a double-byte character is no separator).
std::string JoinPath(std::string_view folder, std::string_view name);

// Removes leading and trailing bytes 0 to 32.
std::string_view TrimBytes(std::string_view text);

}  // namespace zorbi
