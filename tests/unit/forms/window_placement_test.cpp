#include "forms/window_placement.h"

#include <gtest/gtest.h>

using namespace zorbi;

TEST(ClampToWorkArea, KeepsTheWindowInsideByRightAndBottomEdges) {
  const ScreenRect area{0, 40, 1280, 984};  // a task bar at the top is ignored
  EXPECT_EQ(ClampToWorkArea({193, 113}, 545, 357, area), (WindowPos{193, 113}));
  EXPECT_EQ(ClampToWorkArea({-20, -5}, 545, 357, area), (WindowPos{0, 0}));
  EXPECT_EQ(ClampToWorkArea({1000, 900}, 545, 357, area), (WindowPos{735, 627}));
  // The size before the change counts, not the proposed one.
  EXPECT_EQ(ClampToWorkArea({800, 0}, 400, 357, area), (WindowPos{800, 0}));
  // Wider than the area: the right edge wins and the left edge goes negative.
  EXPECT_EQ(ClampToWorkArea({-50, 10}, 1400, 357, area), (WindowPos{-120, 10}));
}
