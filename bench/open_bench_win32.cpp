// Opening long Shift-JIS documents in the real main window: the time until the counter is right,
// until the editing area's first paint, and until its background wrap has finished; the working
// set before and after. Sizes in MB on the command line (1, 10 and 50 unless given); each is
// opened in a fresh window.
#include <cstdlib>

#include "bench/Bench_win32.h"

namespace {

using namespace bench;

void Run(int mb) {
  std::string text = MakeDocument(static_cast<size_t>(mb) << 20);
  const size_t bytes = text.size();
  const long long characters = CharacterCount(text);
  const std::string path = WriteDocument(text, "penlet_open_bench.txt");
  // Only the window's memory is to be measured.
  std::string().swap(text);
  Penlet penlet;
  const Memory before = ProcessMemory();

  const auto start = Clock::now();
  penlet.Form().OpenDocument(path);
  const double openMs = MsSince(start);
  while (!penlet.CounterShows(characters) && MsSince(start) < 60000) {
    if (!PumpOne()) Sleep(1);
  }
  const double counterMs = MsSince(start);
  const bool counterRight = penlet.CounterShows(characters);
  const Memory opened = ProcessMemory();
  const bool painted = PumpUntilPainted(penlet.Edit());
  const double paintMs = MsSince(start);
  const double wrapMs = Ms(WaitForWrap(penlet.Edit()) - start);
  const Memory wrapped = ProcessMemory();
  DeleteFileA(path.c_str());

  std::printf("open %2d MB (%zu bytes, %lld characters, %lld display lines)\n", mb, bytes,
              characters, DisplayLines(penlet.Edit()));
  std::printf("  OpenDocument      %8.1f ms\n", openMs);
  std::printf("  counter right     %8.1f ms%s\n", counterMs,
              counterRight ? "" : ("  WRONG: shows " + penlet.Window().Memo1Text()).c_str());
  std::printf("  first paint done  %8.1f ms%s\n", paintMs, painted ? "" : "  (not painted)");
  std::printf("  wrap finished     %8.1f ms\n", wrapMs);
  std::printf(
      "  working set       %8.1f MB before, %.1f MB opened, %.1f MB wrapped: %.2f MB per MB"
      " (private bytes %.1f -> %.1f MB)\n",
      before.workingSet, opened.workingSet, wrapped.workingSet,
      (wrapped.workingSet - before.workingSet) / mb, before.privateBytes, wrapped.privateBytes);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  for (int mb : bench::SizesInMb(argc, argv)) Run(mb);
  return 0;
}
