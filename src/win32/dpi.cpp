#include "dpi.h"

#include "window.h"

namespace zorbi::win32 {

namespace {

// Looked up at run time: Windows 7 and 8 lack them.
template <typename F>
F User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  FARPROC found = user32 == nullptr ? nullptr : GetProcAddress(user32, name);
  // Through void(*)(), the one cast between function types that is not warned of.
  return reinterpret_cast<F>(reinterpret_cast<void (*)()>(found));
}

int ScreenDpi() {
  const WindowDc screen(nullptr);
  const int dpi = screen.Get() != nullptr ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : kDesignDpi;
  return dpi > 0 ? dpi : kDesignDpi;
}

}  // namespace

int WindowDpi(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto get = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  const UINT dpi = get != nullptr && window != nullptr ? get(window) : 0;
  return dpi > 0 ? static_cast<int>(dpi) : ScreenDpi();
}

int SystemDpi() {
  using GetDpiForSystemFn = UINT(WINAPI*)();
  static const auto get = User32Function<GetDpiForSystemFn>("GetDpiForSystem");
  const UINT dpi = get != nullptr ? get() : 0;
  return dpi > 0 ? static_cast<int>(dpi) : ScreenDpi();
}

SIZE FrameSize(DWORD style, DWORD ex_style, int dpi) {
  using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjust = User32Function<AdjustForDpiFn>("AdjustWindowRectExForDpi");
  RECT frame{0, 0, 0, 0};
  if (adjust != nullptr && adjust(&frame, style, FALSE, ex_style, static_cast<UINT>(dpi)))
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
  // Only the system's metrics: scaled from its DPI.
  frame = RECT{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, style, FALSE, ex_style);
  const int system = SystemDpi();
  return SIZE{MulDiv(frame.right - frame.left, dpi, system),
              MulDiv(frame.bottom - frame.top, dpi, system)};
}

}  // namespace zorbi::win32
