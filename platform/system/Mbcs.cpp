// Lead-byte sets of double-byte code pages.
#include "platform/system/Mbcs.h"

#include <algorithm>

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

bool LeadByteSet::StartsCharacter(std::string_view text, size_t pos) const {
  if (pos == 0 || pos >= text.size()) return pos <= text.size();
  size_t leads = 0;
  while (leads < pos && Contains(static_cast<unsigned char>(text[pos - leads - 1]))) ++leads;
  return leads % 2 == 0;
}

size_t FindOnBoundary(std::string_view text, std::string_view what, size_t from, size_t to,
                      const LeadByteSet& leadBytes) {
  to = std::min(to, text.size());
  if (what.empty() || from > to || what.size() > to - from) return std::string_view::npos;
  const std::string_view range = text.substr(0, to);
  for (size_t p = range.find(what, from); p != std::string_view::npos;
       p = range.find(what, p + 1)) {
    if (leadBytes.StartsCharacter(text, p)) return p;
  }
  return std::string_view::npos;
}

}  // namespace penlet
