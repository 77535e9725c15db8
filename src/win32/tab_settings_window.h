// The window of TForm2, the tab settings: made once after the main window and
// shown modally over it as often as asked.
#pragma once

#include <memory>

#include "forms/tab_settings_form.h"
#include "modal_window.h"
#include "win32_controls.h"

namespace zorbi::win32 {

class TabSettingsWindow final : public ModalWindow {
 public:
  static constexpr SIZE kClientSize{254, 223};

  // Makes the hidden window over the main window `owner`, whose logic is `main`.
  bool Create(HWND owner, TabSettingsHost& main);
  TForm2& Form() { return *form_; }

  // Each opening starts with the form's FormShow; however it closes, FormClose runs.
  void ShowModal() override;
  void Close() override;

 private:
  void OnCommand(UINT id, UINT code, HWND control) override;
  bool PaintsItself() const override { return true; }
  void Paint(HDC dc) override;

  ListBoxControl list_box1_;
  EditBoxControl edit1_;
  std::unique_ptr<TForm2> form_;
};

}  // namespace zorbi::win32
