// The window of TForm5, the choice among a BAT file's AWK scripts.
#pragma once

#include <memory>

#include "forms/script_choice_form.h"
#include "modal_window.h"
#include "win32_controls.h"

namespace zorbi::win32 {

class ScriptChoiceWindow final : public ModalWindow {
 public:
  static constexpr char kCaption[] = "スクリプト選択";
  static constexpr SIZE kClientSize{168, 145};

  bool Create(HWND owner);
  TForm5& Form() { return *form_; }

 private:
  void OnCommand(UINT id, UINT code, HWND control) override;
  void OnLayout() override;
  bool PaintsItself() const override { return true; }
  void Paint(HDC dc) override;

  ListBoxControl list_box1_;
  FontHandle list_font_;
  std::unique_ptr<TForm5> form_;
};

}  // namespace zorbi::win32
