// ToolBar1: raised 23 x 22 buttons from the command table, separators of 8, never wrapping,
// an etched line along its top, and room for the counter panel at its end; every figure scaled
// to the screen's density.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <vector>

namespace penlet {

class ToolBar {
 public:
  // `images` are the ones for `dpi`.
  ToolBar(HWND parent, HIMAGELIST images, int dpi);
  // Sizes the bar's buttons, separators and images for a screen of `dpi`.
  void SetDpi(HIMAGELIST images, int dpi);

  HWND Handle() const { return hwnd_; }
  // The top of the buttons in the bar's client area.
  int ButtonTop() const;
  // The command of each button, in order.
  const std::vector<int>& Commands() const { return commands_; }
  // The button's rectangle in the bar's client area.
  RECT ButtonRect(int command) const;
  // The command of the button at `screen`, or 0.
  int CommandAt(POINT screen) const;
  // A button's state, as set here: the bar is told only of changes.
  void SetEnabled(int command, bool enabled);

 private:
  HWND hwnd_;
  std::vector<int> commands_;
  std::vector<bool> enabled_;  // of each command's button
};

}  // namespace penlet
