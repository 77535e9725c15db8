#include "platform/grid_look.h"

#include <cmath>
#include <vector>

#include "text/sjis.h"

namespace zorbi {

std::string CutToWidth(std::string_view text, int width, const TextMeasure& measure) {
  if (measure(text) <= width) return std::string(text);
  constexpr std::string_view kEllipsis = "\x81\x63";  // "…"
  // The character boundaries; the longest start that fits, found by halves.
  std::vector<std::size_t> ends{0};
  for (std::size_t i = 0; i < text.size(); i += SjisCharLen(text, i))
    ends.push_back(i + SjisCharLen(text, i));
  std::size_t low = 0, high = ends.size() - 1;  // ends[high] does not fit
  while (high - low > 1) {
    const std::size_t mid = (low + high) / 2;
    std::string start(text.substr(0, ends[mid]));
    start += kEllipsis;
    (measure(start) <= width ? low : high) = mid;
  }
  return std::string(text.substr(0, ends[low])) + std::string(kEllipsis);
}

namespace {

int Channel(std::uint32_t colour, int shift) {
  return static_cast<int>((colour >> shift) & 0xFF);
}

// Relative luminance, 0 for black to 1 for white.
double Light(std::uint32_t colour) {
  auto linear = [](int c) {
    const double v = c / 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(Channel(colour, 0)) + 0.7152 * linear(Channel(colour, 8)) +
         0.0722 * linear(Channel(colour, 16));
}

// `parts` twentieths of the way from `from` to `to`.
std::uint32_t Mix(std::uint32_t from, std::uint32_t to, int parts) {
  std::uint32_t mixed = 0;
  for (const int shift : {0, 8, 16}) {
    const int c = Channel(from, shift) + (Channel(to, shift) - Channel(from, shift)) * parts / 20;
    mixed |= static_cast<std::uint32_t>(c) << shift;
  }
  return mixed;
}

}  // namespace

std::uint32_t GridLineColour(std::uint32_t window, std::uint32_t text) {
  int parts = 4;
  while (parts < 13 && std::abs(Light(Mix(window, text, parts)) - Light(window)) < 0.2) ++parts;
  return Mix(window, text, parts);
}

CellLook LookOfCell(bool fixed, bool selected, bool dimmed, bool font_colour, bool high_contrast) {
  using C = SystemColour;
  CellLook look;
  look.SolidLines = high_contrast;
  if (fixed) {
    look.Background = C::Face;
    look.Text = C::FaceText;
  } else if (selected) {
    look.Background = C::Highlight;
    look.Text = C::HighlightText;
  } else if (dimmed) {
    look.Text = C::GrayText;
  } else {
    look.FontColour = font_colour && !high_contrast;
  }
  return look;
}

}  // namespace zorbi
