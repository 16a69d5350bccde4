// A window's messages taken by an object of ours first, the window's own procedure handling what
// the object hands on.
#pragma once

#include <windows.h>

namespace penlet {

// Replaces the window's procedure and keeps this object in the window's GWLP_USERDATA. Unlike
// SetWindowSubclass, which looks its chain up in a window property on every message (under
// Wine a round trip to the window server each time, three per message), finding the object
// costs nothing: a keystroke sends several messages to the editing area and the counter.
// The window's procedure is a Unicode one from here on, as after SetWindowSubclass.
class WindowSubclass {
 public:
  using Handler = LRESULT (*)(void* owner, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  // Sends `hwnd`'s messages to `handler` with `owner` until this object goes or the window is
  // destroyed. `hwnd`'s GWLP_USERDATA must be free.
  WindowSubclass(HWND hwnd, Handler handler, void* owner);
  ~WindowSubclass();
  WindowSubclass(const WindowSubclass&) = delete;
  WindowSubclass& operator=(const WindowSubclass&) = delete;

  // The window's own procedure, for the messages the handler hands on; also after Remove.
  LRESULT CallNext(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) const {
    return CallWindowProcW(next_, hwnd, message, wParam, lParam);
  }
  // Gives the window its own procedure back: the handler hears no more messages.
  void Remove();

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_;
  Handler handler_;
  void* owner_;
  WNDPROC next_ = nullptr;
  bool installed_ = false;
};

}  // namespace penlet
