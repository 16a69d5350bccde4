// Program entry: the application window, the main window, the loop, and exit code 0.
#include <windows.h>

#include <commctrl.h>

#include "app/Application_win32.h"
#include "app/CommandLine.h"
#include "platform/Locale.h"
#include "platform/Mail.h"
#include "ui/About_win32.h"
#include "ui/MainWindow_win32.h"
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
  // shown before the main window exists, or after it has gone, runs none.
  MainWindow* idleWindow = nullptr;
  Win32MessageBoxes boxes(app.Handle(), [&idleWindow] {
    if (idleWindow) idleWindow->Idle();
  });
  {
    MainWindow main(app.Handle(), boxes,
                    [&app](const std::string& message) { app.ShowException(message); });
    idleWindow = &main;
    TAboutBox aboutBox(app.Handle(), [&main] { main.Idle(); });
    main.Form().SetAboutBox(&aboutBox);
    // Simple MAPI is loaded at the first Send and released when this goes.
    const std::unique_ptr<MailSystem> mail = NewSystemMail();
    main.Form().SetMailSystem(mail.get());
    app.SetMainWindow(&main);
    app.Run(showCommand, paths);
    ShowWindow(main.Handle(), SW_HIDE);
    app.SetMainWindow(nullptr);
    idleWindow = nullptr;
  }
  return 0;
}
