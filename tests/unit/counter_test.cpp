// The counter, the caret panels and the clipboard buttons as the main window's logic keeps
// them.
#include <gtest/gtest.h>

#include "tests/fakes/FormOnFakes.h"

#include "core/CharacterCount.h"
#include "core/PenletForm.h"
#include "tests/fakes/FakeClipboard.h"
#include "tests/fakes/FakeEditArea.h"
#include "tests/fakes/FakeFileDialogs.h"
#include "tests/fakes/FakeFiles.h"
#include "tests/fakes/FakeForm.h"
#include "tests/fakes/FakeProfile.h"
#include "core/Texts.h"

namespace penlet {
namespace {

constexpr Color kYellow = Rgb(255, 255, 0);
constexpr Color kAqua = Rgb(0, 255, 255);
const std::string kNihonAbc = "\x93\xFA\x96\x7B\r\nabc";  // 日本, a line break, abc

class CounterTest : public ::testing::Test, protected FormOnFakes {
 protected:
  explicit CounterTest(LeadByteSet counterLeadBytes = LeadByteSet::Cp932())
      : FormOnFakes(counterLeadBytes) {
    form.FormCreate();
  }
  void Caret(ByteOffset at) { edit.SetSelection({at, at}); }
};

TEST_F(CounterTest, EmptyDocumentAtCreation) {
  EXPECT_EQ(view.memo1, "0");
  EXPECT_EQ(view.memo1Color, kYellow);
  EXPECT_EQ(view.memo2, Ansi(" 文字"));
  EXPECT_EQ(view.status[1], Ansi(" 0  文字目"));
  EXPECT_EQ(view.status[2], Ansi("1 行　0 列   "));
  EXPECT_FALSE(view.buttons[0]);  // Cut
  EXPECT_FALSE(view.buttons[1]);  // Copy
  EXPECT_FALSE(view.buttons[2]);  // Paste: the clipboard holds no text

  form.Memo1Click();
  EXPECT_EQ(view.memo1, "0");
  EXPECT_EQ(view.memo1Color, kAqua);
  EXPECT_EQ(view.status[1], Ansi(" 0  バイト目"));
  EXPECT_EQ(view.status[2], Ansi("1 行　0 列   "));
}

TEST_F(CounterTest, PanelsAtEveryCaretPositionInBothModes) {
  edit.Type(kNihonAbc);
  struct Expected {
    ByteOffset caret;
    int characters;
    const char* line;
  } const expected[] = {{0, 0, "1 行　0 列   "}, {2, 1, "1 行　2 列   "}, {4, 2, "1 行　4 列   "},
                        {6, 4, "2 行　0 列   "}, {7, 5, "2 行　1 列   "}, {8, 6, "2 行　2 列   "},
                        {9, 7, "2 行　3 列   "}};
  for (bool characters : {true, false}) {
    ASSERT_EQ(form.CountInCharacters(), characters);
    for (const Expected& e : expected) {
      Caret(e.caret);
      const int offset = characters ? e.characters : e.caret;
      const std::string field = std::to_string(offset) + "  ";
      EXPECT_EQ(view.status[1], Ansi(" " + field + (characters ? "文字目" : "バイト目")))
          << e.caret;
      EXPECT_EQ(view.status[2], Ansi(e.line)) << e.caret;
      EXPECT_EQ(view.memo1, characters ? "7" : "9");
    }
    form.Memo2Click();
  }
}

TEST_F(CounterTest, ClickSwitchesFiguresColourUnitAndPanelTogether) {
  edit.Type(kNihonAbc);
  edit.focused = false;
  form.Memo2Click();
  EXPECT_TRUE(edit.focused);
  EXPECT_FALSE(form.CountInCharacters());
  EXPECT_EQ(view.memo1, "9");
  EXPECT_EQ(view.memo1Color, kAqua);
  EXPECT_EQ(view.memo2, Ansi(" バイト"));
  EXPECT_EQ(view.status[1], Ansi(" 9  バイト目"));
  EXPECT_EQ(view.status[2], Ansi("2 行　3 列   "));
  EXPECT_EQ(edit.GetSelection(), (Selection{9, 9}));  // the caret stays where it was

  edit.focused = false;
  form.Memo1Click();
  EXPECT_TRUE(edit.focused);
  EXPECT_EQ(view.memo1, "7");
  EXPECT_EQ(view.memo1Color, kYellow);
  EXPECT_EQ(view.memo2, Ansi(" 文字"));
  EXPECT_EQ(view.status[1], Ansi(" 7  文字目"));

  // New keeps the mode.
  form.Memo1Click();
  form.FileNew1Execute();
  EXPECT_FALSE(form.CountInCharacters());
  EXPECT_EQ(view.status[1], Ansi(" 0  バイト目"));
}

TEST_F(CounterTest, PressOnEitherBoxHidesTheCaretOnly) {
  edit.Type("abc");
  const std::string before = view.status[1];
  form.Memo1MouseDown();
  form.Memo2MouseDown();
  EXPECT_EQ(view.caretHides, 2);
  EXPECT_TRUE(form.CountInCharacters());
  EXPECT_EQ(view.status[1], before);
}

TEST_F(CounterTest, SelectionDescribesItsStartAndEnablesCutAndCopy) {
  edit.Type(kNihonAbc);
  edit.SetSelection({2, 7});
  EXPECT_EQ(view.status[1], Ansi(" 1  文字目"));
  EXPECT_EQ(view.status[2], Ansi("1 行　2 列   "));
  EXPECT_TRUE(view.buttons[0]);
  EXPECT_TRUE(view.buttons[1]);
  Caret(7);
  EXPECT_FALSE(view.buttons[0]);
  EXPECT_FALSE(view.buttons[1]);

  clipboard.hasText = true;
  Caret(8);
  EXPECT_TRUE(view.buttons[2]);
  clipboard.hasText = false;
  Caret(2);
  EXPECT_FALSE(view.buttons[2]);
  // A change of the clipboard's contents, the caret where it was.
  clipboard.hasText = true;
  form.ClipboardUpdate();
  EXPECT_TRUE(view.buttons[2]);
}

TEST_F(CounterTest, BoxTextsAreReplacedOnlyWhenTheyDiffer) {
  edit.Type("abcdef");
  const int memo1Sets = view.memo1Sets;
  const int memo2Sets = view.memo2Sets;
  Caret(2);
  Caret(4);
  form.UpdateCounter();
  EXPECT_EQ(view.memo1Sets, memo1Sets);
  EXPECT_EQ(view.memo2Sets, memo2Sets);
  edit.Type("g");
  EXPECT_EQ(view.memo1Sets, memo1Sets + 1);
  EXPECT_EQ(view.memo2Sets, memo2Sets);
  form.Memo1Click();
  EXPECT_EQ(view.memo2Sets, memo2Sets + 1);
}

TEST_F(CounterTest, WrappedParagraphCountsDisplayLines) {
  edit.SetWrapWidth(4);
  edit.Type("abcdefghij");
  Caret(9);
  EXPECT_EQ(view.status[2], Ansi("3 行　1 列   "));
  EXPECT_EQ(view.status[1], Ansi(" 9  文字目"));
}

TEST_F(CounterTest, TailOfLeadBytesCountsAsTheWalkSays) {
  edit.Type("a\x93");  // a lone lead byte at the end
  EXPECT_EQ(view.memo1, "2");
  edit.SetText("\x93\r\n");  // lead byte + CR is one character, the LF another
  Caret(3);
  EXPECT_EQ(view.memo1, "2");
  EXPECT_EQ(view.status[1], Ansi(" 2  文字目"));
}

// A long file, a keystroke and a Backspace in it, another file: the figures are always those of
// a walk from the start, but an edit reads only near the caret.
TEST_F(CounterTest, FiguresFollowEditsAndLoadsReadingOnlyNearTheCaret) {
  const auto expectWalkedFigures = [this](const char* after) {
    const std::string text = edit.Text();
    const CharacterCounts counts =
        CountCharactersTwice(text, edit.GetSelection().start, LeadByteSet::Cp932());
    EXPECT_EQ(view.memo1, std::to_string(counts.whole)) << after;
    EXPECT_EQ(view.status[1], OffsetPanelText(counts.beforeOffset, true)) << after;
  };
  std::string longText;
  while (longText.size() < 2000000) longText += kNihonAbc + "\x83\x5C\x93\x93\r\n";
  files.AddFile("C:\\work\\long.txt", longText);
  form.OpenDocument("C:\\work\\long.txt");
  expectWalkedFigures("the load");
  const ByteOffset middle = 1000000;  // inside a character
  Caret(middle);
  expectWalkedFigures("the caret's move");

  const std::int64_t keystrokeLimit = 2 * 65536;
  edit.bytesRead = 0;
  edit.Type("\x93\xFA");
  EXPECT_LT(edit.bytesRead, keystrokeLimit);
  expectWalkedFigures("typing");
  edit.SetSelection({middle + 1, middle + 2});
  edit.bytesRead = 0;
  edit.Type("");  // the Backspace takes the trail byte: its lead byte pairs with the next byte
  EXPECT_LT(edit.bytesRead, keystrokeLimit);
  expectWalkedFigures("a Backspace");

  files.AddFile("C:\\work\\short.txt", kNihonAbc);
  form.OpenDocument("C:\\work\\short.txt");
  EXPECT_EQ(view.memo1, "7");
  Caret(9);
  EXPECT_EQ(view.status[1], Ansi(" 7  文字目"));
}

class WesternCounterTest : public CounterTest {
 protected:
  WesternCounterTest() : CounterTest(LeadByteSet()) {}
};

TEST_F(WesternCounterTest, CharacterModeShowsBytesWithCharacterLabels) {
  edit.Type(kNihonAbc);
  EXPECT_EQ(view.memo1, "9");
  EXPECT_EQ(view.memo2, Ansi(" 文字"));
  EXPECT_EQ(view.status[1], Ansi(" 9  文字目"));
  Caret(2);
  EXPECT_EQ(view.status[1], Ansi(" 2  文字目"));
}

}  // namespace
}  // namespace penlet
