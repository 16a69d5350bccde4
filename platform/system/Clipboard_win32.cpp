// The system clipboard behind the Clipboard interface.
#include "platform/system/Clipboard_win32.h"

#include <utility>

#include "platform/system/Win32Support_win32.h"

namespace penlet {
namespace {

constexpr char kListenerClass[] = "PenletClipboardListener";

}  // namespace

Win32Clipboard::~Win32Clipboard() {
  StopListening();
}

bool Win32Clipboard::Listen(std::function<void()> changed) {
  changed_ = std::move(changed);
  if (listener_) return true;
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass{};
  if (!GetClassInfoA(instance, kListenerClass, &windowClass)) {
    windowClass.lpfnWndProc = &Win32Clipboard::Procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kListenerClass;
    if (!RegisterClassA(&windowClass)) return false;
  }
  listener_ =
      CreateWindowExA(0, kListenerClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this);
  if (listener_ && !AddClipboardFormatListener(listener_)) {
    DestroyWindow(listener_);
    listener_ = nullptr;
  }
  known_ = false;
  return listener_ != nullptr;
}

void Win32Clipboard::StopListening() {
  if (listener_) DestroyWindow(listener_);
  listener_ = nullptr;
  known_ = false;
}

bool Win32Clipboard::HasText() const {
  if (known_) return hasText_;
  hasText_ = IsClipboardFormatAvailable(CF_TEXT) != FALSE;
  known_ = listener_ != nullptr;
  return hasText_;
}

LRESULT CALLBACK Win32Clipboard::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Win32Clipboard* clipboard = WindowObject<Win32Clipboard>(hwnd, message, lParam);
  if (clipboard && message == WM_CLIPBOARDUPDATE) {
    clipboard->known_ = false;
    if (clipboard->changed_) clipboard->changed_();
    return 0;
  }
  if (clipboard && message == WM_NCDESTROY) {
    clipboard->listener_ = nullptr;
    clipboard->known_ = false;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace penlet
