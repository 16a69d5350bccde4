// The editing area's copied text on the clipboard, rendered when it is asked for.
#include "platform/edit/CopiedText_win32.h"

#include <cstring>
#include <new>

namespace penlet {
namespace {

// The clipboard may be held for a moment by another program.
bool OpenClipboardSoon(HWND owner) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(attempt * 5);
  }
  return false;
}

}  // namespace

bool CopiedText::Put(HWND owner, std::string_view text) {
  std::shared_ptr<const std::string> copy;
  try {
    copy = std::make_shared<const std::string>(text);
  } catch (const std::bad_alloc&) {
    return false;  // no room for the copy: the clipboard stays as it was
  }
  if (!OpenClipboardSoon(owner)) return false;
  // Emptying tells the clipboard's last owner, this one perhaps, to let its text go.
  EmptyClipboard();
  text_ = std::move(copy);
  SetClipboardData(CF_TEXT, nullptr);
  CloseClipboard();
  return true;
}

bool CopiedText::HandleMessage(HWND owner, UINT message, WPARAM wParam) {
  switch (message) {
    case WM_RENDERFORMAT:
      // The clipboard is open for the program that asked.
      if (text_ && wParam == CF_TEXT) Render();
      return true;
    case WM_RENDERALLFORMATS:
      // The owner goes away: the text stays on the clipboard.
      if (text_ && OpenClipboard(owner)) {
        if (GetClipboardOwner() == owner) Render();
        CloseClipboard();
      }
      text_.reset();
      return true;
    case WM_DESTROYCLIPBOARD:
      text_.reset();
      return true;
  }
  return false;
}

std::shared_ptr<const std::string> CopiedText::Held(HWND owner) const {
  return GetClipboardOwner() == owner ? text_ : nullptr;
}

void CopiedText::Render() const {
  // A text too long for the memory left is not rendered: the paste finds no text.
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text_->size() + 1);
  if (!memory) return;
  if (void* bytes = GlobalLock(memory)) {
    std::memcpy(bytes, text_->c_str(), text_->size() + 1);
    GlobalUnlock(memory);
    if (SetClipboardData(CF_TEXT, memory)) return;
  }
  GlobalFree(memory);
}

}  // namespace penlet
