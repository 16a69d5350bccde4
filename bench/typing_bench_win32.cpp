// Time per keystroke in the real main window on Shift-JIS documents of 1 KB, 1 MB and 10 MB:
// WM_CHAR sent to the editing area, which returns once the counter and the status panels have
// been refreshed; then the repaint. First the very first keystroke after opening (at the start,
// in the middle and at the end, each in a freshly opened document, the caret moved there as
// Ctrl+End or a jump would, a tenth of a second before the key), keystrokes while the background
// wrap runs, right after opening and right after the window was narrowed to 360 pixels, then
// keystrokes once the wrap has finished, and where their time goes. The number of keystrokes on the
// command line (200 unless given), then any sizes in MB to measure instead of those three.
#include <cstdlib>

#include "bench/Bench_win32.h"

namespace {

using namespace bench;

struct Keystroke {
  double key = 0;    // until SendMessage returned: counter and panels refreshed
  double paint = 0;  // until the editing area was painted again
};

Keystroke Type(Penlet& penlet, char c) {
  const auto start = Clock::now();
  SendMessageA(penlet.Edit(), WM_CHAR, static_cast<WPARAM>(c), 1);
  Keystroke k;
  k.key = MsSince(start);
  PumpUntilPainted(penlet.Edit());
  k.paint = MsSince(start);
  return k;
}

// Moves the caret to the middle of the text (a jump to its middle line) or to its end
// (Ctrl+End); returns the time until the move has been reported and the panels refreshed.
double MoveCaret(Penlet& penlet, bool toEnd) {
  HWND edit = penlet.Edit();
  const auto start = Clock::now();
  if (toEnd) {
    SendMessageW(edit, SCI_DOCUMENTEND, 0, 0);
  } else {
    const LRESULT line = SendMessageW(edit, SCI_GETLINECOUNT, 0, 0) / 2;
    SendMessageW(edit, SCI_GOTOPOS, SendMessageW(edit, SCI_POSITIONFROMLINE, line, 0), 0);
  }
  return MsSince(start);
}

// Median of `count` runs of `f`, in ms.
template <typename F>
double MedianOf(int count, F f) {
  std::vector<double> times;
  for (int i = 0; i < count; ++i) {
    const auto start = Clock::now();
    f(i);
    times.push_back(MsSince(start));
  }
  return Median(times);
}

// Where a keystroke's time goes: the selection refresh and its parts alone, then the component
// alone, with nobody listening. The counter misses those last keystrokes: the last thing done
// with a window.
void Breakdown(Penlet& penlet, int count) {
  penlet::MainWindow& window = penlet.Window();
  penlet::ScintillaEdit& editor = window.Editor();
  const penlet::ByteOffset caret = editor.GetSelection().start;
  const std::int32_t line = editor.LineFromOffset(caret);
  const std::string panel = window.StatusText(1);
  const std::string counter = window.Memo1Text();
  const double refresh = MedianOf(count, [&](int) { penlet.Form().RichEdit1SelectionChange(); });
  const double change = MedianOf(count, [&](int) { penlet.Form().RichEdit1Change(); });
  const double lineFrom = MedianOf(count, [&](int) { editor.LineFromOffset(caret); });
  const double lineIndex = MedianOf(count, [&](int) { editor.LineIndex(line); });
  const double buttons = MedianOf(count, [&](int) {
    for (auto b : {penlet::ToolButton::Cut, penlet::ToolButton::Copy, penlet::ToolButton::Paste}) {
      window.SetToolButtonEnabled(b, false);
    }
  });
  const double status =
      MedianOf(count, [&](int i) { window.SetStatusText(1, i % 2 ? panel : panel + " "); });
  const double memo =
      MedianOf(count, [&](int i) { window.SetMemo1Text(i % 2 ? counter : counter + "0"); });
  std::printf(
      "    change refresh alone %.2f ms, selection refresh alone %.2f ms: line from offset %.2f,"
      " line index %.2f, tool buttons %.2f, a status panel %.2f, counter box %.2f",
      change, refresh, lineFrom, lineIndex, buttons, status, memo);
  editor.SetListener(nullptr);
  std::printf("; component alone %.2f ms\n",
              MedianOf(count, [&](int) { SendMessageA(penlet.Edit(), WM_CHAR, 'x', 1); }));
}

enum class Where { kStart, kMiddle, kEnd };
const char* const kWhere[] = {"start", "middle", "end"};

void FirstKeystroke(const std::string& path, Where where) {
  Penlet penlet;
  const auto start = Clock::now();
  penlet.Form().OpenDocument(path);
  PumpUntilPainted(penlet.Edit());
  const double openMs = MsSince(start);
  const long long linesBefore = DisplayLines(penlet.Edit());
  const auto moved = Clock::now();
  const double moveMs = where == Where::kStart ? 0 : MoveCaret(penlet, where == Where::kEnd);
  // No key comes before the window has shown the caret where it went, nor (a human being's
  // hand) within a tenth of a second of the move. Meanwhile the text's gap goes to the caret.
  PumpUntilPainted(penlet.Edit());
  const double shownMs = MsSince(moved);
  HWND edit = penlet.Edit();
  const auto gapDistance = [edit] {
    return std::abs(SendMessageW(edit, SCI_GETGAPPOSITION, 0, 0) -
                    SendMessageW(edit, SCI_GETSELECTIONSTART, 0, 0));
  };
  double gapMs = gapDistance() < 65536 ? 0 : -1;
  while (MsSince(moved) < 100 || (gapMs < 0 && MsSince(moved) < 5000)) {
    if (!PumpOne()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    if (gapMs < 0 && gapDistance() < 65536) gapMs = MsSince(moved);
  }
  const Keystroke k = Type(penlet, 'a');
  std::printf(
      "  first keystroke at the %-6s %8.2f ms (%.2f ms with repaint), caret move %8.2f ms"
      " (%.2f ms painted, the gap there after %.2f ms); %lld -> %lld display lines laid out;"
      " opened and painted in %.0f ms\n",
      kWhere[static_cast<int>(where)], k.key, k.paint, moveMs, shownMs, gapMs, linesBefore,
      DisplayLines(penlet.Edit()), openMs);
}

// The component's own share of Ctrl+End right after opening, with nobody listening.
void MoveAlone(const std::string& path) {
  Penlet penlet;
  penlet.Form().OpenDocument(path);
  PumpUntilPainted(penlet.Edit());
  penlet.Window().Editor().SetListener(nullptr);
  std::printf("  caret move to the end, component alone: %.2f ms\n", MoveCaret(penlet, true));
}

// Keystrokes about every 30 ms for `ms`, the window handling its messages (the background wrap
// among them) in between, as a quick typist would type; the median and longest.
void TypeWhileLaying(Penlet& penlet, const char* when, double ms) {
  std::vector<double> keys;
  std::vector<double> paints;
  const long long linesBefore = DisplayLines(penlet.Edit());
  const auto start = Clock::now();
  while (MsSince(start) < ms) {
    const Keystroke k = Type(penlet, static_cast<char>('a' + keys.size() % 26));
    keys.push_back(k.key);
    paints.push_back(k.paint);
    const auto typed = Clock::now();
    while (MsSince(typed) < 30) {
      if (!PumpOne()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
  }
  std::printf(
      "  keystrokes %s: %zu, median %6.2f ms, max %7.2f ms (with repaint: median %6.2f, max"
      " %7.2f); %lld -> %lld display lines laid out meanwhile\n",
      when, keys.size(), Median(keys), Max(keys), Median(paints), Max(paints), linesBefore,
      DisplayLines(penlet.Edit()));
}

void WhileLaying(const std::string& path) {
  Penlet penlet;
  penlet.Form().OpenDocument(path);
  PumpUntilPainted(penlet.Edit());
  TypeWhileLaying(penlet, "in the first 2 s after opening", 2000);
  WaitForWrap(penlet.Edit());
  RECT rect;
  GetWindowRect(penlet.Window().Handle(), &rect);
  penlet.Resize(360);
  TypeWhileLaying(penlet, "in the first 2 s after narrowing to 360 px", 2000);
  // The window keeps its size in the settings: the next window opens as this one was.
  penlet.Resize(rect.right - rect.left);
}

void Keystrokes(Penlet& penlet, Where where, int count, long long& characters) {
  MoveCaret(penlet, where == Where::kEnd);
  PumpUntilPainted(penlet.Edit());
  std::vector<double> keys;
  std::vector<double> paints;
  for (int i = 0; i < count; ++i) {
    const Keystroke k = Type(penlet, static_cast<char>('a' + i % 26));
    keys.push_back(k.key);
    paints.push_back(k.paint);
  }
  characters += count;
  penlet::MainWindow& window = penlet.Window();
  std::printf(
      "  keystrokes at the %-6s median %6.2f ms, max %7.2f ms (with repaint: median %6.2f,"
      " max %7.2f); counter %s, panels \"%s\" \"%s\"\n",
      kWhere[static_cast<int>(where)], Median(keys), Max(keys), Median(paints), Max(paints),
      penlet.CounterShows(characters) ? "right" : "WRONG", window.StatusText(1).c_str(),
      window.StatusText(2).c_str());
}

void Run(size_t bytes, const char* label, int count) {
  const std::string text = MakeDocument(bytes);
  const std::string path = WriteDocument(text, "penlet_typing_bench.txt");
  long long characters = CharacterCount(text);
  std::printf("%s (%zu bytes, %lld characters)\n", label, text.size(), characters);
  for (Where where : {Where::kStart, Where::kMiddle, Where::kEnd}) FirstKeystroke(path, where);
  MoveAlone(path);
  WhileLaying(path);

  Penlet penlet;
  penlet.Form().OpenDocument(path);
  DeleteFileA(path.c_str());
  WaitForWrap(penlet.Edit());
  std::printf("  after the wrap (%lld display lines):\n", DisplayLines(penlet.Edit()));
  Keystrokes(penlet, Where::kEnd, count, characters);
  Keystrokes(penlet, Where::kMiddle, count, characters);
  // Whether typing left layout work behind.
  const auto start = Clock::now();
  const double wrapMs = Ms(WaitForWrap(penlet.Edit()) - start);
  std::printf("  layout work left after typing: %.0f ms\n", wrapMs);
  Breakdown(penlet, count);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  // Unbuffered, so that a slow step shows where it is.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  const int count = argc > 1 ? std::atoi(argv[1]) : 200;
  if (argc > 2) {
    // Sizes in MB after the count, each measured on its own.
    for (int i = 2; i < argc; ++i) {
      const std::string label = std::string(argv[i]) + " MB";
      Run(static_cast<size_t>(std::atoi(argv[i])) << 20, label.c_str(), count);
    }
    return 0;
  }
  Run(1 << 10, "1 KB", count);
  Run(1 << 20, "1 MB", count);
  Run(10 << 20, "10 MB", count);
  return 0;
}
