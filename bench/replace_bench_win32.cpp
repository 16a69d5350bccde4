// Replace All in the real main window, through the real dialog's button: Shift-JIS documents of
// 1 MB and 10 MB holding 1,000, 10,000 and 100,000 occurrences, each in a fresh window whose
// background wrap has finished. Timed until the result message comes, then until the wrap of
// the new text has finished. Given a size in MB and a number of occurrences, runs that case only
// (any size: 50 MB with 672,000 occurrences is what users replace in a large log).
#include <cstdlib>

#include "bench/Bench_win32.h"

namespace {

using namespace bench;

// "検索済", three characters for the two of kFindText.
const std::string kReplaceText = "\x8C\x9F\x8D\xF5\x8D\xCF";

void Run(int mb, int occurrences) {
  const std::string text = MakeDocument(static_cast<size_t>(mb) << 20, occurrences);
  const long long expected = CharacterCount(text) + occurrences;
  const std::string path = WriteDocument(text, "penlet_replace_bench.txt");
  Penlet penlet;
  penlet.Form().OpenDocument(path);
  DeleteFileA(path.c_str());
  WaitForWrap(penlet.Edit());

  HWND main = penlet.Window().Handle();
  SendMessageA(main, WM_COMMAND, penlet::EditReplace, 0);
  Pump();
  HWND dialog = FindDialog(main);
  if (!dialog) {
    std::printf("no dialog\n");
    return;
  }
  // The find box, the replace box and the Replace All button of comdlg32's dialog.
  TypeInDialog(dialog, 0x481, kReplaceText);
  TypeInDialog(dialog, 0x480, kFindText);
  penlet.boxes.last.clear();
  Asker asker(main);
  const auto start = Clock::now();
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(0x401, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, 0x401)));
  const double replaceMs = MsSince(start);
  const bool counterRight = penlet.CounterShows(expected);
  PumpUntilPainted(penlet.Edit());
  const double paintMs = MsSince(start);
  // A question asked during the work has its answer by now.
  const double waited = asker.TakeLongest();
  const double wrapMs = Ms(WaitForWrap(penlet.Edit()) - start);
  std::printf(
      "replace all %2d MB, %6d occurrences: %8.1f ms (painted %8.1f ms, wrap finished"
      " %8.1f ms, a question waited at most %.1f ms meanwhile); reported %d, counter %s\n",
      mb, occurrences, replaceMs, paintMs, wrapMs, waited, std::atoi(penlet.boxes.last.c_str()),
      counterRight ? "right" : ("WRONG: " + penlet.Window().Memo1Text()).c_str());
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2) {
    Run(std::atoi(argv[1]), std::atoi(argv[2]));
    return 0;
  }
  for (int mb : {1, 10}) {
    for (int occurrences : {1000, 10000, 100000}) Run(mb, occurrences);
  }
  return 0;
}
