// How long the window stands still in what users do with long documents: for each operation, the
// time the call itself holds the window's thread, the longest single message after it until the
// window is quiet again (the background layout included), the longest wait of another program's
// question to the window meanwhile, and the time until the result is there. Sizes in MB on the
// command line (1, 10 and 50 unless given).
#include <cstdlib>
#include <cstring>
#include <functional>

#include "bench/Bench_win32.h"

namespace {

using namespace bench;

Asker* gAsker = nullptr;

// Runs `call` as the window's thread would, then handles messages until `done` holds and (when
// `settle`) no message has come for 300 ms; prints the call's time, the longest message after it,
// the longest wait of a question meanwhile and the time until `done`.
void Measure(const char* what, const std::function<void()>& call, const std::function<bool()>& done,
             bool settle = true) {
  if (gAsker) gAsker->TakeLongest();
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

void Run(int mb) {
  std::string text = MakeDocument(static_cast<size_t>(mb) << 20, 1000 * mb);
  const LRESULT bytes = static_cast<LRESULT>(text.size());
  const long long characters = CharacterCount(text);
  const std::string path = WriteDocument(text, "penlet_responsive_bench.txt");
  std::printf("%d MB (%ld bytes, %lld characters)\n", mb, static_cast<long>(bytes), characters);
  Penlet penlet;
  Asker asker(penlet.Window().Handle());
  gAsker = &asker;
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
  std::string().swap(text);
  // The whole text copied as users copy it, then pasted at the end.
  penlet.Form().EditSelectAllExecute();
  Measure(
      "Copy of the text", [&] { penlet.Form().EditCopy1Execute(); }, [] { return true; });
  Key(penlet, VK_END, true);
  Pump();
  Measure(
      "paste of the text", [&] { penlet.Form().EditPaste1Execute(); },
      [&] { return length() == 2 * bytes; });
  Measure(
      "Rescue of the paste", [&] { penlet.Form().EditUndoExecute(); },
      [&] { return length() == bytes; });
  SetClipboard("");  // a clipboard holding the whole text slows every program down
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
  for (int mb : bench::SizesInMb(argc, argv)) Run(mb);
  return 0;
}
