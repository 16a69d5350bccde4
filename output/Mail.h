// The e-mail body: what the Send command hands to the mail client.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/edit/EditArea.h"

namespace penlet {

// The line text of the editing area: every display line followed by CR LF, an empty last
// line left out; "" for an empty document. A NUL byte becomes a space.
std::string MailBody(const EditArea& edit);

// The same in steps: the lines the background layout has not reached yet are laid out first, and
// `between` is called every few hundred lines; it lets the window answer and says whether the
// lines are still those the body began with. Nothing when they are not.
std::optional<std::string> MailBody(const EditArea& edit, const std::function<bool()>& between);

}  // namespace penlet
