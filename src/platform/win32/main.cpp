// Program entry: the application title, the main window, the message loop.
#include <windows.h>

#include <commctrl.h>

#include "application.h"
#include "main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command) {
  // Version 6 of the common controls, as the manifest asks.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
  InitCommonControlsEx(&controls);

  zorbi::win32::Application application(instance, "Z_ORBI");
  zorbi::win32::MainWindow main_window(application);
  if (!main_window.Create()) return 1;
  application.ShowMainWindow(show_command);
  return application.Run();
}
