// Dots per inch of a window's monitor, and the turning of the layout's 96-DPI
// numbers into the screen's pixels and back.
#pragma once

#include <windows.h>

namespace zorbi::win32 {

inline constexpr int kDesignDpi = 96;

// The window's DPI when the system tells it per monitor, else the screen's.
int WindowDpi(HWND window);
// The DPI new windows start with.
int SystemDpi();

// What a window's frame (borders and caption) adds to its client area at a DPI.
SIZE FrameSize(DWORD style, DWORD ex_style, int dpi);

inline int Scale(int value, int dpi) {
  return MulDiv(value, dpi, kDesignDpi);
}
inline int Unscale(int value, int dpi) {
  return MulDiv(value, kDesignDpi, dpi);
}

}  // namespace zorbi::win32
