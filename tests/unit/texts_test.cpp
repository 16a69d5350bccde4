// The program's texts reach the screen as exactly these code page 932 bytes.
#include <gtest/gtest.h>

#include "core/Texts.h"

namespace penlet {
namespace {

TEST(Texts, ConvertToCodePage932Bytes) {
  EXPECT_EQ(Ansi(texts::kCaptionPrefix), "\x81\x40Penlet\x81\x40\x81\x40");
  EXPECT_EQ(Ansi(texts::kConfirmCaption), "\x8A\x6D\x94\x46");
  EXPECT_EQ(Ansi(texts::kYesButton), "\x82\xCD\x82\xA2(&Y)");
  EXPECT_EQ(Ansi(texts::kUntitledName), "\x90\x56\x8B\x4B\x95\xB6\x8F\x91");
  EXPECT_EQ(Ansi(texts::kOpenError),
            "\x83\x74\x83\x40\x83\x43\x83\x8B \"%s\". %s "
            "\x82\xCD\x8A\x4A\x82\xAF\x82\xDC\x82\xB9\x82\xF1");
  EXPECT_EQ(
      Ansi(texts::kOutOfMemoryError),
      "\x83\x81\x83\x82\x83\x8A\x82\xAA\x91\xAB\x82\xE8\x82\xC8\x82\xA2\x82\xBD\x82\xDF\x81\x41"
      "\x82\xB1\x82\xCC\x91\x80\x8D\xEC\x82\xCD\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1");
  // Full-width brackets and marks used by the messages.
  EXPECT_EQ(Ansi("『』！？（）"), "\x81\x77\x81\x78\x81\x49\x81\x48\x81\x69\x81\x6A");
}

}  // namespace
}  // namespace penlet
