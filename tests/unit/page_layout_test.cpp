// Breaking text into the lines of a printed page.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/PageLayout.h"

namespace penlet {
namespace {

// Every character is one unit wide; a line is `width` units.
FittingChars Monospace(std::int32_t width) {
  return [width](std::int32_t, std::int32_t count) { return count < width ? count : width; };
}

std::vector<std::u16string> Texts(std::u16string_view text, const LaidPage& page) {
  std::vector<std::u16string> lines;
  for (const LaidLine& line : page.lines) {
    lines.emplace_back(text.substr(line.start, line.end - line.start));
  }
  return lines;
}

TEST(PageLayout, ParagraphsEndAtEveryKindOfLineBreak) {
  const std::u16string text = u"one\r\ntwo\rthree\n\r\nlast";
  const LaidPage page = LayOutPage(text, 0, 100, 10, Monospace(20));
  EXPECT_EQ(Texts(text, page),
            (std::vector<std::u16string>{u"one", u"two", u"three", u"", u"last"}));
  ASSERT_EQ(page.lines.size(), 5u);
  EXPECT_EQ(page.lines[1].y, 10);
  EXPECT_EQ(page.lines[4].y, 40);
  EXPECT_EQ(page.next, static_cast<std::int32_t>(text.size()));
}

TEST(PageLayout, APageTakesTheLinesThatFitWholeAndTheNextPageGoesOn) {
  const std::u16string text = u"a\r\nb\r\nc\r\nd\r\n";
  const LaidPage first = LayOutPage(text, 0, 25, 10, Monospace(20));
  EXPECT_EQ(Texts(text, first), (std::vector<std::u16string>{u"a", u"b"}));
  EXPECT_EQ(first.next, 6);
  const LaidPage second = LayOutPage(text, first.next, 25, 10, Monospace(20));
  EXPECT_EQ(Texts(text, second), (std::vector<std::u16string>{u"c", u"d"}));
  EXPECT_EQ(second.lines[0].y, 0);
  // The empty paragraph after the last line break is no reason for another page.
  EXPECT_EQ(second.next, static_cast<std::int32_t>(text.size()));
}

TEST(PageLayout, LongParagraphsWrapAfterASpaceOrBetweenCharacters) {
  const std::u16string words = u"alpha beta  gamma";
  EXPECT_EQ(Texts(words, LayOutPage(words, 0, 100, 10, Monospace(8))),
            (std::vector<std::u16string>{u"alpha ", u"beta  ", u"gamma"}));
  const std::u16string japanese = u"日本語の文章です";
  EXPECT_EQ(Texts(japanese, LayOutPage(japanese, 0, 100, 10, Monospace(3))),
            (std::vector<std::u16string>{u"日本語", u"の文章", u"です"}));
}

TEST(PageLayout, EveryLineTakesAtLeastOneWholeCharacter) {
  const std::u16string text = u"ab\U0001F600c";  // a surrogate pair in the middle
  EXPECT_EQ(Texts(text, LayOutPage(text, 0, 100, 10, Monospace(0))),
            (std::vector<std::u16string>{u"a", u"b", u"\U0001F600", u"c"}));
  EXPECT_EQ(Texts(text, LayOutPage(text, 0, 100, 10, Monospace(3))),
            (std::vector<std::u16string>{u"ab", u"\U0001F600c"}));
}

TEST(PageLayout, NothingToLayOutOrNoRoomLeavesThePositionAlone) {
  EXPECT_TRUE(LayOutPage(u"", 0, 100, 10, Monospace(5)).lines.empty());
  EXPECT_EQ(LayOutPage(u"", 0, 100, 10, Monospace(5)).next, 0);
  EXPECT_EQ(LayOutPage(u"abc", 7, 100, 10, Monospace(5)).next, 3);
  // A page lower than one line takes nothing: the caller must not ask for the same page again.
  const LaidPage low = LayOutPage(u"abc\r\ndef", 5, 9, 10, Monospace(5));
  EXPECT_TRUE(low.lines.empty());
  EXPECT_EQ(low.next, 5);
  EXPECT_EQ(LayOutPage(u"abc", 0, 100, 0, Monospace(5)).next, 0);
}

}  // namespace
}  // namespace penlet
