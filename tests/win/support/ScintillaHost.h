// The editing area on the real component in a window of the test's own, for the tests of the
// area's window.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "platform/edit/ScintillaEdit_win32.h"
#include "tests/win/support/WinTest.h"

namespace penlet {

// A top-level window holding the area and passing its notifications on, as the main window does.
class ScintillaHost {
 public:
  ScintillaHost() {
    static const bool registered = [] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = ParentProc;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.lpszClassName = "EditAreaTestParent";
      return RegisterClassA(&wc) != 0;
    }();
    (void)registered;
    parent_ = CreateWindowA("EditAreaTestParent", "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
    edit_ = std::make_unique<ScintillaEdit>(parent_, 1, WS_CHILD | WS_VISIBLE, WS_EX_CLIENTEDGE);
    MoveWindow(edit_->Handle(), 0, 0, 380, 260, FALSE);
    ShowWindow(parent_, SW_SHOWNOACTIVATE);
    ::SetFocus(edit_->Handle());
    current = edit_.get();
  }
  ~ScintillaHost() {
    current = nullptr;
    edit_.reset();
    DestroyWindow(parent_);
  }

  ScintillaEdit& Edit() { return *edit_; }
  HWND Handle() const { return edit_->Handle(); }

  // Each character as the system delivers a typed one to a Unicode window; Enter as its key.
  void Type(const std::string& bytes) {
    for (size_t p = 0; p < bytes.size();) {
      if (bytes.compare(p, 2, "\r\n") == 0) {
        SendMessageW(Handle(), WM_KEYDOWN, VK_RETURN, 1);
        SendMessageW(Handle(), WM_CHAR, L'\r', 1);
        SendMessageW(Handle(), WM_KEYUP, VK_RETURN, 0xC0000001);
        p += 2;
        continue;
      }
      const size_t n = IsDBCSLeadByte(static_cast<BYTE>(bytes[p])) ? 2 : 1;
      wchar_t unit = 0;
      MultiByteToWideChar(CP_ACP, 0, bytes.data() + p, static_cast<int>(n), &unit, 1);
      SendMessageW(Handle(), WM_CHAR, unit, 1);
      p += n;
    }
  }
  void SetClipboard(const std::string& bytes) { wintest::SetClipboardText(bytes); }
  std::string Clipboard() { return wintest::ClipboardText(); }
  void Narrow() { MoveWindow(Handle(), 0, 0, 160, 260, TRUE); }

 private:
  static LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (current) {
      if (msg == WM_COMMAND && current->HandleCommand(wParam, lParam)) return 0;
      if (msg == WM_NOTIFY && current->HandleNotify(*reinterpret_cast<NMHDR*>(lParam))) return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }

  static inline ScintillaEdit* current = nullptr;
  HWND parent_ = nullptr;
  std::unique_ptr<ScintillaEdit> edit_;
};

// Holds the given keys down (VK_SHIFT, VK_CONTROL, VK_MENU) for the thread while it lives.
class HeldKeys {
 public:
  HeldKeys(std::initializer_list<int> keys) {
    BYTE state[256];
    GetKeyboardState(state);
    for (int key : keys) state[key] = 0x80;
    SetKeyboardState(state);
  }
  ~HeldKeys() {
    BYTE state[256];
    GetKeyboardState(state);
    for (int key : {VK_SHIFT, VK_CONTROL, VK_MENU}) state[key] = 0;
    SetKeyboardState(state);
  }
};

}  // namespace penlet
