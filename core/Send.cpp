// The Send command.
#include "core/Send.h"

#include "core/Texts.h"
#include "output/Mail.h"

namespace penlet {

void SendCommand::Execute() {
  if (mail_.Send(MailBody(richEdit1_)) != kMapiSuccess) {
    boxes_.ShowMessageDialog(Ansi(texts::kMailSendError), MessageKind::Error, kButtonOk);
  }
}

}  // namespace penlet
