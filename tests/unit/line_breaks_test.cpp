// The loading conversion of line breaks, fed in every request size the editing area might use.
#include "core/LineBreaks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "tests/fakes/FakeFiles.h"

namespace penlet {
namespace {

struct Source {
  std::string bytes;
  size_t pos = 0;
  bool operator()(char* buffer, std::int32_t size, std::int32_t& got) {
    got = static_cast<std::int32_t>(std::min(bytes.size() - pos, static_cast<size_t>(size)));
    std::memcpy(buffer, bytes.data() + pos, static_cast<size_t>(got));
    pos += static_cast<size_t>(got);
    return true;
  }
};

// Runs the converter to the end with requests of `size` bytes, checking each answer's length.
std::string Convert(const std::string& input, std::int32_t size) {
  Source source{input};
  std::int32_t largest = 0;
  LineBreakConverter converter([&](char* b, std::int32_t n, std::int32_t& got) {
    bool ok = source(b, n, got);
    largest = std::max(largest, n);
    return ok;
  });
  std::string out;
  std::vector<char> buffer(static_cast<size_t>(size) + 8, '#');
  for (int guard = 0; guard < 100000; ++guard) {
    std::int32_t got = -1;
    EXPECT_TRUE(converter.Read(buffer.data(), size, got));
    EXPECT_GE(got, 0);
    EXPECT_LE(got, size);
    EXPECT_EQ('#', buffer[static_cast<size_t>(size)]) << "wrote past the request";
    if (got <= 0) break;
    out.append(buffer.data(), static_cast<size_t>(got));
  }
  if (size >= 2) {
    EXPECT_LE(largest, size / 2) << "read more than half of a request";
  }
  return out;
}

TEST(LineBreaksTest, EveryKindOfBreakBecomesCrLfForEveryRequestSize) {
  const struct {
    std::string input;
    std::string expected;
  } cases[] = {
      {"", ""},
      {"abc", "abc"},
      {"a\r\nb\r\n", "a\r\nb\r\n"},
      {"a\rb\r", "a\r\nb\r\n"},
      {"a\nb\n", "a\r\nb\r\n"},
      {"\r", "\r\n"},
      {"\n", "\r\n"},
      {"\r\r\n\n\r", "\r\n\r\n\r\n\r\n"},
      {"\n\r", "\r\n\r\n"},
      {"x\r\r\ry\n\nz", "x\r\n\r\n\r\ny\r\n\r\nz"},
      {"\x95\x5C\r\n\x83\x5C\r", "\x95\x5C\r\n\x83\x5C\r\n"},
      {std::string("a\0b\0\r\0", 6), std::string("a\0b\0\r\n\0", 7)},
  };
  for (const auto& c : cases) {
    for (std::int32_t size = 1; size <= 64; ++size) {
      EXPECT_EQ(c.expected, Convert(c.input, size)) << "request size " << size;
    }
  }
}

TEST(LineBreaksTest, CrLfSplitAcrossBlocksAtEveryPosition) {
  // Long enough that every CR LF falls across a read boundary for some request size.
  std::string input, expected;
  for (int i = 0; i < 40; ++i) {
    // Never empty between breaks, or a lone CR and a lone LF would make a CR LF pair.
    std::string line(static_cast<size_t>(i % 7 + 1), 'a');
    const char* brk = i % 3 == 0 ? "\r\n" : i % 3 == 1 ? "\r" : "\n";
    input += line + brk;
    expected += line + "\r\n";
  }
  input += "\r";
  expected += "\r\n";
  for (std::int32_t size = 2; size <= 64; ++size) {
    EXPECT_EQ(expected, Convert(input, size)) << "request size " << size;
  }
}

TEST(LineBreaksTest, SourceFailureIsReportedNotTakenForTheEnd) {
  int calls = 0;
  LineBreakConverter converter([&](char* b, std::int32_t, std::int32_t& got) {
    if (++calls > 1) return false;
    b[0] = 'a';
    b[1] = '\r';
    got = 2;
    return true;
  });
  char buffer[16];
  std::int32_t got = 0;
  ASSERT_TRUE(converter.Read(buffer, 16, got));
  EXPECT_EQ("a", std::string(buffer, static_cast<size_t>(got)));
  EXPECT_FALSE(converter.Read(buffer, 16, got));
}

TEST(LineBreaksTest, ReadsAFileInSmallPieces) {
  FakeFiles files;
  files.AddFile("C:\\work\\a.txt", "one\rtwo\nthree\r\n");
  files.readChunk = 1;  // the file answers a byte at a time
  OpenResult opened = files.OpenForReading("C:\\work\\a.txt");
  ASSERT_TRUE(opened.reader);
  ReadBlock read = LineBreakingReader(*opened.reader);
  std::string out;
  char buffer[64];
  std::int32_t got = 0;
  while (read(buffer, sizeof buffer, got) && got > 0) out.append(buffer, static_cast<size_t>(got));
  EXPECT_EQ("one\r\ntwo\r\nthree\r\n", out);
}

}  // namespace
}  // namespace penlet
