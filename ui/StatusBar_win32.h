// The status bar: panel 0 (the hint), panel 1 (the caret's offset) and panel 2 (its line and
// column), the last two right-aligned.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/system/Win32Support_win32.h"
#include "platform/system/WindowSubclass_win32.h"

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
  // Panels 1 and 2, those that changed, drawn at the next paint.
  void SetCaretTexts(const std::string& panel1, const std::string& panel2);
  // The bar's WM_DRAWITEM, which its parent hands here: false for another control's item.
  bool DrawPanel(const DRAWITEMSTRUCT& item) const;

 private:
  // Panels 1 and 2 follow the caret, at every keystroke. Wine's status bar paints a panel at once
  // whenever its text is set, and holding its drawing meanwhile costs a dozen calls to the window
  // server; so the bar draws those two panels through its parent (SBT_OWNERDRAW), from texts kept
  // here, and a new text only marks its panel to be painted. The bar still answers SB_GETTEXT and
  // SB_GETTEXTLENGTH for them, as accessibility tools ask it, with the two tabs that right-align a
  // panel's own text.
  static LRESULT Answer(void* owner, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // Hands the bar panel 0's text.
  void Put(const std::string& cp932);
  // Keeps a caret panel's text; false when it shows that already.
  bool Keep(int panel, const std::string& cp932);
  RECT PanelRect(int panel) const;

  HWND hwnd_;
  OwnedFont font_;  // none until the bar first meets a density other than the system's
  std::string text_[3];
  std::optional<WindowSubclass> subclass_;
};

}  // namespace penlet
