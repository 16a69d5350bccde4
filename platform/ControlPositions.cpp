// Conversions between byte offsets and the rich edit control's character positions.
#include "platform/ControlPositions.h"

namespace penlet {

ControlPosition ControlPositionFromByte(std::string_view text, ByteOffset offset,
                                       const LeadByteSet& leadBytes) {
  if (offset <= 0) return 0;
  const size_t limit = static_cast<size_t>(offset);
  size_t p = 0;
  ControlPosition pos = 0;
  while (p < text.size() && p < limit) {
    p = leadBytes.Next(text, p);
    ++pos;
  }
  return pos;
}

ByteOffset ByteFromControlPosition(std::string_view text, ControlPosition pos,
                                   const LeadByteSet& leadBytes) {
  size_t p = 0;
  for (ControlPosition i = 0; i < pos && p < text.size(); ++i) p = leadBytes.Next(text, p);
  return static_cast<ByteOffset>(p);
}

}  // namespace penlet
