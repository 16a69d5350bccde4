// Lead bytes of the system's ANSI code page.
#include <windows.h>

#include "platform/Locale.h"

namespace penlet {

LeadByteSet AnsiLeadBytes() {
  LeadByteSet set;
  CPINFO info{};
  if (GetCPInfo(CP_ACP, &info)) {
    for (int i = 0; i + 1 < MAX_LEADBYTES && (info.LeadByte[i] || info.LeadByte[i + 1]); i += 2) {
      set.AddRange(info.LeadByte[i], info.LeadByte[i + 1]);
    }
  }
  return set;
}

}  // namespace penlet
