// A dialog window made once and hidden between openings. ShowModal disables
// the owner and runs the modal loop until the dialog is closed. Sizes are
// given in 96-DPI pixels: the dialog lays itself out at its owner's DPI when
// made, again on opening if that DPI changed, and on WM_DPICHANGED.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "dpi.h"
#include "platform/controls.h"
#include "win32_controls.h"
#include "window.h"

namespace zorbi::win32 {

class ModalWindow : public Window, public DialogWindow {
 public:
  ModalWindow() = default;

  // Placed by PlaceOnOpening; returns once Close ran or the window is gone.
  void ShowModal() override;
  void Close() override { running_ = false; }
  bool Running() const { return running_; }

 protected:
  // How the size given to CreateHidden counts: the client area, or the
  // whole window as it would be at 96 DPI.
  enum class SizeOf { Client, Window };
  // The hidden window of its own class: a dialog frame with a caption bar and
  // (unless told otherwise) a close box.
  bool CreateHidden(HWND owner, const wchar_t* class_name, const std::string& caption, SIZE size,
                    SizeOf size_of, bool close_box = true);
  // A child control; bounds are left, top, width and height in the client area.
  HWND AddControl(const wchar_t* cls, const char* text, DWORD style, UINT id, RECT bounds,
                  DWORD ex_style = 0);
  // After the controls are placed and given the dialog's font at a DPI:
  // what else depends on it.
  virtual void OnLayout() {}
  // Where the dialog opens: centred on the owner.
  virtual void PlaceOnOpening() { CentreOnOwner(); }

  int S(int value) const { return Scale(value, dpi_); }
  int Dpi() const { return dpi_; }
  RECT ClientRect() const;
  HWND Owner() const { return owner_; }

  // Message boxes over the dialog.
  MessageBoxService messages_;

 private:
  struct Placed {
    HWND control;
    RECT bounds;
  };
  void Layout(int dpi);
  void OnDpiChanged(int dpi, const RECT& suggested) override;
  void OnGone() override { running_ = false; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  void CentreOnOwner();

  HWND owner_ = nullptr;
  SIZE client_{0, 0};  // 96 DPI
  int dpi_ = kDesignDpi;
  FontHandle font_;
  std::vector<Placed> controls_;
  bool running_ = false;
};

HFONT MakeDialogFont(const wchar_t* face, int pixels);

}  // namespace zorbi::win32
