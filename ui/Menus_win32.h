// MainMenu1 and PopupMenu1 built from the command table: captions with "Ctrl+X" at their right
// end, the commands' images beside the items, and their hints while they are highlighted.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "platform/system/Win32Support_win32.h"

namespace penlet {

class Menus {
 public:
  // Puts MainMenu1 on `window`; the images come from `images`, `imageSize` pixels square.
  Menus(HWND window, HIMAGELIST images, int imageSize);
  // The images for another screen density; the items are measured again.
  void SetImages(HIMAGELIST images, int imageSize);
  Menus(const Menus&) = delete;
  Menus& operator=(const Menus&) = delete;

  void SetEnabled(int command, bool enabled);
  // Opens PopupMenu1 for a right press at (x, y) in the editing area's client area.
  void TrackPopupMenu1(int x, int y);
  // The long hint of the highlighted item (WM_MENUSELECT); empty when the menu closed.
  std::string HintOf(UINT item, UINT flags, HMENU menu) const;
  // WM_MEASUREITEM and WM_DRAWITEM of the items' images: false for other items.
  bool Measure(MEASUREITEMSTRUCT& item) const;
  bool DrawImage(const DRAWITEMSTRUCT& item) const;

 private:
  HWND window_;
  HIMAGELIST images_;
  int imageSize_;
  HMENU mainMenu1_;  // goes with its window
  OwnedMenu popupMenu1_;
};

}  // namespace penlet
