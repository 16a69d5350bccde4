// Screen density on Win32.
#include "platform/system/Dpi_win32.h"

#include <cstddef>
#include <initializer_list>

namespace penlet {
namespace {

// A function of user32 by name, or null where the system lacks it.
template <typename F>
F User32Function(const char* name) {
  static const HMODULE user32 = GetModuleHandleA("user32.dll");
  return user32 ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(user32, name)))
                : nullptr;
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForSystemFn = UINT(WINAPI*)();
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using SystemParametersInfoForDpiFn = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);

int Valid(int dpi) {
  return dpi > 0 ? dpi : kDesignDpi;
}

bool ReadNonClientMetrics(NONCLIENTMETRICSA& metrics) {
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return true;
  // Older systems know the structure without its last member.
  metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
  return SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0) != 0;
}

void ScaleFont(LOGFONTA& font, int from, int to) {
  font.lfHeight = MulDivRounded(font.lfHeight, to, from);
  font.lfWidth = MulDivRounded(font.lfWidth, to, from);
}

}  // namespace

int SystemDpi() {
  static const auto forSystem = User32Function<GetDpiForSystemFn>("GetDpiForSystem");
  if (forSystem) return Valid(static_cast<int>(forSystem()));
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return Valid(dpi);
}

int WindowDpi(HWND window) {
  static const auto forWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (forWindow && window) {
    const int dpi = static_cast<int>(forWindow(window));
    if (dpi > 0) return dpi;
  }
  return SystemDpi();
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, bool menu, DWORD exStyle, int dpi) {
  static const auto forDpi = User32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
  if (forDpi && forDpi(&rect, style, menu, exStyle, static_cast<UINT>(dpi))) return;
  AdjustWindowRectEx(&rect, style, menu, exStyle);
}

NONCLIENTMETRICSA NonClientMetricsForDpi(int dpi) {
  NONCLIENTMETRICSA metrics{};
  // The ANSI structure's fonts are converted from the wide one, which is the only one that the
  // per-density call fills.
  static const auto forDpi =
      User32Function<SystemParametersInfoForDpiFn>("SystemParametersInfoForDpi");
  NONCLIENTMETRICSW wide{};
  wide.cbSize = sizeof wide;
  if (forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof wide, &wide, 0, static_cast<UINT>(dpi)) &&
      ReadNonClientMetrics(metrics)) {
    LOGFONTA* narrow[] = {&metrics.lfCaptionFont, &metrics.lfSmCaptionFont, &metrics.lfMenuFont,
                          &metrics.lfStatusFont, &metrics.lfMessageFont};
    const LOGFONTW* source[] = {&wide.lfCaptionFont, &wide.lfSmCaptionFont, &wide.lfMenuFont,
                                &wide.lfStatusFont, &wide.lfMessageFont};
    for (size_t i = 0; i < 5; ++i) {
      narrow[i]->lfHeight = source[i]->lfHeight;
      narrow[i]->lfWidth = source[i]->lfWidth;
    }
    return metrics;
  }
  if (!ReadNonClientMetrics(metrics)) {
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof metrics.lfMessageFont,
               &metrics.lfMessageFont);
    metrics.lfStatusFont = metrics.lfMessageFont;
  }
  // The system's metrics are at the system's density.
  const int system = SystemDpi();
  if (dpi != system) {
    for (LOGFONTA* font : {&metrics.lfCaptionFont, &metrics.lfSmCaptionFont, &metrics.lfMenuFont,
                           &metrics.lfStatusFont, &metrics.lfMessageFont}) {
      ScaleFont(*font, system, dpi);
    }
  }
  return metrics;
}

}  // namespace penlet
