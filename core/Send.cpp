// The Send command.
#include "core/Send.h"

#include <optional>
#include <string>
#include <utility>

#include "core/Texts.h"
#include "output/Mail.h"

namespace penlet {

void SendCommand::Execute() {
  // The body is the document's lines as they were at the command: a change that comes while the
  // window answers begins it again.
  std::optional<std::string> body;
  while (!body) {
    const unsigned seen = changes_;
    body = MailBody(richEdit1_, [this, seen] {
      mail_.KeepAnsweringHoldingInput();
      return changes_ == seen;
    });
  }
  if (mail_.Send(std::move(*body)) != kMapiSuccess) {
    boxes_.ShowMessageDialog(Ansi(texts::kMailSendError), MessageKind::Error, kButtonOk);
  }
}

}  // namespace penlet
