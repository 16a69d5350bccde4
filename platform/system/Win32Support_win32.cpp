// The Win32 support layer: window classes, placing, modality, the modal loop and error texts.
#include "platform/system/Win32Support_win32.h"

#include <system_error>
#include <thread>

namespace penlet {

bool RegisterWindowClass(const WindowClass& windowClass) {
  const HINSTANCE module = GetModuleHandleA(nullptr);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExA(module, windowClass.name, &wc)) return true;
  wc = WNDCLASSEXA{};
  wc.cbSize = sizeof wc;
  wc.style = windowClass.style;
  wc.lpfnWndProc = windowClass.procedure;
  wc.hInstance = module;
  wc.hIcon = windowClass.icon;
  wc.hCursor = windowClass.cursor;
  wc.hbrBackground = windowClass.background;
  wc.lpszClassName = windowClass.name;
  return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HCURSOR ArrowCursor() {
  return LoadCursorA(nullptr, IDC_ARROW);
}

HBRUSH SystemColourBackground(int colourIndex) {
  return reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(colourIndex + 1));
}

void PlaceWindow(HWND window, HWND monitorOf, Placement placement) {
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (monitorOf) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromWindow(monitorOf, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    area = monitor.rcMonitor;
  }
  RECT rc;
  if (!GetWindowRect(window, &rc)) return;
  const PlacedPosition at =
      PlaceInArea(area.left, area.top, area.right - area.left, area.bottom - area.top,
                  rc.right - rc.left, rc.bottom - rc.top, placement);
  SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

ModalScope::ModalScope() : active_(GetActiveWindow()), focus_(GetFocus()) {
  // Disabling a window takes the focus from it: the focus is remembered first.
  EnumThreadWindows(GetCurrentThreadId(), &ModalScope::Collect, AsParam(&disabled_));
  for (HWND window : disabled_) EnableWindow(window, FALSE);
}

ModalScope::~ModalScope() {
  if (!restored_) Restore();
}

BOOL CALLBACK ModalScope::Collect(HWND window, LPARAM list) {
  if (IsWindowVisible(window) && IsWindowEnabled(window)) {
    FromParam<std::vector<HWND>*>(list)->push_back(window);
  }
  return TRUE;
}

void ModalScope::Restore() {
  restored_ = true;
  for (HWND window : disabled_) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  disabled_.clear();
  if (active_ && IsWindow(active_)) SetActiveWindow(active_);
  if (focus_ && IsWindow(focus_)) SetFocus(focus_);
}

void RunModalLoop(const std::function<bool()>& done, const MessageFilter& filter,
                  const IdleStep& idle) {
  while (!done()) {
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return;
      }
      if (!filter || !filter(msg)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
    } else {
      if (idle) idle();
      WaitMessage();
    }
  }
}

void AnswerHoldingInput() {
  // Sent messages are handled inside PeekMessage itself; paints come back to be dispatched.
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE)) {
    DispatchMessageA(&msg);
  }
}

bool RunAnswering(const std::function<bool()>& work) {
  bool result = false;
  DWORD error = 0;
  HANDLE finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (!finished) return work();
  std::thread worker;
  try {
    worker = std::thread([&] {
      result = work();
      error = GetLastError();
      SetEvent(finished);
    });
  } catch (const std::system_error&) {
    CloseHandle(finished);
    return work();
  }
  for (;;) {
    const DWORD woke =
        MsgWaitForMultipleObjects(1, &finished, FALSE, INFINITE, QS_SENDMESSAGE | QS_PAINT);
    if (woke != WAIT_OBJECT_0 + 1) break;
    AnswerHoldingInput();
  }
  worker.join();
  CloseHandle(finished);
  SetLastError(error);
  return result;
}

std::string SystemErrorText(DWORD code) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string description = length > 0 && text ? std::string(text, length) : std::string();
  if (text) LocalFree(text);
  return description;
}

}  // namespace penlet
