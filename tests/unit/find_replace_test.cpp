// Find Next, Replace and Replace All on the editing area, the dialog's placement, and the
// three messages.
#include <gtest/gtest.h>

#include "core/FindReplaceText.h"
#include "core/PenletForm.h"
#include "tests/fakes/FormOnFakes.h"
#include "core/Texts.h"

namespace penlet {
namespace {

const std::string kA = "\x82\xA0";   // あ
const std::string kMo = "\x83\x82";  // モ, whose trail byte is the lead byte of あ

class FindReplaceTest : public ::testing::Test, protected FormOnFakes {
 protected:
  void Load(const std::string& text, Selection selection = {}) {
    edit.SetText(text);
    edit.SetSelection(selection);
    edit.SetModified(false);  // as a freshly opened document
    edit.focused = false;
  }
  void Press(unsigned flag, const std::string& find, const std::string& replace = "") {
    dialog.findText = find;
    dialog.replaceText = replace;
    dialog.flags = flag;
    form.ReplaceDialog1Notify();
  }
  std::string LastMessage() const { return boxes.shown.empty() ? "" : boxes.shown.back(); }
};

TEST_F(FindReplaceTest, CommandPlacesOpensAndPutsTheCaretAtTheStart) {
  Load("abc abc", {4, 6});
  form.EditReplaceExecute();
  EXPECT_TRUE(dialog.open);
  EXPECT_EQ(dialog.at, (ScreenPoint{165, 30}));  // a quarter of 662 in, the area's top
  EXPECT_EQ(edit.GetSelection(), (Selection{0, 0}));

  // Again while open: to the top, not moved, caret to the start once more.
  dialog.at = {400, 300};
  edit.SetSelection({2, 5});
  form.EditReplaceExecute();
  EXPECT_EQ(dialog.creations, 1);
  EXPECT_EQ(dialog.broughtToTop, 1);
  EXPECT_EQ(dialog.at, (ScreenPoint{400, 300}));
  EXPECT_EQ(edit.GetSelection(), (Selection{0, 0}));

  // The editing area changed its width: the open dialog jumps to the new point.
  dialog.bounds.width = 800;
  form.EditReplaceExecute();
  EXPECT_EQ(dialog.at, (ScreenPoint{200, 30}));
  EXPECT_EQ(dialog.moves, 1);

  // Closed where the user left it: the place is remembered, and the next opening puts the
  // editing area's point in its stead.
  dialog.at = {50, 60};
  dialog.Close();
  EXPECT_EQ(dialog.position, (ScreenPoint{50, 60}));
  form.EditReplaceExecute();
  EXPECT_EQ(dialog.at, (ScreenPoint{200, 30}));
  EXPECT_EQ(dialog.creations, 2);
}

TEST_F(FindReplaceTest, FindNextStartsAtTheDocumentStartOrBehindTheSelection) {
  Load("ab ab ab", {4, 4});  // a bare caret in the middle counts as the start
  Press(kFindNextFlag, "ab");
  EXPECT_EQ(edit.GetSelection(), (Selection{0, 2}));
  EXPECT_TRUE(edit.focused);
  Press(kFindNextFlag, "ab");
  EXPECT_EQ(edit.GetSelection(), (Selection{3, 5}));
  edit.SetSelection({1, 4});  // not an occurrence: the search runs on from its end
  Press(kFindNextFlag, "ab");
  EXPECT_EQ(edit.GetSelection(), (Selection{6, 8}));
  EXPECT_TRUE(boxes.shown.empty());
  EXPECT_FALSE(edit.Modified());
}

TEST_F(FindReplaceTest, FindAtTheVeryEndThenTheEmptyRangeThenTheWrap) {
  Load("xy--xy");
  Press(kFindNextFlag, "xy");
  Press(kFindNextFlag, "xy");
  EXPECT_EQ(edit.GetSelection(), (Selection{4, 6}));
  Press(kFindNextFlag, "xy");
  EXPECT_EQ(LastMessage(), NoMatchMessage("xy"));
  EXPECT_EQ(edit.GetSelection(), (Selection{0, 0}));
  Press(kFindNextFlag, "xy");
  EXPECT_EQ(edit.GetSelection(), (Selection{0, 2}));
  EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(FindReplaceTest, ReplaceTakesAnySelectionThenSelectsTheNextOccurrence) {
  Load("one cat two cat", {0, 3});  // "one" is not the find text
  Press(kReplaceFlag, "cat", "dog");
  EXPECT_EQ(edit.Text(), "dog cat two cat");
  EXPECT_EQ(edit.GetSelection(), (Selection{4, 7}));
  Press(kReplaceFlag, "cat", "dog");
  Press(kReplaceFlag, "cat", "dog");
  EXPECT_EQ(edit.Text(), "dog dog two dog");
  EXPECT_EQ(LastMessage(), NoMatchMessage("cat"));
  // The caret stays behind the last insertion, not at the start.
  EXPECT_EQ(edit.GetSelection(), (Selection{15, 15}));
  EXPECT_TRUE(edit.Modified());
  EXPECT_TRUE(view.saveEnabled);

  // A bare caret replaces nothing and searches from the start.
  Load("cat", {3, 3});
  Press(kReplaceFlag, "cat", "dog");
  EXPECT_EQ(edit.Text(), "cat");
  EXPECT_EQ(edit.GetSelection(), (Selection{0, 3}));
}

TEST_F(FindReplaceTest, ReplaceAllFromTheStartOrFromTheSelection) {
  Load("a.a.a.");
  Press(kFindNextFlag, "a");  // the first one selected: counted like the others
  Press(kReplaceAllFlag, "a", "bb");
  EXPECT_EQ(edit.Text(), "bb.bb.bb.");
  EXPECT_EQ(LastMessage(), ReplacedMessage(3, "a", "bb"));
  EXPECT_EQ(edit.GetSelection(), (Selection{8, 8}));
  EXPECT_TRUE(edit.focused);
  EXPECT_TRUE(view.saveEnabled);
  EXPECT_EQ(view.memo1, "9");  // the counter caught up

  // Occurrences before the selection stay; the selection itself is the "1 place".
  Load("a.a.xyz", {4, 7});
  Press(kReplaceAllFlag, "a", "b");
  EXPECT_EQ(edit.Text(), "a.a.b");
  EXPECT_EQ(LastMessage(), ReplacedMessage(1, "a", "b"));
  EXPECT_EQ(edit.GetSelection(), (Selection{5, 5}));
  EXPECT_FALSE(edit.focused);  // nothing was found, so nothing was shown

  Load("xyz", {0, 1});
  Press(kReplaceAllFlag, "a", "b");
  EXPECT_EQ(edit.Text(), "xyz");
  EXPECT_EQ(LastMessage(), NoOccurrenceMessage("a"));
  EXPECT_FALSE(edit.Modified());
}

TEST_F(FindReplaceTest, ReplaceAllWithTheFindTextInsideOrNothing) {
  Load("ab-ab");
  Press(kReplaceAllFlag, "ab", "abab");
  EXPECT_EQ(edit.Text(), "abab-abab");
  EXPECT_EQ(LastMessage(), ReplacedMessage(2, "ab", "abab"));

  Load("ab-ab-");
  Press(kReplaceAllFlag, "ab", "");
  EXPECT_EQ(edit.Text(), "--");
  EXPECT_EQ(edit.GetSelection(), (Selection{1, 1}));
  Load("ab-ab-", {0, 2});
  Press(kReplaceFlag, "ab", "");
  EXPECT_EQ(edit.Text(), "-ab-");
  EXPECT_EQ(edit.GetSelection(), (Selection{1, 3}));
}

TEST_F(FindReplaceTest, DoubleByteTextIsFoundOnCharacterBoundariesOnly) {
  // The bytes of あ also stand across the end of モ and the start of あ.
  const std::string text = kMo + kA + kMo;
  Load(text);
  Press(kFindNextFlag, kA);
  EXPECT_EQ(edit.GetSelection(), (Selection{2, 4}));
  Press(kFindNextFlag, "\x82");  // a lone lead byte is never a character here
  EXPECT_EQ(LastMessage(), NoMatchMessage("\x82"));

  Load(kMo + "x");
  Press(kReplaceAllFlag, "\x82x", "y");  // the trail byte of モ and x
  EXPECT_EQ(LastMessage(), NoOccurrenceMessage("\x82x"));
  Load(text);
  Press(kReplaceAllFlag, kA, "a");
  EXPECT_EQ(edit.Text(), kMo + "a" + kMo);
}

// Replace All done step by step, as the dialog's description reads, on a second editing area.
struct StepByStep {
  std::string text;
  Selection selection;
  int count = 0;
};

StepByStep ReplaceStepByStep(const std::string& text, Selection selection, const std::string& find,
                             const std::string& replace) {
  FakeEditArea edit;
  edit.SetText(text);
  edit.SetSelection(selection);
  StepByStep result;
  while (true) {
    ByteOffset from = 0;
    if (edit.GetSelection().Length() > 0) {
      edit.ReplaceSelection(replace);
      ++result.count;
      from = edit.GetSelection().end;
    }
    const ByteOffset found = edit.Find(find, from, -1);
    if (found < 0) break;
    edit.SetSelection({found, found + static_cast<ByteOffset>(find.size())});
  }
  result.text = edit.Text();
  result.selection = edit.GetSelection();
  return result;
}

TEST_F(FindReplaceTest, ReplaceAllEndsAsTheStepByStepLoopWould) {
  const std::string texts[] = {"aaaaa", "abababa", "x" + kA + kMo + kA + "aa\r\naa" + kA,
                               kMo + kMo + kA + kA + "a"};
  const std::string finds[] = {"a", "aa", "aba", kA, kA + kA, "\r\n"};
  const std::string replaces[] = {"", "a", "aa", kA + "a", "Z"};
  const LeadByteSet cp932 = LeadByteSet::Cp932();
  for (const std::string& text : texts) {
    // Selections as the control makes them, on character boundaries.
    const auto second = static_cast<ByteOffset>(cp932.Next(text, 0));
    const auto third = static_cast<ByteOffset>(cp932.Next(text, second));
    const auto size = static_cast<ByteOffset>(text.size());
    for (const Selection selection :
         {Selection{}, Selection{0, second}, Selection{second, third}, Selection{third, size}}) {
      for (const std::string& find : finds) {
        for (const std::string& replace : replaces) {
          SCOPED_TRACE(testing::Message() << text << " [" << selection.start << "," << selection.end
                                          << ") " << find << " -> " << replace);
          Load(text, selection);
          const bool occurs = edit.Find(find, 0, -1) >= 0;
          Press(kReplaceAllFlag, find, replace);
          if (!occurs) {
            EXPECT_EQ(LastMessage(), NoOccurrenceMessage(find));
            EXPECT_EQ(edit.Text(), text);
            continue;
          }
          const StepByStep expected = ReplaceStepByStep(text, selection, find, replace);
          EXPECT_EQ(edit.Text(), expected.text);
          EXPECT_EQ(edit.GetSelection(), expected.selection);
          EXPECT_EQ(LastMessage(), ReplacedMessage(expected.count, find, replace));
        }
      }
    }
  }
}

TEST_F(FindReplaceTest, ReplaceAllRefreshesTheDisplaysOnceWhateverTheCount) {
  std::string text;
  for (int i = 0; i < 500; ++i) text += "ab\r\n";
  Load(text);
  const int before = view.memo1Sets;
  Press(kReplaceAllFlag, "ab", "c");
  EXPECT_EQ(LastMessage(), ReplacedMessage(500, "ab", "c"));
  EXPECT_EQ(view.memo1Sets - before, 1);
  EXPECT_EQ(edit.TextLength(), 1500);
}

TEST_F(FindReplaceTest, DialogTermRunsNoHandler) {
  Load("ab", {0, 1});
  Press(kDialogTermFlag, "a", "b");
  EXPECT_EQ(edit.Text(), "ab");
  EXPECT_EQ(edit.GetSelection(), (Selection{0, 1}));
  EXPECT_TRUE(boxes.shown.empty());
}

TEST(FindReplaceMessages, AreTheirPiecesByteForByte) {
  EXPECT_EQ(NoMatchMessage(kA), Ansi("ここから後の文書には、\r\n\r\n『 ") + kA +
                                    Ansi(" 』\r\n\r\nは、見つかりません！"));
  EXPECT_EQ(NoOccurrenceMessage("x"),
            Ansi("この文書から　\r\n\r\n『 x 』\r\n\r\nは、発見されませんでした！"));
  EXPECT_EQ(ReplacedMessage(12, "a", ""),
            Ansi("12  箇所の  『 a 』 を、\r\n\r\n 『  』 に、置き換えました。"));
  // The ideographic space, the brackets and the full-width exclamation mark in code page 932.
  const std::string noOccurrence = NoOccurrenceMessage("x");
  EXPECT_EQ(noOccurrence.substr(12, 2), "\x81\x40");
  EXPECT_EQ(noOccurrence.substr(18, 3), "\x81\x77 ");
  EXPECT_EQ(noOccurrence.substr(noOccurrence.size() - 2), "\x81\x49");
}

}  // namespace
}  // namespace penlet
