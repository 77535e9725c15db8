#include "forms/typed_text.h"

#include <cstdio>

namespace zorbi {

std::string UnrepresentableTextMessage(std::string_view what, char32_t refused) {
  char code[16];
  std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(refused));
  return std::string(what) + "に Shift-JIS で表せない文字 " + code + " があるため、使えません。";
}

}  // namespace zorbi
