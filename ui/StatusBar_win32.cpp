// The status bar.
#include "ui/StatusBar_win32.h"

#include <commctrl.h>

#include <cstring>

#include "platform/system/Dpi_win32.h"
#include "platform/system/Win32Support_win32.h"
#include "ui/Controls_win32.h"

namespace penlet {
namespace {

constexpr int kStatusBarId = 103;
constexpr int kStatusPanel0 = 240;
constexpr int kStatusPanel1 = 135;

std::wstring Utf16FromCp932(const std::string& cp932) {
  const int size = static_cast<int>(cp932.size());
  std::wstring wide(
      static_cast<size_t>(MultiByteToWideChar(932, 0, cp932.data(), size, nullptr, 0)), L'\0');
  MultiByteToWideChar(932, 0, cp932.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

}  // namespace

StatusBar::StatusBar(HWND parent, int dpi) {
  // Placed by the window rather than by itself, so that it keeps its designed height.
  hwnd_ = CreateWindowExA(
      0, STATUSCLASSNAMEA, "",
      WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0,
      0, 0, 0, parent, ControlId(kStatusBarId), GetModuleHandleA(nullptr), nullptr);
  SetDpi(dpi);
  subclass_.emplace(hwnd_, &StatusBar::Answer, this);
  for (int panel : {1, 2}) SendMessageA(hwnd_, SB_SETTEXTA, panel | SBT_OWNERDRAW, 0);
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
  if (panel == 0) {
    ChangeWithoutDrawing(hwnd_, [&] { Put(cp932); });
  } else if (Keep(panel, cp932)) {
    const RECT rect = PanelRect(panel);
    InvalidateRect(hwnd_, &rect, FALSE);
  }
}

void StatusBar::SetCaretTexts(const std::string& panel1, const std::string& panel2) {
  // Both panels, when both change, marked at once: a call to the window server fewer.
  RECT both{};
  if (Keep(1, panel1)) both = PanelRect(1);
  if (Keep(2, panel2)) {
    const RECT rect = PanelRect(2);
    UnionRect(&both, &both, &rect);
  }
  if (!IsRectEmpty(&both)) InvalidateRect(hwnd_, &both, FALSE);
}

bool StatusBar::DrawPanel(const DRAWITEMSTRUCT& item) const {
  if (item.hwndItem != hwnd_ || (item.itemID != 1 && item.itemID != 2)) return false;
  // As the bar draws a panel's text after two tabs (the right-aligned part), over the panel it
  // has drawn: its font is in the context already.
  RECT rect = item.rcItem;
  rect.left += 3;
  const int mode = SetBkMode(item.hDC, TRANSPARENT);
  const COLORREF color = SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
  const std::string& text = text_[item.itemID];
  DrawTextA(item.hDC, text.data(), static_cast<int>(text.size()), &rect,
            DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SetTextColor(item.hDC, color);
  SetBkMode(item.hDC, mode);
  return true;
}

LRESULT StatusBar::Answer(void* owner, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const StatusBar& bar = *static_cast<StatusBar*>(owner);
  const int panel = static_cast<int>(LOWORD(wParam));
  if (panel != 1 && panel != 2) return bar.subclass_->CallNext(hwnd, message, wParam, lParam);
  switch (message) {
    case SB_GETTEXTA:
    case SB_GETTEXTLENGTHA: {
      const std::string shown = "\t\t" + bar.text_[panel];
      if (message == SB_GETTEXTA && lParam) {
        std::memcpy(FromParam<char*>(lParam), shown.c_str(), shown.size() + 1);
      }
      return MAKELONG(shown.size(), 0);
    }
    case SB_GETTEXTW:
    case SB_GETTEXTLENGTHW: {
      const std::wstring shown = Utf16FromCp932("\t\t" + bar.text_[panel]);
      if (message == SB_GETTEXTW && lParam) {
        std::memcpy(FromParam<wchar_t*>(lParam), shown.c_str(),
                    (shown.size() + 1) * sizeof(wchar_t));
      }
      return MAKELONG(shown.size(), 0);
    }
    default:
      return bar.subclass_->CallNext(hwnd, message, wParam, lParam);
  }
}

void StatusBar::Put(const std::string& cp932) {
  text_[0] = cp932;
  SendMessageA(hwnd_, SB_SETTEXTA, 0, AsParam(cp932.c_str()));
}

bool StatusBar::Keep(int panel, const std::string& cp932) {
  if (text_[panel] == cp932) return false;
  text_[panel] = cp932;
  return true;
}

RECT StatusBar::PanelRect(int panel) const {
  RECT rect{};
  SendMessageA(hwnd_, SB_GETRECT, panel, AsParam(&rect));
  return rect;
}

}  // namespace penlet
