// The main window made in the test's process, for the tests of what users see of it: its
// controls, the loop turned a moment at a time, and the pop-up menus that open.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

#include "tests/win/support/WinTest.h"
#include "ui/MainWindow_win32.h"

namespace penlet::wintest {

// What a timer saw of a pop-up menu before it closed it.
struct PopupSeen {
  bool open = false;
  RECT rect{};
};
inline PopupSeen g_popup;

inline void CALLBACK ClosePopup(HWND, UINT, UINT_PTR, DWORD) {
  HWND menu = FindWindowA("#32768", nullptr);
  if (menu && IsWindowVisible(menu)) {
    g_popup.open = true;
    GetWindowRect(menu, &g_popup.rect);
  }
  EndMenu();
}

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest()
      : main_(window_->Handle()),
        edit_(window_->Editor().Handle()),
        toolBar_(FindToolBar(main_)),
        statusBar_(FindStatusBar(main_)) {
    ClearClipboard();
  }
  void TearDown() override {
    window_.End();
    EXPECT_TRUE(window_.errors.empty()) << window_.errors.front();
  }

  // A text as if just opened: nothing to save.
  void Load(const std::string& text) {
    window_->Editor().SetText(text);
    window_.Pump();
    window_->Editor().SetModified(false);
    window_->Form().UpdateSaveCommand();
  }

  // Moves the pointer to `screen` and turns the loop until panel 0 shows `want` or two seconds
  // have passed; returns what panel 0 shows then.
  std::string PanelZeroPointingAt(POINT screen, const std::string& want) {
    std::string shown;
    Run(35, [&] {
      shown = Panel(0);
      return KeepPointerAt(screen) && shown == want;
    });
    return shown;
  }

  // Runs the loop for `turns` moments of 60 ms, or fewer once `done` holds.
  void Run(int turns, const std::function<bool()>& done = nullptr) {
    for (int i = 0; i < turns && !(done && done()); ++i) {
      Sleep(60);
      window_.Pump();
    }
  }
  // Whether a pop-up menu opens while `act` runs and the loop turns up to `turns` times.
  bool PopupOpens(int turns, const std::function<void()>& act) {
    g_popup = {};
    const UINT_PTR timer = SetTimer(nullptr, 0, 300, ClosePopup);
    act();
    Run(turns, [] { return g_popup.open; });
    KillTimer(nullptr, timer);
    return g_popup.open;
  }
  std::string Panel(int i) { return PanelText(statusBar_, i); }
  bool ButtonEnabled(int id) { return wintest::ButtonEnabled(toolBar_, id); }
  bool ItemEnabled(HMENU menu, int id) {
    return !(GetMenuState(menu, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
  }

  InProcessPenlet window_;
  HWND main_, edit_, toolBar_, statusBar_;
};

}  // namespace penlet::wintest
