// The status bar: panel 0 (the hint), panel 1 (the caret's offset) and panel 2 (its line and
// column), the last two right-aligned.
#pragma once

#include <windows.h>

#include <string>

namespace penlet {

class StatusBar {
 public:
  explicit StatusBar(HWND parent);

  HWND Handle() const { return hwnd_; }
  const std::string& Text(int panel) const { return text_[panel]; }
  void SetText(int panel, const std::string& cp932);

 private:
  HWND hwnd_;
  std::string text_[3];
};

}  // namespace penlet
