// The program's thin layer over Win32, shared by every window and dialog: owners of the window
// system's handles, window classes, placing windows, modality and the modal message loop, the
// system's error texts, and typed message parameters.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/system/Placement.h"

namespace penlet {

// ---- Owners of handles ----

// One handle of a kind, given back with `Free` when the owner goes or takes another. `None`
// gives the value that holds nothing; without it, null.
template <typename H, void (*Free)(H), H (*None)() = nullptr>
class Owned {
 public:
  Owned() = default;
  explicit Owned(H handle) : handle_(handle) {}
  ~Owned() { Reset(); }
  Owned(Owned&& other) noexcept : handle_(other.Release()) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;

  static H Empty() {
    if constexpr (None == nullptr) {
      return nullptr;
    } else {
      return None();
    }
  }
  H Get() const { return handle_; }
  explicit operator bool() const { return handle_ != Empty(); }
  // Hands the handle over without freeing it.
  H Release() { return std::exchange(handle_, Empty()); }
  // Frees the handle held, if any, and holds `handle`.
  void Reset(H handle = Empty()) {
    if (handle_ != Empty()) Free(handle_);
    handle_ = handle;
  }

 private:
  H handle_ = Empty();
};

// How each kind is given back.
template <typename H>
void FreeGdiObject(H object) {
  DeleteObject(object);
}
inline void FreeMenu(HMENU menu) {
  DestroyMenu(menu);
}
inline void FreeImageList(HIMAGELIST list) {
  ImageList_Destroy(list);
}
inline void FreeWindow(HWND window) {
  // Its owner or parent may have taken it with it already.
  if (IsWindow(window)) DestroyWindow(window);
}
inline void FreeKernelHandle(HANDLE handle) {
  CloseHandle(handle);
}
inline void FreeFileSearch(HANDLE search) {
  FindClose(search);
}
inline void FreeGlobal(HGLOBAL memory) {
  GlobalFree(memory);
}
inline void FreeLibraryModule(HMODULE module) {
  FreeLibrary(module);
}
inline void FreeRegistryKey(HKEY key) {
  RegCloseKey(key);
}
inline HANDLE InvalidHandle() {
  return INVALID_HANDLE_VALUE;
}

template <typename H>
using OwnedGdiObject = Owned<H, &FreeGdiObject<H>>;
using OwnedFont = OwnedGdiObject<HFONT>;
using OwnedBitmap = OwnedGdiObject<HBITMAP>;
using OwnedBrush = OwnedGdiObject<HBRUSH>;
using OwnedMenu = Owned<HMENU, &FreeMenu>;
using OwnedImageList = Owned<HIMAGELIST, &FreeImageList>;
using OwnedWindow = Owned<HWND, &FreeWindow>;
// Kernel objects that are null when missing (events, threads, processes).
using OwnedHandle = Owned<HANDLE, &FreeKernelHandle>;
// Files, which are INVALID_HANDLE_VALUE when missing.
using OwnedFile = Owned<HANDLE, &FreeKernelHandle, &InvalidHandle>;
using OwnedFileSearch = Owned<HANDLE, &FreeFileSearch, &InvalidHandle>;
using OwnedGlobal = Owned<HGLOBAL, &FreeGlobal>;
using OwnedLibrary = Owned<HMODULE, &FreeLibraryModule>;
using OwnedRegistryKey = Owned<HKEY, &FreeRegistryKey>;

// ---- Scopes of paired calls ----

// The memory of a global block as a `T`, locked while this lives; null when it could not be.
template <typename T>
class LockedGlobal {
 public:
  explicit LockedGlobal(HGLOBAL memory)
      : memory_(memory), data_(static_cast<T*>(GlobalLock(memory))) {}
  ~LockedGlobal() {
    if (data_) GlobalUnlock(memory_);
  }
  LockedGlobal(const LockedGlobal&) = delete;
  LockedGlobal& operator=(const LockedGlobal&) = delete;
  T* Get() const { return data_; }

 private:
  HGLOBAL memory_;
  T* data_;
};

// The clipboard, open for `owner` while this lives, if it could be opened.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ~OpenedClipboard() {
    if (open_) CloseClipboard();
  }
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

// The device context of a window (null: the screen) with `font` selected into it, both given
// back when this goes.
class WindowDc {
 public:
  WindowDc(HWND window, HFONT font)
      : window_(window), dc_(GetDC(window)), old_(SelectObject(dc_, font)) {}
  ~WindowDc() {
    SelectObject(dc_, old_);
    ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
  HGDIOBJ old_;
};

// ---- Window classes ----

struct WindowClass {
  const char* name = nullptr;
  WNDPROC procedure = DefWindowProcA;
  UINT style = 0;
  HICON icon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
};

// Registers a class of this module the first time it is asked for; later calls, and a class
// already registered, change nothing. False when the system refused it.
bool RegisterWindowClass(const WindowClass& windowClass);

// The standard arrow pointer, for a class's cursor.
HCURSOR ArrowCursor();
// A system colour (COLOR_BTNFACE...) as the background of a class.
HBRUSH SystemColourBackground(int colourIndex);

// ---- Placing windows ----

// Moves `window`, keeping its size, z-order and activation, to its place by `placement` within
// the monitor of `monitorOf`, or within the screen (GetSystemMetrics' SM_CXSCREEN and
// SM_CYSCREEN from 0, 0) when `monitorOf` is null.
void PlaceWindow(HWND window, HWND monitorOf, Placement placement);

// ---- Modality ----

// While an object lives, the thread's enabled visible top-level windows are disabled. It first
// remembers the active window and the focus, and gives them back when it restores.
class ModalScope {
 public:
  ModalScope();
  // Restores unless already done.
  ~ModalScope();
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

  // The window that was active when the scope began; null when none was.
  HWND Active() const { return active_; }
  // Enables the windows again, then activates and focuses what was active and focused. Later
  // calls only activate and focus again.
  void Restore();

 private:
  static BOOL CALLBACK Collect(HWND window, LPARAM list);

  HWND active_;
  HWND focus_;
  std::vector<HWND> disabled_;
  bool restored_ = false;
};

// ---- Message loops ----

// The program's idle step, run by every loop of the program whenever its queue has run empty.
using IdleStep = std::function<void()>;
// Takes a message before it is translated and dispatched; true when it was used up.
using MessageFilter = std::function<bool(MSG& message)>;

// The loop of a modal box: handles the thread's messages until `done()` is true, offering each
// to `filter` first, and runs `idle` (when given) whenever the queue has run empty, as the main
// loop does. WM_QUIT ends it and is posted again, so that the outer loop ends too.
void RunModalLoop(const std::function<bool()>& done, const MessageFilter& filter,
                  const IdleStep& idle);

// In the middle of a long piece of work: the windows repaint and answer what is sent to them
// (other programs asking), while keyboard, mouse and posted messages wait in the queue for the
// work to end, so that nothing the user does can start inside it.
void AnswerHoldingInput();

// Runs `work` on a thread of its own while this thread's windows repaint and answer what is sent
// to them, input waiting (AnswerHoldingInput); returns what `work` returned, with its last error.
// For one call into the system that may take long and calls nothing back, such as a flush of
// hundreds of megabytes to the disk.
bool RunAnswering(const std::function<bool()>& work);

// Paces AnswerHoldingInput through a long piece of work: Due answers when 30 ms have passed
// since the last answer, Now at once. A question then waits for the pace and one step of the
// work: steps of some tens of milliseconds keep it under a tenth of a second.
class Answering {
 public:
  Answering() : answered_(GetTickCount()) {}
  void Due() {
    if (GetTickCount() - answered_ >= 30) Now();
  }
  void Now() {
    AnswerHoldingInput();
    answered_ = GetTickCount();
  }

 private:
  DWORD answered_;
};

// A function of a system library that only a command needs, loaded on its first call: loaded
// with the program, the common dialogs and the print spooler would lengthen every start. Null
// when the library or the function is missing.
template <typename F>
F* LibraryFunction(const char* library, const char* name) {
  const HMODULE module = LoadLibraryA(library);  // kept for the rest of the run
  return module ? reinterpret_cast<F*>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}

// ---- The system's texts ----

// The system's description of an error code, as FormatMessage gives it (with its line break);
// empty when the system has none.
std::string SystemErrorText(DWORD code);

// ---- Typed message parameters ----

// A pointer or handle carried in a message's WPARAM, LPARAM or result, a hook's custom data
// or a subclass's reference data, and back again.
template <typename Word = LPARAM, typename T>
Word AsParam(T pointer) {
  static_assert(std::is_pointer_v<T>, "only pointers and handles travel in parameters");
  return reinterpret_cast<Word>(pointer);
}
template <typename T, typename Word>
T FromParam(Word word) {
  static_assert(std::is_pointer_v<T>, "only pointers and handles travel in parameters");
  return reinterpret_cast<T>(word);
}

// The pointer `P` kept in a window's GWLP_USERDATA.
template <typename P>
P WindowData(HWND window) {
  return FromParam<P>(GetWindowLongPtrA(window, GWLP_USERDATA));
}
template <typename P>
void SetWindowData(HWND window, P data) {
  SetWindowLongPtrA(window, GWLP_USERDATA, AsParam<LONG_PTR>(data));
}
inline void ClearWindowData(HWND window) {
  SetWindowLongPtrA(window, GWLP_USERDATA, 0);
}

// The object of a window procedure: the creation parameter, kept in GWLP_USERDATA from
// WM_NCCREATE on. Null before it, and once the data is cleared.
template <typename T>
T* WindowObject(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowData(window, FromParam<const CREATESTRUCTA*>(lParam)->lpCreateParams);
  }
  return WindowData<T*>(window);
}

// A control's notification as the larger record that begins with its NMHDR.
template <typename T>
const T& NotificationAs(const NMHDR& header) {
  return *reinterpret_cast<const T*>(&header);
}

// A child window's identifier, where CreateWindowEx takes a menu.
inline HMENU ControlId(int id) {
  return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

// `rect` taken from the client coordinates of `from` to those of `to` (null: the screen).
inline RECT MapRect(HWND from, HWND to, RECT rect) {
  MapWindowPoints(from, to, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// A function of a loaded library as the type it has; null when the library lacks it.
template <typename F>
F LibraryFunction(HMODULE module, const char* name) {
  static_assert(std::is_pointer_v<F>, "a pointer to a function");
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace penlet
