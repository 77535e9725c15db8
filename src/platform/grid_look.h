// How the item grid's cells look, worked out without a window: a text cut to
// the width of its cell, and the colour of the lines between cells.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace zorbi {

// The width in pixels of a CP932 text in the grid's font.
using TextMeasure = std::function<int(std::string_view)>;

// `text` (CP932) as a cell `width` pixels wide shows it: whole when it fits,
// else its longest start that fits with "…" after it, cut between characters.
std::string CutToWidth(std::string_view text, int width, const TextMeasure& measure);

// The lines between scrolling cells, from the window's background and text
// colours (0x00BBGGRR): a fifth of the way from the one to the other, or
// further (up to two thirds) until their light differs from the
// background's by a fifth of white's. On a white window they are the light
// grey they always were; on a dark one they still show.
std::uint32_t GridLineColour(std::uint32_t window, std::uint32_t text);

// The system colours a cell is drawn in.
enum class SystemColour { Window, WindowText, Highlight, HighlightText, Face, FaceText, GrayText };
struct CellLook {
  SystemColour Background = SystemColour::Window, Text = SystemColour::WindowText;
  // The text in the font's own colour instead.
  bool FontColour = false;
  // The lines between scrolling cells in the text colour itself, not mixed.
  bool SolidLines = false;
  friend bool operator==(const CellLook&, const CellLook&) = default;
};
// A header or number cell is fixed; a missing file's row is dimmed. Under a
// high-contrast scheme the system's colours alone are used, and the lines
// show at full strength.
CellLook LookOfCell(bool fixed, bool selected, bool dimmed, bool font_colour, bool high_contrast);

}  // namespace zorbi
