// The application window: the hidden owner of every window of the program, whose taskbar
// entry carries the application title; and the message loop.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace penlet {

class MainWindow;

inline constexpr char kApplicationWindowClass[] = "TApplication";

class Application {
 public:
  Application();
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  HWND Handle() const { return hwnd_; }
  void SetMainWindow(MainWindow* main) { main_ = main; }

  // Shows the exception box for an error that ended a handler.
  void ShowException(const std::string& cp932Message);

  // Shows the main window in the start-up show state, then runs the loop until WM_QUIT.
  int Run(int showCommand, const std::vector<std::string>& paths);

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void Minimize();
  void Restore();

  HWND hwnd_ = nullptr;
  MainWindow* main_ = nullptr;
  const std::vector<std::string>* paths_ = nullptr;
  int mainShowCommand_ = SW_SHOWNORMAL;
};

}  // namespace penlet
