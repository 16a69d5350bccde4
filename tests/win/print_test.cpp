// Printing for real: penlet.exe prints through the system's print dialog to the tests' own CUPS
// queue (scripts/cups.sh), which keeps each job and has cups-pdf write it as a PDF.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <numeric>
#include <string>
#include <vector>

#include "Scintilla.h"
#include "platform/system/Locale.h"
#include "tests/win/support/WinTest.h"
#include "ui/Hints.h"
#include "ui/CommandIds.h"
#include "core/Texts.h"

namespace penlet::wintest {
namespace {

// The folder of the print server that scripts/cups.sh started, as a Windows path with a
// trailing "\"; empty when the tests run without one (they never print to a user's printer).
std::string ServerFolder() {
  char value[1024] = "";
  if (!GetEnvironmentVariableA("CUPS_SERVER", value, sizeof value)) return {};
  std::string socket = value;
  const std::string name = "/cups/cups.sock";
  if (socket.size() < name.size() || socket.compare(socket.size() - name.size(), name.size(), name))
    return {};
  std::string folder = "Z:" + socket.substr(0, socket.size() - std::string("cups.sock").size());
  for (char& c : folder) c = c == '/' ? '\\' : c;
  return folder;
}

int CountPages(const std::string& pdf) {
  int pages = 0;
  for (size_t p = 0; (p = pdf.find("/Type", p)) != std::string::npos; ++p) {
    size_t q = p + 5;
    while (q < pdf.size() && pdf[q] == ' ') ++q;
    if (pdf.compare(q, 5, "/Page") == 0 && (q + 5 >= pdf.size() || pdf[q + 5] != 's')) ++pages;
  }
  return pages;
}

// The attributes of a job as the print server keeps them in its control file (an IPP message):
// each attribute's first value, by name.
std::map<std::string, std::string> JobAttributes(const std::string& bytes) {
  std::map<std::string, std::string> attributes;
  auto u16 = [&](size_t at) {
    return static_cast<size_t>(static_cast<unsigned char>(bytes[at]) << 8 |
                               static_cast<unsigned char>(bytes[at + 1]));
  };
  for (size_t p = 8; p < bytes.size();) {
    const auto tag = static_cast<unsigned char>(bytes[p]);
    if (tag < 0x10) {  // a group delimiter; 3 ends the attributes
      if (tag == 0x03) break;
      ++p;
      continue;
    }
    if (p + 3 > bytes.size()) break;
    const size_t nameLength = u16(p + 1);
    if (p + 3 + nameLength + 2 > bytes.size()) break;
    const std::string name = bytes.substr(p + 3, nameLength);
    const size_t valueLength = u16(p + 3 + nameLength);
    const std::string value = bytes.substr(p + 5 + nameLength, valueLength);
    if (!name.empty()) attributes.emplace(name, value);
    p += 5 + nameLength + valueLength;
  }
  return attributes;
}

int IppInteger(const std::string& value) {
  if (value.size() != 4) return -1;
  return static_cast<int>(static_cast<std::uint32_t>(static_cast<unsigned char>(value[0])) << 24 |
                          static_cast<unsigned char>(value[1]) << 16 |
                          static_cast<unsigned char>(value[2]) << 8 |
                          static_cast<unsigned char>(value[3]));
}

// The newest job the server kept under `title`: its attributes and the PostScript it was sent.
struct KeptJob {
  std::map<std::string, std::string> attributes;
  std::string postScript;
};

// The name of the newest job's control file ("c00012"); empty when there is none.
std::string NewestJobFile(const std::string& spool) {
  std::string newest;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((spool + "c*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return newest;
  do {
    const std::string name = found.cFileName;
    // Job numbers have the same number of digits, so the name orders them.
    if (name.size() > newest.size() || (name.size() == newest.size() && name > newest)) {
      newest = name;
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return newest;
}

// Waits for a job titled `title` newer than the job `after`: the server writes its control file
// once the job is done.
KeptJob WaitForJob(const std::string& spool, const std::string& title, const std::string& after) {
  KeptJob job;
  WaitUntil([&] {
    const std::string name = NewestJobFile(spool);
    if (name.empty() || (name.size() == after.size() && name <= after)) return false;
    auto attributes = JobAttributes(ReadFileBytes(spool + name));
    if (attributes["job-name"] != title) return false;
    job.attributes = attributes;
    job.postScript = ReadFileBytes(spool + "d" + name.substr(1) + "-001");
    // The control file may come before the whole document has: it ends in %%EOF.
    return job.postScript.find("%%EOF") != std::string::npos;
  });
  return job;
}

// The characters the job drew on each of its pages: Wine's PostScript driver shows one glyph at
// a time.
std::vector<int> GlyphsPerPage(const std::string& postScript) {
  std::vector<int> pages;
  size_t p = postScript.find("%%Page:");
  while (p != std::string::npos) {
    const size_t end = postScript.find("%%Page:", p + 1);
    const std::string page = postScript.substr(p, end == std::string::npos ? end : end - p);
    int glyphs = 0;
    for (size_t g = 0; (g = page.find(" glyphshow", g)) != std::string::npos; ++g) ++glyphs;
    pages.push_back(glyphs);
    p = end;
  }
  return pages;
}

std::string WaitForFile(const std::string& path, DWORD timeoutMs = 60000) {
  std::string bytes;
  WaitUntil(
      [&] {
        if (!FileExists(path)) return false;
        std::string now = ReadFileBytes(path);
        // Ghostscript writes the file over a while: it is whole once it ends in %%EOF.
        if (now.find("%%EOF") == std::string::npos || now.size() != bytes.size()) {
          bytes = now;
          return false;
        }
        return true;
      },
      timeoutMs);
  return bytes;
}

class PrintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = ServerFolder();
    if (folder.empty()) GTEST_SKIP() << "no print server of the tests' own (scripts/cups.sh)";
  }

  // Prints the document of `penlet` through the dialog, asking for `copies` when not 0.
  void PrintThroughDialog(PenletProcess& penlet, int copies) {
    ASSERT_TRUE(penlet.Ready());
    HWND main = penlet.Main();
    const std::string newHint = LongHint(Ansi(texts::kFileNew1Hint), AnsiLeadBytes());
    ASSERT_EQ(PanelZeroWithPointerAt(main, ToolButtonCentre(main, 0), newHint), newHint);
    penlet.Command(FilePrint);
    HWND dialog = penlet.Dialog();
    ASSERT_TRUE(dialog) << "no print dialog";
    // The program's loop does not run under the system's dialog: panel 0 keeps its hint.
    const RECT face = WindowRect(dialog);
    EXPECT_EQ(PanelZeroWithPointerAt(main, {(face.left + face.right) / 2, face.top + 40}, "", 1500),
              newHint);
    if (copies) SetDlgItemInt(dialog, 0x482, copies, FALSE);  // edt3, the copy count
    Dismiss(dialog);
  }

  // The server's output for a job titled `stem` + ".txt": the backend drops the extension.
  std::string Output(const std::string& stem) { return folder + "pdf\\" + stem + ".pdf"; }
  std::string Spool() { return folder + "spool\\"; }

  std::string folder;
  TempDir temp;
};

TEST_F(PrintTest, ALongDocumentPrintsEveryLineOnSeveralPagesInTheCopiesAsked) {
  std::string text;
  int characters = 0;
  for (int i = 1; i <= 150; ++i) {
    const std::string line = "line " + std::to_string(i);
    text += line + "\r\n";
    characters += static_cast<int>(line.size());
  }
  const std::string path = temp.Write("longreport.txt", text);
  DeleteFileA(Output("longreport").c_str());
  const std::string before = NewestJobFile(Spool());
  PenletProcess penlet(Quoted(path));
  PrintThroughDialog(penlet, 3);
  const std::string pdf = WaitForFile(Output("longreport"));
  ASSERT_FALSE(pdf.empty()) << "no PDF for the job";
  // Some 50 lines of the printing font fill a page.
  EXPECT_GE(CountPages(pdf), 3);

  // The job goes under the file's name, and each character is drawn once, no page left blank.
  KeptJob job = WaitForJob(Spool(), "longreport.txt", before);
  ASSERT_FALSE(job.attributes.empty()) << "no job under the file's name";
  EXPECT_EQ(IppInteger(job.attributes["copies"]), 3);
  const std::vector<int> glyphs = GlyphsPerPage(job.postScript);
  EXPECT_EQ(static_cast<int>(glyphs.size()), CountPages(pdf));
  for (int count : glyphs) EXPECT_GT(count, 0);
  EXPECT_EQ(std::accumulate(glyphs.begin(), glyphs.end(), 0), characters);
}

TEST_F(PrintTest, AnEmptyDocumentIsOneBlankPageOfOneCopy) {
  const std::string path = temp.Write("emptydoc.txt", "");
  DeleteFileA(Output("emptydoc").c_str());
  const std::string before = NewestJobFile(Spool());
  PenletProcess penlet(Quoted(path));
  PrintThroughDialog(penlet, 0);
  const std::string pdf = WaitForFile(Output("emptydoc"));
  ASSERT_FALSE(pdf.empty());
  EXPECT_EQ(CountPages(pdf), 1);
  KeptJob job = WaitForJob(Spool(), "emptydoc.txt", before);
  ASSERT_FALSE(job.attributes.empty());
  EXPECT_EQ(IppInteger(job.attributes["copies"]), 1);
  EXPECT_EQ(GlyphsPerPage(job.postScript), std::vector<int>{0});
}

TEST_F(PrintTest, WithoutAnyPrinterTheErrorBoxSaysSo) {
  // Wine gives a program it starts this process's Unix environment, whatever CUPS_SERVER says
  // here: penlet is started from a Unix shell instead, pointed at a server that is not there.
  std::string exe = ExeDir() + "penlet.exe";
  for (char& c : exe) c = c == '\\' ? '/' : c;
  const std::string nowhere = folder.substr(2) + "nowhere.sock";
  std::string unixNowhere = nowhere;
  for (char& c : unixNowhere) c = c == '\\' ? '/' : c;
  std::string line = "/bin/sh -c \"CUPS_SERVER='" + unixNowhere + "' exec wine '" + exe + "'\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION shell{};
  ASSERT_TRUE(CreateProcessA("Z:\\bin\\sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             nullptr, &startup, &shell));
  CloseHandle(shell.hThread);
  CloseHandle(shell.hProcess);

  DWORD pid = 0;
  HWND main = WaitFor([&]() -> HWND {
    HWND found = FindWindowA("TPenletForm", nullptr);
    if (found) GetWindowThreadProcessId(found, &pid);
    return found;
  });
  ASSERT_TRUE(main) << "penlet did not start";
  struct Ender {
    DWORD pid;
    ~Ender() {
      HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
      if (!process) return;
      TerminateProcess(process, 1);
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
  } ender{pid};

  PostMessageA(main, WM_COMMAND, FilePrint, 0);
  HWND box = WaitForErrorBox(pid);
  ASSERT_TRUE(box) << "no error box";
  const std::string message = BoxMessage(box);
  const std::string expected = Ansi(texts::kNoDefaultPrinter);
  EXPECT_EQ(message.substr(0, expected.size()), expected) << message;
  PostMessageA(box, WM_COMMAND, IDOK, 0);
}

// While the job is produced the window answers, and what it is asked meanwhile leaves the job
// alone: a second Print finds the printer busy, New empties only the editing area, and closing
// ends the program once the job is out.
TEST_F(PrintTest, DuringAJobTheWindowAnswersAndNothingItDoesDisturbsTheJob) {
  // A sentence of Japanese and a number, some 40 pages.
  const std::string& sentence = kSentence;
  std::string text;
  for (int i = 1; i <= 2500; ++i) text += sentence + sentence + std::to_string(i) + "\r\n";
  int characters = 0;
  for (size_t p = 0; p < text.size(); p += IsDBCSLeadByteEx(932, text[p]) ? 2 : 1) {
    characters += text[p] == '\r' || text[p] == '\n' ? 0 : 1;
  }
  const std::string path = temp.Write("longjob.txt", text);
  const std::string before = NewestJobFile(Spool());
  PenletProcess penlet(Quoted(path));
  PrintThroughDialog(penlet, 0);
  DWORD_PTR answer = 0;
  EXPECT_TRUE(SendMessageTimeoutA(penlet.Main(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer))
      << "the window did not answer during the job";

  penlet.Command(FilePrint);
  HWND dialog = penlet.Dialog();
  ASSERT_TRUE(dialog) << "no second print dialog";
  Dismiss(dialog);
  HWND box = penlet.ErrorBox();
  ASSERT_TRUE(box) << "the second Print printed";
  const std::string expected = Ansi(texts::kPrintingNow);
  EXPECT_EQ(BoxMessage(box).substr(0, expected.size()), expected);
  // The job is still being produced: the print server has not had it yet.
  EXPECT_EQ(NewestJobFile(Spool()), before);
  Dismiss(box);

  // The window's keys work as ever: Ctrl+N empties the area.
  SetForegroundWindow(penlet.Main());
  INPUT keys[4]{};
  const WORD pressed[4] = {VK_CONTROL, 'N', 'N', VK_CONTROL};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = pressed[i];
    keys[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
  }
  SendInput(4, keys, sizeof(INPUT));
  EXPECT_TRUE(WaitUntil([&] { return SendMessageA(penlet.Edit(), SCI_GETLENGTH, 0, 0) == 0; }));
  EXPECT_EQ(NewestJobFile(Spool()), before) << "the job ended before the test was through";
  PostMessageA(penlet.Main(), WM_CLOSE, 0, 0);
  EXPECT_EQ(penlet.WaitExit(180000), 0u);
  KeptJob job = WaitForJob(Spool(), "longjob.txt", before);
  ASSERT_FALSE(job.attributes.empty()) << "no job under the file's name";
  const std::vector<int> glyphs = GlyphsPerPage(job.postScript);
  EXPECT_GT(glyphs.size(), 20u);
  EXPECT_EQ(std::accumulate(glyphs.begin(), glyphs.end(), 0), characters);
}

}  // namespace
}  // namespace penlet::wintest
