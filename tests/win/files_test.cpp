// Document files on a real file system under Windows: saving safely, reading back, and the
// failures with their messages.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "core/DocumentFiles.h"
#include "core/Error.h"
#include "platform/files/Files.h"
#include "platform/system/Win32Support_win32.h"
#include "tests/win/support/WinTest.h"
#include "core/Texts.h"

namespace penlet {
namespace {

class FilesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(folder_.Path().empty()); }
  void TearDown() override { SetCurrentDirectoryA("C:\\"); }

  std::string In(const std::string& name) const { return folder_.In(name); }
  std::vector<std::string> Names() const { return folder_.Names(); }

  // The file's bytes as the interface reads them, in small blocks.
  std::string ReadBack(const std::string& path) {
    OpenResult opened = files_->OpenForReading(path);
    EXPECT_TRUE(opened.reader) << "error " << opened.error;
    std::string bytes;
    if (!opened.reader) return bytes;
    char buffer[7];
    std::int32_t got = 0;
    while (opened.reader->Read(buffer, sizeof buffer, got) && got > 0) {
      bytes.append(buffer, static_cast<size_t>(got));
    }
    return bytes;
  }

  static Files::Producer Blocks(const std::string& text, size_t block = 5) {
    return [text, block](const WriteBlock& write) {
      for (size_t i = 0; i < text.size(); i += block) {
        size_t n = std::min(block, text.size() - i);
        if (!write(text.data() + i, static_cast<std::int32_t>(n))) return false;
      }
      return true;
    };
  }

  static std::string MessageOf(const std::function<void()>& action) {
    try {
      action();
    } catch (const Error& e) {
      return e.what();
    }
    return "(no error)";
  }

  wintest::TempDir folder_{"penlet-files"};
  std::unique_ptr<Files> files_ = NewSystemFiles();
};

// The flush of a saved text runs on a thread of its own while the window answers: a question
// sent to the window from there is answered, and the result and error come back.
TEST(RunAnswering, TheWindowAnswersWhileTheWorkRunsElsewhere) {
  HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(window);
  DWORD_PTR set = 0, length = 0;
  DWORD worker = 0;
  const bool answered = RunAnswering([&] {
    worker = GetCurrentThreadId();
    // Sent to the window's thread, which must answer them while it waits.
    return SendMessageTimeoutA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc"), SMTO_NORMAL,
                               5000, &set) != 0 &&
           SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &length) != 0;
  });
  EXPECT_NE(worker, GetCurrentThreadId());
  EXPECT_TRUE(answered);
  EXPECT_EQ(length, 3u);
  const bool failed = RunAnswering([] {
    SetLastError(ERROR_DISK_FULL);
    return false;
  });
  EXPECT_FALSE(failed);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
  DestroyWindow(window);
}

TEST_F(FilesTest, SavedBytesReadBackUnchangedAndNoTemporaryFileStays) {
  std::string text = Ansi("表示\r\nソフト\r\n") + std::string("\x01\x7f\xff\r\nend", 8);
  ASSERT_EQ(SaveOutcome::kSaved, files_->Save(In("a.txt"), Blocks(text)).outcome);
  EXPECT_EQ(text, ReadBack(In("a.txt")));

  // Over an existing, longer file, which is replaced keeping its attributes.
  folder_.Write("b.txt", std::string(1000, 'x'));
  ASSERT_TRUE(SetFileAttributesA(In("b.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_EQ(SaveOutcome::kSaved, files_->Save(In("b.txt"), Blocks("short")).outcome);
  EXPECT_EQ("short", ReadBack(In("b.txt")));
  EXPECT_TRUE(GetFileAttributesA(In("b.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);

  ASSERT_EQ(SaveOutcome::kSaved, files_->Save(In("empty.txt"), Blocks("")).outcome);
  EXPECT_EQ("", ReadBack(In("empty.txt")));
  EXPECT_EQ((std::vector<std::string>{"a.txt", "b.txt", "empty.txt"}), Names());
}

// A folder path of more than 256 bytes in double-byte characters saves like any other, and no
// temporary file outlives the save.
TEST_F(FilesTest, LongJapanesePathsSaveAndLeaveNoTemporaryFile) {
  std::string level;
  for (int i = 0; i < 75; ++i) level += "\x82\xA0";  // あ: a Linux name takes 255 bytes of UTF-8
  std::string folder = In(level);
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  folder += "\\" + level;
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  const std::string path = folder + "\\memo.txt";
  ASSERT_GT(path.size(), 300u);
  ASSERT_EQ(SaveOutcome::kSaved, files_->Save(path, Blocks("first")).outcome);
  ASSERT_EQ(SaveOutcome::kSaved, files_->Save(path, Blocks("second")).outcome);
  EXPECT_EQ("second", ReadBack(path));
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  ASSERT_NE(INVALID_HANDLE_VALUE, search);
  do {
    if (found.cFileName[0] != '.') names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  EXPECT_EQ((std::vector<std::string>{"memo.txt"}), names);
}

// A new name appears only once the whole text is there, and a save takes away what a save cut
// short left behind.
TEST_F(FilesTest, ANewNameAppearsWithTheWholeTextAndLeftoversOfSavesGo) {
  folder_.Write("~penlet-1f-3.tmp", "left by a save that was cut short");
  folder_.Write("other.tmp", "not ours");
  bool nameWhileWriting = true;
  const auto produce = [&](const WriteBlock& write) {
    nameWhileWriting = files_->FileExists(In("new.txt"));
    return write("text", 4);
  };
  ASSERT_EQ(SaveOutcome::kSaved, files_->Save(In("new.txt"), produce).outcome);
  EXPECT_FALSE(nameWhileWriting);
  EXPECT_EQ("text", ReadBack(In("new.txt")));
  EXPECT_EQ((std::vector<std::string>{"new.txt", "other.tmp"}), Names());
}

TEST_F(FilesTest, RelativePathsSaveAgainstTheCurrentFolder) {
  ASSERT_TRUE(SetCurrentDirectoryA(folder_.Path().c_str()));
  SaveDocument(*files_, "rel.txt", Blocks("relative"));
  EXPECT_EQ("relative", ReadBack(In("rel.txt")));
  EXPECT_TRUE(files_->FileExists("rel.txt"));
}

// Another program polling the document's name during saves of 50 MB always finds a file there,
// and whenever it can read it, the old text or the new one, whole.
TEST_F(FilesTest, ASaveReplacesTheFileInOneStepForOthersLookingAtIt) {
  const size_t first = 50u << 20;
  const size_t second = first + 4096;
  folder_.Write("doc.txt", std::string(first, 'A'));
  ASSERT_TRUE(SetFileAttributesA(In("doc.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
  const std::string line = wintest::Quoted(wintest::ExeDir() + "save_poller.exe") + " " +
                           wintest::Quoted(In("doc.txt")) + " " + wintest::Quoted(In("stop")) +
                           " " + wintest::Quoted(In("seen")) + " " + std::to_string(first) + " " +
                           std::to_string(second);
  std::string command = line;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION poller{};
  ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &poller));
  Sleep(500);
  for (int round = 0; round < 4; ++round) {
    const size_t size = round % 2 == 0 ? second : first;
    const std::string text(size, round % 2 == 0 ? 'B' : 'A');
    ASSERT_EQ(SaveOutcome::kSaved, files_->Save(In("doc.txt"), Blocks(text, 1 << 20)).outcome)
        << round;
    Sleep(100);
  }
  folder_.Write("stop", "");
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(poller.hProcess, 60000));
  CloseHandle(poller.hThread);
  CloseHandle(poller.hProcess);

  long noFile = -1, inUse = -1, old = -1, now = -1, torn = -1;
  const std::string seen = wintest::ReadFileBytes(In("seen"));
  ASSERT_EQ(5, std::sscanf(seen.c_str(), "%ld %ld %ld %ld %ld", &noFile, &inUse, &old, &now, &torn))
      << seen;
  EXPECT_EQ(0, noFile) << seen;
  EXPECT_EQ(0, torn) << seen;
  // The poller did see both texts, so it looked before and after the replacements.
  EXPECT_GT(old, 0) << seen;
  EXPECT_GT(now, 0) << seen;
  // The file stays hidden, and holds the last text.
  EXPECT_TRUE(GetFileAttributesA(In("doc.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_TRUE(wintest::ReadFileBytes(In("doc.txt")) == std::string(first, 'A'));
  EXPECT_EQ((std::vector<std::string>{"doc.txt", "seen", "stop"}), Names());
}

TEST_F(FilesTest, TargetsThatCannotBeWrittenGiveTheCreateErrorAndStayWhole) {
  folder_.Write("ro.txt", "old bytes");
  ASSERT_TRUE(SetFileAttributesA(In("ro.txt").c_str(), FILE_ATTRIBUTE_READONLY));
  folder_.Write("busy.txt", "busy bytes");
  HANDLE busy = CreateFileA(In("busy.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, busy);
  ASSERT_TRUE(CreateDirectoryA(In("dir.txt").c_str(), nullptr));

  const struct {
    std::string path;
    ErrorCode code;
  } cases[] = {{In("ro.txt"), ERROR_ACCESS_DENIED},
               {In("busy.txt"), ERROR_SHARING_VIOLATION},
               {In("dir.txt"), ERROR_ACCESS_DENIED},
               {In("nowhere\\x.txt"), ERROR_PATH_NOT_FOUND}};
  for (const auto& c : cases) {
    SaveResult result = files_->Save(c.path, Blocks("new text"));
    EXPECT_EQ(SaveOutcome::kCannotCreate, result.outcome) << c.path;
    EXPECT_EQ(c.code, result.error) << c.path;
    std::string description = files_->ErrorDescription(c.code);
    EXPECT_EQ(FormatText(Ansi(texts::kCreateError), {c.path, description}),
              MessageOf([&] { SaveDocument(*files_, c.path, Blocks("new text")); }));
  }
  CloseHandle(busy);
  EXPECT_EQ("old bytes", ReadBack(In("ro.txt")));
  EXPECT_EQ("busy bytes", ReadBack(In("busy.txt")));
  EXPECT_TRUE(GetFileAttributesA(In("dir.txt").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ((std::vector<std::string>{"busy.txt", "dir.txt", "ro.txt"}), Names());
}

// Another program reading the old file holds the rename up: a save waits for it to let go, and
// gives up with the old file whole when it does not.
TEST_F(FilesTest, AReaderOfTheOldFileDelaysTheSaveOrLeavesTheOldFileWhole) {
  folder_.Write("read.txt", "old bytes");
  // As the C library opens a file to read it: others may read and write it, not rename over it.
  const auto openReader = [&] {
    return CreateFileA(In("read.txt").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  };
  HANDLE reader = openReader();
  ASSERT_NE(INVALID_HANDLE_VALUE, reader);
  std::thread letGo([reader] {
    Sleep(700);
    CloseHandle(reader);
  });
  const SaveOutcome delayed = files_->Save(In("read.txt"), Blocks("new bytes")).outcome;
  letGo.join();
  EXPECT_EQ(SaveOutcome::kSaved, delayed);
  EXPECT_EQ("new bytes", ReadBack(In("read.txt")));

  reader = openReader();
  ASSERT_NE(INVALID_HANDLE_VALUE, reader);
  const SaveResult refused = files_->Save(In("read.txt"), Blocks("newer bytes"));
  CloseHandle(reader);
  EXPECT_EQ(SaveOutcome::kCannotCreate, refused.outcome);
  EXPECT_TRUE(refused.error == ERROR_ACCESS_DENIED || refused.error == ERROR_SHARING_VIOLATION)
      << refused.error;
  EXPECT_EQ("new bytes", ReadBack(In("read.txt")));
  EXPECT_EQ((std::vector<std::string>{"read.txt"}), Names());
}

TEST_F(FilesTest, WriteFailingPartWayLeavesTheOldFile) {
  folder_.Write("a.txt", "old bytes");
  auto failing = [](const WriteBlock& write) { return write("new ", 4) && false; };
  EXPECT_EQ(SaveOutcome::kWriteFailed, files_->Save(In("a.txt"), failing).outcome);
  EXPECT_EQ(Ansi(texts::kWriteError),
            MessageOf([&] { SaveDocument(*files_, In("new.txt"), failing); }));
  EXPECT_EQ("old bytes", ReadBack(In("a.txt")));
  EXPECT_EQ((std::vector<std::string>{"a.txt"}), Names());
}

TEST_F(FilesTest, FilesThatCannotBeReadGiveTheOpenErrorWithPathAndReason) {
  ASSERT_TRUE(CreateDirectoryA(In("dir").c_str(), nullptr));
  folder_.Write("held.txt", "held");
  HANDLE writer =
      CreateFileA(In("held.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, writer);
  ASSERT_TRUE(SetCurrentDirectoryA(folder_.Path().c_str()));

  const struct {
    std::string path;
    ErrorCode code;
  } cases[] = {{"missing.txt", ERROR_FILE_NOT_FOUND},
               {"dir", ERROR_ACCESS_DENIED},
               {"held.txt", ERROR_SHARING_VIOLATION}};
  for (const auto& c : cases) {
    OpenResult opened = files_->OpenForReading(c.path);
    EXPECT_FALSE(opened.reader) << c.path;
    EXPECT_EQ(c.code, opened.error) << c.path;
    std::string description = files_->ErrorDescription(c.code);
    ASSERT_FALSE(description.empty());
    EXPECT_NE('.', description.back());
    EXPECT_EQ(std::string::npos, description.find_first_of("\r\n"));
    bool streamed = false;
    EXPECT_EQ(FormatText(Ansi(texts::kOpenError), {In(c.path), description}), MessageOf([&] {
                LoadDocument(*files_, c.path,
                             [&](const ReadBlock&, std::int64_t) { return streamed = true; });
              }));
    EXPECT_FALSE(streamed);
  }
  CloseHandle(writer);
  EXPECT_EQ("held", ReadBack("held.txt"));
}

// A file of `bytes` in the test's folder, sparse on disk; its path, or empty when it could not be
// made.
std::string SparseFile(const wintest::TempDir& folder, const std::string& name,
                       std::int64_t bytes) {
  const std::string path = folder.In(name);
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  LARGE_INTEGER end{};
  end.QuadPart = bytes;
  const bool sized = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
  CloseHandle(file);
  return sized ? path : std::string();
}

// Files are refused before they are read: as too large when the address space could never hold
// them, for want of memory when they fit it but not beside what the program holds now.
TEST_F(FilesTest, AFileThatCannotBeHeldIsRefusedUnreadAndSaysWhy) {
  constexpr std::int64_t kHuge = 7LL << 29;   // 3.5 GB
  constexpr std::int64_t kLarge = 1LL << 29;  // 512 MB
  const std::string huge = SparseFile(folder_, "huge.txt", kHuge);
  const std::string large = SparseFile(folder_, "large.txt", kLarge);
  ASSERT_FALSE(huge.empty());
  ASSERT_FALSE(large.empty());
  OpenResult refused = files_->OpenForReading(huge);
  EXPECT_TRUE(refused.tooLarge);
  EXPECT_FALSE(refused.noMemory);
  EXPECT_FALSE(refused.reader);
  EXPECT_EQ(kHuge, refused.size);
  {
    // The address space taken in pieces of 256 MB, as a long text and its history take it,
    // until no 512 MB is left in one piece.
    std::vector<void*> held;
    for (void* piece; (piece = VirtualAlloc(nullptr, 256u << 20, MEM_RESERVE, PAGE_NOACCESS));) {
      held.push_back(piece);
    }
    ASSERT_FALSE(held.empty());
    OpenResult short_ = files_->OpenForReading(large);
    EXPECT_TRUE(short_.noMemory);
    EXPECT_FALSE(short_.tooLarge);
    EXPECT_FALSE(short_.reader);
    for (void* piece : held) VirtualFree(piece, 0, MEM_RELEASE);
  }
  // Once that memory is given back, it opens; and a small file always does.
  for (const std::string& path : {large, folder_.Write("small.txt", "small")}) {
    OpenResult opened = files_->OpenForReading(path);
    EXPECT_FALSE(opened.noMemory);
    EXPECT_FALSE(opened.tooLarge);
    EXPECT_TRUE(opened.reader);
  }
}

TEST_F(FilesTest, FileExistsOnlyForFiles) {
  folder_.Write("a.txt", "a");
  ASSERT_TRUE(CreateDirectoryA(In("dir").c_str(), nullptr));
  EXPECT_TRUE(files_->FileExists(In("a.txt")));
  EXPECT_FALSE(files_->FileExists(In("dir")));
  EXPECT_FALSE(files_->FileExists(In("none.txt")));
}

TEST_F(FilesTest, LongPathsAreMadeFullWithoutBeingCut) {
  ASSERT_TRUE(SetCurrentDirectoryA(folder_.Path().c_str()));
  // Short enough to be taken, long enough that its full form overruns MAX_PATH.
  std::string relative = std::string(120, 'a') + "\\" + std::string(MAX_PATH - 130, 'b') + ".txt";
  ASSERT_LT(relative.size(), static_cast<size_t>(MAX_PATH));
  std::string full = files_->FullPath(relative);
  EXPECT_EQ(In(relative), full);
  EXPECT_GT(full.size(), static_cast<size_t>(MAX_PATH));

  std::string message = OpenErrorText(*files_, relative, ERROR_PATH_NOT_FOUND);
  EXPECT_NE(std::string::npos, message.find("\"" + full + "\""));

  EXPECT_EQ(SaveOutcome::kCannotCreate, files_->Save(relative, Blocks("x")).outcome);
  message = MessageOf([&] { SaveDocument(*files_, relative, Blocks("x")); });
  EXPECT_NE(std::string::npos, message.find("\"" + full + "\""));
}

}  // namespace
}  // namespace penlet
