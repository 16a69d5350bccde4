// The Simple MAPI binding's decisions, apart from the system calls that feed them.
#include "platform/system/Mail.h"

#include <utility>

namespace penlet {

bool SimpleMapiRegistered(MapiRegistry& registry) {
  unsigned major = 0, minor = 0;
  registry.Version(major, minor);
  if (major > 3 || (major == 3 && minor > 51)) {
    char value[9] = {};
    if (!registry.MessagingValue(value)) return false;
    return value[0] == '1' && value[1] == '\0';
  }
  return registry.ProfileMapi() != 0;
}

std::uint32_t SimpleMapiMail::Send(std::string body) {
  if (!checked_) {
    checked_ = true;
    loaded_ = SimpleMapiRegistered(registry_) && library_.Load();
  }
  if (!found_ && loaded_) found_ = library_.FindSendMail();
  if (!found_) return kMapiUserAbort;
  return library_.CallSendMail(std::move(body));
}

}  // namespace penlet
