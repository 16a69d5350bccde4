// What the main window's controls share.
#include "ui/Controls_win32.h"

#include "core/Texts.h"

namespace penlet {

OwnedFont MakeFont(int height, int weight, std::string_view face) {
  return OwnedFont(CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH | FF_DONTCARE, Ansi(face).c_str()));
}

}  // namespace penlet
