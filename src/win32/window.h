// Every window of the program derives from Window: one window procedure, which
// turns an escaped exception into a message instead of a crash, routes each
// message to the object's HandleMessage, and forgets the object when the
// window goes. Owners for the GDI and USER handles the windows make sit here too.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

namespace zorbi::win32 {

// Shows the exception being handled as an error message over `owner`.
// Called only inside a catch block.
void ReportUnexpected(HWND owner) noexcept;

// Runs a handler; an unexpected error becomes a message, never a crash.
template <typename F>
void Guarded(HWND owner, F&& handler) noexcept {
  try {
    std::forward<F>(handler)();
  } catch (...) {
    ReportUnexpected(owner);
  }
}

// A handle freed by `Free` when its owner goes.
template <typename Handle, auto Free>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle handle) : handle_(handle) {}
  Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Owned& operator=(Owned&& other) noexcept {
    Reset(std::exchange(other.handle_, nullptr));
    return *this;
  }
  ~Owned() { Reset(); }
  Handle Get() const { return handle_; }
  // Gives up the handle to a new owner.
  Handle Release() { return std::exchange(handle_, nullptr); }
  void Reset(Handle handle = nullptr) {
    if (handle_ != nullptr) Free(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

inline void DeleteGdiObject(HGDIOBJ object) {
  DeleteObject(object);
}
inline void DeleteMemoryDc(HDC dc) {
  DeleteDC(dc);
}
inline void FreeMenu(HMENU menu) {
  DestroyMenu(menu);
}
using FontHandle = Owned<HFONT, DeleteGdiObject>;
using BitmapHandle = Owned<HBITMAP, DeleteGdiObject>;
using MemoryDc = Owned<HDC, DeleteMemoryDc>;
using MenuHandle = Owned<HMENU, FreeMenu>;

// BeginPaint .. EndPaint.
class PaintDc {
 public:
  explicit PaintDc(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
  PaintDc(const PaintDc&) = delete;
  PaintDc& operator=(const PaintDc&) = delete;
  ~PaintDc() { EndPaint(window_, &paint_); }
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// GetDC .. ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// An object selected into a DC for a scope.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;
  ~Selected() { SelectObject(dc_, old_); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// What a window class differs in.
struct WindowClass {
  const wchar_t* Name;
  UINT Style = CS_DBLCLKS;
  HBRUSH Background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  HICON Icon = nullptr;
  HICON SmallIcon = nullptr;
};

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  // A window still there is let go without telling the object (it is being
  // destroyed); a derived class that wants its handlers to see the window go
  // calls DestroyHandle in its own destructor.
  virtual ~Window();

  HWND Handle() const { return handle_; }

 protected:
  // Registers the class on first use and creates a window bound to this object.
  bool CreateHandle(const WindowClass& window_class, DWORD ex_style, const wchar_t* text,
                    DWORD style, RECT bounds, HWND parent, HMENU menu_or_id);
  // Binds an existing control: its messages come to HandleMessage first, and
  // CallDefault hands them on to the control's own procedure.
  void Subclass(HWND control);
  void DestroyHandle();

  // The default of every message is CallDefault. A few come typed.
  virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT CallDefault(UINT message, WPARAM wparam, LPARAM lparam);
  virtual void OnCommand(UINT /*id*/, UINT /*code*/, HWND /*control*/) {}
  virtual void OnSize(int /*width*/, int /*height*/) {}
  // Paint runs for WM_PAINT only when PaintsItself says so.
  virtual bool PaintsItself() const { return false; }
  virtual void Paint(HDC /*dc*/) {}
  virtual void OnDpiChanged(int /*dpi*/, const RECT& /*suggested*/) {}
  // Static controls and read-only edits: the brush they are painted with.
  virtual HBRUSH ColourStatic(HDC dc, HWND control);
  // After the window is gone (WM_NCDESTROY); Handle() is null by then.
  virtual void OnGone() {}

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam,
                                    LPARAM lparam) noexcept;
  void Bind(HWND window);
  void Unbind();

  HWND handle_ = nullptr;
  WNDPROC original_ = nullptr;  // a subclassed control's own procedure
};

// A control of another class whose messages a handler sees first.
class ControlHook final : public Window {
 public:
  using Handler = std::function<LRESULT(ControlHook& hook, UINT, WPARAM, LPARAM)>;
  void Attach(HWND control, Handler handler) {
    handler_ = std::move(handler);
    Subclass(control);
  }
  LRESULT Default(UINT message, WPARAM wparam, LPARAM lparam) {
    return CallDefault(message, wparam, lparam);
  }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override {
    return handler_ ? handler_(*this, message, wparam, lparam)
                    : CallDefault(message, wparam, lparam);
  }
  Handler handler_;
};

// Dispatches messages until `running` turns false (the dialog's OnGone
// turns it false too) or WM_QUIT comes (which is posted again for the loop further out). Tab, Enter
// and Escape go to `dialog`'s controls.
void RunModalLoop(HWND dialog, const bool& running);

}  // namespace zorbi::win32
