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

  // The window answers while the body is built, input waiting meanwhile.
  void Execute();
  // The editing area's lines changed (an edit from another program, or a layout at a new
  // width): a body under way begins again.
  void LinesChanged() { ++changes_; }

 private:
  const EditArea& richEdit1_;
  MailSystem& mail_;
  MessageBoxes& boxes_;
  unsigned changes_ = 0;
};

}  // namespace penlet
