// Rows of Japanese broken by the rules of Japanese line breaking, as the fake editing area wraps
// them at a width in bytes and the real one at a width in pixels.
#include "platform/system/Kinsoku.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/system/Encoding.h"
#include "tests/fakes/FakeEditArea.h"

namespace penlet {
namespace {

const LeadByteSet kCp932 = LeadByteSet::Cp932();

std::string Sjis(const char* utf8) {
  return Cp932FromUtf8(utf8);
}

// The rows of `utf8` in the fake area at `width` bytes, each back in UTF-8.
std::vector<std::string> Rows(const char* utf8, int width) {
  FakeEditArea edit;
  edit.SetWrapWidth(width);
  edit.SetText(Sjis(utf8));
  std::vector<std::string> rows;
  for (std::int32_t i = 0; i < edit.LineCount(); ++i) rows.push_back(Utf8FromCp932(edit.Line(i)));
  return rows;
}

using Rows_ = std::vector<std::string>;

TEST(Kinsoku, MarksThatDoNotStartARowTakeTheCharacterBeforeThemDown) {
  // Six characters a row: 。 and 」 would start the second row.
  EXPECT_EQ(Rows("吾輩は猫であ。名前", 12), (Rows_{"吾輩は猫で", "あ。名前"}));
  EXPECT_EQ(Rows("「名前は無い」と", 12), (Rows_{"「名前は無", "い」と"}));
  // A run of marks goes down whole with the character before it.
  EXPECT_EQ(Rows("あいうえおか。」です", 12), (Rows_{"あいうえお", "か。」です"}));
  // Small kana, the long-vowel mark and the iteration mark.
  EXPECT_EQ(Rows("あいうえおきょう", 12), (Rows_{"あいうえお", "きょう"}));
  EXPECT_EQ(Rows("あいうえおコーヒー", 12), (Rows_{"あいうえお", "コーヒー"}));
  EXPECT_EQ(Rows("あいうえお人々が", 12), (Rows_{"あいうえお", "人々が"}));
  // Half-width forms: ｡ after six double-byte characters, ! after six.
  EXPECT_EQ(Rows("あいうえおか｡", 12), (Rows_{"あいうえお", "か｡"}));
  EXPECT_EQ(Rows("あいうえおか!", 12), (Rows_{"あいうえお", "か!"}));
}

TEST(Kinsoku, OpeningBracketsGoDownWithWhatTheyOpen) {
  EXPECT_EQ(Rows("あいうえお「猫」", 12), (Rows_{"あいうえお", "「猫」"}));
  // Half-width and ASCII brackets.
  EXPECT_EQ(Rows("あいうえお｢猫", 11), (Rows_{"あいうえお", "｢猫"}));
  EXPECT_EQ(Rows("あいうえ(猫)", 10), (Rows_{"あいうえ", "(猫)"}));
}

TEST(Kinsoku, ARowOfMarksOnlyBreaksWhereItWouldWithoutTheRules) {
  EXPECT_EQ(Rows("」」」」」」」", 12), (Rows_{"」」」」」」", "」"}));
  // Nothing else changes: text with no marks, and rows that end on a mark.
  EXPECT_EQ(Rows("あいうえおかきくけこ", 12), (Rows_{"あいうえおか", "きくけこ"}));
  EXPECT_EQ(Rows("あいうえお。かきく", 12), (Rows_{"あいうえお。", "かきく"}));
}

TEST(Kinsoku, BreaksAreForbiddenOnlyByTheCharactersAroundThem) {
  const std::string text = Sjis("猫「だ」。aｰ");
  std::vector<size_t> forbidden;
  for (size_t pos = kCp932.Next(text, 0); pos < text.size(); pos = kCp932.Next(text, pos)) {
    if (BreakForbiddenBefore(text, pos, kCp932)) forbidden.push_back(pos);
  }
  // After 「, before 」, before 。, before ｰ.
  EXPECT_EQ(forbidden, (std::vector<size_t>{4, 6, 8, 11}));
  // A trail byte that looks like "]" is no mark: ゾ is 0x83 0x5D.
  EXPECT_FALSE(BreakForbiddenBefore(Sjis("あゾ"), 2, kCp932));
  EXPECT_FALSE(BreakForbiddenBefore(Sjis("ゾあ"), 2, kCp932));
  // Without lead bytes there are no rules.
  EXPECT_FALSE(BreakForbiddenBefore("ab.", 2, LeadByteSet()));
}

}  // namespace
}  // namespace penlet
