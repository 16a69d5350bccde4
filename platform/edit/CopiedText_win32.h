// Text that the editing area put on the clipboard, handed to the clipboard only when a program
// asks for it. Copying a long selection then costs one copy of its bytes, and a paste in the
// same area takes them from here, without the round through the system's clipboard.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

namespace penlet {

class CopiedText {
 public:
  // Empties the clipboard and offers `text` on it as CF_TEXT, with `owner` as the clipboard's
  // owner; false when the clipboard could not be opened.
  bool Put(HWND owner, std::string_view text);
  // The owner's clipboard messages: the text rendered when asked for (or when the owner goes
  // away), and let go when the clipboard is emptied. True for a message handled here.
  bool HandleMessage(HWND owner, UINT message, WPARAM wParam);
  // The text, while it is on the clipboard as `owner` put it; null otherwise. The text stays
  // whole for its holder when the clipboard lets it go.
  std::shared_ptr<const std::string> Held(HWND owner) const;

 private:
  // Puts the text on the open clipboard.
  void Render() const;

  std::shared_ptr<const std::string> text_;
};

}  // namespace penlet
