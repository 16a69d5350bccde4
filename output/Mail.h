// The e-mail body: what the Send command hands to the mail client.
#pragma once

#include <string>

#include "platform/edit/EditArea.h"

namespace penlet {

// The line text of the editing area: every display line followed by CR LF, an empty last
// line left out; "" for an empty document. A NUL byte becomes a space.
std::string MailBody(const EditArea& edit);

}  // namespace penlet
