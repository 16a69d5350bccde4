// The status bar.
#include "ui/StatusBar_win32.h"

#include <commctrl.h>

#include "platform/system/Dpi_win32.h"
#include "platform/system/Win32Support_win32.h"
#include "ui/Controls_win32.h"

namespace penlet {
namespace {

constexpr int kStatusBarId = 103;
constexpr int kStatusPanel0 = 240;
constexpr int kStatusPanel1 = 135;

}  // namespace

StatusBar::StatusBar(HWND parent, int dpi) {
  // Placed by the window rather than by itself, so that it keeps its designed height.
  hwnd_ = CreateWindowExA(
      0, STATUSCLASSNAMEA, "",
      WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0,
      0, 0, 0, parent, ControlId(kStatusBarId), GetModuleHandleA(nullptr), nullptr);
  SetDpi(dpi);
}

void StatusBar::SetDpi(int dpi) {
  const int panel0 = ScaleForDpi(kStatusPanel0, dpi);
  int rightEdges[3] = {panel0, panel0 + ScaleForDpi(kStatusPanel1, dpi), -1};
  SendMessageA(hwnd_, SB_SETPARTS, 3, AsParam(rightEdges));
  // The bar's own font is the system's status font at the system's density; on a screen of
  // another density it takes the one the system gives for that, and keeps one of its own after.
  if (dpi == SystemDpi() && !font_) return;
  const NONCLIENTMETRICSA metrics = NonClientMetricsForDpi(dpi);
  OwnedFont font(CreateFontIndirectA(&metrics.lfStatusFont));
  SendMessageA(hwnd_, WM_SETFONT, AsParam<WPARAM>(font.Get()), TRUE);
  font_ = std::move(font);
}

void StatusBar::SetText(int panel, const std::string& cp932) {
  ChangeWithoutDrawing(hwnd_, [&] { Put(panel, cp932); });
}

void StatusBar::SetCaretTexts(const std::string& panel1, const std::string& panel2) {
  if (text_[1] == panel1 && text_[2] == panel2) return;
  ChangeWithoutDrawing(hwnd_, [&] {
    if (text_[1] != panel1) Put(1, panel1);
    if (text_[2] != panel2) Put(2, panel2);
  });
}

void StatusBar::Put(int panel, const std::string& cp932) {
  text_[panel] = cp932;
  // Two tabs right-align a panel's text: panels 1 and 2 show figures against their right edge.
  const std::string shown = panel == 0 ? cp932 : "\t\t" + cp932;
  SendMessageA(hwnd_, SB_SETTEXTA, panel, AsParam(shown.c_str()));
}

}  // namespace penlet
