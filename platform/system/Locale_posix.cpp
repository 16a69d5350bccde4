// The native build stands for a Japanese system.
#include "platform/system/Locale.h"

namespace penlet {

LeadByteSet AnsiLeadBytes() {
  return LeadByteSet::Cp932();
}

LeadByteSet CounterLeadBytes() {
  return LeadByteSet::Cp932();
}

}  // namespace penlet
