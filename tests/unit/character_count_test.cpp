// Counting characters in Shift-JIS bytes, the counter's panel texts, the lead-byte set from
// the locale, and the checkpointed position conversions of the editing area.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/CharacterCount.h"
#include "platform/system/CounterLocale.h"
#include "core/Texts.h"

namespace penlet {
namespace {

const std::string kNihon = "\x93\xFA\x96\x7B";  // 日本

TEST(CountCharacters, FollowsTheWalkFromTheFirstByte) {
  const LeadByteSet sjis = LeadByteSet::Cp932();
  const std::string text = kNihon + "\r\nabc";
  EXPECT_EQ(CountCharacters(text, 9, sjis), 7);
  EXPECT_EQ(CountCharacters(text, 100, sjis), 7);  // n beyond the text
  EXPECT_EQ(CountCharacters(text, 0, sjis), 0);
  EXPECT_EQ(CountCharacters(text, -5, sjis), 0);
  // A character whose first byte lies before n counts in full.
  EXPECT_EQ(CountCharacters(text, 1, sjis), 1);
  EXPECT_EQ(CountCharacters(text, 3, sjis), 2);
  // The line break is two characters.
  EXPECT_EQ(CountCharacters(text, 6, sjis), 4);
  // A lone lead byte at the end is one character; a lead byte takes a CR with it, not the LF.
  EXPECT_EQ(CountCharacters("ab\x93", 3, sjis), 3);
  EXPECT_EQ(CountCharacters("\x93\r\n", 3, sjis), 2);
  // Trail bytes in the lead range (0x93 0x93 is one character) are never taken for leads.
  EXPECT_EQ(CountCharacters("\x93\x93\x93\x93", 4, sjis), 2);
  EXPECT_EQ(CountCharacters("a\x93\x93\x93", 4, sjis), 3);
}

TEST(CountCharacters, EmptySetCountsBytes) {
  const std::string text = kNihon + "\r\nabc";
  EXPECT_EQ(CountCharacters(text, 9, LeadByteSet()), 9);
  EXPECT_EQ(CountCharacters(text, 3, LeadByteSet()), 3);
  EXPECT_EQ(CountCharacters(text, 50, LeadByteSet()), 9);
  const CharacterCounts both = CountCharactersTwice(text, 3, LeadByteSet());
  EXPECT_EQ(both.beforeOffset, 3);
  EXPECT_EQ(both.whole, 9);
}

TEST(CountCharacters, OneWalkGivesBothCountsAsTwoWalksWould) {
  const LeadByteSet sjis = LeadByteSet::Cp932();
  const std::string texts[] = {"", "a", "\x93", kNihon + "\r\nabc", "\x93\r\n\x81", "x\x93\x93y"};
  for (const std::string& text : texts) {
    for (int n = -1; n <= static_cast<int>(text.size()) + 1; ++n) {
      const CharacterCounts both = CountCharactersTwice(text, n, sjis);
      EXPECT_EQ(both.beforeOffset, CountCharacters(text, n, sjis)) << text << " " << n;
      EXPECT_EQ(both.whole, CountCharacters(text, text.size(), sjis)) << text << " " << n;
    }
  }
}

TEST(PanelTexts, OffsetFieldIsLeftJustifiedInThreeAndNeverCut) {
  EXPECT_EQ(OffsetPanelText(0, true), Ansi(" 0  文字目"));
  EXPECT_EQ(OffsetPanelText(9, true), Ansi(" 9  文字目"));
  EXPECT_EQ(OffsetPanelText(10, false), Ansi(" 10 バイト目"));
  EXPECT_EQ(OffsetPanelText(99, true), Ansi(" 99 文字目"));
  EXPECT_EQ(OffsetPanelText(100, true), Ansi(" 100文字目"));
  EXPECT_EQ(OffsetPanelText(1234, false), Ansi(" 1234バイト目"));
  EXPECT_EQ(LinePanelText(1, 0), Ansi("1 行　0 列   "));
  EXPECT_EQ(LinePanelText(12, 345), Ansi("12 行　345 列   "));
}

TEST(CounterLocale, WesternLanguagesCountBytes) {
  EXPECT_TRUE(IsWesternLanguage(0));        // reported as 0: US English
  EXPECT_TRUE(IsWesternLanguage(0x0409));   // English (US)
  EXPECT_TRUE(IsWesternLanguage(0x0809));   // English (UK): the primary language decides
  EXPECT_TRUE(IsWesternLanguage(0x0407));   // German
  EXPECT_TRUE(IsWesternLanguage(0x041D));   // Swedish
  EXPECT_FALSE(IsWesternLanguage(0x0411));  // Japanese
  EXPECT_FALSE(IsWesternLanguage(0x0419));  // Russian: not in the group, single-byte page
  EXPECT_FALSE(IsWesternLanguage(0x0404));  // Chinese (Taiwan)
  EXPECT_EQ(EffectiveLocale(0), 1033u);
  EXPECT_EQ(EffectiveLocale(0x0411), 0x0411u);
}

TEST(CounterLocale, CodePageTextFallsBackToTheSystemPage) {
  EXPECT_EQ(CodePageFromText("932", 1252), 932u);
  EXPECT_EQ(CodePageFromText("", 1252), 1252u);
  EXPECT_EQ(CodePageFromText("93x", 1252), 1252u);
  EXPECT_EQ(CodePageFromText("-1", 1252), 1252u);
}

TEST(CounterLocale, RangesEndAtAPairOfZeros) {
  const unsigned char cp932[12] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0, 0x40, 0x40};
  const LeadByteSet set = LeadBytesFromRanges(cp932, 12);
  for (int b = 0; b < 256; ++b) {
    EXPECT_EQ(set.Contains(static_cast<unsigned char>(b)),
              LeadByteSet::Cp932().Contains(static_cast<unsigned char>(b)))
        << b;
  }
  const unsigned char none[12] = {};
  EXPECT_TRUE(LeadBytesFromRanges(none, 12).Empty());
  const unsigned char full[12] = {1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6};
  const LeadByteSet six = LeadBytesFromRanges(full, 12);
  EXPECT_TRUE(six.Contains(1));
  EXPECT_TRUE(six.Contains(6));
  EXPECT_FALSE(six.Contains(7));
}

// Whether a character starts at an offset, found from the bytes just before it, must agree with
// a walk from the start wherever double-byte characters, lone lead bytes and the end fall.
TEST(LeadByteSet, StartsCharacterAgreesWithAWalkFromTheStart) {
  const LeadByteSet sjis = LeadByteSet::Cp932();
  std::mt19937 random(7);
  const char pieces[][3] = {"a", "\r\n", "\x93\xFA", "\x81\x40", "\x93", "\x88\x9F"};
  for (int round = 0; round < 200; ++round) {
    std::string text;
    const int length = static_cast<int>(random() % 40);
    for (int i = 0; i < length; ++i) text += pieces[random() % 6];
    std::vector<bool> starts(text.size() + 1, false);
    for (size_t p = 0; p < text.size(); p = sjis.Next(text, p)) starts[p] = true;
    starts[text.size()] = true;
    for (size_t p = 0; p <= text.size(); ++p) {
      ASSERT_EQ(sjis.StartsCharacter(text, p), starts[p]) << round << " at " << p;
    }
  }
}

}  // namespace
}  // namespace penlet
