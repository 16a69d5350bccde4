// Helpers of the Windows-side tests: starting penlet.exe, finding its windows, temp files.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace penlet::wintest {

// The folder of the running test program, with a trailing "\".
std::string ExeDir();

// A folder of its own under the system's temp folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::string& Path() const { return path_; }  // with a trailing "\"
  std::string Write(const std::string& name, const std::string& bytes) const;

 private:
  std::string path_;
};

std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);

// Waits, pumping this thread's messages, until `found` returns a window or the time is up.
HWND WaitFor(const std::function<HWND()>& found, DWORD timeoutMs = 15000);

// The visible-or-not top-level windows of a process with the given class (and caption, when
// given).
HWND FindProcessWindow(DWORD pid, const char* className, const char* caption = nullptr);

// The text of a window, read with WM_GETTEXT.
std::string WindowText(HWND hwnd);

// The message of a system message box: its static control whose text is not empty (the
// icon's is).
std::string BoxMessage(HWND box);

// Waits for a message box of the process that is shown and carries its message: a box is
// found by its class while it is still being built, before its text is set.
HWND WaitForMessageBox(DWORD pid, const char* className, const char* caption = nullptr,
                       DWORD timeoutMs = 15000);

// The first child of `parent` with the given class (searching all descendants).
HWND FindChild(HWND parent, const char* className);
// The editing area of penlet's main window.
HWND FindEditArea(HWND main);

// The centre of tool button `index` (0 New, 1 Open, 2 Save) of penlet's main window, on the
// screen: the first buttons stand 23 pixels apart from x 5, y 2 of the tool bar.
POINT ToolButtonCentre(HWND main, int index);
// Moves the pointer to `at` on the screen and waits until panel 0 of penlet's status bar shows
// `expected`; returns what it shows then, or after some seconds without.
std::string PanelZeroWithPointerAt(HWND main, POINT at, const std::string& expected);

// penlet.exe started as its own process, ended at the latest when this object goes. The
// settings file beside it is removed first.
class PenletProcess {
 public:
  // `commandTail` follows the program's name on the command line, as typed.
  // `program` is another copy of penlet.exe to run (one with settings of its own); empty means
  // the penlet.exe beside the test, started without a settings file.
  explicit PenletProcess(const std::string& commandTail, const std::string& currentDir = "",
                         int showCommand = SW_SHOWNORMAL, const std::string& program = "");
  ~PenletProcess();
  DWORD Pid() const { return info_.dwProcessId; }
  HWND MainWindow(DWORD timeoutMs = 15000) const;
  // Waits for the process to end; returns its exit code, or STILL_ACTIVE on time-out.
  DWORD WaitExit(DWORD timeoutMs = 15000);

 private:
  PROCESS_INFORMATION info_{};
};

}  // namespace penlet::wintest
