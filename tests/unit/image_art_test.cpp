// The image list's pictures are complete 16 x 16 grids of known colours, each one different.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "ui/ImageArt.h"

namespace penlet {
namespace {

TEST(ImageArt, EveryPictureIsAFullGridOfKnownColours) {
  std::set<std::string> pictures;
  for (int i = 0; i < kImageCount; ++i) {
    std::string picture;
    int painted = 0;
    for (int y = 0; y < kImageSize; ++y) {
      const char* row = ImageRow(i, y);
      ASSERT_EQ(std::strlen(row), static_cast<size_t>(kImageSize)) << "image " << i << " row " << y;
      for (int x = 0; x < kImageSize; ++x) {
        if (row[x] == '.') continue;
        EXPECT_GE(ImageColor(row[x]), 0) << "image " << i << " '" << row[x] << "'";
        ++painted;
      }
      picture += row;
    }
    EXPECT_GT(painted, 20) << "image " << i;
    EXPECT_TRUE(pictures.insert(picture).second) << "image " << i << " repeats another";
  }
  EXPECT_EQ(ImageColor('.'), -1);
}

}  // namespace
}  // namespace penlet
