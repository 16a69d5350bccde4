// The system clipboard behind the Clipboard interface.
#include "platform/system/Clipboard_win32.h"

#include <windows.h>

namespace penlet {

bool Win32Clipboard::HasText() const {
  return IsClipboardFormatAvailable(CF_TEXT) != FALSE;
}

}  // namespace penlet
