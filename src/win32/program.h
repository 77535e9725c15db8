// The program's wiring: the services, the main window, TForm1 and the four
// dialogs, and which handler each event of the windows runs. The windows
// themselves only show and report.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "about_window.h"
#include "application.h"
#include "backup_list_window.h"
#include "editor_settings_window.h"
#include "files/file_check_worker.h"
#include "files/startup_preload.h"
#include "forms/main_form.h"
#include "main_window.h"
#include "progress_window.h"
#include "relink_window.h"
#include "script_choice_window.h"
#include "tab_settings_window.h"
#include "win32_controls.h"
#include "win32_file_system.h"
#include "win32_host_windows.h"
#include "win32_processes.h"

namespace zorbi::win32 {

class Program {
 public:
  // `system`, `dialogs`, `processes` and `fonts` replace the real services
  // (tests run the program in a folder of their own, answer the dialogs
  // themselves and see the editor's command line instead of starting it).
  explicit Program(Application& application, System* system = nullptr,
                   FileDialogs* dialogs = nullptr, Processes* processes = nullptr,
                   FontDialogs* fonts = nullptr);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  ~Program();

  // Creates the main window hidden and runs the start-up sequence, taking the
  // exchange file's outcome from `preload` when given. False when the program
  // must end at once (the window is gone then).
  bool Start(StartupPreload* preload = nullptr);

  MainWindow& Window() { return window_; }
  TForm1& Form() { return *form_; }
  TabSettingsWindow& Form2() { return form2_; }
  AboutWindow& Form3() { return form3_; }
  EditorSettingsWindow& Form4() { return form4_; }
  ScriptChoiceWindow& Form5() { return form5_; }

 private:
  // Runs a handler of the form; an unexpected error becomes a message.
  template <typename F>
  void Run(F&& handler) {
    if (form_) Guarded(window_.Handle(), std::forward<F>(handler));
  }
  void ConnectWindow();
  void ConnectGrid();
  // TForm1's dialogs, each made here the first time the form asks for it,
  // so that no dialog delays the main window.
  class LazyDialogs final : public FormDialogs {
   public:
    explicit LazyDialogs(Program& program) : program_(program) {}
    TForm2* Form2() override;
    TForm3* Form3() override;
    TForm4* Form4() override;
    TForm5* Form5() override;
    TRelinkForm* RelinkForm() override;
    TBackupListForm* BackupListForm() override;

   private:
    Program& program_;
    // Unset until asked for; then whether the dialog was made.
    std::optional<bool> made2_, made3_, made4_, made5_, made_relink_, made_backups_;
  };

  Application& application_;
  Win32FileSystem files_;
  MessageBoxService messages_;
  SystemService own_system_;
  FileDialogService own_dialogs_;
  ProcessService own_processes_;
  Win32HostWindows host_windows_;
  FontDialogService own_fonts_;
  ProgressService progress_;
  System& system_;
  FileDialogs& dialogs_;
  Processes& processes_;
  FontDialogs& fonts_;
  MainWindow window_;
  std::unique_ptr<TForm1> form_;
  TabSettingsWindow form2_;
  AboutWindow form3_;
  EditorSettingsWindow form4_;
  ScriptChoiceWindow form5_;
  RelinkWindow relink_window_;
  BackupListWindow backup_window_;
  // Made once the window is there; its answers are posted to the window.
  std::unique_ptr<FileCheckWorker> file_check_;
  LazyDialogs lazy_dialogs_{*this};
};

}  // namespace zorbi::win32
