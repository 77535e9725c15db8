// A dialog window made once and hidden between openings. ShowModal disables
// the owner and runs a message loop of its own until the dialog is closed.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

#include "dpi.h"
#include "platform/controls.h"
#include "win32_controls.h"

namespace zorbi::win32 {

class ModalWindow : public DialogWindow {
 public:
  ModalWindow() = default;
  ModalWindow(const ModalWindow&) = delete;
  ModalWindow& operator=(const ModalWindow&) = delete;
  ~ModalWindow() override;

  HWND Handle() const { return handle_; }
  // Centred on the owner; returns once Close ran or the window is gone.
  void ShowModal() override;
  void Close() override { running_ = false; }
  bool Running() const { return running_; }

 protected:
  // The hidden window of its own class: a dialog frame with a caption bar and
  // (unless told otherwise) a close box, and this outer size.
  // Sizes here and in AddControl are in 96-DPI pixels, scaled to the owner's DPI.
  bool CreateHidden(HINSTANCE instance, HWND owner, const wchar_t* class_name,
                    const std::string& caption, SIZE outer, bool close_box = true);
  // A child control at client coordinates, in the dialog's font.
  HWND AddControl(const wchar_t* cls, const char* text, DWORD style, UINT id, RECT bounds,
                  DWORD ex_style = 0);
  // Buttons and the keyboard: Enter is IDOK, Escape IDCANCEL.
  virtual void OnCommand(UINT id, UINT code) = 0;
  virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
  // Runs a handler; an unexpected error becomes a message, never a crash.
  template <typename F>
  void Guard(F&& handler);

  int S(int value) const { return Scale(value, dpi_); }

  HFONT font_ = nullptr;
  int dpi_ = kDesignDpi;
  // Message boxes over the dialog.
  MessageBoxService messages_;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void CentreOnOwner();

  HWND handle_ = nullptr;
  HWND owner_ = nullptr;
  bool running_ = false;
};

HFONT MakeDialogFont(const wchar_t* face, int pixels);

template <typename F>
void ModalWindow::Guard(F&& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    messages_.ShowMessage(std::string("予期しないエラーが発生しました。\r\n") + e.what(),
                          MessageKind::Error);
  }
}

}  // namespace zorbi::win32
