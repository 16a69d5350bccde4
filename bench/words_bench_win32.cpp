// The word keys, the double-click and other programs' questions in the real main window, on
// Shift-JIS documents of ordinary paragraphs and of one long paragraph: the first question right
// after opening (which lays the whole text out), later ones, and Ctrl+Right, Ctrl+Left,
// Ctrl+Backspace and a double-click in the middle just after a keystroke there. Sizes in MB on
// the command line; 1, 10 and 50 when none are.
#include "bench/Bench_win32.h"

namespace {

using namespace bench;

void HoldCtrl(bool down) {
  BYTE state[256];
  GetKeyboardState(state);
  state[VK_CONTROL] = down ? 0x80 : 0;
  SetKeyboardState(state);
}

// Median time of `count` presses of `key`, with Ctrl or without, in ms.
double Press(HWND edit, WPARAM key, int count, bool ctrl = true) {
  std::vector<double> times;
  HoldCtrl(ctrl);
  for (int i = 0; i < count; ++i) {
    const auto start = Clock::now();
    SendMessageA(edit, WM_KEYDOWN, key, 1);
    times.push_back(MsSince(start));
  }
  HoldCtrl(false);
  return Median(times);
}

void Run(const std::string& text, const char* label) {
  const std::string path = WriteDocument(text, "penlet_words_bench.txt");
  Penlet penlet;
  penlet.Form().OpenDocument(path);
  DeleteFileA(path.c_str());
  PumpUntilPainted(penlet.Edit());
  const HWND edit = penlet.Edit();
  auto start = Clock::now();
  const LRESULT lines = SendMessageA(edit, EM_GETLINECOUNT, 0, 0);
  const double first = MsSince(start);
  const auto middle = static_cast<WPARAM>(text.size() / 2);
  start = Clock::now();
  const LRESULT line = SendMessageA(edit, EM_LINEFROMCHAR, middle, 0);
  const double later = MsSince(start);
  start = Clock::now();
  char buffer[4096] = {};
  *reinterpret_cast<WORD*>(buffer) = sizeof buffer - 1;
  SendMessageA(edit, EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(buffer));
  const double getLine = MsSince(start);
  std::printf(
      "%s (%zu bytes): first EM_GETLINECOUNT %.1f ms (%ld lines), then EM_LINEFROMCHAR %.2f ms,"
      " EM_GETLINE %.2f ms\n",
      label, text.size(), first, static_cast<long>(lines), later, getLine);

  // The caret in the middle, a keystroke there: the component's gap stands in the paragraph.
  SendMessageW(edit, SCI_GOTOPOS, SendMessageW(edit, SCI_POSITIONRELATIVE, middle, 0), 0);
  SendMessageA(edit, WM_CHAR, 'x', 1);
  const double right = Press(edit, VK_RIGHT, 50);
  const double left = Press(edit, VK_LEFT, 50);
  SendMessageA(edit, WM_CHAR, 'x', 1);
  const double back = Press(edit, VK_BACK, 5);
  // A plain Backspace beside it: what any edit costs in that paragraph.
  const double plain = Press(edit, VK_BACK, 5, false);
  const auto caret = SendMessageW(edit, SCI_GETCURRENTPOS, 0, 0);
  const auto x = static_cast<int>(SendMessageW(edit, SCI_POINTXFROMPOSITION, 0, caret));
  const auto y = static_cast<int>(SendMessageW(edit, SCI_POINTYFROMPOSITION, 0, caret));
  start = Clock::now();
  for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP}) {
    SendMessageA(edit, m, m == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(x + 2, y + 4));
  }
  const double click = MsSince(start);
  std::printf(
      "  in the middle after a keystroke: Ctrl+Right %.2f ms, Ctrl+Left %.2f ms, Ctrl+Backspace"
      " %.2f ms, Backspace %.2f ms (medians), a double-click %.2f ms\n",
      right, left, back, plain, click);
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  for (int mb : SizesInMb(argc, argv)) {
    const std::string text = MakeDocument(static_cast<size_t>(mb) << 20);
    Run(text, (std::to_string(mb) + " MB of paragraphs").c_str());
    std::string one;
    one.reserve(text.size());
    for (char c : text) {
      if (c != '\r' && c != '\n') one += c;
    }
    Run(one, (std::to_string(mb) + " MB in one paragraph").c_str());
  }
  return 0;
}
