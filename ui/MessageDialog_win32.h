// The message boxes on Win32: the program-drawn confirmation, error and plain boxes, and the
// exception box that reports an error no handler caught.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/system/Mbcs.h"
#include "platform/system/Win32Support_win32.h"
#include "core/MessageBoxes.h"
#include "ui/MessageDialogLayout.h"

namespace penlet {

// Window class of the program-drawn boxes; FindWindowA(kMessageBoxClassName, nullptr) finds
// the one that is shown. Its text is a "Static" child, its buttons "Button" children whose
// control identifiers are the DialogResult values.
inline constexpr char kMessageBoxClassName[] = "PenletMessageBox";

class Win32MessageBoxes : public MessageBoxes {
 public:
  // Receives the message of an error raised while a box is shown (Ctrl+C with the clipboard
  // unavailable); the box stays open. Without one the error goes to ShowExceptionBox.
  using ErrorReporter = std::function<void(const std::string& cp932Message)>;

  // `appWindow` is the hidden application window, which owns every box. A box's loop runs
  // `idle` whenever its queue has run empty, as the program's main loop does.
  Win32MessageBoxes(HWND appWindow, IdleStep idle, ErrorReporter reportError = {});

  DialogResult ShowMessageDialog(const std::string& text, MessageKind kind,
                                 unsigned buttons) override;
  void ShowPlainMessage(const std::string& text) override;

 private:
  // What the layout needs to know of the text, the labels and the font.
  MessageLayoutInput Measure(const std::string& text, const std::vector<std::string>& labels,
                             bool hasIcon, HFONT font, int dpi);
  int LabelWidth(HDC dc, const std::string& label, int dpi);
  void ReportError(const std::string& cp932Message);

  HWND appWindow_;
  IdleStep idle_;
  ErrorReporter reportError_;
  // Measured once per run and screen density: the label behind the density's digits.
  std::map<std::string, int> labelWidths_;
};

// The system's message box with the stop icon, caption "Penlet" and OK, owned by `appWindow`,
// showing `message` with a full stop added as WithFullStop does. Every other window of the
// program is disabled while it is shown; activation and focus come back afterwards.
void ShowExceptionBox(HWND appWindow, const std::string& message, const LeadByteSet& leadBytes);

}  // namespace penlet
