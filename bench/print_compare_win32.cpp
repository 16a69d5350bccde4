// Printing a Shift-JIS document to the print server's default queue (scripts/cups.sh): penlet.exe
// (beside this program), then the system's notepad.exe on the same file and queue. Each is timed
// from OK in its print dialog until the server holds the job and until cups-pdf has written its
// PDF; meanwhile its main window is asked one question after another, and the longest wait for an
// answer is given. Then the pages and the PostScript the job sent. The sizes in MB on the command
// line (1 unless given); "--penlet" or "--notepad" runs only that program, "--no-pdf" leaves
// the PDF unwaited for.
#include <cstdlib>
#include <cstring>

#include "bench/Bench_win32.h"
#include "ui/CommandIds.h"

namespace {

using namespace bench;

// The print server's folder as a Windows path ending in "\", from CUPS_SERVER; empty without it.
std::string ServerFolder() {
  char value[1024] = "";
  if (!GetEnvironmentVariableA("CUPS_SERVER", value, sizeof value)) return {};
  std::string socket = value;
  const std::string name = "cups.sock";
  if (socket.size() < name.size()) return {};
  std::string folder = "Z:" + socket.substr(0, socket.size() - name.size());
  for (char& c : folder) c = c == '/' ? '\\' : c;
  return folder;
}

// Control files of the server's jobs ("c00012"), newest last by name: job numbers have the same
// number of digits.
std::string NewestJob(const std::string& spool) {
  std::string newest;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((spool + "c*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return newest;
  do {
    if (std::string name = found.cFileName; name > newest) newest = name;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return newest;
}

// The size of a file and the number of "%%Page:" comments in it, read in blocks.
struct PostScript {
  long long bytes = 0;
  int pages = 0;
};
PostScript ReadPostScript(const std::string& path) {
  PostScript result;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return result;
  const std::string mark = "\n%%Page:";
  std::string block(1 << 20, '\0');
  std::string carry;
  DWORD got = 0;
  while (ReadFile(file, block.data(), static_cast<DWORD>(block.size()), &got, nullptr) && got) {
    result.bytes += got;
    const std::string text = carry + block.substr(0, got);
    for (size_t p = 0; (p = text.find(mark, p)) != std::string::npos; p += mark.size()) {
      ++result.pages;
    }
    carry = text.substr(text.size() - (mark.size() - 1));
  }
  CloseHandle(file);
  return result;
}

void RemovePdfs(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*.pdf").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    DeleteFileA((folder + found.cFileName).c_str());
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

// Whether cups-pdf has written a whole PDF in `folder`: it ends in %%EOF. Whatever the job's
// title made of its name.
bool PdfDone(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "*.pdf").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  HANDLE file = CreateFileA((folder + found.cFileName).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char tail[64] = {};
  DWORD got = 0;
  LARGE_INTEGER size{};
  GetFileSizeEx(file, &size);
  if (size.QuadPart > 64) {
    LARGE_INTEGER at{};
    at.QuadPart = size.QuadPart - 63;
    SetFilePointerEx(file, at, nullptr, FILE_BEGIN);
  }
  ReadFile(file, tail, sizeof tail - 1, &got, nullptr);
  CloseHandle(file);
  return std::strstr(tail, "%%EOF") != nullptr;
}

class Process {
 public:
  explicit Process(std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info_)) {
      std::printf("could not start %s (error %lu)\n", commandLine.c_str(), GetLastError());
    }
  }
  ~Process() {
    if (!info_.hProcess) return;
    if (main) PostMessageA(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info_.hProcess, 15000) != WAIT_OBJECT_0)
      TerminateProcess(info_.hProcess, 1);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  DWORD Pid() const { return info_.dwProcessId; }
  bool Started() const { return info_.hProcess != nullptr; }
  HWND main = nullptr;

 private:
  PROCESS_INFORMATION info_{};
};

template <typename Condition>
bool WaitFor(Condition condition, double timeoutMs) {
  const auto start = Clock::now();
  while (!condition()) {
    if (MsSince(start) > timeoutMs) return false;
    Sleep(10);
  }
  return true;
}

constexpr int kNotepadPrint = 0x104;
constexpr double kJobTimeoutMs = 3600 * 1000.0;

// Opens `path` in the program of `commandLine` (main window class `mainClass`), waits until the
// whole text is in, starts Print with `command`, presses OK and times the job.
void PrintWith(const char* label, const std::string& commandLine, const char* mainClass,
               const std::string& path, const std::string& folder, bool notepadPrint,
               bool waitForPdf) {
  const std::string spool = folder + "spool\\";
  const std::string pdfFolder = folder + "pdf\\";
  RemovePdfs(pdfFolder);
  const std::string before = NewestJob(spool);
  Process program(commandLine + " \"" + path + "\"");
  if (!program.Started()) return;
  if (!WaitFor([&] { return (program.main = TopLevel(program.Pid(), mainClass)) != nullptr; },
               120000)) {
    std::printf("  %s: no main window\n", label);
    return;
  }
  // Both programs answer only once the text is in.
  DWORD_PTR answer = 0;
  SendMessageTimeoutA(program.main, WM_NULL, 0, 0, SMTO_NORMAL, 600000, &answer);
  Sleep(2000);
  int command = penlet::FilePrint;
  // Another process's menu cannot be read here: notepad's Print is its fifth command.
  if (notepadPrint) command = kNotepadPrint;
  PostMessageA(program.main, WM_COMMAND, command, 0);
  HWND dialog = nullptr;
  // The print dialog: the one with a box for the copy count (edt3).
  if (!WaitFor(
          [&] {
            dialog = TopLevel(program.Pid(), "#32770");
            return dialog && GetDlgItem(dialog, 0x482);
          },
          60000)) {
    std::printf("  %s: no print dialog (command %d)\n", label, command);
    return;
  }
  Sleep(500);
  const auto ok = Clock::now();
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);

  // One question after another until the server holds the job.
  std::vector<double> waits, asks;
  double spooledMs = -1;
  std::string job;
  while (MsSince(ok) < kJobTimeoutMs) {
    const auto asked = Clock::now();
    asks.push_back(MsSince(ok));
    SendMessageTimeoutA(program.main, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &answer);
    waits.push_back(MsSince(asked));
    job = NewestJob(spool);
    if (!job.empty() && job != before) {
      spooledMs = MsSince(ok);
      break;
    }
    Sleep(10);
  }
  // The longest waits, and when in the job they came.
  std::vector<size_t> order(waits.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return waits[a] > waits[b]; });
  int late = 0;
  for (double w : waits) late += w > 100 ? 1 : 0;
  std::string lateAt;
  for (size_t i = 0; i < order.size() && i < 5 && waits[order[i]] > 100; ++i) {
    lateAt += " " + std::to_string(static_cast<int>(waits[order[i]])) + " ms at " +
              std::to_string(static_cast<int>(asks[order[i]] / 1000)) + " s;";
  }
  // The server writes the job's file before its control file; a moment later it is whole.
  const std::string data = spool + "d" + job.substr(1) + "-001";
  PostScript ps;
  for (int tries = 0; tries < 50; ++tries) {
    Sleep(200);
    const PostScript now = ReadPostScript(data);
    if (now.bytes > 0 && now.bytes == ps.bytes) break;
    ps = now;
  }
  std::printf(
      "  %s: spooled %8.1f s; window answered %zu questions, longest %.0f ms, median "
      "%.1f ms, %d over 100 ms\n",
      label, spooledMs / 1000, waits.size(), Max(waits), Median(waits), late);
  if (late) std::printf("  %s: the longest waits:%s\n", label, lateAt.c_str());
  std::printf("  %s: %d pages, PostScript %.1f MB, %.0f KB a page, %.0f ms a page\n", label,
              ps.pages, ps.bytes / 1048576.0, ps.pages ? ps.bytes / 1024.0 / ps.pages : 0,
              ps.pages ? spooledMs / ps.pages : 0);
  std::fflush(stdout);
  if (waitForPdf && WaitFor([&] { return PdfDone(pdfFolder); }, kJobTimeoutMs)) {
    std::printf("  %s: PDF written %8.1f s after OK\n", label, MsSince(ok) / 1000);
  }
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string folder = ServerFolder();
  if (folder.empty()) {
    std::printf("no print server of the project's own (CUPS_SERVER, scripts/cups.sh)\n");
    return 0;
  }
  bool penletToo = true, notepadToo = true, waitForPdf = true;
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--penlet") == 0) {
      notepadToo = false;
    } else if (std::strcmp(argv[i], "--notepad") == 0) {
      penletToo = false;
    } else if (std::strcmp(argv[i], "--no-pdf") == 0) {
      waitForPdf = false;
    } else {
      sizes.push_back(std::atoi(argv[i]));
    }
  }
  if (sizes.empty()) sizes.push_back(1);
  for (int mb : sizes) {
    const std::string name = "printbench" + std::to_string(mb);
    const std::string text = MakeDocument(static_cast<size_t>(mb) << 20);
    const std::string path = WriteDocument(text, (name + ".txt").c_str());
    std::printf("print %d MB (%zu bytes) to the default queue\n", mb, text.size());
    std::fflush(stdout);
    if (penletToo) {
      PrintWith("penlet.exe ", "\"" + ExeDir() + "penlet.exe\"", penlet::kMainWindowClass, path,
                folder, false, waitForPdf);
    }
    if (notepadToo)
      PrintWith("notepad.exe", "notepad.exe", "Notepad", path, folder, true, waitForPdf);
    DeleteFileA(path.c_str());
  }
  return 0;
}
