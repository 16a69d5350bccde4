// The keys of a program-drawn message box, taken before its focused button sees them.
#include "ui/MessageBoxKeys_win32.h"

#include <cctype>
#include <cstring>

#include "core/Error.h"
#include "core/Texts.h"
#include "platform/system/Locale.h"
#include "platform/system/Win32Support_win32.h"

namespace penlet::message_box {
namespace {

int FocusedButton(const BoxState& s) {
  HWND focus = GetFocus();
  for (size_t i = 0; i < s.buttons.size(); ++i) {
    if (s.buttons[i] == focus) return static_cast<int>(i);
  }
  return -1;
}

void MoveFocus(BoxState& s, int step) {
  const int n = static_cast<int>(s.buttons.size());
  if (n == 0) return;
  const int focused = FocusedButton(s);
  const int from = focused >= 0 ? focused : static_cast<int>(s.focus);
  const int next = (from + step % n + n) % n;
  SetFocus(s.buttons[next]);
  ShowFocus(s, next);
}

bool PressAccessLetter(BoxState& s, WPARAM ch) {
  // A double-byte character typed into the box comes as two bytes; its second byte may look
  // like a letter and must not press a button.
  if (s.trailByteNext) {
    s.trailByteNext = false;
    return false;
  }
  if (ch <= 0xFF && IsDBCSLeadByte(static_cast<BYTE>(ch))) {
    s.trailByteNext = true;
    return false;
  }
  if (ch > 0x7F) return false;
  const char letter = static_cast<char>(std::tolower(static_cast<int>(ch)));
  for (size_t i = 0; i < s.labels.size(); ++i) {
    const char access = AccessLetter(s.labels[i]);
    if (access != 0 && access == letter) {
      Press(s, s.row.buttons[i]);
      return true;
    }
  }
  return false;
}

void CopyContent(const BoxState& s) {
  MessageBeep(0);
  const std::string content = MessageBoxClipboardText(s.caption, s.text, s.labels);
  OpenedClipboard clipboard(s.box);
  if (!clipboard.IsOpen()) throw Error(Ansi(texts::kClipboardOpenError));
  EmptyClipboard();
  OwnedGlobal memory(GlobalAlloc(GMEM_MOVEABLE, content.size() + 1));
  if (!memory) return;
  {
    const LockedGlobal<char> bytes(memory.Get());
    if (!bytes.Get()) return;
    std::memcpy(bytes.Get(), content.c_str(), content.size() + 1);
  }
  // The clipboard owns the memory once it has taken it.
  if (SetClipboardData(CF_TEXT, memory.Get()) != nullptr) memory.Release();
}

}  // namespace

void Finish(BoxState& s, DialogResult result) {
  if (s.done) return;
  s.done = true;
  s.result = result;
}

void Press(BoxState& s, unsigned button) {
  if (button != 0) Finish(s, ResultOfButton(static_cast<MessageButton>(button)));
}

// The focused button looks like the default one, as in the system's dialogs.
void ShowFocus(BoxState& s, size_t index) {
  s.focus = index;
  for (size_t i = 0; i < s.buttons.size(); ++i) {
    SendMessageA(s.buttons[i], BM_SETSTYLE, i == index ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  }
}

bool HandleKey(BoxState& s, const MSG& msg) {
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  const bool ctrl = GetKeyState(VK_CONTROL) < 0;
  const bool alt = GetKeyState(VK_MENU) < 0;
  switch (msg.message) {
    case WM_KEYDOWN:
      switch (msg.wParam) {
        case VK_RETURN: {
          if (shift || ctrl || alt) return true;
          const int focused = FocusedButton(s);
          Press(s, focused >= 0 ? s.row.buttons[focused] : s.row.defaultButton);
          return true;
        }
        case VK_ESCAPE:
          if (!shift && !ctrl && !alt) Press(s, s.row.cancelButton);
          return true;
        case VK_TAB:
          MoveFocus(s, shift ? -1 : 1);
          return true;
        case VK_RIGHT:
        case VK_DOWN:
          MoveFocus(s, 1);
          return true;
        case VK_LEFT:
        case VK_UP:
          MoveFocus(s, -1);
          return true;
        case 'C':
          if (ctrl && !shift && !alt) {
            CopyContent(s);
            return true;
          }
          return false;
      }
      return false;
    case WM_CHAR:
    case WM_SYSCHAR:
      return PressAccessLetter(s, msg.wParam);
  }
  return false;
}

}  // namespace penlet::message_box
