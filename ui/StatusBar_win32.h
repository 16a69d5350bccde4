// The status bar: panel 0 (the hint), panel 1 (the caret's offset) and panel 2 (its line and
// column), the last two right-aligned.
#pragma once

#include <windows.h>

#include <string>

#include "platform/system/Win32Support_win32.h"

namespace penlet {

class StatusBar {
 public:
  // Panels sized for a screen of `dpi`.
  StatusBar(HWND parent, int dpi);
  // Sizes the panels, and the font where the system's does not fit, for a screen of `dpi`.
  void SetDpi(int dpi);

  HWND Handle() const { return hwnd_; }
  const std::string& Text(int panel) const { return text_[panel]; }
  void SetText(int panel, const std::string& cp932);
  // Panels 1 and 2, those that changed, the bar drawn once for both.
  void SetCaretTexts(const std::string& panel1, const std::string& panel2);

 private:
  // Hands the bar a panel's text.
  void Put(int panel, const std::string& cp932);

  HWND hwnd_;
  OwnedFont font_;  // none until the bar first meets a density other than the system's
  std::string text_[3];
};

}  // namespace penlet
