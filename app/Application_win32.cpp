// The application window and the message loop.
#include "app/Application_win32.h"

#include <vector>

#include "platform/system/Locale.h"
#include "platform/system/Win32Support_win32.h"
#include "app/Program_win32.h"
#include "ui/MessageDialog_win32.h"
#include "core/Texts.h"

namespace penlet {

Application::Application() {
  WindowClass windowClass;
  windowClass.name = kApplicationWindowClass;
  windowClass.procedure = &Application::WindowProc;
  windowClass.icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
  RegisterWindowClass(windowClass);
  const int x = GetSystemMetrics(SM_CXSCREEN) / 2;
  const int y = GetSystemMetrics(SM_CYSCREEN) / 2;
  hwnd_ = CreateWindowExA(0, kApplicationWindowClass, Ansi(texts::kAppTitle).c_str(),
                          WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, x,
                          y, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  SetWindowData(hwnd_, this);
  HMENU menu = GetSystemMenu(hwnd_, FALSE);
  DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
  DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
  DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
}

Application::~Application() {
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

void Application::ShowException(const std::string& message) {
  ++exceptionBoxes_;
  ShowExceptionBox(hwnd_, message, AnsiLeadBytes());
  --exceptionBoxes_;
}

void Application::Minimize() {
  if (main_) ShowWindow(main_->Handle(), SW_HIDE);
  ShowWindow(hwnd_, SW_MINIMIZE);
}

void Application::Restore() {
  ShowWindow(hwnd_, SW_RESTORE);
  if (main_) {
    // A program started minimised meets its main window only now.
    if (!main_->Shown()) {
      main_->Show(mainShowCommand_, paths_ ? *paths_ : std::vector<std::string>{});
    } else {
      ShowWindow(main_->Handle(), SW_SHOW);
    }
    SetForegroundWindow(main_->Handle());
  }
}

void Application::Idle() {
  if (main_) main_->Idle();
}

int Application::Run(Program& main, int showCommand, const std::vector<std::string>& paths) {
  struct Running {
    Application& app;
    ~Running() { app.main_ = nullptr; }
  } running{*this};
  main_ = &main;
  paths_ = &paths;
  ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
  switch (showCommand) {
    case SW_SHOWMINNOACTIVE:
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
      mainShowCommand_ = SW_SHOWNORMAL;
      ShowWindow(hwnd_, SW_SHOWMINNOACTIVE);
      break;
    case SW_SHOWMAXIMIZED:
      main_->Show(SW_SHOWMAXIMIZED, paths);
      break;
    default:
      main_->Show(SW_SHOWNORMAL, paths);
      break;
  }

  MSG msg;
  while (true) {
    try {
      if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) break;
        if (!main_->PreTranslateMessage(msg)) {
          TranslateMessage(&msg);
          DispatchMessageA(&msg);
        }
      } else {
        Idle();
        WaitMessage();
      }
    } catch (const std::exception& e) {
      ShowException(e.what());
    }
  }
  return 0;
}

LRESULT CALLBACK Application::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowData<Application*>(hwnd);
  if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
  try {
    return self->HandleMessage(msg, wParam, lParam);
  } catch (const std::exception& e) {
    self->ShowException(e.what());
    return 0;
  }
}

LRESULT Application::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_CLOSE:
          if (main_) main_->Window().Close();
          return 0;
        case SC_MINIMIZE:
          Minimize();
          return 0;
        case SC_RESTORE:
          Restore();
          return 0;
      }
      break;
    case WM_CLOSE:
      if (main_) main_->Window().Close();
      return 0;
    case WM_ENTERIDLE:
      // The exception box is the program's own, in the system's MessageBox: its idle moments are
      // the program's. Under the system's file dialogs, which this window owns too, the
      // program's loop does not run, and nothing of it runs either.
      if (wParam == MSGF_DIALOGBOX && exceptionBoxes_ > 0) Idle();
      return 0;
    case WM_QUERYENDSESSION:
      return main_ ? SendMessageA(main_->Handle(), WM_QUERYENDSESSION, wParam, lParam) : TRUE;
    case WM_ACTIVATE:
      // The application window has no face of its own: hand activation to the main window.
      if (LOWORD(wParam) != WA_INACTIVE && main_ && IsWindowVisible(main_->Handle())) {
        SetActiveWindow(main_->Handle());
        return 0;
      }
      break;
  }
  return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

}  // namespace penlet
