// Hint splitting on Shift-JIS bytes, tooltip texts and the current hint's change detection.
#include <gtest/gtest.h>

#include "ui/CommandTable.h"
#include "ui/Hints.h"
#include "core/Texts.h"

namespace penlet {
namespace {

const LeadByteSet kSjis = LeadByteSet::Cp932();

TEST(Hints, SplitAtTheFirstBar) {
  EXPECT_EQ(ShortHint(Ansi("新規|新規に文書を作成します。"), kSjis), Ansi("新規"));
  EXPECT_EQ(LongHint(Ansi("新規|新規に文書を作成します。"), kSjis),
            Ansi("新規に文書を作成します。"));
  EXPECT_EQ(ShortHint("a|b|c", kSjis), "a");
  EXPECT_EQ(LongHint("a|b|c", kSjis), "b|c");
  EXPECT_EQ(LongHint("a|", kSjis), "");
  EXPECT_EQ(ShortHint("|b", kSjis), "");
}

TEST(Hints, WithoutABarTheHintIsBothParts) {
  const std::string hint = Ansi("ファイル関連の機能です。");
  EXPECT_EQ(ShortHint(hint, kSjis), hint);
  EXPECT_EQ(LongHint(hint, kSjis), hint);
  EXPECT_EQ(ShortHint("", kSjis), "");
  EXPECT_EQ(LongHint("", kSjis), "");
}

TEST(Hints, ATrailByteBarIsNotASeparator) {
  // "ポ" is 0x83 0x7C in code page 932: its second byte is the bar's code.
  const std::string po = Ansi("ポ");
  ASSERT_EQ(po, "\x83\x7C");
  EXPECT_EQ(ShortHint(Ansi("ポップ|long"), kSjis), Ansi("ポップ"));
  EXPECT_EQ(LongHint(Ansi("ポップ|long"), kSjis), "long");
  EXPECT_EQ(LongHint(Ansi("ポップ"), kSjis), Ansi("ポップ"));
  // A single-byte code page has no lead bytes: the same byte is a bar there.
  EXPECT_EQ(ShortHint("\x83\x7Cx", LeadByteSet()), "\x83");
}

TEST(Hints, TooltipAddsTheShortcutInBrackets) {
  EXPECT_EQ(TooltipText(Ansi("新規"), "Ctrl+N"), Ansi("新規") + " (Ctrl+N)");
  EXPECT_EQ(TooltipText(Ansi("送信"), ""), Ansi("送信"));
  EXPECT_EQ(TooltipText("", "Ctrl+N"), "");  // an empty text shows nothing at all
  EXPECT_EQ(TooltipText("50%s", "Ctrl+P"), "50%s (Ctrl+P)");
  const Command& save = *FindCommand(FileSave1);
  EXPECT_EQ(TooltipText(ShortHint(Ansi(save.hint), kSjis), ShortcutText(save)),
            "\x95\xDB\x91\xB6 (Ctrl+S)");
}

TEST(Hints, CurrentHintReportsOnlyChanges) {
  CurrentHint hint;
  EXPECT_EQ(hint.Text(), "");
  EXPECT_FALSE(hint.Set(""));
  EXPECT_TRUE(hint.Set("a"));
  EXPECT_FALSE(hint.Set("a"));
  EXPECT_TRUE(hint.Set(""));
  EXPECT_EQ(hint.Text(), "");
}

}  // namespace
}  // namespace penlet
