// The counter: Panel1 on the tool bar framing Memo1 (the figures) and Memo2 (the unit), two
// read-only boxes in bold on black. A press on a box and a click on it are reported to the
// main window as WM_COMMAND notifications.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "core/FormView.h"
#include "platform/system/Win32Support_win32.h"
#include "platform/system/WindowSubclass_win32.h"

namespace penlet {

inline constexpr int kMemo1Id = 104;
inline constexpr int kMemo2Id = 105;
// Notification codes of the boxes' WM_COMMAND.
inline constexpr WORD kCounterPressed = 0x7001;
inline constexpr WORD kCounterClicked = 0x7002;

class CounterBoxes {
 public:
  // The panel's left edge at `x`, its top at `y`, in the tool bar's client area, sized for a
  // screen of `dpi`.
  CounterBoxes(HWND toolBar, int x, int y, int dpi);
  CounterBoxes(const CounterBoxes&) = delete;
  CounterBoxes& operator=(const CounterBoxes&) = delete;

  // Places and sizes the panel, its boxes and their font for a screen of `dpi`.
  void SetDpi(int x, int y, int dpi);

  HWND Panel1() const { return panel1_; }
  HWND Memo1() const { return memo1_; }
  HWND Memo2() const { return memo2_; }

  const std::string& Text(int box) const { return text_[box]; }
  void SetText(int box, const std::string& cp932);
  void SetMemo1Color(Color color);
  // WM_CTLCOLOREDIT and WM_CTLCOLORSTATIC: true, with the brush in `result`, for the boxes.
  bool Colors(HWND control, HDC dc, LRESULT& result) const;
  // The tooltip control that shows the boxes' tips, told of the pointer by the boxes.
  void RelayMouseTo(HWND tooltip) { tooltip_ = tooltip; }

 private:
  static LRESULT BoxProc(void* self, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT BoxMessage(HWND box, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND panel1_ = nullptr;
  HWND memo1_ = nullptr;
  HWND memo2_ = nullptr;
  OwnedFont font_;
  OwnedBrush black_;
  std::string text_[2];
  Color memo1Color_ = Rgb(255, 255, 0);
  bool pressed_ = false;
  HWND tooltip_ = nullptr;
  std::optional<WindowSubclass> subclass_[2];  // of each box
};

}  // namespace penlet
