// Opening a 10 MB Shift-JIS document from the command line: penlet.exe (beside this program)
// until its counter shows the right figure, then the system's notepad.exe until its edit control
// holds the whole text; both timed from their start, then closed. The size in MB on the command
// line (10 unless given).
#include <cstdlib>

#include "bench/Bench_win32.h"

namespace {

using namespace bench;

struct Found {
  DWORD pid;
  const char* className;
  HWND hwnd;
};

BOOL CALLBACK FindDescendant(HWND hwnd, LPARAM param) {
  auto* found = reinterpret_cast<Found*>(param);
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  if (lstrcmpiA(name, found->className) != 0) return TRUE;
  found->hwnd = hwnd;
  return FALSE;
}

HWND Descendant(HWND parent, const char* className) {
  if (!parent) return nullptr;
  Found found{0, className, nullptr};
  EnumChildWindows(parent, FindDescendant, reinterpret_cast<LPARAM>(&found));
  return found.hwnd;
}

// Penlet's figure box: the right-aligned EDIT of the counter's panel (the unit box is the other).
HWND CounterBox(HWND main) {
  HWND panel = Descendant(main, "TPanel");
  for (HWND w = panel ? GetWindow(panel, GW_CHILD) : nullptr; w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (GetWindowLongA(w, GWL_STYLE) & ES_RIGHT) return w;
  }
  return nullptr;
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
    // Both programs close an unmodified document without asking.
    const auto closing = Clock::now();
    HWND w = main;
    if (w) PostMessageA(w, WM_CLOSE, 0, 0);
    double goneMs = -1;
    while (w && IsWindow(w) && MsSince(closing) < 15000) Sleep(1);
    if (w) goneMs = MsSince(closing);
    if (WaitForSingleObject(info_.hProcess, 30000) != WAIT_OBJECT_0) {
      std::printf("  did not close: ended\n");
      TerminateProcess(info_.hProcess, 1);
    } else {
      std::printf("  closed: window gone %8.1f ms, process ended %8.1f ms after WM_CLOSE\n", goneMs,
                  MsSince(closing));
    }
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

constexpr double kTimeoutMs = 300000;

// Penlet: from its start until the counter shows `characters`; closed at once, or `settleMs`
// later.
double OpenInPenlet(const std::string& path, long long characters, DWORD settleMs) {
  const std::string figure = std::to_string(characters);
  const auto start = Clock::now();
  Process penlet("\"" + ExeDir() + "penlet.exe\" \"" + path + "\"");
  if (!penlet.Started()) return -1;
  double windowMs = -1;
  HWND counter = nullptr;
  std::string shown;
  while (MsSince(start) < kTimeoutMs) {
    if (!penlet.main && (penlet.main = TopLevel(penlet.Pid(), penlet::kMainWindowClass))) {
      windowMs = MsSince(start);
    }
    if (!counter) counter = CounterBox(penlet.main);
    if (counter) {
      char text[64] = {};
      DWORD_PTR got = 0;
      SendMessageTimeoutA(counter, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                          SMTO_NORMAL, 5000, &got);
      shown = text;
      if (shown == figure) break;
    }
    Sleep(1);
  }
  const double ms = MsSince(start);
  // Left open a while first, the background layout of its lines has finished before it closes.
  if (settleMs > 0) Sleep(settleMs);
  std::printf("  penlet.exe:  window %8.1f ms, counter right %8.1f ms%s\n", windowMs, ms,
              shown == figure ? "" : (" (timed out: shows " + shown + ")").c_str());
  std::fflush(stdout);
  return shown == figure ? ms : -1;
}

// Notepad: from its start until its edit control holds `units` UTF-16 units, or until a length
// it has answered has stopped growing for 5 s (then the moment it last grew). While it reads the
// file it answers nothing.
double OpenInNotepad(const std::string& path, long long units) {
  const auto start = Clock::now();
  Process notepad("notepad.exe \"" + path + "\"");
  if (!notepad.Started()) return -1;
  HWND edit = nullptr;
  DWORD_PTR length = 0;
  auto grew = start;  // when the length last changed
  double windowMs = -1;
  while (MsSince(start) < kTimeoutMs && !(length > 0 && MsSince(grew) >= 5000)) {
    if (!notepad.main && (notepad.main = TopLevel(notepad.Pid(), "Notepad"))) {
      windowMs = MsSince(start);
    }
    if (!edit) edit = Descendant(notepad.main, "Edit");
    if (edit) {
      DWORD_PTR now = 0;
      if (SendMessageTimeoutW(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &now) &&
          now != length) {
        length = now;
        grew = Clock::now();
      }
      if (static_cast<long long>(length) >= units) break;
    }
    Sleep(1);
  }
  const double ms = Ms(grew - start);
  std::printf("  notepad.exe: window %8.1f ms, text complete %8.1f ms (%lu of %lld UTF-16 units)\n",
              windowMs, ms, static_cast<unsigned long>(length), units);
  std::fflush(stdout);
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  const int mb = argc > 1 ? std::atoi(argv[1]) : 10;
  std::string text = MakeDocument(static_cast<size_t>(mb) << 20);
  const long long characters = CharacterCount(text);
  const std::string path = WriteDocument(text, "penlet_compare_bench.txt");
  std::printf("open %d MB from the command line (%zu bytes, %lld characters)\n", mb, text.size(),
              characters);
  std::string().swap(text);
  const double penletMs = OpenInPenlet(path, characters, 0);
  // Closed again after the background layout has finished: what its end costs then.
  OpenInPenlet(path, characters, 10000);
  const double notepadMs = OpenInNotepad(path, characters);
  if (penletMs > 0 && notepadMs > 0) {
    std::printf("  notepad.exe / penlet.exe: %.1f times\n", notepadMs / penletMs);
  }
  DeleteFileA(path.c_str());
  return 0;
}
