// The counter and caret panels on the real main window and editing area, and the settings
// file of penlet.exe: read at start, written at exit, and a write that the system refuses.
#include <gtest/gtest.h>

#include "core/CharacterCount.h"

#include "tests/win/support/WinTest.h"
#include "core/Texts.h"

namespace penlet::wintest {
namespace {

class CounterOnTheRealWindow : public ::testing::Test {
 protected:
  CounterOnTheRealWindow() { window.boxes.answer = DialogResult::No; }
  ~CounterOnTheRealWindow() override { window->Form().FileNew1Execute(); }

  InProcessPenlet window;
};

TEST_F(CounterOnTheRealWindow, EmptyDocumentThenTypedLinesAndAClick) {
  EXPECT_EQ(window->Window().Memo1Text(), "0");
  EXPECT_EQ(window->Window().Memo2Text(), Ansi(" 文字"));
  EXPECT_EQ(window->Window().StatusText(1), Ansi(" 0  文字目"));
  EXPECT_EQ(window->Window().StatusText(2), Ansi("1 行　0 列   "));

  // 日本 arrives as two double-byte characters, then a line break and abc.
  window->Editor().ReplaceSelection("\x93\xFA\x96\x7B");
  window.Type("\rabc");
  EXPECT_EQ(window->Window().Memo1Text(), "7");
  EXPECT_EQ(window->Window().StatusText(1), Ansi(" 7  文字目"));
  EXPECT_EQ(window->Window().StatusText(2), Ansi("2 行　3 列   "));

  window->Editor().SetSelection({2, 2});
  window.Pump();
  EXPECT_EQ(window->Window().StatusText(1), Ansi(" 1  文字目"));
  EXPECT_EQ(window->Window().StatusText(2), Ansi("1 行　2 列   "));

  SetFocus(window.Owner());
  window->Form().Memo1Click();
  EXPECT_TRUE(window->Editor().HasFocus());
  EXPECT_EQ(window->Window().Memo1Text(), "9");
  EXPECT_EQ(window->Window().Memo2Text(), Ansi(" バイト"));
  EXPECT_EQ(window->Window().StatusText(1), Ansi(" 2  バイト目"));
  EXPECT_EQ(window->Editor().GetSelection(), (Selection{2, 2}));
  EXPECT_TRUE(window.errors.empty());
}

TEST_F(CounterOnTheRealWindow, WrappedParagraphCountsSeveralLines) {
  const std::string paragraph(2000, 'w');
  window->Editor().ReplaceSelection(paragraph);
  window.Pump();
  const std::int32_t lines = window->Editor().LineCount();
  ASSERT_GT(lines, 2);  // the window is far narrower than 2000 characters
  EXPECT_EQ(window->Window().StatusText(2),
            Ansi(std::to_string(lines) + " 行　") +
                std::to_string(2000 - window->Editor().LineIndex(lines - 1)) + Ansi(" 列   "));
  EXPECT_EQ(window->Window().StatusText(1), Ansi(" 2000文字目"));
}

TEST_F(CounterOnTheRealWindow, OpenedDocumentIsCountedOnceLoaded) {
  // Many blocks of the stream: the counter must end on the whole text, not on a block of it.
  std::string text;
  for (int i = 0; i < 20000; ++i) text += "\x93\xFA\x96\x7B\r\nabc";
  TempDir dir;
  window->Form().OpenDocument(dir.Write("long.txt", text));
  window.Pump();
  EXPECT_EQ(window->Window().Memo1Text(), std::to_string(7 * 20000));
  const Selection caret = window->Editor().GetSelection();
  EXPECT_EQ(window->Window().StatusText(1),
            Ansi(" " + std::to_string(caret.start == 0 ? 0 : 7 * 20000) +
                 (caret.start == 0 ? "  " : "") + "文字目"));
  window->Form().Memo1Click();
  EXPECT_EQ(window->Window().Memo1Text(), std::to_string(text.size()));
}

// After every kind of edit the counter and the offset panel describe the text as it now is,
// also when the caret stays where it was (a forward Delete).
TEST_F(CounterOnTheRealWindow, EveryEditLeavesTheCounterOnTheText) {
  const auto shows = [&](int characters, int offset) {
    EXPECT_EQ(window->Window().Memo1Text(), std::to_string(characters));
    EXPECT_EQ(window->Window().StatusText(1), OffsetPanelText(offset, true));
  };
  window.Type("abc");
  window.Key(VK_BACK);
  shows(2, 2);
  window.Key(VK_HOME);
  window.Key(VK_DELETE);
  shows(1, 0);
  window->Editor().SetSelection({1, 1});
  window->Editor().ReplaceSelection("\x93\xFA\x96\x7B\x8C\xEA");  // 日本語
  window.Pump();
  window.Key(VK_BACK);
  shows(3, 3);
  window.Key(VK_LEFT);
  window.Key(VK_DELETE);
  shows(2, 2);
  SendMessageW(window->Editor().Handle(), WM_UNDO, 0, 0);
  window.Pump();
  const std::string text = window->Editor().Text();
  const LeadByteSet sjis = LeadByteSet::Cp932();
  ASSERT_NE(text, "b\x93\xFA");
  shows(CountCharacters(text, text.size(), sjis),
        CountCharacters(text, window->Editor().GetSelection().start, sjis));
  EXPECT_TRUE(window.errors.empty());
}

// What the file holds comes back byte for byte after an edit and a save: the NEC special and
// NEC-selected IBM codes, a lead byte before a line break and a lone lead byte at the end; a
// pasted bare line feed is saved as CR LF and counted alike before and after.
TEST_F(CounterOnTheRealWindow, SavingKeepsEveryByteOfTheFile) {
  TempDir dir;
  const std::string original = "\x87\x90\x87\x9A\xED\x40\xEE\xEF\xEE\xF9\r\n\x82\r\nz\x82";
  const std::string path = dir.Write("codes.txt", original);
  window->Form().OpenDocument(path);
  window.Pump();
  window->Editor().SetSelection({0, 0});
  window.Type("x");
  window->Form().FileSave1Execute();
  EXPECT_EQ(ReadFileBytes(path), "x" + original);

  SetClipboardText("ab\ncd");
  const std::string pasted = dir.Write("pasted.txt", "");
  window->Form().OpenDocument(pasted);
  SendMessageW(window->Editor().Handle(), WM_PASTE, 0, 0);
  window.Pump();
  EXPECT_EQ(window->Window().Memo1Text(), "6");
  window->Form().FileSave1Execute();
  window->Form().OpenDocument(pasted);
  window.Pump();
  EXPECT_EQ(ReadFileBytes(pasted), "ab\r\ncd");
  EXPECT_EQ(window->Window().Memo1Text(), "6");
  EXPECT_TRUE(window.errors.empty());
}

// A copy of penlet.exe in a folder of its own, so that its settings file is its own too.
class SettingsFile : public ::testing::Test {
 protected:
  SettingsFile() : exe(dir.In("copy.exe")), ini(dir.In("copy.ini")) {
    CopyFileA((ExeDir() + "penlet.exe").c_str(), exe.c_str(), FALSE);
  }

  TempDir dir;
  std::string exe;
  std::string ini;
};

TEST_F(SettingsFile, FirstRunOpensAtTheDesignedSizeAndWritesTheFourKeysInOrder) {
  ASSERT_FALSE(FileExists(ini));
  PenletProcess penlet("", "", SW_SHOWNORMAL, exe);
  ASSERT_TRUE(penlet.Ready());
  const RECT rc = WindowRect(penlet.Main());
  EXPECT_EQ(rc.right - rc.left, 670);
  EXPECT_EQ(rc.bottom - rc.top, 324);
  EXPECT_EQ(penlet.Close(), 0u);
  EXPECT_EQ(ReadFileBytes(ini), "[Form]\r\nTop=" + std::to_string(rc.top) + "\r\nLeft=" +
                                    std::to_string(rc.left) + "\r\nWidth=670\r\nHeight=324\r\n");
}

TEST_F(SettingsFile, StoredSizeIsAppliedAndAWideWindowOpensAtTheLeftEdge) {
  // Wider than the screen, yet within what the system lets a window grow to.
  const int width = GetSystemMetrics(SM_CXSCREEN) + 10;
  ASSERT_LE(width, GetSystemMetrics(SM_CXMAXTRACK));
  char hex[16];
  wsprintfA(hex, "$%X", width);
  dir.Write("copy.ini",
            std::string("[Form]\r\nTop=77\r\nLeft=88\r\nWidth=") + hex + "\r\nHeight=0x190\r\n");
  PenletProcess penlet("", "", SW_SHOWNORMAL, exe);
  ASSERT_TRUE(penlet.Ready());
  const RECT rc = WindowRect(penlet.Main());
  EXPECT_EQ(rc.right - rc.left, width);
  EXPECT_EQ(rc.bottom - rc.top, 400);
  EXPECT_EQ(rc.left, 0);  // Left=88 is not used
  EXPECT_EQ(penlet.Close(), 0u);
  EXPECT_EQ(ReadFileBytes(ini), "[Form]\r\nTop=" + std::to_string(rc.top) + "\r\nLeft=0\r\nWidth=" +
                                    std::to_string(width) + "\r\nHeight=400\r\n");
}

// A read-only file does not stop an administrator, and the tests may run as one: a folder in
// the settings file's place refuses every write.
TEST_F(SettingsFile, RefusedWriteShowsTheErrorAfterTheWindowHasGone) {
  ASSERT_TRUE(CreateDirectoryA(ini.c_str(), nullptr));
  PenletProcess penlet("", "", SW_SHOWNORMAL, exe);
  ASSERT_TRUE(penlet.Ready());
  HWND main = penlet.Main();
  EXPECT_EQ(WindowRect(main).right - WindowRect(main).left, 670);
  PostMessageA(main, WM_CLOSE, 0, 0);
  HWND box = penlet.ErrorBox();
  ASSERT_NE(box, nullptr);
  EXPECT_FALSE(IsWindow(main) && IsWindowVisible(main));
  const std::string message = BoxMessage(box);
  // The exception box ends the message with its own full stop.
  const std::string expected = ini + Ansi(" に書き込めません");
  EXPECT_EQ(message.substr(0, expected.size()), expected);
  Dismiss(box);
  EXPECT_EQ(penlet.WaitExit(), 0u);
}

}  // namespace
}  // namespace penlet::wintest
