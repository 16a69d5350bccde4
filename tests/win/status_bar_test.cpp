// The caret's panels of the status bar: drawn as the bar draws a panel's own text, after each
// keystroke, and read back by SB_GETTEXT as any panel's text is.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/Texts.h"
#include "tests/win/support/MainWindowFixture.h"
#include "tests/win/support/WinTest.h"

namespace penlet::wintest {
namespace {

// A panel's pixels as the bar shows them on the screen.
std::vector<std::uint32_t> PanelPixels(HWND bar, int panel) {
  RECT rect{};
  SendMessageA(bar, SB_GETRECT, panel, reinterpret_cast<LPARAM>(&rect));
  HDC barDc = GetDC(bar);
  std::vector<std::uint32_t> pixels = PixelsOf(barDc, rect);
  ReleaseDC(bar, barDc);
  return pixels;
}

class StatusBarTest : public MainWindowTest {
 protected:
  // A status bar of the platform's own, made like Penlet's and laid over the editing area at the
  // same width, its panels given the texts of Penlet's as plain text.
  HWND ReferenceBar() {
    const RECT rect = RectIn(statusBar_, main_);
    HWND bar = CreateWindowExA(0, STATUSCLASSNAMEA, "",
                               static_cast<DWORD>(GetWindowLongA(statusBar_, GWL_STYLE)), 0,
                               RectIn(edit_, main_).top + 40, rect.right - rect.left,
                               rect.bottom - rect.top, main_, nullptr, nullptr, nullptr);
    SendMessageA(bar, WM_SETFONT, SendMessageA(statusBar_, WM_GETFONT, 0, 0), FALSE);
    int parts[3] = {};
    SendMessageA(statusBar_, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(parts));
    SendMessageA(bar, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
    for (int panel : {1, 2}) {
      SendMessageA(bar, SB_SETTEXTA, panel, reinterpret_cast<LPARAM>(Panel(panel).c_str()));
    }
    return bar;
  }
  void Paint() {
    RedrawWindow(main_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    window_.Pump();
  }
};

TEST_F(StatusBarTest, CaretPanelsLookAsTheBarDrawsItsOwnTextAfterEachKeystroke) {
  Load(kSentence + "\r\n" + kSentence);
  for (const char* keys : {"", "x", "\r"}) {
    SCOPED_TRACE(std::string("after typing \"") + keys + "\"");
    TypeChars(edit_, keys);
    window_.Pump();
    // Nothing but the caret's panels waits to be painted: the rest of the bar stays as it was.
    RECT left{};
    if (GetUpdateRect(statusBar_, &left, FALSE)) {
      RECT panel1{};
      SendMessageA(statusBar_, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&panel1));
      EXPECT_GE(left.left, panel1.left);
    }
    Paint();
    HWND reference = ReferenceBar();
    UpdateWindow(reference);
    for (int panel : {1, 2}) {
      const std::vector<std::uint32_t> shown = PanelPixels(statusBar_, panel);
      ASSERT_FALSE(shown.empty());
      EXPECT_TRUE(shown == PanelPixels(reference, panel))
          << "panel " << panel << ": " << Panel(panel);
    }
    DestroyWindow(reference);
    Paint();
  }
}

TEST_F(StatusBarTest, CaretPanelsAnswerForTheirTextInBothCharacterSets) {
  Load("a\r\nbc");
  TypeChars(edit_, "x");
  window_.Pump();
  EXPECT_EQ(Panel(1), "\t\t" + window_->Window().StatusText(1));
  EXPECT_EQ(Panel(2), Ansi("\t\t1 行　1 列   "));
  const std::wstring wide = L"\t\t1 行　1 列   ";
  EXPECT_EQ(LOWORD(SendMessageW(statusBar_, SB_GETTEXTLENGTHW, 2, 0)), wide.size());
  wchar_t text[64] = {};
  EXPECT_EQ(LOWORD(SendMessageW(statusBar_, SB_GETTEXTW, 2, reinterpret_cast<LPARAM>(text))),
            wide.size());
  EXPECT_EQ(std::wstring(text), wide);
  EXPECT_EQ(LOWORD(SendMessageA(statusBar_, SB_GETTEXTLENGTHA, 2, 0)), Panel(2).size());
  // Panel 0 keeps the bar's own text.
  window_->Window().SetStatusText(0, Ansi("ヒント"));
  EXPECT_EQ(Panel(0), Ansi("ヒント"));
}

}  // namespace
}  // namespace penlet::wintest
