// The system clipboard behind the Clipboard interface.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/system/Clipboard.h"

namespace penlet {

class Win32Clipboard : public Clipboard {
 public:
  Win32Clipboard() = default;
  ~Win32Clipboard() override;
  Win32Clipboard(const Win32Clipboard&) = delete;
  Win32Clipboard& operator=(const Win32Clipboard&) = delete;

  // From here on `changed` runs whenever the clipboard's contents change, this program's own
  // copies included, and HasText keeps its answer until then: the Paste button is refreshed at
  // every keystroke, and under Wine each question is a call to the window server. False when
  // the system gives no window to hear the changes on; HasText then asks every time.
  bool Listen(std::function<void()> changed);
  // No change is heard any more, and HasText asks every time again.
  void StopListening();
  bool HasText() const override;

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  HWND listener_ = nullptr;  // a message-only window of ours, told of each change
  std::function<void()> changed_;
  mutable bool known_ = false;  // whether hasText_ is the clipboard's present answer
  mutable bool hasText_ = false;
};

}  // namespace penlet
