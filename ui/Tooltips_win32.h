// Tooltips of the tool buttons and counter boxes: the short hint, with the key combination.
#pragma once

#include <windows.h>

namespace penlet {

class ToolBar;
class CounterBoxes;

class Tooltips {
 public:
  Tooltips(HWND window, const ToolBar& toolBar1, CounterBoxes& counter);

  // Takes away a tooltip that is showing.
  void Pop();
  // The buttons' tips where the buttons now stand, after the bar was sized anew.
  void FollowButtons(const ToolBar& toolBar1);

 private:
  HWND hwnd_;
};

}  // namespace penlet
