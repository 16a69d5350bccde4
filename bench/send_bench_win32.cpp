// Building the Send body of long Shift-JIS documents in the real main window: the time until the
// body is built, at the designed width and at 360 pixels, once the background layout has finished
// and straight after opening, with the longest wait of another program's question meanwhile and
// the body's size. Sizes in MB on the command line (10 and 50 unless given).
#include <cstdlib>

#include "bench/Bench_win32.h"
#include "output/Mail.h"
#include "platform/system/Win32Support_win32.h"

namespace {

using namespace bench;

void Measure(const char* what, Penlet& penlet, Asker& asker) {
  asker.TakeLongest();
  const auto start = Clock::now();
  penlet::Answering answering;
  const std::string body = *penlet::MailBody(penlet.Area(), [&answering] {
    answering.Due();
    return true;
  });
  const double ms = MsSince(start);
  std::printf("  %-34s body built %9.1f ms, question waited %7.1f ms, %zu bytes\n", what, ms,
              asker.TakeLongest(), body.size());
  std::fflush(stdout);
}

void Run(int mb) {
  std::string text = MakeDocument(static_cast<size_t>(mb) << 20);
  const std::string path = WriteDocument(text, "penlet_send_bench.txt");
  std::string().swap(text);
  Penlet penlet;
  RECT rect;
  GetWindowRect(penlet.Window().Handle(), &rect);
  const int designed = rect.right - rect.left;
  std::printf("send %d MB, window %d px wide\n", mb, designed);
  Asker asker(penlet.Window().Handle());
  for (int width : {designed, 360}) {
    penlet.Resize(width);
    penlet.Form().OpenDocument(path);
    PumpUntilPainted(penlet.Edit());
    Measure(width == designed ? "designed width, just opened" : "360 px, just opened", penlet,
            asker);
    WaitForWrap(penlet.Edit(), 300, 600000);
    Measure(width == designed ? "designed width, laid out" : "360 px, laid out", penlet, asker);
  }
  penlet.Resize(designed);
  DeleteFileA(path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  if (sizes.empty()) sizes = {10, 50};
  for (int mb : sizes) Run(mb);
  return 0;
}
