// The screen density of a window, and the system's calls that take one. The calls of newer
// systems are looked up in user32 at run time; where they are missing (older Windows, some
// Wine), the whole program runs at the system's density.
#pragma once

#include <windows.h>

#include "platform/system/Dpi.h"

namespace penlet {

// Dots per inch of the screen the program draws on when no window says otherwise.
int SystemDpi();
// Dots per inch of `window` (of the screen it is on, for a per-monitor aware program).
int WindowDpi(HWND window);
// AdjustWindowRectEx for a window at `dpi`: its frame as that density draws it.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi);
// The system's non-client metrics (fonts of menus, status bars and message boxes) at `dpi`.
NONCLIENTMETRICSA NonClientMetricsForDpi(int dpi);

}  // namespace penlet
