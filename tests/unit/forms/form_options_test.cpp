// Option toggles, fonts and resizing.
#include <gtest/gtest.h>

#include "fakes.h"

using namespace zorbi;
using namespace zorbi::test;

TEST(Options, EitherTabItemTogglesBothMarksAndTheStrip) {
  FormRig rig;
  ASSERT_TRUE(rig.Create());
  for (FakeMenu* marked : {&rig.k6, &rig.k7}) {
    marked->checked = true;  // one mark alone counts as on
    rig.form.K6Click();
    EXPECT_FALSE(rig.k6.checked || rig.k7.checked || rig.tabs.multiLine);
    rig.form.K6Click();
    EXPECT_TRUE(rig.k6.checked && rig.k7.checked && rig.tabs.multiLine);
    rig.form.K6Click();
  }
  rig.form.K15Click();
  rig.form.JWWIN1Click();
  EXPECT_TRUE(rig.form.Settings().Info && rig.k15.checked && rig.form.Settings().JWCheck &&
              rig.jwwin1.checked);
}

TEST(Options, AGridFontSetsRowsAndNumberColumnACancelNothing) {
  FormRig rig;
  ASSERT_TRUE(rig.Create());
  rig.form.K13Click();  // cancelled
  EXPECT_EQ(rig.grid.rowHeight, 20);
  EXPECT_EQ(rig.grid.colWidths, (std::array<int, 3>{26, 90, 219}));
  rig.fonts.next = FontSpec{"IPAGothic", 12, 1, 0xFF};
  rig.form.K13Click();
  EXPECT_EQ(rig.fonts.opened.back(), (FontSpec{"ＭＳ Ｐゴシック", 10, 0, kSystemTextColor}));
  EXPECT_EQ(rig.grid.font, *rig.fonts.next);
  EXPECT_EQ(rig.grid.colWidths, (std::array<int, 3>{36, 90, 219}));
  EXPECT_EQ(rig.grid.rowHeight, 24);
  rig.form.K14Click();
  EXPECT_EQ(rig.memo.font, *rig.fonts.next);
  EXPECT_EQ(rig.grid.rowHeight, 24);
  // A face Shift-JIS cannot spell is refused with a message, not dropped silently.
  rig.fonts.next = FontSpec{};
  rig.form.K14Click();
  EXPECT_EQ(rig.memo.font.Name, "IPAGothic");
  ASSERT_EQ(rig.messages.shown.size(), 1u);
  EXPECT_EQ(rig.messages.shown[0].second, MessageKind::Warning);
}

TEST(Options, ResizingKeepsTheMinimumWidthAndTheSummaryColumnFollows) {
  FormRig rig;
  ASSERT_TRUE(rig.Create());
  for (const auto& [width, expectedWidth, column] :
       {std::tuple{700, 700, 374}, {600, 600, 274}, {300, 545, 219}}) {
    rig.window.bounds.Width = width;
    rig.form.FormResize();
    EXPECT_EQ(rig.window.bounds.Width, expectedWidth);
    EXPECT_EQ(rig.grid.colWidths[2], column);
  }
}
