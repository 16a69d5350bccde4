// The edit-control questions other programs ask the editing area, answered in byte offsets and
// display lines, from another process as from the program's own thread.
#include <gtest/gtest.h>
#include <richedit.h>

#include <string>
#include <vector>

#include "platform/system/Encoding.h"
#include "tests/win/support/ScintillaHost.h"
#include "tests/win/support/WinTest.h"

namespace penlet {
namespace {

// Long Japanese paragraphs: each wraps into several display lines in a window of ordinary size.
std::string Paragraphs() {
  std::string text;
  for (int p = 0; p < 3; ++p) {
    for (int i = 0; i < 12; ++i) text += Cp932FromUtf8("日本語のテキストです。");
    text += "Penlet " + std::to_string(p) + "\r\n";
  }
  return text + Cp932FromUtf8("最後の行");
}

// Each display line's start, read through EM_LINEINDEX until it answers -1.
std::vector<int> LineStarts(HWND edit) {
  std::vector<int> starts;
  for (int line = 0;; ++line) {
    const auto start = static_cast<int>(SendMessageA(edit, EM_LINEINDEX, line, 0));
    if (start < 0) break;
    starts.push_back(start);
  }
  return starts;
}

// What every question answers of `text` as the window holding it shows it: the answers agree
// with each other and with the rows on the screen.
// A program's own thread asks EM_CHARFROMPOS in the rich edit's form, others in the edit
// control's.
void ExpectDisplayLineAnswers(HWND edit, const std::string& text, bool ownThread) {
  const std::vector<int> starts = LineStarts(edit);
  const auto count = static_cast<int>(SendMessageA(edit, EM_GETLINECOUNT, 0, 0));
  ASSERT_EQ(static_cast<int>(starts.size()), count);
  ASSERT_GT(count, 6) << "the paragraphs wrap";
  EXPECT_EQ(starts[0], 0);
  int lastY = -1;
  for (int line = 0; line < count; ++line) {
    const int start = starts[line];
    const int next = line + 1 < count ? starts[line + 1] : static_cast<int>(text.size());
    ASSERT_LT(start, next) << line;
    std::string expected = text.substr(start, next - start);
    while (!expected.empty() && (expected.back() == '\n' || expected.back() == '\r')) {
      expected.pop_back();
    }
    EXPECT_EQ(SendMessageA(edit, EM_LINEFROMCHAR, start, 0), line);
    EXPECT_EQ(SendMessageA(edit, EM_LINEFROMCHAR, next - 1, 0), line);
    EXPECT_EQ(SendMessageA(edit, EM_EXLINEFROMCHAR, 0, start), line);
    EXPECT_EQ(SendMessageA(edit, EM_LINELENGTH, start, 0), static_cast<LRESULT>(expected.size()));
    char buffer[1024] = {};
    *reinterpret_cast<WORD*>(buffer) = sizeof buffer - 1;
    const auto got = static_cast<size_t>(SendMessageA(edit, EM_GETLINE, line, (LPARAM)buffer));
    EXPECT_EQ(std::string(buffer, got), expected) << "line " << line;
    // The row on the screen: each line lower than the one before, at the left edge, and the
    // character found there is its first.
    const auto at = static_cast<DWORD>(SendMessageA(edit, EM_POSFROMCHAR, start, 0));
    const int x = static_cast<short>(LOWORD(at)), y = static_cast<short>(HIWORD(at));
    EXPECT_GT(y, lastY) << line;
    lastY = y;
    if (ownThread) {
      POINTL point{x + 1, y + 2};
      EXPECT_EQ(SendMessageA(edit, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&point)), start);
    } else {
      const auto found =
          static_cast<DWORD>(SendMessageA(edit, EM_CHARFROMPOS, 0, MAKELPARAM(x + 1, y + 2)));
      EXPECT_EQ(LOWORD(found), start) << line;
      EXPECT_EQ(HIWORD(found), line);
    }
  }
  // The line break of a paragraph is on its last display line; -1 asks about the selection.
  const auto crlf = static_cast<int>(text.find("\r\n"));
  const auto lineOfBreak = static_cast<int>(SendMessageA(edit, EM_LINEFROMCHAR, crlf, 0));
  EXPECT_EQ(starts[lineOfBreak + 1], crlf + 2);
  EXPECT_EQ(SendMessageA(edit, EM_LINEINDEX, count, 0), -1);
}

TEST(EditQuestions, AnsweredInDisplayLinesInTheProgramsOwnThread) {
  ScintillaHost host;
  ScintillaEdit& edit = host.Edit();
  const std::string text = Paragraphs();
  edit.SetText(text);
  ExpectDisplayLineAnswers(host.Handle(), text, true);
  EXPECT_EQ(SendMessageA(host.Handle(), EM_GETLINECOUNT, 0, 0), edit.LineCount());
  edit.SetSelection({100, 104});
  EXPECT_EQ(SendMessageA(host.Handle(), EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0),
            edit.LineFromOffset(100));
  EXPECT_EQ(SendMessageA(host.Handle(), EM_LINEINDEX, static_cast<WPARAM>(-1), 0),
            edit.LineIndex(edit.LineFromOffset(100)));
  // The rich edit's forms, with structures, for the program's own thread.
  CHARRANGE range{};
  SendMessageA(host.Handle(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  EXPECT_EQ(range.cpMin, 100);
  EXPECT_EQ(range.cpMax, 104);
  POINTL point{};
  SendMessageA(host.Handle(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&point), 100);
  const auto packed = static_cast<DWORD>(SendMessageA(host.Handle(), EM_POSFROMCHAR, 100, 0));
  EXPECT_EQ(point.x, static_cast<short>(LOWORD(packed)));
  EXPECT_EQ(point.y, static_cast<short>(HIWORD(packed)));
  point.x += 1;
  point.y += 2;
  EXPECT_EQ(SendMessageA(host.Handle(), EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&point)), 100);
}

TEST(EditQuestions, AnsweredInBytesAndDisplayLinesToAnotherProcess) {
  wintest::TempDir dir;
  const std::string text = Paragraphs();
  const std::string path = dir.Write("long.txt", text);
  wintest::PenletProcess penlet(wintest::Quoted(path));
  ASSERT_TRUE(penlet.Ready());
  const HWND edit = penlet.Edit();
  ASSERT_TRUE(wintest::WaitUntil([&] { return penlet.Text() == text; }));
  EXPECT_EQ(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(text.size()));
  ExpectDisplayLineAnswers(edit, text, false);
  SendMessageA(edit, EM_SETSEL, 70, 74);
  EXPECT_EQ(SendMessageA(edit, EM_GETSEL, 0, 0), MAKELRESULT(70, 74));
  DWORD start = 0, end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 70u);
  EXPECT_EQ(end, 74u);
  EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  EXPECT_EQ(penlet.Close(), 0u);
}

}  // namespace
}  // namespace penlet
