// The list of the data file's backups, newest first, each with its date and
// its numbers of tabs and items. A backup that does not read as a data file
// is listed as damaged and cannot be chosen. Above the list: why the last
// backup could not be made, when it could not.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "forms/data_backups.h"
#include "platform/controls.h"

namespace zorbi {

inline constexpr std::string_view BackupListCaption = "バックアップから復旧";

struct BackupListControls {
  ListBox& List;
  Label& Note;
};

class TBackupListForm {
 public:
  TBackupListForm(const BackupListControls& controls, DialogWindow& window)
      : C(controls), window_(window) {}

  // Shows the list modally; the index of the backup chosen with OK, or -1.
  int Choose(const std::vector<BackupEntry>& entries, const std::string& lastFailure);
  void OKClick();  // also a double click on a line
  void CancelClick();

  BackupListControls C;

 private:
  DialogWindow& window_;
  std::vector<bool> readable_;
  int chosen_ = -1;
};

}  // namespace zorbi
