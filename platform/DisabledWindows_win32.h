// Modality for the program's own boxes: its enabled visible top-level windows, disabled for as
// long as an object of this class lives.
#pragma once

#include <windows.h>

#include <vector>

namespace penlet {

class DisabledWindows {
 public:
  DisabledWindows() {
    EnumThreadWindows(GetCurrentThreadId(), &DisabledWindows::Collect,
                      reinterpret_cast<LPARAM>(&windows_));
    for (HWND w : windows_) EnableWindow(w, FALSE);
  }
  ~DisabledWindows() { Restore(); }
  DisabledWindows(const DisabledWindows&) = delete;
  DisabledWindows& operator=(const DisabledWindows&) = delete;

  void Restore() {
    for (HWND w : windows_) {
      if (IsWindow(w)) EnableWindow(w, TRUE);
    }
    windows_.clear();
  }

 private:
  static BOOL CALLBACK Collect(HWND hwnd, LPARAM list) {
    if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
      reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
    }
    return TRUE;
  }
  std::vector<HWND> windows_;
};

}  // namespace penlet
