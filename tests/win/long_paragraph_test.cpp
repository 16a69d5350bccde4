// Paragraphs of a megabyte and more on the real editing area, which keeps only where their rows
// start and lays out the rows drawn or asked about: the rows are still where a layout of the
// whole paragraph puts them (the fake's, in a font whose full-width characters have one width)
// after typing, deleting, splitting and pasting anywhere in them; the caret's keys and the points
// of places agree with those rows; and a user's journey through a one-line novel in penlet.exe.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "Scintilla.h"
#include "output/Mail.h"
#include "platform/system/Encoding.h"
#include "tests/win/support/JapaneseRows.h"
#include "tests/win/support/ScintillaHost.h"
#include "tests/win/support/WinTest.h"
#include "ui/CommandIds.h"

namespace penlet {
namespace {

// Full-width characters only, with the marks that the line-break rules move.
const char* const kSentences =
    "吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。「この書生というのは時々"
    "我々を捕えて煮て食う」という話である。『しかしその当時は何という考もなかった』から別段恐し"
    "いとも思わなかった。（掌の上で少し落ちついて書生の顔を見たのが）いわゆる人間というものの見"
    "始であろう。ニャーニャー泣いていた事だけは記憶している。";

// One paragraph of at least `bytes` bytes, without a line break.
std::string Paragraph(size_t bytes) {
  const std::string sentences = Cp932FromUtf8(kSentences);
  std::string text;
  while (text.size() < bytes) text += sentences;
  return text;
}

using wintest::FakeRows;
using wintest::RowsOf;

// Where the two lists of rows first differ, for a message that can be read: the row and both
// texts in UTF-8; empty when they agree.
std::string FirstDifference(const std::vector<std::string>& real,
                            const std::vector<std::string>& fake) {
  for (size_t i = 0; i < std::max(real.size(), fake.size()); ++i) {
    const std::string a = i < real.size() ? real[i] : "(none)";
    const std::string b = i < fake.size() ? fake[i] : "(none)";
    if (a != b) {
      return "row " + std::to_string(i) + " of " + std::to_string(real.size()) + "/" +
             std::to_string(fake.size()) + ": " + Utf8FromCp932(a) + " | " + Utf8FromCp932(b);
    }
  }
  return "";
}

class LongParagraph : public ::testing::Test {
 protected:
  LongParagraph() : font_(wintest::CreateGothicFont()) {
    host_.Edit().SetFont(font_);
    MoveWindow(host_.Handle(), 0, 0, 257, 260, TRUE);
    std::string plain;
    for (int i = 0; i < 1000; ++i) plain += "\x82\xA0";  // あ
    Open(plain);
    characters_ = static_cast<int>(host_.Edit().Line(0).size() / 2);
  }
  ~LongParagraph() override { DeleteObject(font_); }

  void Open(const std::string& text) {
    host_.Edit().SetText(text);
    Settle();
  }
  void Settle() {
    host_.Edit().LayOutRest([] { return true; });
  }
  LRESULT Call(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageW(host_.Handle(), message, wParam, lParam);
  }
  void Caret(LRESULT offset) { Call(SCI_GOTOPOS, offset); }
  LRESULT CaretOffset() { return Call(SCI_GETCURRENTPOS); }
  void Key(WPARAM key) {
    Call(WM_KEYDOWN, key, 1);
    Call(WM_KEYUP, key, 0xC0000001);
  }
  // The real rows against the fake's for the area's text, in full-width characters only.
  std::string CompareWithFake() {
    return FirstDifference(RowsOf(host_.Edit()), FakeRows(host_.Edit().Text(), characters_));
  }
  // The rows as the edits left them against the rows of a layout of the whole text afresh,
  // after a change of width and back, for text with half-width letters, whose widths the
  // fake does not know.
  std::string Compare(int width = 257) {
    const std::vector<std::string> edited = RowsOf(host_.Edit());
    MoveWindow(host_.Handle(), 0, 0, width + 54, 260, TRUE);
    Settle();
    MoveWindow(host_.Handle(), 0, 0, width, 260, TRUE);
    Settle();
    return FirstDifference(edited, RowsOf(host_.Edit()));
  }

  HFONT font_;
  ScintillaHost host_;
  int characters_ = 0;
};

TEST_F(LongParagraph, RowsStayWhereAWholeLayoutPutsThemThroughEditsAnywhere) {
  ASSERT_GT(characters_, 3);
  for (size_t bytes : {size_t{1} << 10, size_t{1} << 20, size_t{10} << 20}) {
    SCOPED_TRACE(bytes);
    std::string text = Paragraph(bytes);
    Open(text);
    EXPECT_EQ(CompareWithFake(), "");
    const LRESULT middle = static_cast<LRESULT>(text.size() / 2) & ~LRESULT{1};

    // A full-width character moves every row after it on by one: the rows near it at once,
    // the rest in the background.
    Caret(middle);
    host_.Type(Cp932FromUtf8("ね"));
    const std::int32_t row = host_.Edit().LineFromOffset(static_cast<int>(CaretOffset()));
    const std::vector<std::string> fake = FakeRows(host_.Edit().Text(), characters_);
    ASSERT_LT(static_cast<size_t>(row), fake.size());
    EXPECT_EQ(Utf8FromCp932(host_.Edit().Line(row)), Utf8FromCp932(fake[row]));
    Settle();
    EXPECT_EQ(CompareWithFake(), "");

    // Half-width letters at the start, at the end and in the middle
    Caret(0);
    host_.Type("ab");
    Caret(Call(SCI_GETLENGTH));
    host_.Type("cd");
    Caret(middle + 8);
    host_.Type("efg");
    Settle();
    EXPECT_EQ(Compare(), "");

    // Backspace and Delete, at the start of a row too
    Key(VK_BACK);
    Key(VK_BACK);
    Caret(host_.Edit().LineIndex(row + 2));
    Key(VK_BACK);
    Key(VK_DELETE);
    Settle();
    EXPECT_EQ(Compare(), "");

    // Enter splits the paragraph; a paste of lines splits it twice more and joins it again
    Caret(middle / 2);
    Call(SCI_SCROLLCARET);
    host_.Type("\r\n");
    // The window scrolls to the caret by the rows of the two paragraphs at once, not by those
    // of the paragraph before it was split.
    const LRESULT top = Call(SCI_GETFIRSTVISIBLELINE);
    Settle();
    EXPECT_EQ(Call(SCI_GETFIRSTVISIBLELINE), top);
    const LRESULT caretRow = Call(SCI_VISIBLEFROMDOCLINE, 1);
    EXPECT_GE(caretRow, top);
    EXPECT_LT(caretRow, top + Call(SCI_LINESONSCREEN));
    EXPECT_EQ(Compare(), "");
    host_.SetClipboard(Cp932FromUtf8("一行目。\r\n二行目の終わりに「"));
    Caret(middle + middle / 2);
    Call(WM_PASTE);
    Settle();
    EXPECT_EQ(Compare(), "");
    Key(VK_HOME);
    Key(VK_BACK);
    Settle();
    EXPECT_EQ(Compare(), "");

    // Rescue takes the letters typed back; the rows are the text's again.
    text = host_.Edit().Text();
    host_.Type("xyz");
    Call(SCI_UNDO);
    Settle();
    EXPECT_TRUE(host_.Edit().Text() == text);
    EXPECT_EQ(Compare(), "");
  }
}

TEST_F(LongParagraph, TheCaretsKeysAndThePointsOfPlacesFollowTheRowsDeepInAParagraph) {
  const std::string text = Paragraph(size_t{3} << 20);
  Open(text);
  const std::vector<std::string> rows = FakeRows(text, characters_);
  ASSERT_GT(rows.size(), 1000u);
  std::vector<LRESULT> starts{0};
  for (const std::string& row : rows) starts.push_back(starts.back() + row.size());

  for (size_t row : {size_t{5}, rows.size() / 3, rows.size() / 2, rows.size() - 3}) {
    SCOPED_TRACE(row);
    // A place in the row: Home and End go to the row's ends, Up and Down to the rows beside.
    const LRESULT inside = starts[row] + 4;
    Caret(inside);
    Key(VK_HOME);
    EXPECT_EQ(CaretOffset(), starts[row]);
    Caret(inside);
    Key(VK_END);
    EXPECT_EQ(CaretOffset(), starts[row + 1]);
    Caret(inside);
    Call(SCI_CHOOSECARETX);
    Key(VK_DOWN);
    EXPECT_EQ(CaretOffset(), starts[row + 1] + 4);
    Key(VK_UP);
    Key(VK_UP);
    EXPECT_EQ(CaretOffset(), starts[row - 1] + 4);

    // The point of a place, and the place at that point, a row apart as the rows are.
    Caret(inside);
    const LRESULT x = Call(SCI_POINTXFROMPOSITION, 0, inside);
    const LRESULT y = Call(SCI_POINTYFROMPOSITION, 0, inside);
    const LRESULT yNext = Call(SCI_POINTYFROMPOSITION, 0, starts[row + 1] + 2);
    EXPECT_EQ(yNext - y, Call(SCI_TEXTHEIGHT, 0));
    EXPECT_EQ(Call(SCI_POSITIONFROMPOINT, x + 1, y + 1), inside);
    EXPECT_EQ(Call(SCI_POSITIONFROMPOINT, x + 1, yNext + 1), starts[row + 1] + 4);
    EXPECT_EQ(host_.Edit().LineFromOffset(static_cast<int>(inside)), static_cast<int>(row));
    EXPECT_EQ(host_.Edit().LineIndex(static_cast<int>(row)), starts[row]);
  }
}

// At a new width a long paragraph gets the rows of its first piece at once and the others
// guessed, laid out in the background. English first, wrapped at its spaces, makes the guess
// short of the Japanese rows after it, so that they settle well away from where it put them.
TEST_F(LongParagraph, RowsAtANewWidthSettleInTheBackgroundUnderTheTextAtTheTopAndTheEdits) {
  std::string english;
  while (english.size() < (size_t{96} << 10)) english += "internationalization ";
  const std::string text = english + Paragraph(size_t{1} << 20);
  Open(text);
  MoveWindow(host_.Handle(), 0, 0, 311, 260, TRUE);
  Call(SCI_ENSUREVISIBLE, 0);  // laid out at the new width, as a paint would
  const LRESULT guessed = Call(SCI_VISIBLEFROMDOCLINE, 1);
  // Deep in the paragraph: the text at the top stays there while the rows settle.
  Call(SCI_SETFIRSTVISIBLELINE, guessed * 2 / 3);
  const LRESULT top = Call(SCI_POSITIONFROMPOINT, 1, 1);
  ASSERT_GT(top, static_cast<LRESULT>(english.size()));
  Settle();
  const LRESULT rows = Call(SCI_VISIBLEFROMDOCLINE, 1);
  EXPECT_GT(guessed - rows, 100) << "the guess was not off: this test shows nothing";
  const LRESULT topSettled = Call(SCI_POSITIONFROMPOINT, 1, 1);
  EXPECT_LE(topSettled, top);
  EXPECT_LT(top - topSettled, 64) << "the text at the top moved away";
  EXPECT_EQ(Compare(311), "");

  // A paste longer than the rows a question waits for gets its rows at once.
  host_.SetClipboard(Paragraph(size_t{160} << 10));
  Caret(top + 4000);
  Call(WM_PASTE);
  RECT client;
  GetClientRect(host_.Handle(), &client);
  for (LRESULT back : {0, 1000, 100000}) {
    EXPECT_LT(Call(SCI_POINTXFROMPOSITION, 0, CaretOffset() - back), client.right) << back;
  }

  // Typed, split and pasted into while the rows are guessed: two paragraphs settle at once.
  MoveWindow(host_.Handle(), 0, 0, 283, 260, TRUE);
  Call(SCI_ENSUREVISIBLE, 0);
  Caret(top);
  host_.Type(Cp932FromUtf8("ね"));
  host_.Type("\r\n");
  host_.SetClipboard(Cp932FromUtf8("日本語の文章"));
  Caret(static_cast<LRESULT>(english.size()) + 2000);
  Call(WM_PASTE);
  Key(VK_BACK);
  const std::string edited = host_.Edit().Text();
  Settle();
  ASSERT_EQ(Call(SCI_GETLINECOUNT), 2);
  EXPECT_EQ(Compare(283), "");
  EXPECT_TRUE(host_.Edit().Text() == edited);
}

// Send while the rows of a paragraph are still laid out in the background: they are laid out
// in steps, the window answering between, and the body has the rows of the finished layout.
TEST_F(LongParagraph, TheMailBodyOfAParagraphStillBeingLaidOutHasTheRowsOfTheFinishedLayout) {
  Open(Paragraph(size_t{3} << 20));
  MoveWindow(host_.Handle(), 0, 0, 311, 260, TRUE);
  Call(SCI_ENSUREVISIBLE, 0);
  std::vector<LRESULT> seen;
  const std::optional<std::string> body = MailBody(host_.Edit(), [&] {
    const LRESULT rows = Call(SCI_VISIBLEFROMDOCLINE, 1);
    if (seen.empty() || seen.back() != rows) seen.push_back(rows);
    return true;
  });
  ASSERT_TRUE(body.has_value());
  EXPECT_GT(seen.size(), 2u) << "the rows were all laid out before the window answered";
  std::string rows;
  for (const std::string& row : RowsOf(host_.Edit())) rows += row + "\r\n";
  EXPECT_TRUE(*body == rows) << "not the rows of the finished layout";
}

// Controls of the system's find/replace dialog.
constexpr int kFindField = 0x480;
constexpr int kReplaceField = 0x481;
constexpr int kFindNextButton = IDOK;
constexpr int kReplaceAllButton = 0x401;

void TypeInto(HWND dialog, int field, const std::string& text) {
  SendMessageA(GetDlgItem(dialog, field), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(field, EN_CHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, field)));
}

// Every occurrence of `what` in `text` replaced by `with`.
std::string ReplacedAll(std::string text, const std::string& what, const std::string& with) {
  for (size_t at = text.find(what); at != std::string::npos;
       at = text.find(what, at + with.size())) {
    text.replace(at, what.size(), with);
  }
  return text;
}

// A user's journey in penlet.exe through a novel saved as one paragraph of a megabyte.
TEST(LongParagraphJourney, AOneLineNovelIsEditedTakenBackReplacedSavedAndOpenedAgain) {
  wintest::TempDir dir;
  const std::string novel = Paragraph(size_t{1} << 20);
  const std::string path = dir.Write("novel.txt", novel);
  wintest::PenletProcess penlet(wintest::Quoted(path));
  ASSERT_TRUE(penlet.Ready());
  const HWND edit = penlet.Edit();
  const DWORD middle = static_cast<DWORD>(novel.size() / 2) & ~DWORD{1};

  // Typed in the middle, then taken back with one Rescue
  SendMessageA(edit, EM_SETSEL, middle, middle);
  wintest::TypeChars(edit, "ab");
  penlet.Sync();
  EXPECT_TRUE(penlet.Text() == novel.substr(0, middle) + "ab" + novel.substr(middle));
  EXPECT_EQ(SendMessageA(edit, EM_LINEFROMCHAR, middle + 2, 0),
            SendMessageA(edit, EM_LINEFROMCHAR, middle, 0));
  penlet.CommandAndWait(EditUndo);
  EXPECT_TRUE(penlet.Text() == novel) << "Rescue did not give the novel back";

  // Found after the middle, then 吾輩 replaced by 我輩 from there on.
  const std::string cat = Cp932FromUtf8("吾輩");
  penlet.Command(EditReplace);
  penlet.Sync();
  const HWND dialog = penlet.Dialog({kReplaceField});
  ASSERT_TRUE(dialog);
  TypeInto(dialog, kFindField, cat);
  TypeInto(dialog, kReplaceField, Cp932FromUtf8("我輩"));
  // Find Next searches on from the end of a selection.
  SendMessageA(edit, EM_SETSEL, middle - 2, middle);
  wintest::PressButtonAndWait(dialog, kFindNextButton);
  const auto found = static_cast<size_t>(SendMessageA(edit, SCI_GETSELECTIONSTART, 0, 0));
  EXPECT_EQ(found, novel.find(cat, middle));
  EXPECT_EQ(static_cast<size_t>(SendMessageA(edit, SCI_GETSELECTIONEND, 0, 0)), found + cat.size());
  wintest::PressButton(dialog, kReplaceAllButton);
  const HWND box = penlet.Box();
  ASSERT_TRUE(box);
  EXPECT_TRUE(wintest::Answer(box, DialogResult::Ok));
  penlet.Sync();
  // Replace All replaces the match selected and every one after it.
  const std::string replaced =
      novel.substr(0, found) + ReplacedAll(novel.substr(found), cat, Cp932FromUtf8("我輩"));
  EXPECT_TRUE(penlet.Text() == replaced)
      << "not the text with the matches from " << found << " on replaced";
  SendMessageA(dialog, WM_CLOSE, 0, 0);
  penlet.Sync();

  // Every row as another program asks for it: where EM_LINEINDEX puts it, EM_LINEFROMCHAR
  // finds it, the last ends the text, and none is wider than the area holds.
  const LRESULT rows = SendMessageA(edit, EM_GETLINECOUNT, 0, 0);
  ASSERT_GT(rows, 1000);
  LRESULT previous = 0;
  for (LRESULT row = 1; row < rows; row += 97) {
    const LRESULT start = SendMessageA(edit, EM_LINEINDEX, row, 0);
    EXPECT_GT(start, previous);
    EXPECT_EQ(SendMessageA(edit, EM_LINEFROMCHAR, start, 0), row);
    previous = start;
  }
  EXPECT_EQ(SendMessageA(edit, EM_LINEINDEX, rows - 1, 0) +
                SendMessageA(edit, EM_LINELENGTH, SendMessageA(edit, EM_LINEINDEX, rows - 1, 0), 0),
            static_cast<LRESULT>(replaced.size()));

  // Saved with a letter at the start, and opened again as it was saved
  penlet.TypeAt(0, "X");
  const LRESULT rowsSaved = SendMessageA(edit, EM_GETLINECOUNT, 0, 0);
  penlet.CommandAndWait(FileSave1);
  EXPECT_TRUE(wintest::WaitUntil([&] { return wintest::ReadFileBytes(path) == "X" + replaced; }));
  EXPECT_EQ(penlet.Close(), 0u);
  wintest::PenletProcess again(wintest::Quoted(path));
  ASSERT_TRUE(again.Ready());
  EXPECT_TRUE(again.Text() == "X" + replaced) << "not the text saved";
  EXPECT_EQ(SendMessageA(again.Edit(), EM_GETLINECOUNT, 0, 0), rowsSaved);
  EXPECT_EQ(again.Close(), 0u);
}

}  // namespace
}  // namespace penlet
