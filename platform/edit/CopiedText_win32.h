// Text that the editing area put on the clipboard, handed to the clipboard only when a program
// asks for it. Copying a long selection then costs one copy of its bytes, and a paste in the
// same area takes them from here, without the round through the system's clipboard. The
// clipboard's owner is a window of a thread of its own: handing a long text to the system takes
// a while, and the editing area's window answers meanwhile.
#pragma once

#include <windows.h>

#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace penlet {

class CopiedText {
 public:
  CopiedText() = default;
  // The text still waiting for a program is put on the clipboard for good.
  ~CopiedText();
  CopiedText(const CopiedText&) = delete;
  CopiedText& operator=(const CopiedText&) = delete;

  // Empties the clipboard and offers `text` on it as CF_TEXT; false when the clipboard could
  // not be opened, or no room was left for the owner's thread.
  bool Put(std::string text);
  // When the editing area goes away: the text still waiting for a program goes on the clipboard
  // for good, and the owner's thread ends. A later Put starts it again.
  void EndOwner();
  // The text, while it is on the clipboard as it was put there; null otherwise. The text stays
  // whole for its holder when the clipboard lets it go.
  std::shared_ptr<const std::string> Held() const;

 private:
  static LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // Starts the owner's thread and its window, once; false when they could not be had.
  bool StartOwner();
  // On the owner's thread: the clipboard's messages, and the end.
  LRESULT OnOwnerMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // Puts the text on the open clipboard.
  void Render() const;

  mutable std::mutex mutex_;  // guards text_, which both threads reach
  std::shared_ptr<const std::string> text_;
  std::thread thread_;
  HWND owner_ = nullptr;  // the clipboard owner's window, on thread_
};

}  // namespace penlet
