// The About box's comment wrapping and picture.
#include <gtest/gtest.h>

#include "ui/AboutLayout.h"
#include "core/Texts.h"

namespace penlet {
namespace {

// A fixed-pitch font: half-width characters 6 pixels, full-width 12.
int FixedWidth(std::string_view ch) {
  return ch.size() == 2 ? 12 : 6;
}

std::vector<std::string> Wrap(std::string_view utf8, int width) {
  return WrapLabel(Ansi(utf8), LeadByteSet::Cp932(), width, FixedWidth);
}

TEST(AboutLayoutTest, CommentsWrapIntoThreeLines) {
  const std::vector<std::string> lines = Wrap(texts::kAboutComments, kAboutComments.width);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], Ansi("  超簡単・超軽量"));
  EXPECT_EQ(lines[1], Ansi("テキストエディタ　"));
  EXPECT_EQ(lines[2], Ansi("気軽に使ってみてね"));
  EXPECT_EQ(static_cast<int>(lines.size()) * 12, kAboutComments.height);
}

TEST(AboutLayoutTest, WrapBreaksAtSpacesBetweenDoubleByteCharactersOrInsideLongWords) {
  EXPECT_EQ(Wrap("ab cd ef", 30), (std::vector<std::string>{"ab cd", "ef"}));
  EXPECT_EQ(Wrap("abc   ", 30), (std::vector<std::string>{"abc"}));
  EXPECT_EQ(Wrap("abcdefgh", 30), (std::vector<std::string>{"abcde", "fgh"}));
  EXPECT_EQ(Wrap("あいうえ", 30), (std::vector<std::string>{Ansi("あい"), Ansi("うえ")}));
  EXPECT_EQ(Wrap("ab あい", 30), (std::vector<std::string>{Ansi("ab あ"), Ansi("い")}));
  EXPECT_EQ(Wrap("", 30), (std::vector<std::string>{}));
  // A character wider than the line still goes on a line of its own.
  EXPECT_EQ(Wrap("あい", 5), (std::vector<std::string>{Ansi("あ"), Ansi("い")}));
}

TEST(AboutLayoutTest, PictureFillsItsFrameWithSeeThroughCorners) {
  const IndexedPicture pic = AboutPicture();
  ASSERT_EQ(pic.width, kAboutProgramIcon.width);
  ASSERT_EQ(pic.height, kAboutProgramIcon.height);
  ASSERT_EQ(pic.pixels.size(), static_cast<size_t>(pic.width * pic.height));
  EXPECT_LE(pic.palette.size(), 256u);
  for (std::uint8_t index : pic.pixels) ASSERT_LT(index, pic.palette.size());
  EXPECT_TRUE(pic.Transparent(0, pic.height - 1));
  EXPECT_TRUE(pic.Transparent(0, 0));
  EXPECT_TRUE(pic.Transparent(pic.width - 1, pic.height - 1));
  EXPECT_FALSE(pic.Transparent(pic.width / 3, pic.height / 2));  // the sheet
  int painted = 0;
  for (int y = 0; y < pic.height; ++y) {
    for (int x = 0; x < pic.width; ++x) painted += pic.Transparent(x, y) ? 0 : 1;
  }
  EXPECT_GT(painted, pic.width * pic.height / 3);
  EXPECT_LT(painted, pic.width * pic.height);
}

}  // namespace
}  // namespace penlet
