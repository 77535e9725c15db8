// How the item grid's cells look, worked out without a window: a text cut to
// the width of its cell.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace zorbi {

// The width in pixels of a CP932 text in the grid's font.
using TextMeasure = std::function<int(std::string_view)>;

// `text` (CP932) as a cell `width` pixels wide shows it: whole when it fits,
// else its longest start that fits with "…" after it, cut between characters.
std::string CutToWidth(std::string_view text, int width, const TextMeasure& measure);

}  // namespace zorbi
