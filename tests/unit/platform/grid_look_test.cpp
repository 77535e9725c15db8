#include "platform/grid_look.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace zorbi {
namespace {

std::uint32_t Rgb(int r, int g, int b) {
  return static_cast<std::uint32_t>(r | g << 8 | b << 16);
}

TEST(GridLineColour, ShowsOnLightAndDarkWindows) {
  const struct {
    std::uint32_t window, text, line;
  } rows[] = {
      {Rgb(255, 255, 255), Rgb(0, 0, 0), Rgb(204, 204, 204)},    // light grey, as ever
      {Rgb(255, 251, 240), Rgb(0, 0, 128), Rgb(204, 201, 218)},  // a fifth is enough
      {Rgb(0, 0, 0), Rgb(255, 255, 255), Rgb(127, 127, 127)},    // a fifth would hardly show
      {Rgb(0, 0, 0), Rgb(255, 255, 0), Rgb(140, 140, 0)},        // high contrast
      {Rgb(30, 30, 30), Rgb(220, 220, 220), Rgb(134, 134, 134)},
  };
  for (const auto& r : rows) EXPECT_EQ(GridLineColour(r.window, r.text), r.line) << r.window;
}

// Under a high-contrast scheme no colour but the system's, lines at full strength.
TEST(LookOfCell, HighContrastKeepsToTheSystemsColours) {
  using C = SystemColour;
  const struct {
    bool fixed, selected, dimmed, font_colour, high_contrast;
    CellLook look;
  } rows[] = {
      {false, false, false, true, false, {C::Window, C::WindowText, true, false}},
      {false, false, false, true, true, {C::Window, C::WindowText, false, true}},
      {false, true, true, true, true, {C::Highlight, C::HighlightText, false, true}},
      {false, false, true, true, false, {C::Window, C::GrayText, false, false}},
      {true, true, false, true, true, {C::Face, C::FaceText, false, true}},
  };
  for (const auto& r : rows)
    EXPECT_EQ(LookOfCell(r.fixed, r.selected, r.dimmed, r.font_colour, r.high_contrast), r.look)
        << r.fixed << r.selected << r.dimmed << r.font_colour << r.high_contrast;
}

}  // namespace
}  // namespace zorbi
