// The main window's hints and pop-up menus: long hints in panel 0 from the menus and the tool
// bar, tooltips on the buttons and the counter, the editing area's pop-up menu and none on the
// counter.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/win/support/MainWindowFixture.h"
#include "ui/CommandIds.h"

namespace penlet::wintest {
namespace {

TEST_F(MainWindowTest, RightPressOpensThePopupAtFixedOffsets) {
  const RECT window = WindowRect(main_);
  EXPECT_FALSE(PopupOpens(8, [this] {
    PostMessageA(edit_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(60, 40));
    PostMessageA(edit_, WM_LBUTTONUP, 0, MAKELPARAM(60, 40));
  }));
  ASSERT_TRUE(PopupOpens(
      10, [this] { PostMessageA(edit_, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(260, 100)); }));
  EXPECT_EQ(g_popup.rect.left, window.left + 260 - 153);
  EXPECT_EQ(g_popup.rect.top, window.top + 100 - 70);
  // A right release and the context-menu key open nothing.
  EXPECT_FALSE(PopupOpens(8, [this] {
    PostMessageA(edit_, WM_RBUTTONUP, 0, MAKELPARAM(260, 100));
    PostMessageA(edit_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit_), MAKELPARAM(300, 300));
  }));
}

TEST_F(MainWindowTest, CounterBoxesOpenNoMenuAndShowTheArrow) {
  HWND memo1 = FindCounterBox(main_);
  ASSERT_NE(memo1, nullptr);
  EXPECT_FALSE(PopupOpens(8, [memo1] {
    PostMessageA(memo1, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
    PostMessageA(memo1, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
  }));
  // Not even the edit control's own menu.
  EXPECT_FALSE(PopupOpens(0, [memo1] {
    const RECT rc = WindowRect(memo1);
    SendMessageA(memo1, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(memo1),
                 MAKELPARAM(rc.left + 5, rc.top + 5));
  }));

  SetCursor(nullptr);
  SendMessageA(memo1, WM_SETCURSOR, reinterpret_cast<WPARAM>(memo1),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
}

TEST_F(MainWindowTest, MenuHighlightWritesLongHintsToPanelZero) {
  HMENU bar = GetMenu(main_);
  HMENU file = GetSubMenu(bar, 0);
  SendMessageA(main_, WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP | MF_HILITE),
               reinterpret_cast<LPARAM>(bar));
  EXPECT_EQ(Panel(0),
            "\x83\x74\x83\x40\x83\x43\x83\x8B\x8A\xD6\x98\x41\x82\xCC\x8B\x40\x94\x5C"
            "\x82\xC5\x82\xB7\x81\x42");
  SendMessageA(main_, WM_MENUSELECT, MAKEWPARAM(FileExit1, MF_HILITE),
               reinterpret_cast<LPARAM>(file));
  EXPECT_EQ(Panel(0),
            "\x82\xB1\x82\xCC\x83\x5C\x83\x74\x83\x67\x82\xF0\x8F\x49\x97\xB9\x82\xB5"
            "\x82\xDC\x82\xB7\x81\x42");
  SendMessageA(main_, WM_MENUSELECT, MAKEWPARAM(0, MF_SEPARATOR | MF_HILITE),
               reinterpret_cast<LPARAM>(file));
  EXPECT_EQ(Panel(0), "");
  SendMessageA(main_, WM_MENUSELECT, MAKEWPARAM(EditCut1, MF_HILITE),
               reinterpret_cast<LPARAM>(file));
  EXPECT_NE(Panel(0), "");
  SendMessageA(main_, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ(Panel(0), "");
}

BOOL CALLBACK FindTooltip(HWND hwnd, LPARAM found) {
  char name[64];
  GetClassNameA(hwnd, name, sizeof name);
  if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0 && GetWindow(hwnd, GW_OWNER)) {
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
  }
  return TRUE;
}

TEST_F(MainWindowTest, PointerOverAButtonGivesItsLongHintAndTooltip) {
  RECT rc{};
  SendMessageA(toolBar_, TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&rc));
  POINT centre{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
  ClientToScreen(toolBar_, &centre);
  const std::string newHint =
      "\x90\x56\x8B\x4B\x82\xC9\x95\xB6\x8F\x91\x82\xF0\x8D\xEC\x90\xAC\x82\xB5"
      "\x82\xDC\x82\xB7\x81\x42";
  EXPECT_EQ(PanelZeroPointingAt(centre, newHint), newHint);
  const RECT editRect = WindowRect(edit_);
  EXPECT_EQ(PanelZeroPointingAt({editRect.left + 50, editRect.top + 50}, ""), "");

  // The tooltip texts: short part with the shortcut, none for Send.
  HWND tooltip = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindTooltip, reinterpret_cast<LPARAM>(&tooltip));
  ASSERT_NE(tooltip, nullptr);
  std::vector<std::string> texts;
  const int count = static_cast<int>(SendMessageA(tooltip, TTM_GETTOOLCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[256] = {};
    TTTOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.lpszText = text;
    SendMessageA(tooltip, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&info));
    texts.push_back(text);
  }
  ASSERT_EQ(texts.size(), 13u);
  EXPECT_EQ(texts[0], "\x90\x56\x8B\x4B (Ctrl+N)");
  EXPECT_EQ(texts[3], "\x91\x97\x90\x4D");
  EXPECT_EQ(texts[6], "\x90\xD8\x82\xE8\x8E\xE6\x82\xE8 (Ctrl+X)");
  EXPECT_EQ(texts[11], "\x91\x8D\x95\xB6\x8E\x9A\x90\x94");
  EXPECT_EQ(SendMessageA(tooltip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 500);
  EXPECT_EQ(SendMessageA(tooltip, TTM_GETDELAYTIME, TTDT_RESHOW, 0), 0);
  EXPECT_EQ(SendMessageA(tooltip, TTM_GETDELAYTIME, TTDT_AUTOPOP, 0), 2500);
}

// The counter boxes hand the pointer's moves to the tooltip themselves: resting on Memo1 shows
// its short hint.
TEST_F(MainWindowTest, PointerRestingOnTheCounterShowsItsTooltip) {
  HWND memo1 = FindCounterBox(main_);
  ASSERT_NE(memo1, nullptr);
  HWND tooltip = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindTooltip, reinterpret_cast<LPARAM>(&tooltip));
  ASSERT_NE(tooltip, nullptr);
  const RECT box = WindowRect(memo1);
  const POINT centre{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
  std::string shown;
  Run(50, [&] {
    char text[256] = {};
    TTTOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.lpszText = text;
    if (!KeepPointerAt(centre) || !IsWindowVisible(tooltip) ||
        !SendMessageA(tooltip, TTM_GETCURRENTTOOLA, 0, reinterpret_cast<LPARAM>(&info))) {
      return false;
    }
    shown = text;
    return info.uId == reinterpret_cast<UINT_PTR>(memo1);
  });
  EXPECT_EQ(shown, "\x91\x8D\x95\xB6\x8E\x9A\x90\x94");  // 総文字数
}

}  // namespace
}  // namespace penlet::wintest
