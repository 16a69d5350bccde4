// A fault inside penlet.exe: the unsaved text goes, byte for byte, to a file of its own beside
// the document (an untitled one's to the temporary folder), and a box names that file.
#include <windows.h>

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <string>
#include <vector>

#include "Scintilla.h"
#include "tests/win/support/WinTest.h"
#include "core/Texts.h"

namespace penlet::wintest {
namespace {

// "表示ソフト" and "能力": trail bytes 0x5C ("\\") in the middle of the text.
const std::string kLines = "\x95\x5C\x8E\xA6\x83\x5C\x83\x74\x83\x67\r\n\x94\x5C\x97\xCD\r\n";
// "表示.txt": a name whose trail byte looks like a separator.
const std::string kName = "\x95\x5C\x8E\xA6.txt";

// Whole texts compared without printing megabytes: where they part, when they do.
::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected) {
  if (actual == expected) return ::testing::AssertionSuccess();
  size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
  return ::testing::AssertionFailure() << actual.size() << " bytes where " << expected.size()
                                       << " were expected, differing from byte " << at;
}

// penlet.exe with an unsaved change in the middle of its text, then made to fault.
class Crash : public PenletProcess {
 public:
  using PenletProcess::PenletProcess;
  // Should the process have gone to the system's debugger instead, that ends too, so that no
  // crash dialog is left waiting.
  ~Crash() { EndDebugger(Pid()); }

  // Types "ab" and Enter at byte `offset`: the component's gap is left in the middle.
  void TypeAt(int offset) {
    PenletProcess::TypeAt(offset, "ab");
    Key(VK_RETURN);
  }
  LRESULT Gap() const { return SendMessageA(Edit(), SCI_GETGAPPOSITION, 0, 0); }

  // The editing area's bytes, copied in penlet's own memory and read from there.
  std::string Text() const {
    const LRESULT length = SendMessageA(Edit(), SCI_GETLENGTH, 0, 0);
    void* remote = CopyInto(std::string(length + 1, '\0'));
    SendMessageA(Edit(), SCI_GETTEXT, length + 1, reinterpret_cast<LPARAM>(remote));
    return ReadBack(remote, length);
  }

  // Makes penlet fault: a thread of its own starts where nothing is mapped, a page fault that
  // no one handles. Then the text must be in one new file "<name>.recovered-....txt" in
  // `folder`, named by the box, and the process must end with the fault's code.
  void FaultAndExpectRecovery(const TempDir& folder, const std::string& name,
                              const std::string& text) {
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, Pid());
    HANDLE thread = CreateRemoteThread(
        process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(0x10), nullptr, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    CloseHandle(thread);
    CloseHandle(process);
    HWND box = ErrorBox();
    ASSERT_NE(box, nullptr);
    std::vector<std::string> recovered;
    for (const std::string& file : folder.Names()) {
      if (file.rfind(name + ".recovered-", 0) == 0 && file.size() > name.size() + 15 &&
          file.compare(file.size() - 4, 4, ".txt") == 0) {
        recovered.push_back(file);
      }
    }
    ASSERT_EQ(recovered.size(), 1u);
    const std::string path = folder.In(recovered[0]);
    EXPECT_EQ(BoxMessage(box), Ansi(texts::kRecoveredText) + path);
    EXPECT_TRUE(SameBytes(ReadFileBytes(path), text));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(WaitExit(), static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
  }

 private:
  // Only the debugger: the first program on Wine's desktop starts the desktop's own process too.
  static void EndDebugger(DWORD pid) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
      if (entry.th32ParentProcessID != pid || lstrcmpiA(entry.szExeFile, "winedbg.exe") != 0) {
        continue;
      }
      if (HANDLE debugger = OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID)) {
        TerminateProcess(debugger, 1);
        CloseHandle(debugger);
      }
    }
    CloseHandle(snapshot);
  }
};

TEST(Recovery, UnsavedTextGoesBesideTheDocumentByteForByte) {
  TempDir folder("penlet-recovery");
  // A megabyte: the editing area keeps it in two pieces around the place of the last edit.
  const int lines = 60000;
  std::string loaded;
  for (int i = 0; i < lines; ++i) loaded += kLines;
  folder.Write(kName, loaded);
  // A path relative to the current folder, as typed on a command line.
  Crash crash(kName, folder.Path());
  ASSERT_TRUE(crash.Ready());
  const int middle = lines / 2 * static_cast<int>(kLines.size()) + 10;  // after "表示ソフト"
  crash.TypeAt(middle);
  const std::string text = crash.Text();
  ASSERT_TRUE(SameBytes(text, loaded.substr(0, middle) + "ab\r\n" + loaded.substr(middle)));
  ASSERT_GT(crash.Gap(), 0);
  ASSERT_LT(crash.Gap(), static_cast<LRESULT>(text.size()));
  crash.FaultAndExpectRecovery(folder, kName, text);
  EXPECT_TRUE(
      SameBytes(ReadFileBytes(folder.In(kName)), loaded));  // the document is left as it was
}

TEST(Recovery, UntitledTextGoesToTheTemporaryFolder) {
  TempDir folder("penlet-recovery-temp");
  // penlet's temporary folder (the first that the system looks at) is this test's own.
  char tmp[MAX_PATH * 4] = "";
  const DWORD hadTmp = GetEnvironmentVariableA("TMP", tmp, sizeof tmp);
  SetEnvironmentVariableA("TMP", folder.Path().c_str());
  Crash crash("", "");
  SetEnvironmentVariableA("TMP", hadTmp ? tmp : nullptr);
  ASSERT_TRUE(crash.Ready());
  crash.TypeAt(0);
  crash.TypeAt(2);
  const std::string text = crash.Text();
  ASSERT_EQ(text, "abab\r\n\r\n");
  crash.FaultAndExpectRecovery(folder, Ansi(texts::kUntitledName), text);
}

}  // namespace
}  // namespace penlet::wintest
