#include "platform/list_dialog_layout.h"

#include <algorithm>

namespace zorbi {

namespace {

// The layout's numbers at 96 DPI.
constexpr int Margin = 12, IconGap = 10, ListGap = 10, ButtonGap = 12;
constexpr int ButtonWidth = 80, ButtonHeight = 26, ButtonSpacing = 8;
constexpr int IconSize = 32, MinClientWidth = 320;
// The list's least height in rows, kept before the message gives way.
constexpr int MinListRows = 3;

int Scale(int value, int dpi) {
  return (value * dpi + 48) / 96;
}

int Width(const ScreenRect& r) {
  return r.Right - r.Left;
}

int Height(const ScreenRect& r) {
  return r.Bottom - r.Top;
}

}  // namespace

ListDialogLayout LayOutListDialog(const ListDialogInput& in) {
  const auto s = [&](int value) { return Scale(value, in.Dpi); };
  const int margin = s(Margin), buttonW = s(ButtonWidth), buttonH = s(ButtonHeight);
  const int lineH = std::max(1, in.LineHeight);
  const int maxClientW = std::max(1, Width(in.WorkArea) * 9 / 10 - in.Frame.Width);
  const int maxClientH = std::max(1, Height(in.WorkArea) * 9 / 10 - in.Frame.Height);

  // Across: the widest of the message, the longest line and the buttons.
  const int iconW = in.Icon ? s(IconSize) + s(IconGap) : 0;
  const int messageMax = std::max(1, maxClientW - 2 * margin - iconW);
  PixelSize message = in.MeasureMessage ? in.MeasureMessage(messageMax) : PixelSize{};
  message.Width = std::min(message.Width, messageMax);
  // No lines: the message alone above the buttons.
  const bool list = !in.LineWidths.empty();
  int longest = 0;
  for (const int w : in.LineWidths) longest = std::max(longest, w);
  const int buttons = std::max(1, in.Buttons);
  const int buttonsW = buttons * buttonW + (buttons - 1) * s(ButtonSpacing);
  const int clientW = std::min(
      maxClientW, std::max({s(MinClientWidth), iconW + message.Width + 2 * margin,
                            longest + in.ListChrome.Width + 2 * margin, buttonsW + 2 * margin}));

  // Down: lines longer than the list wraps are more than one row.
  const int listW = std::max(1, clientW - 2 * margin);
  const int textW = std::max(1, listW - in.ListChrome.Width);
  int rows = 0;
  for (const int w : in.LineWidths) rows += std::max(1, (w + textW - 1) / textW);
  int topH = std::max(in.Icon ? s(IconSize) : 0, message.Height);
  const int listGap = list ? s(ListGap) : 0, chromeH = list ? in.ListChrome.Height : 0;
  const int around = 2 * margin + listGap + s(ButtonGap) + buttonH + chromeH;
  // A list of a line or two keeps the height of a few, as a list box.
  const int leastRows = list ? MinListRows : 0;
  int shownRows = std::max(rows, leastRows);
  if (around + topH + shownRows * lineH > maxClientH) {
    // Too tall: the list scrolls, and below a few rows the message is cut.
    shownRows = std::max(leastRows, (maxClientH - around - topH) / lineH);
    topH = std::clamp(maxClientH - around - shownRows * lineH, 0, topH);
  }
  const int listH = shownRows * lineH + chromeH;
  const int clientH = std::min(maxClientH, around + topH + shownRows * lineH);

  ListDialogLayout out;
  if (in.Icon) out.Icon = {margin, margin, s(IconSize), s(IconSize)};
  // A message shorter than the icon is centred beside it.
  const int messageH = std::min(message.Height, topH);
  out.Message = {margin + iconW, margin + (topH - messageH) / 2, clientW - 2 * margin - iconW,
                 messageH};
  out.List = {margin, margin + topH + listGap, listW, listH};
  const int buttonTop = clientH - margin - buttonH;
  for (int k = 0, left = (clientW - buttonsW) / 2; k < buttons; ++k)
    out.Buttons.push_back({left + k * (buttonW + s(ButtonSpacing)), buttonTop, buttonW, buttonH});

  // Centred on the owner, then moved inside the work area.
  const int windowW = clientW + in.Frame.Width, windowH = clientH + in.Frame.Height;
  const ScreenRect& on = Width(in.Owner) > 0 && Height(in.Owner) > 0 ? in.Owner : in.WorkArea;
  const int left = std::clamp((on.Left + on.Right - windowW) / 2, in.WorkArea.Left,
                              std::max(in.WorkArea.Left, in.WorkArea.Right - windowW));
  const int top = std::clamp((on.Top + on.Bottom - windowH) / 2, in.WorkArea.Top,
                             std::max(in.WorkArea.Top, in.WorkArea.Bottom - windowH));
  out.Window = {left, top, left + windowW, top + windowH};
  return out;
}

}  // namespace zorbi
