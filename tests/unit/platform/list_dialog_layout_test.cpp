#include "platform/list_dialog_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace zorbi {
namespace {

// Work areas of small and large screens, one of a monitor left of the
// primary one and one below a task bar, at 96, 144 and 192 DPI; the list of
// a PATH.TXT with 25 unusable lines (41 lines, paths of about 150
// characters), a few short names or very long lines, and a message of 3
// lines. Whatever the screen, the dialog and its buttons stay inside the work
// area, taking nine tenths of it at most; a list is shown whole, or with its long lines wrapped, or
// scrolls in a dialog as tall as it may be; a question without lines has no list.
TEST(ListDialogLayout, FitsTheWorkAreaAtAnyDpi) {
  enum Shown { Whole, Wrapped, Scrolls, NoList };
  const ScreenRect screen1280{0, 0, 1280, 984}, screen800{0, 0, 800, 560},
      left2560{-2560, 0, 0, 1400}, belowBar{1920, 200, 3200, 1224}, main{290, 170, 835, 527};
  const struct {
    ScreenRect work, owner;
    int dpi, lines, lineWidth;  // widths at 96 DPI
    Shown shown;
  } rows[] = {
      {screen1280, main, 96, 41, 960, Whole},
      {screen1280, main, 144, 41, 960, Scrolls},
      {screen1280, main, 192, 3, 200, Whole},
      {screen1280, main, 96, 5, 2500, Wrapped},
      {screen800, {0, 0, 545, 357}, 96, 3, 200, Whole},
      {screen800, {0, 0, 545, 357}, 144, 41, 960, Scrolls},
      {left2560, {-2000, 100, -1200, 700}, 192, 41, 960, Scrolls},
      {belowBar, {3000, 100, 3600, 500}, 144, 5, 300, Whole},  // the owner half off the area
      {belowBar, {}, 96, 41, 960, Whole},
      {screen800, {0, 0, 545, 357}, 192, 0, 0, NoList},
  };
  for (const auto& row : rows) {
    const auto s = [&](int value) { return value * row.dpi / 96; };
    const int lineH = s(16), workW = row.work.Right - row.work.Left;
    const int workH = row.work.Bottom - row.work.Top;
    SCOPED_TRACE(testing::Message() << workW << " at " << row.dpi << " DPI, " << row.lines);
    ListDialogInput in{row.work, row.owner, row.dpi, {s(16), s(39)}, {s(25), s(6)}, lineH, {},
                       {},       2,         true};
    in.LineWidths.assign(static_cast<std::size_t>(row.lines), s(row.lineWidth));
    if (row.lines > 1) in.LineWidths[1] = s(40);
    in.MeasureMessage = [&](int maxWidth) {  // 3 lines, wrapped
      return PixelSize{std::min(s(420), maxWidth),
                       3 * lineH * ((s(420) + maxWidth - 1) / maxWidth)};
    };
    const ListDialogLayout out = LayOutListDialog(in);
    const ScreenRect& w = out.Window;

    EXPECT_TRUE(w.Left >= row.work.Left && w.Top >= row.work.Top && w.Right <= row.work.Right &&
                w.Bottom <= row.work.Bottom);
    EXPECT_TRUE(w.Right - w.Left <= workW * 9 / 10 && w.Bottom - w.Top <= workH * 9 / 10);
    EXPECT_LE(out.Message.Top + out.Message.Height, out.List.Top);
    EXPECT_GE(out.Message.Height, in.MeasureMessage(out.Message.Width).Height);
    ASSERT_EQ(out.Buttons.size(), 2u);
    const PixelBox& last = out.Buttons[1];
    EXPECT_LE(out.List.Top + out.List.Height, last.Top);
    EXPECT_LE(last.Top + last.Height, w.Bottom - w.Top - in.Frame.Height);
    EXPECT_LE(std::max(out.List.Left + out.List.Width, last.Left + last.Width),
              w.Right - w.Left - in.Frame.Width);
    const int textW = out.List.Width - in.ListChrome.Width;
    int wrapped = 0;  // rows
    for (const int width : in.LineWidths) wrapped += (width + textW - 1) / textW;
    if (row.shown == NoList) {
      EXPECT_EQ(out.List.Height, 0);
    } else {
      EXPECT_EQ(out.List.Height - in.ListChrome.Height >= wrapped * lineH, row.shown != Scrolls);
    }
    if (row.shown == Scrolls) {
      EXPECT_GT(w.Bottom - w.Top, workH * 9 / 10 - lineH);  // all the height it may take
    } else if (row.shown != NoList) {
      EXPECT_EQ(textW >= s(row.lineWidth), row.shown == Whole);
    }
    // Centred on the owner (else the work area) where the work area leaves room.
    const ScreenRect& on = row.owner.Right > row.owner.Left ? row.owner : row.work;
    EXPECT_TRUE(w.Left == row.work.Left || w.Right == row.work.Right ||
                std::abs(w.Left + w.Right - on.Left - on.Right) <= 1);
    EXPECT_TRUE(w.Top == row.work.Top || w.Bottom == row.work.Bottom ||
                std::abs(w.Top + w.Bottom - on.Top - on.Bottom) <= 1);
  }
}

}  // namespace
}  // namespace zorbi
