// Splitting the command line into paths.
#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace penlet {
namespace {

using Args = std::vector<std::string>;

Args Split(const std::string& line) {
  return SplitCommandLine(line, LeadByteSet::Cp932());
}

TEST(CommandLine, SkipsProgramAndSplitsAtBlanksAndControlCharacters) {
  EXPECT_EQ(Split("penlet.exe"), Args{});
  EXPECT_EQ(Split("penlet.exe a.txt b.txt"), (Args{"a.txt", "b.txt"}));
  EXPECT_EQ(Split("penlet.exe \t a.txt\x01\x1f"
                  "b.txt   "),
            (Args{"a.txt", "b.txt"}));
  EXPECT_EQ(Split("\"C:\\Program Files\\penlet.exe\" x"), Args{"x"});
}

TEST(CommandLine, QuotesGroupAndAreDropped) {
  EXPECT_EQ(Split("p \"C:\\My Documents\\memo.txt\""), Args{"C:\\My Documents\\memo.txt"});
  EXPECT_EQ(Split("p C:\\My Documents\\memo.txt"), (Args{"C:\\My", "Documents\\memo.txt"}));
  EXPECT_EQ(Split("p a\"b c\"d e"), (Args{"ab cd", "e"}));
  // An unclosed quote runs to the end of the line.
  EXPECT_EQ(Split("p \"a b"), Args{"a b"});
  // An empty pair of quotes where an argument would begin is no argument.
  EXPECT_EQ(Split("p \"\" a"), Args{"a"});
  // A backslash escapes nothing.
  EXPECT_EQ(Split("p \"a\\\" b"), (Args{"a\\", "b"}));
}

TEST(CommandLine, DoubleByteCharactersAreSteppedOverWhole) {
  // "ソ" is 83 5C and "表" 95 5C; "＂" style trail bytes 0x22 do not occur in code page 932,
  // but a trail byte of 0x20 or below never does either, so a lead byte always takes its trail.
  const std::string so = "\x83\x5C";
  EXPECT_EQ(Split("p C:\\" + so + "\\a.txt"), Args{"C:\\" + so + "\\a.txt"});
  // A lead byte followed by a quote byte: the pair is one character, the quote not a quote.
  const std::string leadQuote = "\x81\x22";
  EXPECT_EQ(Split("p a" + leadQuote + "b c"), (Args{"a" + leadQuote + "b", "c"}));
  // A lead byte followed by a space keeps the space inside the argument.
  EXPECT_EQ(Split("p \x82 x"), Args{"\x82 x"});
}

}  // namespace
}  // namespace penlet
