// Texts near the end of the address space in the real main window: a file of Japanese lines of
// each size opened (or refused), then Select All, Backspace and Rescue, each either finishing or
// refused with a message; the time of each, the longest wait of another program's question to
// the window meanwhile, the text's length after each and the free address space. Sizes in MB on
// the command line (600 and 925 unless given); the files are made in the temporary folder and
// removed again.
#include <cstdlib>
#include <functional>

#include "bench/Bench_win32.h"

namespace {

using namespace bench;

// A file of `mb` megabytes of Japanese lines, written a megabyte at a time so that this process
// never holds the whole text beside the editing area's.
std::string MakeFile(int mb) {
  const std::string block = MakeDocument(1 << 20);
  const std::string path = TempPath("limits_bench.txt");
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  for (int i = 0; i < mb; ++i) {
    DWORD done = 0;
    WriteFile(file, block.data(), static_cast<DWORD>(block.size()), &done, nullptr);
  }
  CloseHandle(file);
  return path;
}

long Length(Penlet& penlet) {
  return static_cast<long>(SendMessageW(penlet.Edit(), SCI_GETLENGTH, 0, 0));
}

void Step(Penlet& penlet, Asker& asker, const char* what, const std::function<void()>& call) {
  asker.TakeLongest();
  const auto start = Clock::now();
  try {
    call();
  } catch (const std::exception& e) {
    std::printf("  (error: %s)\n", e.what());
  }
  const double callMs = MsSince(start);
  // What the call left in the queue; the background layout of the whole text goes on after.
  const auto after = Clock::now();
  while (MsSince(after) < 2000 && PumpOne()) {
  }
  std::printf(
      "  %-10s %8.0f ms  longest wait of a question %6.0f ms  length %10ld  free %6.0f MB\n", what,
      callMs, asker.TakeLongest(), Length(penlet), FreeMb());
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  if (sizes.empty()) sizes = {600, 925};
  Penlet penlet;
  for (int mb : sizes) {
    const std::string path = MakeFile(mb);
    std::printf("%d MB (free address space %.0f MB)\n", mb, FreeMb());
    {
      Asker asker(penlet.Window().Handle());
      Step(penlet, asker, "open", [&] { penlet.Form().OpenDocument(path); });
      if (Length(penlet) > 0) {
        const long opened = Length(penlet);
        Step(penlet, asker, "type x", [&] { SendMessageW(penlet.Edit(), WM_CHAR, 'x', 1); });
        Step(penlet, asker, "rescue x", [&] { penlet.Form().EditUndoExecute(); });
        Step(penlet, asker, "select all", [&] { penlet.Form().EditSelectAllExecute(); });
        Step(penlet, asker, "backspace",
             [&] { SendMessageW(penlet.Edit(), WM_KEYDOWN, VK_BACK, 1); });
        Step(penlet, asker, "rescue", [&] { penlet.Form().EditUndoExecute(); });
        std::printf("  the text %s\n", Length(penlet) == opened ? "is back whole" : "is NOT back");
      }
      Step(penlet, asker, "new", [&] { penlet.Form().FileNew1Execute(); });
    }
    DeleteFileA(path.c_str());
  }
  return 0;
}
