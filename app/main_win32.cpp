// Program entry: the application window, the program's parts, the loop, and exit code 0.
#include <windows.h>

#include <commctrl.h>

#include "app/Application_win32.h"
#include "app/CommandLine.h"
#include "app/CrashRecovery_win32.h"
#include "app/Program_win32.h"
#include "platform/system/Locale.h"
#include "ui/MessageDialog_win32.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace penlet;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  GetStartupInfoA(&startup);
  const int showCommand =
      (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWNORMAL;
  const std::vector<std::string> paths = SplitCommandLine(GetCommandLineA(), AnsiLeadBytes());

  Application app;
  // Every loop of the program runs the main window's idle step, the boxes' loops too; a box
  // shown before the loop runs, or after it has ended, runs none.
  Win32MessageBoxes boxes(app.Handle(), [&app] { app.Idle(); });
  {
    Program program(app.Handle(), boxes,
                    [&app](const std::string& message) { app.ShowException(message); });
    // From here until the window goes, a fault leaves the unsaved text in a file of its own.
    CrashRecovery recovery(program.Editor(), program.Form().DocumentPath());
    app.Run(program, showCommand, paths);
    ShowWindow(program.Handle(), SW_HIDE);
  }
  return 0;
}
