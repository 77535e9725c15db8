// Text the user typed: what to tell the user when it cannot be stored.
#pragma once

#include <string>
#include <string_view>

namespace zorbi {

// "<what>に Shift-JIS で表せない文字 U+XXXX があるため、使えません。" The character
// itself has no Shift-JIS form, so the message names its code point.
std::string UnrepresentableTextMessage(std::string_view what, char32_t refused);

}  // namespace zorbi
