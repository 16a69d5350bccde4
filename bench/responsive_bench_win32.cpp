// How long the window stands still in what users do with long documents: for each operation, the
// time the call itself holds the window's thread, the longest single message after it until the
// window is quiet again (the background layout included), the longest wait of another program's
// question to the window meanwhile, and the time until the result is there. Sizes in MB on the
// command line (1, 10 and 50 unless given).
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>

#include "bench/Bench_win32.h"

namespace {

using namespace bench;

Asker* gAsker = nullptr;
QuietBoxes* gBoxes = nullptr;

// Runs `call` as the window's thread would, then handles messages until `done` holds and (when
// `settle`) no message has come for 300 ms; prints the call's time, the longest message after it,
// the longest wait of a question meanwhile and the time until `done`.
void Measure(const char* what, const std::function<void()>& call, const std::function<bool()>& done,
             bool settle = true) {
  if (gAsker) gAsker->TakeLongest();
  const std::string messageBefore = gBoxes ? gBoxes->last : std::string();
  const auto start = Clock::now();
  call();
  const double callMs = MsSince(start);
  double longest = 0, doneMs = done() ? callMs : -1;
  auto last = Clock::now();
  while ((settle ? MsSince(last) < 300 : doneMs < 0) && MsSince(start) < 300000) {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
      if (doneMs < 0 && done()) doneMs = MsSince(start);
      continue;
    }
    const auto one = Clock::now();
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    longest = std::max(longest, MsSince(one));
    last = Clock::now();
    if (doneMs < 0 && done()) doneMs = MsSince(start);
  }
  // A question asked during the work is answered now, and counts for it.
  const auto tail = Clock::now();
  while (MsSince(tail) < 20) {
    if (!PumpOne()) Sleep(1);
  }
  std::printf(
      "  %-22s call %8.1f ms, longest message after %6.1f ms, question waited %8.1f ms, done"
      " %8.1f ms\n",
      what, callMs, longest, gAsker ? gAsker->TakeLongest() : 0, doneMs);
  if (gBoxes && gBoxes->last != messageBefore) std::printf("  message: %s\n", gBoxes->last.c_str());
  std::fflush(stdout);
}

// A key pressed in the editing area with Ctrl held (or not), as the loop hands it over.
void Key(Penlet& penlet, WPARAM key, bool ctrl) {
  BYTE state[256];
  GetKeyboardState(state);
  state[VK_CONTROL] = ctrl ? 0x80 : 0;
  SetKeyboardState(state);
  SendMessageW(penlet.Edit(), WM_KEYDOWN, key, 1);
  state[VK_CONTROL] = 0;
  SetKeyboardState(state);
}

// Puts `text` on the clipboard as CF_TEXT.
void SetClipboard(const std::string& text) {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
    auto* bytes = static_cast<char*>(GlobalLock(memory));
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
  }
  CloseClipboard();
}

LRESULT Sci(Penlet& penlet, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  return SendMessageW(penlet.Edit(), message, wParam, lParam);
}

// Controls of comdlg32's find/replace dialog.
constexpr int kFindField = 0x480, kReplaceField = 0x481, kReplaceAllButton = 0x401;
// "末尾", found only in the last line; "検索済", found nowhere until Replace All puts it there.
const std::string kTailWord = "\x96\x96\x94\xF6";
const std::string kReplaceText = "\x8C\x9F\x8D\xF5\x8D\xCF";

void Press(HWND dialog, int button) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

std::uint32_t Fnv(const char* bytes, size_t size) {
  std::uint32_t hash = 2166136261u;
  for (size_t i = 0; i < size; ++i)
    hash = (hash ^ static_cast<unsigned char>(bytes[i])) * 16777619u;
  return hash;
}

// Another program taking the clipboard's text in `format`, as this program started again with
// --read-clipboard; its exit code says whether it got the bytes of `hash` (0), other text (1),
// or none (2).
class Reader {
 public:
  Reader(UINT format, std::uint32_t hash) {
    std::string line = "\"" + ExeDir() + "responsive_bench_win32.exe\" --read-clipboard " +
                       std::to_string(format) + " " + std::to_string(hash);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process_)) {
      CloseHandle(process_.hThread);
    }
  }
  ~Reader() {
    if (process_.hProcess) CloseHandle(process_.hProcess);
  }
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;
  bool Done() const {
    return !process_.hProcess || WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0;
  }
  const char* Result() const {
    DWORD code = 3;
    if (process_.hProcess) GetExitCodeProcess(process_.hProcess, &code);
    return code == 0 ? "right" : code == 1 ? "WRONG TEXT" : code == 2 ? "NO TEXT" : "NOT RUN";
  }

 private:
  PROCESS_INFORMATION process_{};
};

int ReadClipboard(UINT format, std::uint32_t hash) {
  for (int i = 0; i < 100 && !OpenClipboard(nullptr); ++i) Sleep(10);
  HANDLE data = GetClipboardData(format);
  const void* locked = data ? GlobalLock(data) : nullptr;
  int result = 2;
  if (locked && format == CF_UNICODETEXT) {
    const auto* wide = static_cast<const wchar_t*>(locked);
    const int length = static_cast<int>(wcslen(wide));
    std::string bytes(static_cast<size_t>(length) * 2, '\0');
    bytes.resize(static_cast<size_t>(WideCharToMultiByte(
        932, 0, wide, length, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr)));
    result = Fnv(bytes.data(), bytes.size()) == hash ? 0 : 1;
  } else if (locked) {
    const auto* bytes = static_cast<const char*>(locked);
    result = Fnv(bytes, strlen(bytes)) == hash ? 0 : 1;
  }
  if (locked) GlobalUnlock(data);
  CloseClipboard();
  return result;
}

void Run(int mb) {
  // The last line holds the one kTailWord.
  std::string text = MakeDocument(static_cast<size_t>(mb) << 20, 1000 * mb) +
                     "\x82\xA8\x82\xED\x82\xE8 " + kTailWord + "\r\n";
  const std::uint32_t hash = Fnv(text.data(), text.size());
  const LRESULT bytes = static_cast<LRESULT>(text.size());
  const long long characters = CharacterCount(text);
  const std::string path = WriteDocument(text, "penlet_responsive_bench.txt");
  std::printf("%d MB (%ld bytes, %lld characters)\n", mb, static_cast<long>(bytes), characters);
  Penlet penlet;
  Asker asker(penlet.Window().Handle());
  gAsker = &asker;
  gBoxes = &penlet.boxes;
  const Memory before = ProcessMemory();
  const auto caretAt = [&](LRESULT at) { return Sci(penlet, SCI_GETCURRENTPOS) == at; };
  const auto length = [&] { return Sci(penlet, SCI_GETLENGTH); };

  // Ctrl+End at once, while the lines are still being laid out in the background.
  Measure(
      "open", [&] { penlet.Form().OpenDocument(path); },
      [&] { return penlet.CounterShows(characters); }, false);
  Measure(
      "Ctrl+End", [&] { Key(penlet, VK_END, true); },
      [&] { return caretAt(bytes) && !GetUpdateRect(penlet.Edit(), nullptr, FALSE); }, false);
  const Memory opened = ProcessMemory();
  std::printf("  working set after opening %.0f MB (%.2f MB per MB of text)\n",
              opened.workingSet - before.workingSet,
              (opened.workingSet - before.workingSet) / std::max(1, mb));
  const std::string lastLine = penlet.Window().StatusText(2);
  Measure(
      "background layout", [] {}, [&] { return penlet.Window().StatusText(2) != lastLine; }, true);
  Measure(
      "Ctrl+Home", [&] { Key(penlet, VK_HOME, true); }, [&] { return caretAt(0); });
  // Find Next through the dialog, from the start of the text: a word that is nowhere, then one
  // found only in the last line.
  HWND main = penlet.Window().Handle();
  SendMessageA(main, WM_COMMAND, penlet::EditReplace, 0);
  Pump();
  HWND dialog = FindDialog(main);
  penlet.boxes.last.clear();
  TypeInDialog(dialog, kFindField, kReplaceText);
  Measure(
      "Find Next, no hit", [&] { Press(dialog, IDOK); },
      [&] { return !penlet.boxes.last.empty(); });
  TypeInDialog(dialog, kFindField, kTailWord);
  const LRESULT tail = bytes - static_cast<LRESULT>(kTailWord.size() + 2);
  Measure(
      "Find Next, hit at end", [&] { Press(dialog, IDOK); },
      [&] { return Sci(penlet, SCI_GETSELECTIONSTART) == tail; });
  Key(penlet, VK_HOME, true);
  Measure(
      "Page Down", [&] { Key(penlet, VK_NEXT, false); }, [&] { return caretAt(0) == false; });
  Measure(
      "scroll bar end", [&] { Sci(penlet, WM_VSCROLL, SB_BOTTOM); },
      [&] { return Sci(penlet, SCI_GETFIRSTVISIBLELINE) > 0; });
  Measure(
      "type a character", [&] { Sci(penlet, WM_CHAR, 'x', 1); },
      [&] { return length() == bytes + 1; });
  Measure(
      "Rescue", [&] { penlet.Form().EditUndoExecute(); }, [&] { return length() == bytes; });
  Measure(
      "Select All", [&] { penlet.Form().EditSelectAllExecute(); },
      [&] { return Sci(penlet, SCI_GETSELECTIONEND) == bytes; });
  Measure(
      "Delete", [&] { Key(penlet, VK_DELETE, false); }, [&] { return length() == 0; });
  Measure(
      "Rescue of Delete", [&] { penlet.Form().EditUndoExecute(); },
      [&] { return length() == bytes; });
  penlet.Form().EditSelectAllExecute();
  Measure(
      "type over Select All", [&] { Sci(penlet, WM_CHAR, 'x', 1); }, [&] { return length() == 1; });
  Measure(
      "Rescue of typing over", [&] { penlet.Form().EditUndoExecute(); },
      [&] { return length() == bytes; });
  std::string().swap(text);
  // The whole text copied as users copy it, then pasted at the end.
  penlet.Form().EditSelectAllExecute();
  Measure(
      "Copy of the text", [&] { penlet.Form().EditCopy1Execute(); }, [] { return true; });
  for (UINT format : {CF_TEXT, CF_UNICODETEXT}) {
    std::unique_ptr<Reader> reader;
    Measure(
        format == CF_TEXT ? "read as CF_TEXT" : "read as CF_UNICODETEXT",
        [&] { reader = std::make_unique<Reader>(format, hash); }, [&] { return reader->Done(); },
        false);
    std::printf("  the other program's text: %s\n", reader->Result());
    // Copied again: the next program finds it waiting for rendering.
    penlet.Form().EditCopy1Execute();
  }
  Key(penlet, VK_END, true);
  Pump();
  Measure(
      "paste of the text", [&] { penlet.Form().EditPaste1Execute(); },
      [&] { return length() == 2 * bytes; });
  Measure(
      "Rescue of the paste", [&] { penlet.Form().EditUndoExecute(); },
      [&] { return length() == bytes; });
  SetClipboard("");  // a clipboard holding the whole text slows every program down
  TypeInDialog(dialog, kReplaceField, kReplaceText);
  TypeInDialog(dialog, kFindField, kFindText);
  penlet.boxes.last.clear();
  Measure(
      "Replace All", [&] { Press(dialog, kReplaceAllButton); },
      [&] { return !penlet.boxes.last.empty(); });
  std::printf("  replaced: %s\n", penlet.boxes.last.c_str());
  Measure(
      "Save", [&] { penlet.Form().FileSave1Execute(); },
      [&] { return !penlet.Window().Editor().Modified(); });
  const Memory after = ProcessMemory();
  std::printf("  working set %.0f MB (%.2f MB per MB of text), private %.0f MB\n",
              after.workingSet - before.workingSet,
              (after.workingSet - before.workingSet) / std::max(1, mb),
              after.privateBytes - before.privateBytes);
  gAsker = nullptr;
  DeleteFileA(path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--read-clipboard") == 0) {
    return ReadClipboard(static_cast<UINT>(std::atoi(argv[2])),
                         static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10)));
  }
  for (int mb : bench::SizesInMb(argc, argv)) Run(mb);
  return 0;
}
