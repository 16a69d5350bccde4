// Laying out the rows of long Shift-JIS documents in the real main window: the time until every
// paragraph is wrapped after opening, after narrowing the window to 360 pixels and after widening
// it back to its designed width, with the longest wait of another program's question meanwhile
// and the display lines at the end. The window thread's processor time is printed beside the
// time on the clock, as other programs share the processors. Sizes in MB on the command line (10,
// 50 and 200 unless given); each is opened in a fresh window.
#include <cstdlib>

#include "bench/Bench_win32.h"

namespace {

using namespace bench;

// The processor time this thread has used, in ms.
double ThreadMs() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  auto ms = [](const FILETIME& t) {
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 10000.0;
  };
  return ms(kernel) + ms(user);
}

// Prints how long the layout that `change` starts takes, until the wrap is done.
void Measure(const char* what, Penlet& penlet, Asker& asker, void (*change)(Penlet&, int),
             int arg) {
  asker.TakeLongest();
  const double cpuStart = ThreadMs();
  const auto start = Clock::now();
  change(penlet, arg);
  const double callMs = MsSince(start);
  const double wrapMs = Ms(WaitForWrap(penlet.Edit(), 300, 600000) - start);
  const double cpuMs = ThreadMs() - cpuStart;
  std::printf(
      "  %-24s call %7.1f ms, rows laid out %8.1f ms (processor %8.1f ms), question waited"
      " %6.1f ms, %lld rows\n",
      what, callMs, wrapMs, cpuMs, asker.TakeLongest(), DisplayLines(penlet.Edit()));
  std::fflush(stdout);
}

void Run(int mb) {
  std::string text = MakeDocument(static_cast<size_t>(mb) << 20);
  const std::string path = WriteDocument(text, "penlet_layout_bench.txt");
  std::string().swap(text);
  Penlet penlet;
  RECT rect;
  GetWindowRect(penlet.Window().Handle(), &rect);
  const int designed = rect.right - rect.left;
  std::printf("layout %d MB, window %d px wide\n", mb, designed);
  Asker asker(penlet.Window().Handle());
  Measure(
      "open", penlet, asker,
      [](Penlet& p, int) { p.Form().OpenDocument(TempPath("penlet_layout_bench.txt")); }, 0);
  const auto resize = [](Penlet& p, int width) { p.Resize(width); };
  Measure("narrow to 360 px", penlet, asker, resize, 360);
  Measure("back to designed width", penlet, asker, resize, designed);
  DeleteFileA(path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  if (sizes.empty()) sizes = {10, 50, 200};
  for (int mb : sizes) Run(mb);
  return 0;
}
