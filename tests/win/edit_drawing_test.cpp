// What the editing area leaves the system to draw after a keystroke: the rows it changed, and a
// scroll bar that shows the text's rows as they now are.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Scintilla.h"
#include "tests/win/support/ScintillaHost.h"

namespace penlet {
namespace {

using wintest::kSentence;

std::string Lines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += kSentence + "\r\n";
  return text;
}

bool LeftToPaint(HWND hwnd, RECT* rect = nullptr) {
  RECT unused;
  return GetUpdateRect(hwnd, rect ? rect : &unused, FALSE) != FALSE;
}

// The vertical scroll bar as the window shows it, read back from its surface.
std::vector<std::uint32_t> ScrollBarPixels(HWND hwnd) {
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  if (!GetScrollBarInfo(hwnd, OBJID_VSCROLL, &info)) return {};
  RECT window;
  GetWindowRect(hwnd, &window);
  RECT bar = info.rcScrollBar;
  OffsetRect(&bar, -window.left, -window.top);
  HDC windowDc = GetWindowDC(hwnd);
  std::vector<std::uint32_t> pixels = wintest::PixelsOf(windowDc, bar);
  ReleaseDC(hwnd, windowDc);
  return pixels;
}

// Each keystroke leaves its row to the next paint, also the one after a paint of the same row,
// and posts nothing for later.
TEST(EditDrawing, EachKeystrokeLeavesItsRowToPaint) {
  ScintillaHost host;
  host.Edit().SetText(Lines(3));
  UpdateWindow(host.Handle());
  ASSERT_FALSE(LeftToPaint(host.Handle()));
  for (const char* typed : {"a", "b", "\x82\xA0", "c"}) {
    host.Type(typed);
    const LRESULT caret = SendMessageW(host.Handle(), SCI_GETCURRENTPOS, 0, 0);
    const auto y = static_cast<LONG>(SendMessageW(host.Handle(), SCI_POINTYFROMPOSITION, 0, caret));
    RECT rect{};
    ASSERT_TRUE(LeftToPaint(host.Handle(), &rect)) << typed;
    EXPECT_LE(rect.top, y) << typed;
    EXPECT_GT(rect.bottom, y) << typed;
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, host.Handle(), WM_USER, 0x7FFF, PM_NOREMOVE))
        << typed << ": message " << msg.message << " posted";
    UpdateWindow(host.Handle());
    EXPECT_FALSE(LeftToPaint(host.Handle())) << typed;
  }
  EXPECT_EQ(host.Edit().Text(),
            "ab\x82\xA0"
            "c" +
                Lines(3));
}

// Rows added, a text that grows past the window, typing that moves no row: after each key the
// scroll bar shows what it shows when drawn anew.
TEST(EditDrawing, TheScrollBarShowsTheRowsAfterEachKeystroke) {
  ScintillaHost host;
  host.Edit().SetText(Lines(20));
  SendMessageW(host.Handle(), SCI_DOCUMENTEND, 0, 0);
  RedrawWindow(host.Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  ASSERT_FALSE(ScrollBarPixels(host.Handle()).empty());
  std::string typed;
  for (int i = 0; i < 60; ++i) typed += i % 4 ? kSentence.substr(0, 2) : std::string("\r\n");
  typed += std::string(40, 'x');
  for (size_t i = 0; i < typed.size();) {
    const size_t n = typed.compare(i, 2, "\r\n") == 0 || IsDBCSLeadByte(typed[i]) ? 2 : 1;
    const LRESULT rowsBefore = SendMessageW(host.Handle(), SCI_GETLINECOUNT, 0, 0);
    host.Type(typed.substr(i, n));
    i += n;
    const std::vector<std::uint32_t> shown = ScrollBarPixels(host.Handle());
    RedrawWindow(host.Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_EQ(shown, ScrollBarPixels(host.Handle()))
        << "after " << i << " bytes typed, " << rowsBefore << " lines before the key";
  }
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(host.Handle(), SB_VERT, &info));
  EXPECT_EQ(info.nPos, SendMessageW(host.Handle(), SCI_GETFIRSTVISIBLELINE, 0, 0));
}

}  // namespace
}  // namespace penlet
