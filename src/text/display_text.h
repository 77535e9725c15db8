// Text for messages that names files as the system spells them. A character
// with no Shift-JIS form (the é of café.bat) cannot be held in the program's
// CP932 strings; in text meant only for showing, it is kept as the byte 0xFF,
// which no CP932 character uses, and six hex digits of its code point. The
// window that shows the text turns it back into the character.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zorbi {

inline constexpr char KeptCharMark = '\xFF';

// The bytes that keep `c` in text for showing.
std::string KeptChar(char32_t c);

// A run of CP932 bytes (Char == 0) or one kept character.
struct DisplayPiece {
  std::string_view Bytes;
  char32_t Char = 0;
};

// `text` in order: its CP932 runs and its kept characters. A mark that is not
// followed by six hex digits of a code point stays a byte of its run.
std::vector<DisplayPiece> DisplayPieces(std::string_view text);

}  // namespace zorbi
