// Program entry: the application title, the main window, the message loop.
#include <windows.h>

#include <commctrl.h>

#include "application.h"
#include "cp932.h"
#include "main_window.h"
#include "win32_controls.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command) {
  // Version 6 of the common controls, as the manifest asks.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);

  zorbi::win32::Application application(instance, "Z_ORBI");
  // Every file lives beside the program, named by a Shift-JIS path.
  if (!zorbi::win32::ModulePath()) {
    MessageBoxW(nullptr,
                zorbi::Widen("Z_Orbi のフォルダー名に Shift-JIS で表せない文字があるため、"
                             "起動できません。")
                    .c_str(),
                zorbi::Widen(application.Title()).c_str(), MB_OK | MB_ICONERROR);
    return 1;
  }
  zorbi::win32::MainWindow main_window(application);
  if (!main_window.Create()) return 1;
  application.ShowMainWindow(show_command);
  main_window.FocusGrid();
  return application.Run();
}
