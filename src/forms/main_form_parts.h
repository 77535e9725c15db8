// The parts the main window's logic is made of: its controls, the services
// it uses and the dialogs it opens.
#pragma once

#include <string_view>

#include "forms/tab_settings_form.h"
#include "platform/controls.h"
#include "platform/file_system.h"
#include "platform/host_windows.h"
#include "platform/services.h"

namespace zorbi {

class TForm3;
class TForm4;
class TForm5;
class TRelinkForm;
class TBackupListForm;

// The four dialogs. Each is made the first time it is asked for and kept for
// the rest of the run: start-up shows the main window without making any.
struct FormDialogs {
  // Each is null when the dialog could not be made.
  virtual TForm2* Form2() = 0;
  virtual TForm3* Form3() = 0;
  virtual TForm4* Form4() = 0;
  virtual TForm5* Form5() = 0;
  // The relink list; null when it could not be made.
  virtual TRelinkForm* RelinkForm() { return nullptr; }
  // The list of the data file's backups; null when it could not be made.
  virtual TBackupListForm* BackupListForm() { return nullptr; }

 protected:
  ~FormDialogs() = default;
};

struct FormControls {
  Grid& StringGrid1;
  TabStrip& TabControl1;
  Memo& Memo1;
  Label& Label2;
  Button& Button2;           // OK
  Button& Button4;           // キャンセル
  MenuCommand& DatRestore1;  // "Z_Orbi.dat から復旧"
  MenuCommand& PATHTXT1;     // "PATH.TXT から復旧"
  MenuCommand& K10;          // "キー選択で即実行"
  MenuCommand& K6;           // grid menu "タブを全て表示"
  MenuCommand& K7;           // option menu "タブを全て表示"
  MenuCommand& K15;          // "バッチファイル名の表示"
  MenuCommand& JWWIN1;       // "JW_WINのチェックを行う"
  MenuCommand& Undo1;        // grid menu "元に戻す"
  MenuCommand& Redo1;        // grid menu "やり直し"
};

struct FormServices {
  FileSystem& Files;
  MessageBoxes& Messages;
  System& Sys;
  FormWindow& Window;
  FileDialogs& Dialogs;
  Processes& Procs;
  HostWindows& Host;
  FontDialogs& Fonts;
  ProgressRunner& Progress;
};

}  // namespace zorbi
