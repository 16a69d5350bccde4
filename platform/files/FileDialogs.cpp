// The parts of the file dialogs that do not depend on the platform.
#include "platform/files/FileDialogs.h"

namespace penlet {

std::string PlatformFilter(const std::string& filter, const LeadByteSet& leadBytes) {
  std::string out;
  for (size_t p = 0; p < filter.size();) {
    const size_t next = leadBytes.Next(filter, p);
    if (next == p + 1 && filter[p] == '|') {
      out += '\0';
    } else {
      out.append(filter, p, next - p);
    }
    p = next;
  }
  out += '\0';
  out += '\0';
  return out;
}

}  // namespace penlet
