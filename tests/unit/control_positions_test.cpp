// Byte offsets against the rich edit control's character positions.
#include <gtest/gtest.h>

#include "platform/ControlPositions.h"

namespace penlet {
namespace {

TEST(ControlPositions, ShiftJisTextWithLineBreak) {
  const std::string text = "\x93\xFA\x96\x7B\r\nabc";  // 日本 CR LF abc: 9 bytes, 7 positions
  const LeadByteSet sjis = LeadByteSet::Cp932();
  const int bytes[] = {0, 2, 4, 5, 6, 7, 8, 9};
  const int positions[] = {0, 1, 2, 3, 4, 5, 6, 7};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(ControlPositionFromByte(text, bytes[i], sjis), positions[i]) << bytes[i];
    EXPECT_EQ(ByteFromControlPosition(text, positions[i], sjis), bytes[i]) << positions[i];
  }
  // An offset inside a character maps past it; offsets past either end are clamped.
  EXPECT_EQ(ControlPositionFromByte(text, 1, sjis), 1);
  EXPECT_EQ(ControlPositionFromByte(text, 100, sjis), 7);
  EXPECT_EQ(ControlPositionFromByte(text, -3, sjis), 0);
  EXPECT_EQ(ByteFromControlPosition(text, 100, sjis), 9);
}

TEST(ControlPositions, TrailBytesAreNeverLeadBytes) {
  // "ソ" 83 5C then "\x81\x40" (ideographic space): the walk starts at the beginning.
  const std::string text = "\x83\x5C\x81\x40z";
  const LeadByteSet sjis = LeadByteSet::Cp932();
  EXPECT_EQ(ControlPositionFromByte(text, 4, sjis), 2);
  EXPECT_EQ(ByteFromControlPosition(text, 2, sjis), 4);
  // A lone lead byte at the end is a character of its own.
  EXPECT_EQ(ControlPositionFromByte("a\x83", 2, sjis), 2);
  // Without lead bytes every byte is a position.
  EXPECT_EQ(ControlPositionFromByte(text, 4, LeadByteSet()), 4);
}

}  // namespace
}  // namespace penlet
