// What the main window's controls share: their fonts, and changes of text that leave the
// drawing to the next paint.
#pragma once

#include <windows.h>

#include <string_view>

#include "platform/system/Win32Support_win32.h"

namespace penlet {

// A Shift-JIS font of the given pixel height (negative: character height) and weight, by its
// UTF-8 face name.
OwnedFont MakeFont(int height, int weight, std::string_view face);

// Changes a control's text and leaves its drawing to the window's next paint: Wine's status bar
// and edit control draw at once on every change, which took more than the rest of a keystroke.
template <class Change>
void ChangeWithoutDrawing(HWND hwnd, const Change& change) {
  SendMessageA(hwnd, WM_SETREDRAW, FALSE, 0);
  change();
  SendMessageA(hwnd, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd, nullptr, TRUE);
}

}  // namespace penlet
