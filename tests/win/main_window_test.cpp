// The main window as users see it, created in this process: control rectangles at 96 DPI, the
// tool bar, menus in code page 932, keys and enabled states (hints, tooltips and pop-up menus in
// hints_test.cpp).
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "Scintilla.h"
#include "core/CharacterCount.h"
#include "tests/win/support/MainWindowFixture.h"
#include "tests/win/support/WinTest.h"
#include "ui/CommandIds.h"
#include "ui/MainWindow_win32.h"

namespace penlet::wintest {
namespace {

LONG volatile accessViolations = 0;

std::string Rect(const RECT& rc) {
  return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," +
         std::to_string(rc.right - rc.left) + "x" + std::to_string(rc.bottom - rc.top);
}

TEST_F(MainWindowTest, ControlsStandAtTheirDesignedRectangles) {
  RECT outer, client;
  GetWindowRect(main_, &outer);
  GetClientRect(main_, &client);
  EXPECT_EQ(outer.right - outer.left, 670);
  EXPECT_EQ(outer.bottom - outer.top, 324);
  const int w = client.right, h = client.bottom;
  EXPECT_EQ(w, 662);
  EXPECT_EQ(Rect(RectIn(toolBar_, main_)), "0,0," + std::to_string(w) + "x30");
  EXPECT_EQ(Rect(RectIn(edit_, main_)), "0,30," + std::to_string(w) + "x" + std::to_string(h - 47));
  // The editing area and the print surface are the program's own component: no rich edit.
  EXPECT_EQ(GetModuleHandleA("RICHED32.DLL"), nullptr);
  EXPECT_EQ(GetModuleHandleA("RICHED20.DLL"), nullptr);
  EXPECT_EQ(Rect(RectIn(statusBar_, main_)),
            "0," + std::to_string(h - 17) + "," + std::to_string(w) + "x17");

  // Buttons and separators left to right from x 5, all at y 2 of the tool bar.
  const int expectedX[] = {5,   28,  51,  74,  82,  105, 113, 136, 144,
                           167, 175, 198, 221, 244, 252, 275, 283, 306};
  ASSERT_EQ(SendMessageA(toolBar_, TB_BUTTONCOUNT, 0, 0), 18);
  // The etched line takes the top 2 pixels; positions count from the client area below it.
  const RECT barWindow = WindowRect(toolBar_);
  POINT barClient{0, 0};
  ClientToScreen(toolBar_, &barClient);
  EXPECT_EQ(barClient.y - barWindow.top, 2);
  EXPECT_EQ(barClient.x - barWindow.left, 0);
  for (int i = 0; i < 18; ++i) {
    RECT rc{};
    SendMessageA(toolBar_, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rc));
    EXPECT_EQ(rc.left, expectedX[i]) << i;
    EXPECT_EQ(rc.top, 2) << i;
    EXPECT_EQ(rc.right - rc.left,
              i == 3 || i == 5 || i == 7 || i == 9 || i == 13 || i == 15 || i == 17 ? 8 : 23)
        << i;
    EXPECT_EQ(rc.bottom - rc.top, 22) << i;
  }
  TBBUTTON paste{};
  SendMessageA(toolBar_, TB_GETBUTTON, 12, reinterpret_cast<LPARAM>(&paste));
  EXPECT_EQ(paste.idCommand, EditPaste1);
  EXPECT_EQ(paste.iBitmap, 2);

  // The counter panel and its boxes.
  HWND memo1 = FindCounterBox(main_);
  ASSERT_NE(memo1, nullptr);
  HWND panel = GetParent(memo1);
  HWND memo2 = GetWindow(memo1, GW_HWNDNEXT);
  EXPECT_EQ(Rect(RectIn(panel, toolBar_)), "314,2,147x22");
  const RECT pScreen = WindowRect(panel), m1 = WindowRect(memo1), m2 = WindowRect(memo2);
  EXPECT_EQ(m1.left - pScreen.left, 2);
  EXPECT_EQ(m1.top - pScreen.top, 2);
  EXPECT_EQ(m1.right - m1.left, 93);
  EXPECT_EQ(m1.bottom - m1.top, 18);
  EXPECT_EQ(m2.left - pScreen.left, 95);
  EXPECT_EQ(m2.right - m2.left, 50);
  EXPECT_EQ(pScreen.right - pScreen.left, 147);
  EXPECT_EQ(pScreen.bottom - pScreen.top, 22);
  for (HWND memo : {memo1, memo2}) {
    const LONG style = GetWindowLongA(memo, GWL_STYLE);
    EXPECT_FALSE(style & WS_TABSTOP);
    EXPECT_TRUE(style & ES_READONLY);
    EXPECT_FALSE(style & WS_BORDER);
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(memo, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -15);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_STREQ(font.lfFaceName, "\x82\x6c\x82\x72\x20\x82\x6f\x83\x53\x83\x56\x83\x62\x83\x4e");
  }
  EXPECT_TRUE(GetWindowLongA(memo1, GWL_STYLE) & ES_RIGHT);
  EXPECT_FALSE(GetWindowLongA(memo2, GWL_STYLE) & ES_RIGHT);

  // The editing area: wraps, hides its selection, only a vertical bar.
  const LONG style = GetWindowLongA(edit_, GWL_STYLE);
  EXPECT_FALSE(style & ES_AUTOHSCROLL);
  EXPECT_FALSE(style & WS_HSCROLL);
  EXPECT_FALSE(style & ES_NOHIDESEL);
  EXPECT_TRUE(GetWindowLongA(edit_, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

  int parts[4] = {};
  EXPECT_EQ(SendMessageA(statusBar_, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(parts)), 3);
  EXPECT_EQ(parts[0], 240);
  EXPECT_EQ(parts[1], 375);
  EXPECT_TRUE(GetWindowLongA(statusBar_, GWL_STYLE) & SBARS_SIZEGRIP);
}

// The editing area shows the system's colour scheme, its selection included, and follows a new
// one while it runs.
TEST_F(MainWindowTest, TheEditingAreaFollowsTheSystemColours) {
  const int elements[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT};
  COLORREF before[4];
  for (int i = 0; i < 4; ++i) before[i] = GetSysColor(elements[i]);
  const COLORREF scheme[] = {RGB(255, 255, 192), RGB(0, 0, 160), RGB(0, 128, 0), RGB(255, 255, 0)};
  const auto shown = [&] {
    const auto element = [&](int which) {
      return std::to_string(SendMessageW(edit_, SCI_GETELEMENTCOLOUR, which, 0) & 0xFFFFFF);
    };
    return std::to_string(SendMessageW(edit_, SCI_STYLEGETBACK, 0, 0)) + " " +
           std::to_string(SendMessageW(edit_, SCI_STYLEGETFORE, 0, 0)) + " " +
           element(SC_ELEMENT_SELECTION_BACK) + " " + element(SC_ELEMENT_SELECTION_TEXT) + " / " +
           element(SC_ELEMENT_SELECTION_INACTIVE_BACK) + " " +
           element(SC_ELEMENT_SELECTION_INACTIVE_TEXT) + " " + element(SC_ELEMENT_CARET);
  };
  const auto expected = [](const COLORREF c[4]) {
    const auto n = [](COLORREF v) { return std::to_string(v); };
    return n(c[0]) + " " + n(c[1]) + " " + n(c[2]) + " " + n(c[3]) + " / " + n(c[0]) + " " +
           n(c[1]) + " " + n(c[1]);
  };
  EXPECT_EQ(shown(), expected(before));
  SetSysColors(4, elements, scheme);
  Run(3);
  EXPECT_EQ(shown(), expected(scheme));
  SetSysColors(4, elements, before);
  Run(3);
  EXPECT_EQ(shown(), expected(before));
}

// Ctrl+End in a long text whose lines are still being laid out: the caret is at the end at once,
// and the line panel is right once the layout is done, without anyone asking for it again.
TEST_F(MainWindowTest, CtrlEndInATextStillBeingLaidOutEndsRight) {
  std::string paragraph;
  for (int i = 0; i < 70; ++i) paragraph += "\x93\xFA";  // 日, two rows or more
  std::string text;
  for (int i = 0; i < 20000; ++i) text += paragraph + "\r\n";
  text += "end";
  TempDir dir;
  window_->Form().OpenDocument(dir.Write("long.txt", text));
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  SendMessageW(edit_, WM_KEYDOWN, VK_END, 1);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  ScintillaEdit& edit = window_->Editor();
  const auto length = static_cast<ByteOffset>(text.size());
  EXPECT_EQ(edit.GetSelection(), (Selection{length, length}));
  // The layout goes on in the loop's idle moments until the display lines stop changing.
  LRESULT lines = -1;
  int unchanged = 0;
  Run(500, [&] {
    const LRESULT now = SendMessageW(edit_, SCI_VISIBLEFROMDOCLINE, INT_MAX, 0);
    unchanged = now == lines ? unchanged + 1 : 0;
    lines = now;
    return unchanged >= 3;
  });
  const std::int32_t last = edit.LineCount() - 1;
  EXPECT_GE(last, 40000);
  EXPECT_EQ(edit.LineFromOffset(length), last);
  EXPECT_EQ(Panel(2), "\t\t" + LinePanelText(last + 1, length - edit.LineIndex(last)));
  EXPECT_EQ(edit.GetSelection(), (Selection{length, length}));
}

TEST_F(MainWindowTest, NarrowWindowCutsTheToolBarAndWideKeepsThePanels) {
  SetWindowPos(main_, nullptr, 0, 0, 300, 324, SWP_NOMOVE | SWP_NOZORDER);
  window_.Pump();
  EXPECT_EQ(SendMessageA(toolBar_, TB_GETROWS, 0, 0), 1);
  RECT last{};
  SendMessageA(toolBar_, TB_GETITEMRECT, 16, reinterpret_cast<LPARAM>(&last));
  EXPECT_EQ(last.left, 283);  // past the right edge, still in the first row
  EXPECT_EQ(Rect(RectIn(toolBar_, main_)), "0,0,292x30");

  SetWindowPos(main_, nullptr, 0, 0, 900, 400, SWP_NOMOVE | SWP_NOZORDER);
  window_.Pump();
  int parts[3] = {};
  SendMessageA(statusBar_, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(parts));
  EXPECT_EQ(parts[0], 240);
  EXPECT_EQ(parts[1], 375);
  RECT client;
  GetClientRect(main_, &client);
  EXPECT_EQ(RectIn(statusBar_, main_).top, client.bottom - 17);
  EXPECT_EQ(RectIn(edit_, main_).bottom, client.bottom - 17);
  // Panel 2 stretches to the end: its text is right-aligned against the grip.
  EXPECT_EQ(Panel(2).substr(0, 2), "\t\t");
}

TEST_F(MainWindowTest, MenusCarryCaptionsAndShortcutsInCodePage932) {
  HMENU bar = GetMenu(main_);
  ASSERT_NE(bar, nullptr);
  char text[256];
  GetMenuStringA(bar, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "\x83\x74\x83\x40\x83\x43\x83\x8B(&F)");
  HMENU file = GetSubMenu(bar, 0);
  EXPECT_EQ(GetMenuItemCount(file), 10);
  GetMenuStringA(file, FileNew1, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "\x90\x56\x8B\x4B\x8D\xEC\x90\xAC(&N)\tCtrl+N");
  GetMenuStringA(file, FileExit1, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "\x8F\x49\x97\xB9(&X)");
  HMENU edit = GetSubMenu(bar, 1);
  EXPECT_EQ(GetMenuItemCount(edit), 9);
  GetMenuStringA(edit, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "\x83\x8C\x83\x58\x83\x4C\x83\x85\x81\x5B\tCtrl+U");
  GetMenuStringA(edit, EditPaste1, text, sizeof text, MF_BYCOMMAND);
  EXPECT_STREQ(text, "\x93\x5C\x82\xE8\x95\x74\x82\xAF(&P)\tCtrl+V");
  EXPECT_EQ(GetMenuState(edit, 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
  EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 2)), 1);
  // Images beside the items that have one; Print has none.
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_BITMAP;
  GetMenuItemInfoA(file, FileNew1, FALSE, &info);
  EXPECT_EQ(info.hbmpItem, HBMMENU_CALLBACK);
  info.hbmpItem = nullptr;
  GetMenuItemInfoA(file, FilePrint, FALSE, &info);
  EXPECT_EQ(info.hbmpItem, nullptr);
}

TEST_F(MainWindowTest, CommandKeysAreUsedUpBeforeTheEditingArea) {
  Load("abc");
  window_->Editor().SetSelection({3, 3});
  window_.Pump();
  // Nothing to save: Ctrl+S does nothing, and the key never reaches the text.
  EXPECT_TRUE(window_.Key('S', true));
  EXPECT_EQ(window_->Editor().Text(), "abc");
  EXPECT_TRUE(window_.boxes.shown.empty());
  // Ctrl+X with an empty selection: used up, nothing cut.
  EXPECT_TRUE(window_.Key('X', true));
  EXPECT_EQ(window_->Editor().Text(), "abc");
  // Tab inserts nothing and keeps the focus.
  EXPECT_TRUE(window_.Key(VK_TAB, false));
  EXPECT_EQ(GetFocus(), edit_);
  EXPECT_EQ(window_->Editor().Text(), "abc");
  // Plain letters reach the control.
  EXPECT_FALSE(window_.Key('S', false));
  EXPECT_EQ(window_->Editor().Text(), "abcs");
  // Ctrl+A selects everything, Ctrl+X cuts it, Ctrl+U rescues it.
  EXPECT_TRUE(window_.Key('A', true));
  EXPECT_EQ(window_->Editor().GetSelection().Length(), 4);
  EXPECT_TRUE(window_.Key('X', true));
  EXPECT_EQ(window_->Editor().Text(), "");
  EXPECT_TRUE(window_.Key('U', true));
  EXPECT_EQ(window_->Editor().Text(), "abcs");
}

TEST_F(MainWindowTest, ClipboardCommandsFollowSelectionAndClipboard) {
  HMENU edit = GetSubMenu(GetMenu(main_), 1);
  Load("hello");
  window_->Editor().SetSelection({0, 0});
  window_.Pump();
  EXPECT_FALSE(ButtonEnabled(EditCut1));
  EXPECT_FALSE(ButtonEnabled(EditCopy1));
  EXPECT_FALSE(ButtonEnabled(EditPaste1));
  EXPECT_TRUE(ButtonEnabled(EditUndo));
  EXPECT_FALSE(ButtonEnabled(FileSave1));
  SendMessageA(main_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
  EXPECT_FALSE(ItemEnabled(edit, EditCut1));
  EXPECT_FALSE(ItemEnabled(edit, EditPaste1));
  EXPECT_TRUE(ItemEnabled(edit, EditSelectAll));

  window_->Editor().SetSelection({0, 2});
  window_.Pump();
  EXPECT_TRUE(ButtonEnabled(EditCut1));
  EXPECT_TRUE(ButtonEnabled(EditCopy1));
  EXPECT_FALSE(ButtonEnabled(EditPaste1));
  // Copy puts text on the clipboard: Paste follows at the next refresh, selection unchanged.
  SendMessageA(main_, WM_COMMAND, EditCopy1, 0);
  window_.Pump();
  EXPECT_TRUE(ButtonEnabled(EditPaste1));
  SendMessageA(main_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
  EXPECT_TRUE(ItemEnabled(edit, EditCut1));
  EXPECT_TRUE(ItemEnabled(edit, EditPaste1));
  // Paste from the tool bar replaces the selection; the document becomes unsaved.
  SendMessageA(main_, WM_COMMAND, EditPaste1, reinterpret_cast<LPARAM>(toolBar_));
  window_.Pump();
  EXPECT_EQ(window_->Editor().Text(), "hello");
  EXPECT_TRUE(ButtonEnabled(FileSave1));
  EXPECT_TRUE(ItemEnabled(GetSubMenu(GetMenu(main_), 0), FileSave1));

  // Another program empties the clipboard, then copies text: Paste follows with no keystroke.
  ClearClipboard();
  window_.Pump();
  EXPECT_FALSE(ButtonEnabled(EditPaste1));
  SetClipboardText("text");
  window_.Pump();
  EXPECT_TRUE(ButtonEnabled(EditPaste1));
  // Cut, on an empty clipboard: the selection goes at once, and Paste is on all the same.
  ClearClipboard();
  window_->Editor().SetSelection({0, 2});
  window_.Pump();
  EXPECT_FALSE(ButtonEnabled(EditPaste1));
  SendMessageA(main_, WM_COMMAND, EditCut1, 0);
  window_.Pump();
  EXPECT_EQ(window_->Editor().Text(), "llo");
  EXPECT_TRUE(ButtonEnabled(EditPaste1));
}

// Start-up, a first look around and the end raise no fault that a system might swallow: every
// access violation is counted the moment it happens, before any handler could hide it.
LONG CALLBACK CountAccessViolation(EXCEPTION_POINTERS* info) {
  static_assert(sizeof(LONG) == 4, "");
  if (info->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION) {
    InterlockedIncrement(&accessViolations);
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

TEST(MainWindowStart, RaisesNoAccessViolation) {
  accessViolations = 0;
  void* handler = AddVectoredExceptionHandler(1, CountAccessViolation);
  {
    InProcessPenlet window;
    window.Pump();
  }
  RemoveVectoredExceptionHandler(handler);
  EXPECT_EQ(accessViolations, 0);
}

}  // namespace
}  // namespace penlet::wintest
