// Time per keystroke on long documents: the real main window, Shift-JIS documents of 1 MB and
// 10 MB, characters typed at the end and in the middle; each keystroke is timed until the
// editing area has reported it and the counter and status panels have been refreshed.
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/CharacterCount.h"
#include "platform/Locale.h"
#include "ui/MainWindow_win32.h"

namespace {

using Clock = std::chrono::steady_clock;

class QuietBoxes : public penlet::MessageBoxes {
 public:
  penlet::DialogResult ShowMessageDialog(const std::string& text, penlet::MessageKind,
                                         unsigned) override {
    std::printf("message box: %s\n", text.c_str());
    return penlet::DialogResult::No;
  }
  void ShowPlainMessage(const std::string& text) override {
    std::printf("message: %s\n", text.c_str());
  }
};

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Lines of Japanese and ASCII text, about 70 bytes each, CR LF between them.
std::string MakeDocument(size_t bytes) {
  const std::string line =
      "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\xB6\x8F\xCD\x82\xC5\x82\xB7\x81\x42"  // 日本語の文章です。
      " Penlet counts characters and bytes; \x82\xA0\x82\xA2\x82\xA4\x82\xA6\x82\xA8\r\n";
  std::string text;
  text.reserve(bytes + line.size());
  while (text.size() < bytes) text += line;
  return text;
}

std::string WriteDocument(const std::string& text, const char* name) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  const std::string path = std::string(dir) + name;
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

template <typename F>
void Time(const char* what, int count, F f) {
  const auto start = Clock::now();
  long long sink = 0;
  for (int i = 0; i < count; ++i) sink += f();
  std::printf("    %-24s %8.2f ms (%lld)\n", what, Milliseconds(Clock::now() - start) / count,
              sink / count);
}

// Types `count` characters at the caret; returns the mean time per keystroke in ms.
double TypeAt(penlet::MainWindow& window, int count) {
  HWND edit = window.Editor().Handle();
  const auto start = Clock::now();
  for (int i = 0; i < count; ++i) {
    SendMessageA(edit, WM_CHAR, 'a' + i % 26, 1);
    Pump();
  }
  return Milliseconds(Clock::now() - start) / count;
}

void Run(penlet::MainWindow& window, size_t bytes, int keystrokes) {
  const std::string text = MakeDocument(bytes);
  const std::string path = WriteDocument(text, "penlet_typing_bench.txt");
  // Each size is loaded into a fresh window, as when penlet.exe starts with a file.
  auto start = Clock::now();
  window.Form().OpenDocument(path);
  const double openMs = Milliseconds(Clock::now() - start);
  Pump();
  const double loadMs = Milliseconds(Clock::now() - start);
  DeleteFileA(path.c_str());

  penlet::ScintillaEdit& editor = window.Editor();
  std::printf("%zu bytes (%s characters, %.0f ms to load, %.0f ms to load and show)\n",
              text.size(), window.Memo1Text().c_str(), openMs, loadMs);

  editor.SetSelection({editor.TextLength(), editor.TextLength()});
  Pump();
  std::printf("  typing at the end:    %8.2f ms per keystroke\n", TypeAt(window, keystrokes));
  std::printf("    counter %s, panels \"%s\" \"%s\"\n", window.Memo1Text().c_str(),
              window.StatusText(1).c_str(), window.StatusText(2).c_str());

  const penlet::ByteOffset middle = editor.LineIndex(editor.LineCount() / 2);
  editor.SetSelection({middle, middle});
  Pump();
  std::printf("  typing in the middle: %8.2f ms per keystroke\n", TypeAt(window, keystrokes));
  std::printf("    counter %s, panels \"%s\" \"%s\"\n", window.Memo1Text().c_str(),
              window.StatusText(1).c_str(), window.StatusText(2).c_str());

  // The control's own share: the same keystrokes with nobody listening.
  editor.SetListener(nullptr);
  std::printf("  typing, no refresh:   %8.2f ms per keystroke\n", TypeAt(window, keystrokes));
  editor.SetListener(&window.Form());
  window.Form().RichEdit1SelectionChange();
  // What a refresh costs on its own, and its parts.
  Time("selection", keystrokes, [&] { return editor.GetSelection().start; });
  Time("line from offset", keystrokes, [&] { return editor.LineFromOffset(middle); });
  Time("line index", keystrokes, [&] { return editor.LineIndex(editor.LineCount() / 2); });
  editor.SetListener(&window.Form());
  start = Clock::now();
  for (int i = 0; i < keystrokes; ++i) window.Form().RichEdit1SelectionChange();
  std::printf("  refresh alone:        %8.2f ms\n",
              Milliseconds(Clock::now() - start) / keystrokes);
  start = Clock::now();
  for (int i = 0; i < keystrokes; ++i) {
    std::string copy = editor.Text();
    if (copy.empty()) std::printf("?");
  }
  std::printf("  one copy of the text: %8.2f ms\n",
              Milliseconds(Clock::now() - start) / keystrokes);
  start = Clock::now();
  int counted = 0;
  for (int i = 0; i < keystrokes; ++i) {
    counted +=
        penlet::CountCharacters(editor.TextRange(0, editor.TextLength()), editor.TextLength(), penlet::CounterLeadBytes());
  }
  std::printf("  one walk of the text: %8.2f ms (%d)\n",
              Milliseconds(Clock::now() - start) / keystrokes, counted / keystrokes);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  // Unbuffered, so that a slow step shows where it is.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  const int keystrokes = argc > 1 ? std::atoi(argv[1]) : 20;
  const int largestMb = argc > 2 ? std::atoi(argv[2]) : 10;
  HWND owner = CreateWindowExA(0, "STATIC", "Penlet", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  QuietBoxes boxes;
  for (int mb : {1, 10}) {
    if (mb > largestMb) continue;
    penlet::MainWindow window(owner, boxes, [](const std::string& message) {
      std::printf("error: %s\n", message.c_str());
    });
    window.Show(SW_SHOWNORMAL, {});
    Pump();
    Run(window, static_cast<size_t>(mb) << 20, keystrokes);
    // The typed text is thrown away with the window, unsaved.
  }
  DestroyWindow(owner);
  return 0;
}
