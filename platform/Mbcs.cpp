// Lead-byte sets of double-byte code pages.
#include "platform/Mbcs.h"

namespace penlet {

LeadByteSet LeadByteSet::Cp932() {
  LeadByteSet set;
  set.AddRange(0x81, 0x9F);
  set.AddRange(0xE0, 0xFC);
  return set;
}

void LeadByteSet::AddRange(unsigned char first, unsigned char last) {
  for (unsigned b = first; b <= last; ++b) bytes_.set(b);
}

}  // namespace penlet
