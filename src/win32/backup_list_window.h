// The window of the backup list: a note above (why the last backup could not
// be made, or what to do), the backups in a list, OK and キャンセル.
#pragma once

#include <windows.h>

#include <memory>

#include "forms/backup_list_form.h"
#include "modal_window.h"
#include "win32_controls.h"

namespace zorbi::win32 {

class BackupListWindow final : public ModalWindow {
 public:
  static constexpr SIZE kClientSize{480, 300};

  bool Create(HWND owner);
  TBackupListForm& Form() { return *form_; }

 private:
  void OnCommand(UINT id, UINT code, HWND control) override;
  void OnLayout() override;

  ListBoxControl list_;
  LabelControl note_;
  FontHandle list_font_;
  std::unique_ptr<TBackupListForm> form_;
};

}  // namespace zorbi::win32
