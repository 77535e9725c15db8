// The window of TForm4, the editor settings: made once after the main window.
#pragma once

#include <memory>
#include <string>

#include "forms/editor_settings_form.h"
#include "modal_window.h"
#include "win32_controls.h"

namespace zorbi::win32 {

class EditorSettingsWindow final : public ModalWindow {
 public:
  static constexpr char kCaption[] = "設定";
  static constexpr SIZE kOuterSize{252, 157};

  // `dialogs` replaces the real open dialog (tests answer it themselves).
  explicit EditorSettingsWindow(FileDialogs* dialogs = nullptr);

  // Makes the hidden window over `owner` for the main window's settings.
  bool Create(HWND owner, std::string& editor, std::string& awkPath);
  TForm4& Form() { return *form_; }

 private:
  void OnCommand(UINT id, UINT code, HWND control) override;
  bool PaintsItself() const override { return true; }
  void Paint(HDC dc) override;

  EditBoxControl edit1_, edit2_;
  FileDialogService own_dialogs_;
  FileDialogs& dialogs_;
  std::unique_ptr<TForm4> form_;
};

}  // namespace zorbi::win32
