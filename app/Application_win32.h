// The application window: the hidden owner of every window of the program, whose taskbar
// entry carries the application title; and the message loop.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace penlet {

class Program;

inline constexpr char kApplicationWindowClass[] = "TApplication";

class Application {
 public:
  Application();
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  HWND Handle() const { return hwnd_; }

  // Shows the exception box for an error that ended a handler.
  void ShowException(const std::string& cp932Message);

  // Shows the program's main window in the start-up show state, then runs the loop until
  // WM_QUIT.
  int Run(Program& main, int showCommand, const std::vector<std::string>& paths);
  // The loop's idle step, for the modal loops of the program's boxes too.
  void Idle();

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  void Minimize();
  void Restore();

  HWND hwnd_ = nullptr;
  Program* main_ = nullptr;  // while the loop runs
  const std::vector<std::string>* paths_ = nullptr;
  int mainShowCommand_ = SW_SHOWNORMAL;
  int exceptionBoxes_ = 0;  // exception boxes open
};

}  // namespace penlet
