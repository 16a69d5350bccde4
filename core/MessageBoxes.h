// The program's message boxes: the confirmation box (Yes, No, Cancel), the error box and the
// plain message box (OK), all drawn by the program and modal over its windows.
#pragma once

#include <string>

namespace penlet {

enum class MessageKind { Confirmation, Error, Plain };

// Buttons of a box, as a set; they always stand in the order Yes, No, OK, Cancel.
enum MessageButton : unsigned {
  kButtonYes = 1u << 0,
  kButtonNo = 1u << 1,
  kButtonOk = 1u << 2,
  kButtonCancel = 1u << 3,
};

// The platform's dialog command identifiers.
enum class DialogResult { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // `text` is code page 932 bytes. Returns the button chosen, Cancel when the box was closed.
  virtual DialogResult ShowMessageDialog(const std::string& text, MessageKind kind,
                                         unsigned buttons) = 0;
  // The plain box: no icon, the application title as caption, OK.
  virtual void ShowPlainMessage(const std::string& text) = 0;
};

}  // namespace penlet
