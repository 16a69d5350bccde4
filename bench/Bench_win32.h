// What the benchmark programs share: Shift-JIS test documents, a main window in this process,
// waiting for the editing area's first paint and for its background wrap, times, working set.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "Scintilla.h"
#include "app/Program_win32.h"

namespace bench {

using Clock = std::chrono::steady_clock;

inline double Ms(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}
inline double MsSince(Clock::time_point start) {
  return Ms(Clock::now() - start);
}

inline double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}
inline double Max(const std::vector<double>& v) {
  return v.empty() ? 0 : *std::max_element(v.begin(), v.end());
}

// "置換", the text that the Replace All benchmark replaces.
inline const std::string kFindText = "\x92\x75\x8A\xB7";

// About `bytes` of Japanese and ASCII text in code page 932, CR LF between lines: nine short
// lines, then a paragraph long enough to wrap. `occurrences` of kFindText are spread evenly.
inline std::string MakeDocument(size_t bytes, int occurrences = 0) {
  const std::string sentence =
      "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\xB6\x8F\xCD\x82\xC5\x82\xB7\x81\x42";  // 日本語の文章です。
  const std::string line =
      sentence + " Penlet counts characters; \x82\xA0\x82\xA2\x82\xA4\x82\xA6\x82\xA8\r\n";
  std::string paragraph;
  for (int i = 0; i < 12; ++i) paragraph += sentence + (i % 3 ? "" : " Shift-JIS text ");
  paragraph += "\r\n";
  std::string text;
  text.reserve(bytes + occurrences * kFindText.size() + paragraph.size());
  const size_t every = occurrences > 0 ? bytes / occurrences : bytes + 1;
  size_t next = 0;
  int placed = 0;
  for (int n = 0; text.size() < bytes || placed < occurrences; ++n) {
    while (placed < occurrences && text.size() >= next) {
      text += kFindText;
      ++placed;
      next += every;
    }
    text += n % 10 == 9 ? paragraph : line;
  }
  return text;
}

// The figure the counter must show for `text`: its characters, a line break counting two.
// Every character of code page 932 is one UTF-16 unit, so the system's conversion counts them.
inline long long CharacterCount(const std::string& text) {
  return MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
}

inline std::string TempPath(const char* name) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  return std::string(dir) + name;
}

inline std::string WriteDocument(const std::string& text, const char* name) {
  const std::string path = TempPath(name);
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  return path;
}

// This process's working set and private bytes, in MB.
struct Memory {
  double workingSet = 0;
  double privateBytes = 0;
};
inline Memory ProcessMemory() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return {counters.WorkingSetSize / 1048576.0, counters.PagefileUsage / 1048576.0};
}

// The address space still free for this process, in MB.
inline double FreeMb() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  GlobalMemoryStatusEx(&status);
  return static_cast<double>(status.ullAvailVirtual) / 1048576.0;
}

inline bool PumpOne() {
  MSG msg;
  if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  TranslateMessage(&msg);
  DispatchMessageA(&msg);
  return true;
}

inline void Pump() {
  while (PumpOne()) {
  }
}

// Another thread asking the window a question (WM_NULL) every 5 ms, as another program would,
// and keeping the longest wait for an answer.
class Asker {
 public:
  explicit Asker(HWND window) : window_(window), thread_([this] { Ask(); }) {}
  ~Asker() {
    stop_ = true;
    // The question in flight is answered only while this thread handles messages.
    while (!ended_) {
      if (!PumpOne()) Sleep(1);
    }
    thread_.join();
  }
  Asker(const Asker&) = delete;
  Asker& operator=(const Asker&) = delete;

  // The longest wait since the last call, in ms.
  double TakeLongest() { return static_cast<double>(longestUs_.exchange(0)) / 1000; }

 private:
  void Ask() {
    while (!stop_) {
      const auto start = Clock::now();
      DWORD_PTR answer = 0;
      SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, 120000, &answer);
      const auto us = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
      long long seen = longestUs_;
      while (us.count() > seen && !longestUs_.compare_exchange_weak(seen, us.count())) {
      }
      Sleep(5);
    }
    ended_ = true;
  }

  HWND window_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> ended_{false};
  std::atomic<long long> longestUs_{0};
  std::thread thread_;
};

// Handles messages until `hwnd` has nothing left to paint; false after `timeoutMs`.
inline bool PumpUntilPainted(HWND hwnd, double timeoutMs = 30000) {
  const auto start = Clock::now();
  while (GetUpdateRect(hwnd, nullptr, FALSE)) {
    if (MsSince(start) > timeoutMs) return false;
    if (!PumpOne()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
  }
  return true;
}

// The editing area's display lines: every line of the text as laid out so far.
inline long long DisplayLines(HWND edit) {
  return SendMessageW(edit, SCI_VISIBLEFROMDOCLINE, INT_MAX, 0);
}

// Scintilla wraps long texts in its idle work: a timer of its window (idleTimerID) starts
// chunks of about 50 ms, each posting the next (SC_WIN_IDLE), and the timer is killed when
// nothing is left to wrap (win32/ScintillaWin.cxx). Handles messages until none of that work
// has come for `quietMs` and the display lines have stopped changing; returns the moment the
// last of it was done.
inline Clock::time_point WaitForWrap(HWND edit, double quietMs = 200, double timeoutMs = 120000) {
  constexpr UINT_PTR kIdleTimerId = 2;
  constexpr UINT kIdleMessage = 5001;
  const auto start = Clock::now();
  auto last = start;
  long long lines = DisplayLines(edit);
  while (MsSince(last) < quietMs && MsSince(start) < timeoutMs) {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
      continue;
    }
    const bool idleWork =
        msg.hwnd == edit &&
        ((msg.message == WM_TIMER && msg.wParam == kIdleTimerId) || msg.message == kIdleMessage);
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    const long long now = DisplayLines(edit);
    if (idleWork || now != lines) last = Clock::now();
    lines = now;
  }
  return last;
}

// The find/replace dialog that `owner` owns; null when none is open.
inline HWND FindDialog(HWND owner) {
  for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", nullptr); w;
       w = FindWindowExA(nullptr, w, "#32770", nullptr)) {
    if (GetWindow(w, GW_OWNER) == owner) return w;
  }
  return nullptr;
}

// Types `text` into a field of comdlg32's find/replace dialog, which enables its buttons when the
// find field reports a change.
inline void TypeInDialog(HWND dialog, int field, const std::string& text) {
  SetDlgItemTextA(dialog, field, text.c_str());
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(field, EN_CHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, field)));
}

// The folder of this program, ending in "\\".
inline std::string ExeDir() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir = path;
  return dir.substr(0, dir.find_last_of('\\') + 1);
}

struct TopLevelSearch {
  DWORD pid;
  const char* className;
  HWND hwnd;
};

inline BOOL CALLBACK MatchTopLevel(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<TopLevelSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  if (pid != search->pid || lstrcmpiA(name, search->className) != 0 || !IsWindowVisible(hwnd)) {
    return TRUE;
  }
  search->hwnd = hwnd;
  return FALSE;
}

// A shown top-level window of process `pid` with the class `className`; null when none.
inline HWND TopLevel(DWORD pid, const char* className) {
  TopLevelSearch search{pid, className, nullptr};
  EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.hwnd;
}

// The document sizes in MB given on the command line; 1, 10 and 50 when none are.
inline std::vector<int> SizesInMb(int argc, char** argv) {
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  if (sizes.empty()) sizes = {1, 10, 50};
  return sizes;
}

// The default printer's name (the queue of scripts/cups.sh); empty, and said so, when there is
// none.
inline std::string DefaultPrinter() {
  char name[256] = "";
  DWORD size = sizeof name;
  if (GetDefaultPrinterA(name, &size)) return name;
  std::printf("no default printer\n");
  return {};
}

// Answers every question No and keeps the last plain message.
class QuietBoxes : public penlet::MessageBoxes {
 public:
  penlet::DialogResult ShowMessageDialog(const std::string& text, penlet::MessageKind,
                                         unsigned) override {
    std::printf("message box: %s\n", text.c_str());
    return penlet::DialogResult::No;
  }
  void ShowPlainMessage(const std::string& text) override { last = text; }
  std::string last;
};

// Penlet's main window in this process, shown, as penlet.exe makes it.
class Penlet {
 public:
  Penlet() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    owner_ = CreateWindowExA(0, "STATIC", "Penlet", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    window_ = std::make_unique<penlet::Program>(owner_, boxes, [](const std::string& message) {
      std::printf("error: %s\n", message.c_str());
    });
    window_->Show(SW_SHOWNORMAL, {});
    Pump();
  }
  ~Penlet() {
    window_.reset();
    DestroyWindow(owner_);
  }
  Penlet(const Penlet&) = delete;
  Penlet& operator=(const Penlet&) = delete;

  penlet::MainWindow& Window() { return window_->Window(); }
  // The main window `width` pixels wide, as tall as it was.
  void Resize(int width) {
    RECT rect;
    GetWindowRect(Window().Handle(), &rect);
    SetWindowPos(Window().Handle(), nullptr, 0, 0, width, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  penlet::TPenletForm& Form() { return window_->Form(); }
  HWND Edit() { return window_->Editor().Handle(); }
  penlet::ScintillaEdit& Area() { return window_->Editor(); }
  bool CounterShows(long long characters) const {
    return window_->Window().Memo1Text() == std::to_string(characters);
  }

  QuietBoxes boxes;

 private:
  HWND owner_ = nullptr;
  std::unique_ptr<penlet::Program> window_;
};

}  // namespace bench
