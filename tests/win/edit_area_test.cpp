// The editing area on the real Scintilla component, held to the same contract as the fake, and
// what only the real one can show: keys and characters as the system delivers them.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Scintilla.h"
#include "platform/edit/ScintillaEdit_win32.h"
#include "tests/contract/EditAreaContract.h"
#include "tests/win/support/ScintillaHost.h"
#include "tests/win/support/WinTest.h"

namespace penlet {
namespace {

INSTANTIATE_TYPED_TEST_SUITE_P(Scintilla, EditAreaContract, ::testing::Types<ScintillaHost>);

TEST(ScintillaEdit, ACaretNeverStopsInsideALineBreakOrACharacter) {
  ScintillaHost host;
  ScintillaEdit& edit = host.Edit();
  edit.SetText(
      "a\r\n\x93\xFA"
      "b");
  edit.SetSelection({1, 1});
  SendMessageW(host.Handle(), WM_KEYDOWN, VK_RIGHT, 1);
  EXPECT_EQ(edit.GetSelection(), (Selection{3, 3}));
  SendMessageW(host.Handle(), WM_KEYDOWN, VK_RIGHT, 1);
  EXPECT_EQ(edit.GetSelection(), (Selection{5, 5}));
  SendMessageW(host.Handle(), WM_KEYDOWN, VK_BACK, 1);
  EXPECT_EQ(edit.Text(), "a\r\nb");
  SendMessageW(host.Handle(), WM_KEYDOWN, VK_BACK, 1);
  EXPECT_EQ(edit.Text(), "ab");
}

// Japanese wraps between any two characters, Latin words at spaces.
TEST(ScintillaEdit, JapaneseWrapsAnywhereAndLatinAtSpaces) {
  ScintillaHost host;
  host.Narrow();
  ScintillaEdit& edit = host.Edit();
  std::string japanese = "ab ";
  for (int i = 0; i < 60; ++i) japanese += "\x93\xFA";  // 日
  edit.SetText(japanese);
  ASSERT_GT(edit.LineCount(), 2);
  EXPECT_GT(edit.Line(0).size(), 5u) << "the first line stopped at the space";
  std::string latin;
  for (int i = 0; i < 40; ++i) latin += "word" + std::to_string(i) + " ";
  edit.SetText(latin);
  const int lines = edit.LineCount();
  ASSERT_GT(lines, 2);
  for (int i = 0; i + 1 < lines; ++i) EXPECT_EQ(edit.Line(i).back(), ' ') << "line " << i;
}

// A long text is laid out in the background. Asked for all its lines, as printing asks, the area
// lays it out at once; what it reports of that afterwards only counts the lines further. A new
// width lays them out anew.
TEST(ScintillaEdit, TheBackgroundLayoutIsToldApartFromANewWidth) {
  ScintillaHost host;
  ScintillaEdit& edit = host.Edit();
  struct Layouts : EditAreaListener {
    void EditAreaChanged() override {}
    void EditAreaSelectionChanged() override {}
    void EditAreaLinesChanged(LayoutChange change) override { seen.push_back(change); }
    std::vector<LayoutChange> seen;
  } layouts;
  std::string paragraph;
  for (int i = 0; i < 70; ++i) paragraph += "\x93\xFA";  // 日, two rows or more
  std::string text;
  for (int i = 0; i < 3000; ++i) text += paragraph + "\r\n";
  edit.SetText(text);
  edit.SetListener(&layouts);
  // What the background has not laid out yet can be laid out in steps, which stop when asked.
  int steps = 0;
  EXPECT_FALSE(edit.LayOutRest([&] { return ++steps < 2; }));
  EXPECT_TRUE(edit.LayOutRest([&] { return ++steps > 0; }));
  EXPECT_GT(steps, 3);
  const auto laidOut =
      static_cast<std::int32_t>(SendMessageW(host.Handle(), SCI_VISIBLEFROMDOCLINE, INT_MAX, 0));
  const std::int32_t lines = edit.LineCount();
  EXPECT_EQ(lines, laidOut);
  EXPECT_GE(lines, 6000);
  for (int i = 0; i < 20; ++i) {
    Sleep(20);
    wintest::Pump();
  }
  EXPECT_EQ(edit.LineCount(), lines);
  ASSERT_FALSE(layouts.seen.empty()) << "the layout done for the lines was never reported";
  for (LayoutChange change : layouts.seen) EXPECT_EQ(change, LayoutChange::kLaidOutFurther);
  const size_t before = layouts.seen.size();
  host.Narrow();
  ASSERT_GT(layouts.seen.size(), before);
  EXPECT_EQ(layouts.seen[before], LayoutChange::kNewLayout);
  edit.SetListener(nullptr);
}

// What an input method hands over, and a character typed on a Unicode keyboard, arrive as whole
// double-byte characters of the code page.
TEST(ScintillaEdit, InputMethodCharactersArriveWhole) {
  ScintillaHost host;
  ScintillaEdit& edit = host.Edit();
  // An input method's results come as WM_IME_CHAR, one character each.
  SendMessageW(host.Handle(), WM_IME_CHAR, 0x65E5, 1);  // 日
  SendMessageW(host.Handle(), WM_IME_CHAR, 0x672C, 1);  // 本
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  SendMessageW(host.Handle(), WM_CHAR, 0xFF5E, 1);  // ～ (FULLWIDTH TILDE)
  EXPECT_EQ(edit.Text(), "\x93\xFA\x96\x7B\x81\x60");
  EXPECT_EQ(edit.GetSelection(), (Selection{6, 6}));
}

// The keys and the mouse of a Windows edit control, and nothing of the component's own: Home and
// End go by display row, and zoom, rectangular selections and control characters do nothing.
TEST(ScintillaEdit, KeysAreANotepadsWithHomeAndEndByDisplayRow) {
  ScintillaHost host;
  host.Narrow();
  ScintillaEdit& edit = host.Edit();
  std::string text;
  for (int i = 0; i < 80; ++i) text += "\x93\xFA";  // 日, wrapped anywhere
  edit.SetText(text);
  ASSERT_GT(edit.LineCount(), 2);
  const ByteOffset row1 = edit.LineIndex(1), row2 = edit.LineIndex(2);
  ASSERT_GT(row2 - row1, 4);
  const ByteOffset middle = row1 + 4;
  const auto key = [&](WPARAM vk, std::initializer_list<int> held = {}) {
    HeldKeys keys(held);
    SendMessageW(host.Handle(),
                 held.size() && *held.begin() == VK_MENU ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, 1);
  };
  edit.SetSelection({middle, middle});
  key(VK_HOME);
  EXPECT_EQ(edit.GetSelection(), (Selection{row1, row1}));
  key(VK_END);
  EXPECT_EQ(edit.GetSelection(), (Selection{row2, row2}));
  edit.SetSelection({middle, middle});
  key(VK_HOME, {VK_SHIFT});
  EXPECT_EQ(edit.GetSelection(), (Selection{row1, middle}));
  edit.SetSelection({middle, middle});
  key(VK_END, {VK_SHIFT});
  EXPECT_EQ(edit.GetSelection(), (Selection{middle, row2}));

  // Alt+Shift+arrows and an Alt+drag make no rectangle; Ctrl with the keypad or the wheel does
  // not zoom; a Ctrl combination types nothing.
  edit.SetSelection({middle, middle});
  key(VK_DOWN, {VK_MENU, VK_SHIFT});
  key(VK_RIGHT, {VK_MENU, VK_SHIFT});
  EXPECT_EQ(edit.GetSelection(), (Selection{middle, middle}));
  const auto at = [&](ByteOffset offset) {
    const auto x = SendMessageW(host.Handle(), SCI_POINTXFROMPOSITION, 0, offset);
    const auto y = SendMessageW(host.Handle(), SCI_POINTYFROMPOSITION, 0, offset);
    return MAKELPARAM(x + 1, y + 2);
  };
  {
    HeldKeys alt({VK_MENU});
    SendMessageW(host.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at(2));
    SendMessageW(host.Handle(), WM_MOUSEMOVE, MK_LBUTTON, at(row2 + 6));
    SendMessageW(host.Handle(), WM_LBUTTONUP, 0, at(row2 + 6));
  }
  EXPECT_EQ(SendMessageW(host.Handle(), SCI_SELECTIONISRECTANGLE, 0, 0), 0);
  EXPECT_EQ(SendMessageW(host.Handle(), SCI_GETSELECTIONS, 0, 0), 1);
  EXPECT_EQ(edit.GetSelection().start, 2);
  key(VK_ADD, {VK_CONTROL});
  {
    HeldKeys ctrl({VK_CONTROL});
    SendMessageW(host.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, WHEEL_DELTA), at(2));
  }
  EXPECT_EQ(SendMessageW(host.Handle(), SCI_GETZOOM, 0, 0), 0);
  edit.SetSelection({0, 0});
  SendMessageW(host.Handle(), WM_CHAR, 0x02, 1);  // Ctrl+B
  EXPECT_EQ(edit.Text(), text);

  // Tab puts a tab in place of the selection, over several lines too: it indents nothing.
  edit.SetText("ab\r\ncd\r\nef");
  edit.SetSelection({1, 6});
  key(VK_TAB);
  SendMessageW(host.Handle(), WM_CHAR, '\t', 1);
  EXPECT_EQ(edit.Text(), "a\t\r\nef");
}

// A copy is the bytes as they were copied, for a paste here and for other programs, also once
// the area is gone. A long paste or delete goes in steps that one Rescue (or Ctrl+Z) takes back
// whole. The clipboard's keys are the area's own.
TEST(ScintillaEdit, LongCopiesPastesAndDeletesKeepTheirBytesAndOneRescueTakesThemBack) {
  std::string text;
  while (text.size() < (9u << 20)) text += "\x93\xFA\x96\x7B\x8C\xEA text\r\n";  // 日本語
  wintest::ClearClipboard();
  {
    ScintillaHost host;
    ScintillaEdit& edit = host.Edit();
    edit.SetText(text);
    edit.SelectAll();
    {
      HeldKeys ctrl({VK_CONTROL});
      SendMessageW(host.Handle(), WM_KEYDOWN, VK_INSERT, 1);
    }
    edit.SetSelection({0, 0});
    host.Type("X");
    edit.SetSelection({0, 1});
    {
      HeldKeys shift({VK_SHIFT});
      SendMessageW(host.Handle(), WM_KEYDOWN, VK_INSERT, 1);
    }
    EXPECT_TRUE(edit.Text() == text + text) << "pasted " << edit.TextLength() << " bytes";
    const ByteOffset pasted = static_cast<ByteOffset>(text.size());
    EXPECT_EQ(edit.GetSelection(), (Selection{pasted, pasted}));
    edit.Undo();
    EXPECT_TRUE(edit.Text() == "X" + text) << "after Rescue " << edit.TextLength() << " bytes";
    edit.SetSelection({1, pasted + 1});
    SendMessageW(host.Handle(), WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_EQ(edit.TextLength(), 1);
    {
      HeldKeys ctrl({VK_CONTROL});
      SendMessageW(host.Handle(), WM_KEYDOWN, 'Z', 1);
    }
    EXPECT_TRUE(edit.Text() == "X" + text) << "after Ctrl+Z " << edit.TextLength() << " bytes";
    EXPECT_EQ(edit.GetSelection(), (Selection{pasted + 1, pasted + 1}));
    edit.SetSelection({1, pasted + 1});
    host.Type("\x93\xFA");
    EXPECT_EQ(edit.TextLength(), 3);
    edit.Undo();
    EXPECT_TRUE(edit.Text() == "X" + text) << "typed over, then Rescue " << edit.TextLength();

    // Other programs read it as Unicode too.
    ASSERT_TRUE(OpenClipboard(nullptr));
    const HANDLE wide = GetClipboardData(CF_UNICODETEXT);
    const bool widened = wide && std::wstring(static_cast<const wchar_t*>(GlobalLock(wide)), 3) ==
                                     L"\u65E5\u672C\u8A9E";
    if (wide) GlobalUnlock(wide);
    CloseClipboard();
    EXPECT_TRUE(widened);

    edit.SetSelection({0, 1});
    {
      HeldKeys shift({VK_SHIFT});
      SendMessageW(host.Handle(), WM_KEYDOWN, VK_DELETE, 1);
    }
    EXPECT_TRUE(edit.Text() == text);
    EXPECT_EQ(host.Clipboard(), "X");
    edit.SelectAll();
    SendMessageW(host.Handle(), WM_COPY, 0, 0);
  }
  EXPECT_TRUE(wintest::ClipboardText() == text) << "the copy went with the area";
  wintest::ClearClipboard();
}

// Replace All's ranges over megabytes go in pieces; the text is as if replaced in one go.
TEST(ScintillaEdit, RangesOverMegabytesAreReplacedAsInOneGo) {
  ScintillaHost host;
  ScintillaEdit& edit = host.Edit();
  std::string text, expected;
  std::vector<Selection> ranges;
  while (text.size() < (9u << 20)) {
    ranges.push_back(
        {static_cast<ByteOffset>(text.size()) + 3, static_cast<ByteOffset>(text.size()) + 5});
    text += "\x93\xFA ab\r\n";
    expected += "\x93\xFA \x83\x5C!\r\n";  // each replacement one byte longer
  }
  edit.SetText(text);
  edit.ReplaceRanges(ranges, "\x83\x5C!");
  EXPECT_TRUE(edit.Text() == expected) << edit.TextLength() << " bytes";
  const ByteOffset caret = static_cast<ByteOffset>(expected.size()) - 2;
  EXPECT_EQ(edit.GetSelection(), (Selection{caret, caret}));
}

TEST(ScintillaEdit, ADropFromOutsideAnyMessageIsReportedFromTheQueue) {
  ScintillaHost host;
  ScintillaEdit& edit = host.Edit();
  ContractRecorder recorder(edit);
  edit.SetListener(&recorder);
  // An edit that reaches the component past its window, as another program's drop does.
  using Direct = sptr_t(__cdecl*)(sptr_t, unsigned, uptr_t, sptr_t);
  const auto direct =
      reinterpret_cast<Direct>(SendMessageW(host.Handle(), SCI_GETDIRECTFUNCTION, 0, 0));
  const auto self = static_cast<sptr_t>(SendMessageW(host.Handle(), SCI_GETDIRECTPOINTER, 0, 0));
  const int before = recorder.changes;
  direct(self, SCI_INSERTTEXT, 0, reinterpret_cast<sptr_t>("dropped"));
  EXPECT_EQ(recorder.changes, before);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  EXPECT_EQ(edit.Text(), "dropped");
  EXPECT_EQ(recorder.changes, before + 1);
  edit.SetListener(nullptr);
  EXPECT_TRUE(recorder.problems.empty());
}

}  // namespace
}  // namespace penlet
