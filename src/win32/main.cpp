// Program entry: the application title, the program's windows, the message loop.
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <string>

#include "application.h"
#include "cp932.h"
#include "files/startup_preload.h"
#include "forms/main_form.h"
#include "program.h"
#include "text/text_split.h"
#include "win32_controls.h"
#include "win32_file_system.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command) {
  // The catalogue and the host's exchange file are read while the window is
  // being built; start-up waits for each where it first needs it.
  std::unique_ptr<zorbi::StartupPreload> preload;
  if (const std::optional<std::string> exe = zorbi::win32::ModulePath()) {
    const std::string folder = exe->substr(0, exe->size() - zorbi::FileNamePart(*exe).size());
    // Under 256 KB together the two are read where they are needed: under
    // Wine that takes less than starting a thread (2-4 ms).
    preload = std::make_unique<zorbi::StartupPreload>(
        std::make_unique<zorbi::Win32FileSystem>(), folder + std::string(zorbi::DataFileName),
        folder + std::string(zorbi::ExchangeFileName), 256 * 1024);
  }

  // Version 6 of the common controls, as the manifest asks.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);

  zorbi::win32::Application application(instance, std::string(zorbi::ApplicationTitle));
  // Every file lives beside the program, named by a Shift-JIS path.
  if (!zorbi::win32::ModulePath()) {
    MessageBoxW(nullptr,
                zorbi::Widen("Z_Orbi のフォルダー名に Shift-JIS で表せない文字があるため、"
                             "起動できません。")
                    .c_str(),
                zorbi::Widen(application.Title()).c_str(), MB_OK | MB_ICONERROR);
    return 1;
  }
  zorbi::win32::Program program(application);
  if (!program.Start(preload.get())) return 1;
  application.ShowMainWindow(show_command);
  program.Window().FocusGrid();
  return application.Run();
}
