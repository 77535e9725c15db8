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

}  // namespace
}  // namespace zorbi
