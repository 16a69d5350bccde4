// The editing area's copied text on the clipboard, rendered on a thread of its own when it is
// asked for.
#include "platform/edit/CopiedText_win32.h"

#include <cstring>
#include <future>
#include <new>
#include <system_error>

#include "platform/system/Win32Support_win32.h"

namespace penlet {
namespace {

constexpr wchar_t kOwnerClass[] = L"PenletCopiedText";
// Sent to the owner's window when the text is to be put on the clipboard for good.
constexpr UINT kEndMessage = WM_APP + 0x61;

// The clipboard may be held for a moment by another program.
bool OpenClipboardSoon(HWND owner) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(attempt * 5);
  }
  return false;
}

}  // namespace

CopiedText::~CopiedText() {
  EndOwner();
}

bool CopiedText::StartOwner() {
  if (owner_) return true;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = OwnerProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kOwnerClass;
  RegisterClassExW(&windowClass);  // fails harmlessly when a first copy registered it
  std::promise<HWND> made;
  std::future<HWND> window = made.get_future();
  try {
    thread_ = std::thread([this, &made] {
      HWND hwnd = CreateWindowExW(0, kOwnerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), this);
      made.set_value(hwnd);
      if (!hwnd) return;
      MSG msg;
      while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    });
  } catch (const std::system_error&) {
    return false;
  }
  owner_ = window.get();
  if (!owner_) thread_.join();
  return owner_ != nullptr;
}

LRESULT CALLBACK CopiedText::OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowData(hwnd, FromParam<CREATESTRUCTW*>(lParam)->lpCreateParams);
  }
  if (auto* self = WindowData<CopiedText*>(hwnd)) {
    return self->OnOwnerMessage(hwnd, message, wParam, lParam);
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CopiedText::OnOwnerMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_RENDERFORMAT:
      // The clipboard is open for the program that asked.
      if (wParam == CF_TEXT) Render();
      return 0;
    case WM_RENDERALLFORMATS:
    case kEndMessage:
      // The text stays on the clipboard when this goes.
      if (OpenClipboard(hwnd)) {
        if (GetClipboardOwner() == hwnd) Render();
        CloseClipboard();
      }
      {
        std::lock_guard<std::mutex> lock(mutex_);
        text_.reset();
      }
      if (message == kEndMessage) {
        ClearWindowData(hwnd);
        DestroyWindow(hwnd);
        PostQuitMessage(0);
      }
      return 0;
    case WM_DESTROYCLIPBOARD: {
      std::lock_guard<std::mutex> lock(mutex_);
      text_.reset();
      return 0;
    }
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool CopiedText::Put(std::string text) {
  std::shared_ptr<const std::string> copy;
  try {
    copy = std::make_shared<const std::string>(std::move(text));
  } catch (const std::bad_alloc&) {
    return false;  // no room for the copy: the clipboard stays as it was
  }
  if (!StartOwner() || !OpenClipboardSoon(owner_)) return false;
  // Emptying tells the clipboard's last owner, this one perhaps, to let its text go; the owner
  // is then the window that opened it.
  EmptyClipboard();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    text_ = std::move(copy);
  }
  SetClipboardData(CF_TEXT, nullptr);
  CloseClipboard();
  return true;
}

std::shared_ptr<const std::string> CopiedText::Held() const {
  if (!owner_ || GetClipboardOwner() != owner_) return nullptr;
  std::lock_guard<std::mutex> lock(mutex_);
  return text_;
}

void CopiedText::Render() const {
  std::shared_ptr<const std::string> text;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    text = text_;
  }
  if (!text) return;
  // A text too long for the memory left is not rendered: the paste finds no text.
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text->size() + 1);
  if (!memory) return;
  if (void* bytes = GlobalLock(memory)) {
    std::memcpy(bytes, text->c_str(), text->size() + 1);
    GlobalUnlock(memory);
    if (SetClipboardData(CF_TEXT, memory)) return;
  }
  GlobalFree(memory);
}

void CopiedText::EndOwner() {
  if (!owner_) return;
  SendMessageW(owner_, kEndMessage, 0, 0);
  thread_.join();
  owner_ = nullptr;
}

}  // namespace penlet
