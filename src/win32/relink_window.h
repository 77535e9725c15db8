// The relink list's window: a list of the items whose BAT files were found
// elsewhere, the counts under it, OK and キャンセル.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "forms/relink_form.h"
#include "modal_window.h"
#include "win32_controls.h"

namespace zorbi::win32 {

// A list view in report mode that asks for its texts only for the rows it
// shows, so a list of any length opens at once.
class ReportListControl final : public ReportList {
 public:
  void Attach(HWND handle) { handle_ = handle; }
  HWND Handle() const { return handle_; }
  void SetRows(std::vector<std::vector<std::string>> rows) override;
  // LVN_GETDISPINFOW from the list.
  void GiveText(NMLVDISPINFOW& info);

 private:
  HWND handle_ = nullptr;
  std::vector<std::vector<std::string>> rows_;
  std::wstring text_;  // the last text given, kept until the next request
};

class RelinkWindow final : public ModalWindow {
 public:
  static constexpr SIZE kClientSize{720, 360};

  bool Create(HWND owner);
  TRelinkForm& Form() { return *form_; }

 private:
  void OnCommand(UINT id, UINT code, HWND control) override;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnLayout() override;

  ReportListControl list_;
  LabelControl counts_;
  std::unique_ptr<TRelinkForm> form_;
};

}  // namespace zorbi::win32
