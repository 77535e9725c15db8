// Conversion between the program's CP932 byte strings and the UTF-16 text of
// the W functions. Code page 932 is always named explicitly, so Japanese text
// comes out right whatever the system locale.
#pragma once

#include <optional>
#include <string>

namespace zorbi {

// Bytes that are not valid CP932 become U+30FB (Windows' choice), never an error.
std::wstring Widen(const std::string& cp932);

// nullopt when some character has no CP932 form (é, emoji, a lone surrogate):
// such text must be refused, not stored with '?' in its place.
std::optional<std::string> Narrow(const std::wstring& utf16);

// The code point of the first character of `utf16` that has no CP932 form (a
// lone surrogate counts as itself), or 0 when there is none.
char32_t FirstUnrepresentable(const std::wstring& utf16);

// For messages only: characters without a CP932 form are kept as the
// system spells them (text/display_text.h), never as a look-alike ("a" for
// "ä"), which could name another, existing file.
std::string NarrowForDisplay(const std::wstring& utf16);

// Text for showing: as Widen, with the kept characters of NarrowForDisplay
// turned back into themselves.
std::wstring WidenForDisplay(const std::string& text);

}  // namespace zorbi
