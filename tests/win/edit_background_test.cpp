// What the editing area does between the user's keys in a long text: the background layout goes
// on past lines edited behind it, and the text's gap goes where the caret went.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "Scintilla.h"
#include "output/Mail.h"
#include "tests/win/support/ScintillaHost.h"

namespace penlet {
namespace {

using wintest::kSentence;

// Paragraphs of the sentence long enough to wrap on several rows, between short lines.
std::string LongText(size_t bytes) {
  std::string paragraph;
  for (int i = 0; i < 9; ++i) paragraph += kSentence;
  std::string text;
  for (int n = 0; text.size() < bytes; ++n) {
    text += n % 3 ? kSentence + " Penlet\r\n" : paragraph + "\r\n";
  }
  return text;
}

std::int32_t LaidOut(ScintillaHost& host) {
  return static_cast<std::int32_t>(SendMessageW(host.Handle(), SCI_VISIBLEFROMDOCLINE, INT_MAX, 0));
}

// Where each of the first `count` display lines starts, and how many there are in all: the
// whole text laid out.
std::vector<ByteOffset> Rows(ScintillaHost& host, std::int32_t count) {
  std::vector<ByteOffset> rows{host.Edit().LineCount()};
  for (std::int32_t line = 0; line < count; ++line) rows.push_back(host.Edit().LineIndex(line));
  return rows;
}

TEST(EditBackground, EditsBehindTheLayoutEndInTheRowsOfAFreshLayout) {
  ScintillaHost host;
  host.Edit().SetText(LongText(6 << 20));
  // Let the background layout pass the first lines, and little more: a message at a time.
  const std::int32_t before = LaidOut(host);
  const DWORD start = GetTickCount();
  while (LaidOut(host) <= before + 1000 && GetTickCount() - start < 10000) {
    MSG msg;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageW(&msg);
    } else {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
  }
  ASSERT_GT(LaidOut(host), before + 1000);

  // Near the top: a paragraph that grows by rows, lines added, lines joined, lines removed.
  for (int i = 0; i < 4; ++i) host.Type(kSentence);
  host.Type("\r\n\r\n");
  SendMessageW(host.Handle(), SCI_GOTOLINE, 6, 0);
  SendMessageW(host.Handle(), WM_KEYDOWN, VK_BACK, 1);
  const ByteOffset from = host.Edit().LineIndex(12);
  host.Edit().SetSelection({from, from + 400});
  SendMessageW(host.Handle(), WM_KEYDOWN, VK_DELETE, 1);
  host.Type(kSentence);
  const std::int32_t edited = LaidOut(host);
  const std::string text = host.Edit().Text();

  ScintillaHost fresh;
  fresh.Edit().SetText(text);
  const std::vector<ByteOffset> rows = Rows(host, 300);
  EXPECT_EQ(rows, Rows(fresh, 300));
  EXPECT_LT(edited, rows.front()) << "the layout had ended before the edits";
}

// Send takes the rows of what the background layout has not reached yet, or passed before an
// edit, as the finished layout has them.
TEST(EditBackground, TheMailBodyOfATextBeingLaidOutIsThatOfTheWholeLayout) {
  const std::string text = LongText(3 << 20) + kSentence;
  ScintillaHost host;
  host.Edit().SetText(text);
  host.Type(kSentence + kSentence + "\r\n");
  int steps = 0;
  const std::optional<std::string> body = MailBody(host.Edit(), [&] { return ++steps > 0; });

  ScintillaHost laidOut;
  laidOut.Edit().SetText(host.Edit().Text());
  const std::int32_t lines = laidOut.Edit().LineCount();
  ASSERT_TRUE(body.has_value());
  EXPECT_EQ(*body, MailBody(laidOut.Edit()));
  EXPECT_GT(steps, 100) << "the window was not answered while the body was built";
  size_t breaks = 0;
  for (size_t at = body->find("\r\n"); at != std::string::npos; at = body->find("\r\n", at + 2)) {
    ++breaks;
  }
  EXPECT_EQ(breaks, static_cast<size_t>(lines));
}

// The caret's jumps leave the text as it was; the gap follows the caret while the loop turns.
TEST(EditBackground, TheGapFollowsTheCaretAndTheTextStays) {
  constexpr UINT kGapTowards = 0x7E53;
  ScintillaHost host;
  const std::string text = LongText(12 << 20);
  host.Edit().SetText(text);
  const auto gap = [&] { return SendMessageW(host.Handle(), SCI_GETGAPPOSITION, 0, 0); };
  const auto closeTo = [&](LRESULT at) { return [&, at] { return std::abs(gap() - at) < 65536; }; };

  SendMessageW(host.Handle(), SCI_DOCUMENTEND, 0, 0);
  EXPECT_TRUE(wintest::WaitUntil(closeTo(static_cast<LRESULT>(text.size())), 5000));
  SendMessageW(host.Handle(), SCI_DOCUMENTSTART, 0, 0);
  EXPECT_TRUE(wintest::WaitUntil(closeTo(0), 5000));
  EXPECT_EQ(host.Edit().Text(), text);

  // A step goes no further than it is told, and a place outside the text moves nothing.
  const LRESULT start = gap();
  EXPECT_EQ(SendMessageW(host.Handle(), kGapTowards, text.size(), 1 << 20), start + (1 << 20));
  EXPECT_EQ(SendMessageW(host.Handle(), kGapTowards, text.size() + 1, 1 << 20), start + (1 << 20));
  EXPECT_EQ(host.Edit().Text(), text);

  // Typed where the caret is, wherever the gap was.
  host.Edit().SetSelection({5, 5});
  host.Type("x");
  EXPECT_EQ(host.Edit().Text(), text.substr(0, 5) + "x" + text.substr(5));
}

// Room for a long paste is made a piece at a time: the text stays whole through the pieces and
// through an insertion or a deletion between them, wherever the gap was, and the gap ends behind
// the text.
TEST(EditBackground, RoomMadeInPiecesKeepsTheTextThroughEditsBetween) {
  constexpr UINT kAllocateTowards = 0x7E54;
  ScintillaHost host;
  std::string text = LongText(6 << 20);
  host.Edit().SetText(text);
  // The gap in the middle: the pieces come from both sides of it.
  host.Edit().SetSelection({3 << 20, 3 << 20});
  host.Type("m");
  text.insert(3 << 20, "m");
  size_t room = text.size();
  const auto edited = [&](const char* what, const std::function<void()>& edit) {
    SCOPED_TRACE(what);
    room += 8 << 20;
    const auto grow = [&] { return SendMessageW(host.Handle(), kAllocateTowards, room, 1 << 20); };
    EXPECT_EQ(grow(), 0);
    EXPECT_EQ(grow(), 0);
    EXPECT_EQ(host.Edit().Text(), text);
    edit();
    int pieces = 1;
    while (grow() == 0 && pieces < 100) ++pieces;
    EXPECT_GE(pieces, 6);  // begun again from the start after the edit
    EXPECT_LT(pieces, 100);
    EXPECT_EQ(host.Edit().Text(), text);
    EXPECT_EQ(SendMessageW(host.Handle(), SCI_GETGAPPOSITION, 0, 0),
              static_cast<LRESULT>(text.size()));
  };
  edited("an insertion before what the pieces took", [&] {
    host.Edit().SetSelection({100, 100});
    host.Type("a");
    text.insert(100, "a");
  });
  edited("a deletion", [&] {
    SendMessageW(host.Handle(), SCI_DELETERANGE, 1000, 10);
    text.erase(1000, 10);
  });
  // Room had already: nothing to do.
  EXPECT_EQ(SendMessageW(host.Handle(), kAllocateTowards, text.size(), 1), 1);
  host.Edit().SetSelection({7, 7});
  host.Type("z");
  text.insert(7, "z");
  EXPECT_EQ(host.Edit().Text(), text);
}

}  // namespace
}  // namespace penlet
