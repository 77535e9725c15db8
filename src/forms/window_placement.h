#pragma once

#include "platform/services.h"

namespace zorbi {

struct WindowPos {
  int X = 0, Y = 0;
  friend bool operator==(const WindowPos&, const WindowPos&) = default;
};

// Keeps a proposed window position inside the work area. Only the right and
// bottom edges of the work area count, and the size used is the one the window
// had before the change, so a window larger than the area ends up with a
// negative left or top edge.
constexpr WindowPos ClampToWorkArea(WindowPos proposed, int oldWidth, int oldHeight,
                                    const ScreenRect& workArea) {
  WindowPos p = proposed;
  if (p.X < 0) p.X = 0;
  if (p.Y < 0) p.Y = 0;
  if (p.X + oldWidth > workArea.Right) p.X = workArea.Right - oldWidth;
  if (p.Y + oldHeight > workArea.Bottom) p.Y = workArea.Bottom - oldHeight;
  return p;
}

}  // namespace zorbi
