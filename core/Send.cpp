// The Send command: the document's line text as the body of a new e-mail message.
#include "core/PenletForm.h"
#include "output/Mail.h"
#include "ui/Texts.h"

namespace penlet {

void TPenletForm::FileSend1Execute() {
  const std::string body = MailBody(parts_.richEdit1);
  const std::uint32_t result = parts_.mail ? parts_.mail->Send(body) : kMapiUserAbort;
  if (result != kMapiSuccess) {
    parts_.boxes.ShowMessageDialog(Ansi(texts::kMailSendError), MessageKind::Error, kButtonOk);
  }
}

}  // namespace penlet
