// A window's messages taken by an object of ours first.
#include "platform/system/WindowSubclass_win32.h"

#include "platform/system/Win32Support_win32.h"

namespace penlet {

WindowSubclass::WindowSubclass(HWND hwnd, Handler handler, void* owner)
    : hwnd_(hwnd), handler_(handler), owner_(owner) {
  SetWindowData(hwnd_, this);
  next_ = FromParam<WNDPROC>(
      SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, AsParam<LONG_PTR>(&WindowSubclass::Procedure)));
  installed_ = next_ != nullptr;
}

WindowSubclass::~WindowSubclass() {
  Remove();
}

void WindowSubclass::Remove() {
  if (!installed_ || !IsWindow(hwnd_)) return;
  // Only while no one has replaced the procedure after us: taking ours back from under a later
  // one would cut it off. Subclasses go in the reverse order of their coming.
  if (FromParam<WNDPROC>(GetWindowLongPtrW(hwnd_, GWLP_WNDPROC)) == &WindowSubclass::Procedure) {
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, AsParam<LONG_PTR>(next_));
    ClearWindowData(hwnd_);
    installed_ = false;
  }
}

LRESULT CALLBACK WindowSubclass::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowData<WindowSubclass*>(hwnd);
  if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
  const LRESULT result = self->handler_(self->owner_, hwnd, message, wParam, lParam);
  // The window's last message, which the handler has handed on: the window is as good as gone.
  if (message == WM_NCDESTROY) self->Remove();
  return result;
}

}  // namespace penlet
