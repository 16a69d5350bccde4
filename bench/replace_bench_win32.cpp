// Replace All on long documents in the real main window: Shift-JIS documents of 1 MB and 10 MB
// holding 1,000, 10,000 and 100,000 occurrences, replaced through the real dialog's button;
// each run is timed until the result message comes.
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ui/CommandIds.h"
#include "ui/MainWindow_win32.h"

namespace {

using Clock = std::chrono::steady_clock;

class QuietBoxes : public penlet::MessageBoxes {
 public:
  penlet::DialogResult ShowMessageDialog(const std::string&, penlet::MessageKind,
                                         unsigned) override {
    return penlet::DialogResult::No;
  }
  void ShowPlainMessage(const std::string& text) override { last = text; }
  std::string last;
};

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// About `bytes` of Japanese and ASCII lines with `occurrences` of "置換" spread evenly.
std::string MakeDocument(size_t bytes, int occurrences) {
  const std::string line =
      "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\xB6\x8F\xCD\x82\xC5\x82\xB7\x81\x42"
      " Penlet replaces text; \x82\xA0\x82\xA2\x82\xA4\x82\xA6\x82\xA8\r\n";
  const std::string find = "\x92\x75\x8A\xB7";
  std::string text;
  text.reserve(bytes + occurrences * find.size() + line.size());
  const size_t every = bytes / occurrences;
  size_t next = 0;
  int placed = 0;
  while (text.size() < bytes || placed < occurrences) {
    while (placed < occurrences && text.size() >= next) {
      text += find;
      ++placed;
      next += every;
    }
    text += line;
  }
  return text;
}

std::string WriteDocument(const std::string& text) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  const std::string path = std::string(dir) + "penlet_replace_bench.txt";
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  return path;
}

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

HWND FindDialog(HWND owner) {
  HWND found = nullptr;
  for (HWND w = FindWindowExA(nullptr, nullptr, "#32770", nullptr); w;
       w = FindWindowExA(nullptr, w, "#32770", nullptr)) {
    if (GetWindow(w, GW_OWNER) == owner) found = w;
  }
  return found;
}

void Run(penlet::MainWindow& window, QuietBoxes& boxes, size_t bytes, int occurrences) {
  const std::string text = MakeDocument(bytes, occurrences);
  const std::string path = WriteDocument(text);
  window.Form().OpenDocument(path);
  DeleteFileA(path.c_str());
  Pump();
  SendMessageA(window.Handle(), WM_COMMAND, penlet::EditReplace, 0);
  Pump();
  HWND dialog = FindDialog(window.Handle());
  if (!dialog) {
    std::printf("no dialog\n");
    return;
  }
  SetDlgItemTextA(dialog, 0x480, "\x92\x75\x8A\xB7");            // 置換
  SetDlgItemTextA(dialog, 0x481, "\x8C\x9F\x8D\xF5\x8D\xCF");  // 検索済
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(0x480, EN_CHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, 0x480)));
  boxes.last.clear();
  const auto start = Clock::now();
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(0x401, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, 0x401)));
  Pump();
  const double ms = Milliseconds(Clock::now() - start);
  std::printf("%9zu bytes, %6d occurrences: Replace All %9.1f ms (reported %d, counter %s)\n",
              text.size(), occurrences, ms, std::atoi(boxes.last.c_str()),
              window.Memo1Text().c_str());
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  // The largest document size to run, in MB (10 unless given); then, if given, one size and
  // one number of occurrences only, for a figure from a fresh process.
  const int maxMb = argc > 1 ? std::atoi(argv[1]) : 10;
  const int onlyOccurrences = argc > 2 ? std::atoi(argv[2]) : 0;
  HWND owner = CreateWindowExA(0, "STATIC", "Penlet", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  QuietBoxes boxes;
  penlet::MainWindow window(owner, boxes, [](const std::string& message) {
    std::printf("error: %s\n", message.c_str());
  });
  window.Show(SW_SHOWNORMAL, {});
  Pump();
  for (int mb : {1, 10}) {
    if (mb > maxMb || (onlyOccurrences && mb != maxMb)) continue;
    for (int occurrences : {1000, 10000, 100000}) {
      if (onlyOccurrences && occurrences != onlyOccurrences) continue;
      Run(window, boxes, static_cast<size_t>(mb) << 20, occurrences);
    }
  }
  window.Form().FileNew1Execute();
  DestroyWindow(owner);
  return 0;
}
