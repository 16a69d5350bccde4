// Memory over a long session in the real main window: rounds of Select All, Copy and Paste (50
// at 1 MB, 10 at 50 MB), private bytes and free address space after each, then Rescue of the last
// round; then a session at 200 MB (copy, paste, typing over everything, Rescue, New) and the
// same file opened again. The sizes in MB on the command line replace 1, 50 and 200.
#include <cstdlib>

#include "bench/Bench_win32.h"

namespace {

using namespace bench;

void Figures(const char* what) {
  const Memory m = ProcessMemory();
  std::printf("%-28s private %7.1f MB  working set %7.1f MB  free address space %7.1f MB\n", what,
              m.privateBytes, m.workingSet, FreeMb());
  std::fflush(stdout);
}

bool Open(Penlet& penlet, const std::string& path) {
  try {
    penlet.Form().OpenDocument(path);
  } catch (const std::exception& e) {
    std::printf("open failed: %s\n", e.what());
    return false;
  }
  Pump();
  return true;
}

void Rounds(Penlet& penlet, int mb, int rounds) {
  const std::string text = MakeDocument(static_cast<size_t>(mb) << 20);
  const std::string path = WriteDocument(text, "memory_bench.txt");
  std::printf("\n%d rounds of Select All, Copy, Paste at %d MB\n", rounds, mb);
  if (!Open(penlet, path)) return;
  Figures("opened");
  HWND edit = penlet.Edit();
  for (int round = 1; round <= rounds; ++round) {
    penlet.Form().EditSelectAllExecute();
    SendMessageW(edit, WM_COPY, 0, 0);
    SendMessageW(edit, WM_PASTE, 0, 0);
    Pump();
    if (round == 1 || round % (rounds / 5 > 0 ? rounds / 5 : 1) == 0) {
      Figures(("round " + std::to_string(round)).c_str());
    }
  }
  // One character deleted at the start, and taken back.
  SendMessageW(edit, SCI_GOTOPOS, 0, 0);
  SendMessageW(edit, WM_KEYDOWN, VK_DELETE, 1);
  const LRESULT shorter = SendMessageW(edit, SCI_GETLENGTH, 0, 0);
  penlet.Form().EditUndoExecute();
  Pump();
  const LRESULT length = SendMessageW(edit, SCI_GETLENGTH, 0, 0);
  std::printf("Rescue after the last round: %s (length %ld after the deletion, %ld after Rescue)\n",
              length == static_cast<LRESULT>(text.size()) && shorter < length ? "works" : "FAILED",
              static_cast<long>(shorter), static_cast<long>(length));
  penlet.Form().FileNew1Execute();
  Pump();
  Figures("after New");
  DeleteFileA(path.c_str());
}

void Session(Penlet& penlet, int mb) {
  const std::string path =
      WriteDocument(MakeDocument(static_cast<size_t>(mb) << 20), "memory_session.txt");
  std::printf("\nA session at %d MB\n", mb);
  Figures("start");
  if (!Open(penlet, path)) return;
  Figures("opened");
  HWND edit = penlet.Edit();
  penlet.Form().EditSelectAllExecute();
  SendMessageW(edit, WM_COPY, 0, 0);
  SendMessageW(edit, WM_PASTE, 0, 0);
  Pump();
  Figures("copied and pasted");
  penlet.Form().EditSelectAllExecute();
  SendMessageW(edit, WM_CHAR, 'x', 1);
  Pump();
  Figures("typed over everything");
  penlet.Form().EditUndoExecute();
  Pump();
  Figures("Rescue");
  penlet.Form().FileNew1Execute();
  Pump();
  Figures("New");
  const auto start = Clock::now();
  const bool opened = Open(penlet, path);
  std::printf("opened again: %s in %.0f ms\n", opened ? "yes" : "NO", MsSince(start));
  Figures("opened again");
  penlet.Form().FileNew1Execute();
  Pump();
  DeleteFileA(path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  const int small = argc > 1 ? std::atoi(argv[1]) : 1;
  const int large = argc > 2 ? std::atoi(argv[2]) : 50;
  const int session = argc > 3 ? std::atoi(argv[3]) : 200;
  Penlet penlet;
  Figures("empty window");
  Rounds(penlet, small, 50);
  Rounds(penlet, large, 10);
  Session(penlet, session);
  return 0;
}
