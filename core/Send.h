// The Send command: the document's line text as the body of a new e-mail message.
#pragma once

#include "core/MessageBoxes.h"
#include "platform/edit/EditArea.h"
#include "platform/system/Mail.h"

namespace penlet {

class SendCommand {
 public:
  SendCommand(const EditArea& richEdit1, MailSystem& mail, MessageBoxes& boxes)
      : richEdit1_(richEdit1), mail_(mail), boxes_(boxes) {}

  void Execute();

 private:
  const EditArea& richEdit1_;
  MailSystem& mail_;
  MessageBoxes& boxes_;
};

}  // namespace penlet
