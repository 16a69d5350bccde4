// File name and extension of paths, with Shift-JIS trail bytes that look like "\".
#include "core/PathNames.h"

#include <gtest/gtest.h>

namespace penlet {
namespace {

// "表" is 95 5C and "ソ" is 83 5C in Shift-JIS: their second byte is "\".
const std::string kHyou = "\x95\x5C";
const std::string kSo = "\x83\x5C";

TEST(PathNamesTest, TrailBytesEqualToBackslashAreNotDelimiters) {
  LeadByteSet sjis = LeadByteSet::Cp932();
  std::string path = "C:\\" + kHyou + "\\" + kSo + "ft" + kHyou + ".txt";
  EXPECT_EQ(kSo + "ft" + kHyou + ".txt", FileNameOf(path, sjis));
  EXPECT_EQ(".txt", ExtensionOf(path, sjis));

  // A folder name ending in such a character, then a file without extension.
  std::string noExtension = "C:\\d.x" + kSo + "\\memo" + kHyou;
  EXPECT_EQ("memo" + kHyou, FileNameOf(noExtension, sjis));
  EXPECT_EQ("", ExtensionOf(noExtension, sjis));

  // The extension itself may hold such a character.
  EXPECT_EQ("." + kHyou, ExtensionOf("a." + kHyou, sjis));

  // Read byte by byte, the same paths split wrongly: that is what the lead bytes prevent.
  EXPECT_EQ(".txt", FileNameOf(path, LeadByteSet()));
  EXPECT_EQ("", ExtensionOf("a." + kHyou, LeadByteSet()));
}

TEST(PathNamesTest, DotsAndDelimiters) {
  LeadByteSet sjis = LeadByteSet::Cp932();
  EXPECT_EQ(".", ExtensionOf("memo.", sjis));
  EXPECT_EQ("memo.", FileNameOf("memo.", sjis));
  EXPECT_EQ("", ExtensionOf("C:\\notes.d\\memo", sjis));
  EXPECT_EQ("memo", FileNameOf("C:\\notes.d\\memo", sjis));
  EXPECT_EQ(".gz", ExtensionOf("C:\\a\\b.tar.gz", sjis));
  EXPECT_EQ("b", FileNameOf("a:b", sjis));
  EXPECT_EQ("", ExtensionOf("x.y:b", sjis));
  EXPECT_EQ(".txt", ExtensionOf("a:.txt", sjis));
  EXPECT_EQ("README", FileNameOf("README", sjis));
  EXPECT_EQ("", ExtensionOf("README", sjis));
  EXPECT_EQ("", FileNameOf("C:\\dir\\", sjis));
  EXPECT_EQ("", FileNameOf("", sjis));
  EXPECT_EQ("", ExtensionOf("", sjis));
}

TEST(PathNamesTest, LeadByteAtTheEndStandsAlone) {
  LeadByteSet sjis = LeadByteSet::Cp932();
  std::string path = "a.b\\c\x95";
  EXPECT_EQ("c\x95", FileNameOf(path, sjis));
  EXPECT_EQ("", ExtensionOf(path, sjis));
}

}  // namespace
}  // namespace penlet
