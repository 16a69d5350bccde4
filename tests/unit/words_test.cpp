// Words in Japanese and Latin text: the runs of one class that double-clicks select and the word
// keys step over and delete.
#include "platform/system/Words.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/system/Encoding.h"

namespace penlet {
namespace {

const LeadByteSet kCp932 = LeadByteSet::Cp932();

std::string Sjis(const char* utf8) {
  return Cp932FromUtf8(utf8);
}

// The byte offset of the `n`th character (0 first) of code page 932 `text`.
size_t At(const std::string& text, size_t n) {
  size_t pos = 0;
  for (size_t i = 0; i < n; ++i) pos = kCp932.Next(text, pos);
  return pos;
}

std::string Span(const std::string& text, WordSpan span) {
  return Utf8FromCp932(text.substr(span.start, span.end - span.start));
}

// Every stop of Ctrl+Right from the start to the end, as the text between two stops.
std::vector<std::string> RightStops(const std::string& text) {
  std::vector<std::string> runs;
  for (size_t pos = 0; pos < text.size();) {
    const size_t next = NextWordStart(text, pos, kCp932);
    EXPECT_GT(next, pos);
    if (next <= pos) break;
    runs.push_back(Utf8FromCp932(text.substr(pos, next - pos)));
    pos = next;
  }
  return runs;
}

// The same from the end back to the start, listed from the start.
std::vector<std::string> LeftStops(const std::string& text) {
  std::vector<std::string> runs;
  for (size_t pos = text.size(); pos > 0;) {
    const size_t previous = PreviousWordStart(text, pos, kCp932);
    EXPECT_LT(previous, pos);
    if (previous >= pos) break;
    runs.insert(runs.begin(), Utf8FromCp932(text.substr(previous, pos - previous)));
    pos = previous;
  }
  return runs;
}

TEST(Words, ClassesOfJapaneseCharacters) {
  struct Case {
    const char* character;
    WordClass cls;
  };
  const Case cases[] = {
      {"日", WordClass::kKanji},
      {"々", WordClass::kKanji},
      {"〆", WordClass::kKanji},
      {"〇", WordClass::kKanji},
      {"熙", WordClass::kKanji},
      {"纊", WordClass::kKanji},
      {"の", WordClass::kHiragana},
      {"ゞ", WordClass::kHiragana},
      {"テ", WordClass::kKatakana},
      {"ー", WordClass::kKatakana},
      {"ヶ", WordClass::kKatakana},
      {"ｱ", WordClass::kHalfWidthKatakana},
      {"ｰ", WordClass::kHalfWidthKatakana},
      {"ﾟ", WordClass::kHalfWidthKatakana},
      {"Ａ", WordClass::kFullWidthLetter},
      {"９", WordClass::kFullWidthLetter},
      {"ｚ", WordClass::kFullWidthLetter},
      {"a", WordClass::kLetter},
      {"7", WordClass::kLetter},
      {"_", WordClass::kLetter},
      {"。", WordClass::kPunctuation},
      {"、", WordClass::kPunctuation},
      {"「", WordClass::kPunctuation},
      {"」", WordClass::kPunctuation},
      {"｡", WordClass::kPunctuation},
      {"･", WordClass::kPunctuation},
      {"①", WordClass::kPunctuation},
      {".", WordClass::kPunctuation},
      {"\x1A", WordClass::kPunctuation},
      {"　", WordClass::kSpace},
      {" ", WordClass::kSpace},
      {"\t", WordClass::kSpace},
      {"\r", WordClass::kLineBreak},
      {"\n", WordClass::kLineBreak},
  };
  for (const Case& c : cases) {
    const std::string bytes = Sjis(c.character);
    EXPECT_EQ(ClassAt(bytes, 0, kCp932), c.cls) << c.character;
  }
  // A lead byte that ends the text is a character of its own.
  EXPECT_EQ(ClassAt("a\x82", 1, kCp932), WordClass::kPunctuation);
  // Without lead bytes the bytes above ASCII are Latin-1's letters and signs.
  EXPECT_EQ(ClassAt("\xE9", 0, LeadByteSet()), WordClass::kLetter);
  EXPECT_EQ(ClassAt("\xB1", 0, LeadByteSet()), WordClass::kPunctuation);
}

TEST(Words, DoubleClickSelectsARunOfOneClass) {
  const std::string text = Sjis("日本語のテキストです。Penletは「ﾃｷｽﾄ」を１２３個。");
  EXPECT_EQ(Span(text, WordAt(text, At(text, 1), kCp932)), "日本語");
  EXPECT_EQ(Span(text, WordAt(text, At(text, 0), kCp932)), "日本語");
  EXPECT_EQ(Span(text, WordAt(text, At(text, 5), kCp932)), "テキスト");
  EXPECT_EQ(Span(text, WordAt(text, At(text, 3), kCp932)), "の");
  EXPECT_EQ(Span(text, WordAt(text, At(text, 10), kCp932)), "。");
  for (size_t n = 11; n < 17; ++n) {
    EXPECT_EQ(Span(text, WordAt(text, At(text, n), kCp932)), "Penlet") << n;
  }
  EXPECT_EQ(Span(text, WordAt(text, At(text, 19), kCp932)), "ﾃｷｽﾄ");
  EXPECT_EQ(Span(text, WordAt(text, At(text, 25), kCp932)), "１２３");
}

TEST(Words, DoubleClickTakesTheSpacesAfterAWord) {
  const std::string latin = "alpha  beta\r\n";
  EXPECT_EQ(Span(latin, WordAt(latin, 2, kCp932)), "alpha  ");
  EXPECT_EQ(Span(latin, WordAt(latin, 8, kCp932)), "beta");
  EXPECT_EQ(Span(latin, WordAt(latin, 5, kCp932)), "  ");
  const std::string japanese = Sjis("日本　語");
  EXPECT_EQ(Span(japanese, WordAt(japanese, 0, kCp932)), "日本　");
}

TEST(Words, DoubleClickAtALinesEndTakesTheRunBefore) {
  const std::string text = Sjis("テキスト\r\n\r\nabc");
  const size_t lineEnd = At(text, 4);
  EXPECT_EQ(Span(text, WordAt(text, lineEnd, kCp932)), "テキスト");
  const WordSpan empty = WordAt(text, lineEnd + 2, kCp932);
  EXPECT_EQ(empty.start, lineEnd + 2);
  EXPECT_EQ(empty.end, lineEnd + 2);
  EXPECT_EQ(Span(text, WordAt(text, text.size(), kCp932)), "abc");
  const WordSpan none = WordAt("", 0, kCp932);
  EXPECT_EQ(none.end, 0u);
}

TEST(Words, CtrlArrowsStopAtEveryChangeOfClass) {
  const std::string text = Sjis("日本語のテキストです。Penletは「ﾃｷｽﾄ」、ＡＢＣ　と　々々");
  const std::vector<std::string> runs = {"日本語",   "の",   "テキスト", "です", "。",
                                         "Penlet",   "は",   "「",       "ﾃｷｽﾄ", "」、",
                                         "ＡＢＣ　", "と　", "々々"};
  EXPECT_EQ(RightStops(text), runs);
  EXPECT_EQ(LeftStops(text), runs);
}

TEST(Words, CtrlArrowsStopAtEachLineBreak) {
  const std::string text = "one two\r\n\r\n  three";
  EXPECT_EQ(RightStops(text),
            (std::vector<std::string>{"one ", "two", "\r\n", "\r\n", "  ", "three"}));
  EXPECT_EQ(LeftStops(text), (std::vector<std::string>{"one ", "two", "\r\n", "\r\n  ", "three"}));
  EXPECT_EQ(NextWordStart(text, text.size(), kCp932), text.size());
  EXPECT_EQ(PreviousWordStart(text, 0, kCp932), 0u);
}

// A trail byte that looks like a lead byte, or like an ASCII letter, never starts a word.
TEST(Words, TrailBytesAreNeverTakenForCharacters) {
  const std::string text = Sjis("ソ表abc");  // ソ is 83 5C, 表 95 5C: trail bytes of "\"
  EXPECT_EQ(RightStops(text), (std::vector<std::string>{"ソ", "表", "abc"}));
  EXPECT_EQ(LeftStops(text), (std::vector<std::string>{"ソ", "表", "abc"}));
  const std::string lead = Sjis("亜亜亜");  // 88 9F: every byte in the lead range
  EXPECT_EQ(PreviousCharacter(lead, 4, kCp932), 2u);
  EXPECT_EQ(Span(lead, WordAt(lead, 2, kCp932)), "亜亜亜");
  const std::string alone = "ab\x88";
  EXPECT_EQ(PreviousWordStart(alone, 3, kCp932), 2u);
  EXPECT_EQ(NextWordStart(alone, 0, kCp932), 2u);
}

}  // namespace
}  // namespace penlet
