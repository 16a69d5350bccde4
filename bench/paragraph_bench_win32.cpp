// Long paragraphs beside lines: the same Shift-JIS prose as ONE line with no line break and as a
// file of ordinary lines, in the real main window. For each: opening (until the first paint),
// the memory it takes per MB, a letter typed in the middle at once after opening, a letter at
// the end, the start and the middle, Backspace, Enter (which splits the paragraph), a short
// paste and Enter on the last row shown, each until the counter and panels are refreshed and
// until painted, with the longest wait of another program's question meanwhile; a resize from
// the designed width to 360 pixels with a letter typed at once: the longest wait while the rows
// settle and the time until they have; then Ctrl+End, Ctrl+Home and a move to a screen of 144
// dots per inch. Sizes in MB on the command line (1, 10 and 50 unless given); a letter in a long
// paragraph may take seconds, so each thing is done a few times only.
#include <cstring>
#include <string>
#include <vector>

#include "bench/Bench_win32.h"

namespace {

using namespace bench;

// The tests' prose: Japanese sentences with their punctuation, no line break.
std::string Prose(size_t bytes, bool oneLine) {
  const std::string sentence =
      "\x8C\xE1\x94\x79\x82\xCD\x94\x4C\x82\xC5\x82\xA0\x82\xE9\x81\x42"  // 吾輩は猫である。
      "\x96\xBC\x91\x4F\x82\xCD\x82\xDC\x82\xBE\x96\xB3\x82\xA2\x81\x42";  // 名前はまだ無い。
  std::string text;
  text.reserve(bytes + 64);
  for (int n = 0; text.size() < bytes; ++n) {
    text += sentence;
    if (!oneLine && n % 4 == 3) text += "\r\n";
  }
  return text;
}

struct Timed {
  double key = 0;     // until SendMessage returned: counter and panels refreshed
  double paint = 0;   // until painted again
  double waited = 0;  // the longest wait of another program's question meanwhile
};

Timed Message(Penlet& penlet, Asker& asker, UINT message, WPARAM wParam) {
  asker.TakeLongest();
  const auto start = Clock::now();
  SendMessageA(penlet.Edit(), message, wParam, 1);
  Timed t;
  t.key = MsSince(start);
  PumpUntilPainted(penlet.Edit(), 600000);
  t.paint = MsSince(start);
  t.waited = asker.TakeLongest();
  return t;
}

void Report(const char* what, const std::vector<Timed>& runs) {
  std::vector<double> keys, paints, waits;
  for (const Timed& t : runs) {
    keys.push_back(t.key);
    paints.push_back(t.paint);
    waits.push_back(t.waited);
  }
  std::printf(
      "    %-22s median %9.2f ms, max %9.2f ms (painted: median %9.2f); question waited"
      " up to %8.1f ms\n",
      what, Median(keys), Max(keys), Median(paints), Max(waits));
}

void GoTo(Penlet& penlet, LRESULT position) {
  SendMessageW(penlet.Edit(), SCI_GOTOPOS, position, 0);
  PumpUntilPainted(penlet.Edit(), 600000);
}

void Measure(size_t bytes, bool oneLine, int count) {
  const std::string text = Prose(bytes, oneLine);
  const std::string path = WriteDocument(text, "penlet_paragraph_bench.txt");
  std::printf("  %s (%zu bytes)\n", oneLine ? "one line" : "lines", text.size());
  const Memory before = ProcessMemory();
  Penlet penlet;
  RECT rect;
  GetWindowRect(penlet.Window().Handle(), &rect);
  const int designed = rect.right - rect.left;
  Asker asker(penlet.Window().Handle());
  const auto start = Clock::now();
  penlet.Form().OpenDocument(path);
  PumpUntilPainted(penlet.Edit(), 600000);
  const double openMs = MsSince(start);
  const Memory opened = ProcessMemory();
  const double mb = static_cast<double>(bytes) / (1 << 20);
  std::printf(
      "    opened in %.0f ms (question waited up to %.1f ms); %.1f MB private, %.2f MB per"
      " MB of text\n",
      openMs, asker.TakeLongest(), opened.privateBytes - before.privateBytes,
      (opened.privateBytes - before.privateBytes) / mb);

  const LRESULT length = SendMessageW(penlet.Edit(), SCI_GETLENGTH, 0, 0);
  // A letter in the middle at once, while the rows are still laid out in the background
  SendMessageW(penlet.Edit(), SCI_SETEMPTYSELECTION, length / 2 & ~LRESULT{1}, 0);
  Report("letter after opening", {Message(penlet, asker, WM_CHAR, 'z')});
  WaitForWrap(penlet.Edit(), 300, 600000);
  const struct {
    const char* name;
    LRESULT at;
  } places[] = {{"letter at the end", length},
                {"letter at the start", 0},
                {"letter in the middle", length / 2 & ~LRESULT{1}}};
  for (const auto& place : places) {
    std::vector<Timed> runs;
    GoTo(penlet, place.at);
    for (int i = 0; i < count; ++i) runs.push_back(Message(penlet, asker, WM_CHAR, 'a' + i));
    Report(place.name, runs);
  }
  std::vector<Timed> backs;
  for (int i = 0; i < count; ++i) backs.push_back(Message(penlet, asker, WM_KEYDOWN, VK_BACK));
  Report("Backspace", backs);
  std::vector<Timed> enters;
  for (int i = 0; i < count; ++i) enters.push_back(Message(penlet, asker, WM_KEYDOWN, VK_RETURN));
  Report("Enter", enters);
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    const std::string line = "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x95\xB6\x8F\xCD";  // 日本語の文章
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, line.size() + 1);
    std::memcpy(GlobalLock(memory), line.c_str(), line.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
  }
  std::vector<Timed> pastes;
  for (int i = 0; i < count; ++i) pastes.push_back(Message(penlet, asker, WM_PASTE, 0));
  Report("paste of a line", pastes);
  // Enter on the last row shown, which scrolls the window by a row
  RECT area;
  GetClientRect(penlet.Edit(), &area);
  const LRESULT height = SendMessageW(penlet.Edit(), SCI_TEXTHEIGHT, 0, 0);
  const LRESULT lastRow = (area.bottom / height - 1) * height + height / 2;
  GoTo(penlet, SendMessageW(penlet.Edit(), SCI_POSITIONFROMPOINT, 8, lastRow));
  Report("Enter on the last row", {Message(penlet, asker, WM_KEYDOWN, VK_RETURN)});

  asker.TakeLongest();
  const auto resized = Clock::now();
  penlet.Resize(360);
  const double resizeMs = MsSince(resized);
  // A letter where the caret is, while the rows are laid out again
  const Timed during = Message(penlet, asker, WM_CHAR, 'y');
  const double settledMs = Ms(WaitForWrap(penlet.Edit(), 300, 600000) - resized);
  std::printf(
      "    resize to 360 px: %.0f ms, rows settled after %.0f ms, question waited up to"
      " %.1f ms\n",
      resizeMs, settledMs, asker.TakeLongest());
  Report("letter after resize", {during});
  Report("Ctrl+End", {Message(penlet, asker, SCI_DOCUMENTEND, 0)});
  Report("Ctrl+Home", {Message(penlet, asker, SCI_DOCUMENTSTART, 0)});

  // Moved to a screen of 144 dots per inch: every font and row anew
  asker.TakeLongest();
  RECT suggested;
  GetWindowRect(penlet.Window().Handle(), &suggested);
  suggested.right = suggested.left + 750;
  const auto moved = Clock::now();
  SendMessageA(penlet.Window().Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
               reinterpret_cast<LPARAM>(&suggested));
  const double movedMs = MsSince(moved);
  const Timed after = Message(penlet, asker, WM_CHAR, 'x');
  const double movedSettledMs = Ms(WaitForWrap(penlet.Edit(), 300, 600000) - moved);
  std::printf(
      "    to 144 dpi: %.0f ms, rows settled after %.0f ms, question waited up to %.1f ms\n",
      movedMs, movedSettledMs, asker.TakeLongest());
  Report("letter after 144 dpi", {after});
  GetWindowRect(penlet.Window().Handle(), &suggested);
  SendMessageA(penlet.Window().Handle(), WM_DPICHANGED, MAKEWPARAM(96, 96),
               reinterpret_cast<LPARAM>(&suggested));
  penlet.Resize(designed);
  WaitForWrap(penlet.Edit(), 300, 600000);
  penlet.Form().FileNew1Execute();
  DeleteFileA(path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  std::vector<int> sizes = SizesInMb(argc, argv);
  if (sizes.empty()) sizes = {1, 10, 50};
  for (int size : sizes) {
    std::printf("%d MB\n", size);
    const size_t bytes = static_cast<size_t>(size) << 20;
    Measure(bytes, true, size >= 10 ? 2 : 5);
    Measure(bytes, false, 5);
  }
  return 0;
}
