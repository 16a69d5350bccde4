// Loading and saving document files through the file interface, and the failure messages.
#include "core/DocumentFiles.h"

#include <gtest/gtest.h>

#include "core/Error.h"
#include "tests/fakes/FakeFiles.h"
#include "core/Texts.h"

namespace penlet {
namespace {

// Collects what a load streams in, as the editing area would, keeping the old text on failure.
struct Area {
  std::string text = "old text";
  bool streamed = false;
  StreamInto StreamIn() {
    return [this](const ReadBlock& read, std::int64_t) {
      streamed = true;
      std::string incoming;
      char buffer[7];
      std::int32_t got = 0;
      while (true) {
        if (!read(buffer, sizeof buffer, got)) return false;
        if (got == 0) break;
        incoming.append(buffer, static_cast<size_t>(got));
      }
      text = incoming;
      return true;
    };
  }
  Files::Producer StreamOut() {
    return [this](const WriteBlock& write) {
      for (size_t i = 0; i < text.size(); i += 5) {
        if (!write(text.data() + i,
                   static_cast<std::int32_t>(std::min<size_t>(5, text.size() - i)))) {
          return false;
        }
      }
      return true;
    };
  }
};

std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& e) {
    return e.what();
  }
  return "(no error)";
}

TEST(DocumentFilesTest, FormatTextTakesValuesLiterally) {
  EXPECT_EQ("a 1 b %s c", FormatText("a %s b %s c", {"1", "%s"}));
  EXPECT_EQ("x %s", FormatText("x %s", {}));
  EXPECT_EQ("100% done", FormatText("%s% done", {"100"}));
  std::string longValue(100000, 'p');
  EXPECT_EQ(longValue.size() + 2, FormatText("[%s]", {longValue}).size());
}

TEST(DocumentFilesTest, LoadConvertsLineBreaks) {
  FakeFiles files;
  files.AddFile("C:\\work\\a.txt", "x\ny\rz\r\n");
  Area area;
  LoadDocument(files, "a.txt", area.StreamIn());
  EXPECT_EQ("x\r\ny\r\nz\r\n", area.text);
}

TEST(DocumentFilesTest, FileThatCannotBeOpenedNamesTheFullPathAndTheReason) {
  FakeFiles files;
  Area area;
  EXPECT_EQ(Ansi("ファイル \"C:\\work\\missing.txt\". system message 2 は開けません"),
            MessageOf([&] { LoadDocument(files, "missing.txt", area.StreamIn()); }));
  EXPECT_FALSE(area.streamed);
  EXPECT_EQ("old text", area.text);
}

// Refused before a byte is read, with a message of its own rather than a failed read.
TEST(DocumentFilesTest, FileTooLargeForTheProgramIsRefusedBeforeItIsRead) {
  FakeFiles files;
  files.AddFile("C:\\work\\big.txt", "big");
  files.tooLarge = true;
  Area area;
  EXPECT_EQ(
      "\x83\x74\x83\x40\x83\x43\x83\x8B \"C:\\work\\big.txt\" \x82\xCD\x91\xE5\x82\xAB\x82\xB7"
      "\x82\xAC\x82\xC4\x8A\x4A\x82\xAF\x82\xDC\x82\xB9\x82\xF1",
      MessageOf([&] { LoadDocument(files, "big.txt", area.StreamIn()); }));
  EXPECT_FALSE(area.streamed);
  EXPECT_EQ("old text", area.text);
  // A file that fits, but not beside the text held now, is refused for want of memory, not as
  // too large.
  files.tooLarge = false;
  files.noMemory = true;
  EXPECT_EQ(Ansi(texts::kOutOfMemoryError),
            MessageOf([&] { LoadDocument(files, "big.txt", area.StreamIn()); }));
  EXPECT_FALSE(area.streamed);
  EXPECT_EQ("old text", area.text);
}

TEST(DocumentFilesTest, ReadFailurePartWayKeepsTheOldText) {
  FakeFiles files;
  files.AddFile("C:\\work\\a.txt", std::string(100, 'n'));
  files.readFailsAfter = 10;
  Area area;
  EXPECT_EQ(Ansi(texts::kReadError),
            MessageOf([&] { LoadDocument(files, "a.txt", area.StreamIn()); }));
  EXPECT_EQ("old text", area.text);
}

TEST(DocumentFilesTest, SaveWritesTheTextUnchanged) {
  FakeFiles files;
  Area area;
  area.text = "one\r\ntwo";
  SaveDocument(files, "new.txt", area.StreamOut());
  EXPECT_EQ("one\r\ntwo", files.Find("C:\\work\\new.txt")->bytes);
}

TEST(DocumentFilesTest, SaveFailuresKeepTheOldFile) {
  FakeFiles files;
  files.AddFile("C:\\work\\ro.txt", "read only");
  files.entries["C:\\work\\ro.txt"].readOnly = true;
  files.AddFile("C:\\work\\a.txt", "old bytes");
  Area area;
  area.text = std::string(50, 'w');

  EXPECT_EQ(Ansi("ファイル \"C:\\work\\ro.txt\". system message 5 を作成できません"),
            MessageOf([&] { SaveDocument(files, "ro.txt", area.StreamOut()); }));
  EXPECT_EQ("read only", files.Find("ro.txt")->bytes);

  files.writeFailsAfter = 20;
  EXPECT_EQ(Ansi(texts::kWriteError),
            MessageOf([&] { SaveDocument(files, "a.txt", area.StreamOut()); }));
  EXPECT_EQ("old bytes", files.Find("a.txt")->bytes);
  EXPECT_EQ(Ansi(texts::kWriteError),
            MessageOf([&] { SaveDocument(files, "b.txt", area.StreamOut()); }));
  EXPECT_FALSE(files.FileExists("b.txt"));
}

TEST(DocumentFilesTest, ErrorDescriptionsLoseTrailingDotsAndBlanks) {
  EXPECT_EQ("Access is denied", TrimErrorDescription("Access is denied.\r\n"));
  EXPECT_EQ(Ansi("アクセスが拒否されました。"),
            TrimErrorDescription(Ansi("アクセスが拒否されました。 \r\n")));
  EXPECT_EQ("a. b", TrimErrorDescription("a. b.. . \t"));
  EXPECT_EQ("", TrimErrorDescription(". \r\n"));
}

}  // namespace
}  // namespace penlet
