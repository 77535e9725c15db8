// File names with letter case ignored, for ordering and matching them.
#pragma once

#include <string>
#include <string_view>

namespace zorbi {

// Letter case ignored, ASCII letters only: what Windows does for the names
// Shift-JIS can spell apart from the full-width ones.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);
bool LessIgnoringCase(std::string_view a, std::string_view b);

// ASCII letters lowered; the second byte of a double-byte character stays.
std::string FoldCase(std::string_view name);

}  // namespace zorbi
