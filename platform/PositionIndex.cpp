// Checkpointed conversions between byte offsets and control positions.
#include "platform/PositionIndex.h"

#include <algorithm>

namespace penlet {

void PositionIndex::Build(std::string_view text, const LeadByteSet& leadBytes,
                          ControlPosition step) {
  step_ = std::max<ControlPosition>(1, step);
  checkpoints_.assign(1, 0);
  ControlPosition pos = 0;
  for (size_t p = 0; p < text.size(); p = leadBytes.Next(text, p)) {
    if (pos > 0 && pos % step_ == 0) checkpoints_.push_back(static_cast<ByteOffset>(p));
    ++pos;
  }
  length_ = pos;
}

ControlPosition PositionIndex::ControlFromByte(std::string_view text, ByteOffset offset,
                                               const LeadByteSet& leadBytes) const {
  if (offset <= 0) return 0;
  if (static_cast<size_t>(offset) >= text.size()) return length_;
  // The last checkpoint at or before the offset: a character boundary to walk on from.
  const size_t k =
      static_cast<size_t>(std::upper_bound(checkpoints_.begin(), checkpoints_.end(), offset) -
                          checkpoints_.begin() - 1);
  size_t p = static_cast<size_t>(checkpoints_[k]);
  ControlPosition pos = static_cast<ControlPosition>(k) * step_;
  while (p < static_cast<size_t>(offset)) {
    p = leadBytes.Next(text, p);
    ++pos;
  }
  return pos;
}

ByteOffset PositionIndex::ByteFromControl(std::string_view text, ControlPosition pos,
                                          const LeadByteSet& leadBytes) const {
  if (pos <= 0) return 0;
  if (pos >= length_) return static_cast<ByteOffset>(text.size());
  const size_t k = static_cast<size_t>(pos / step_);
  size_t p = static_cast<size_t>(checkpoints_[k]);
  for (ControlPosition i = static_cast<ControlPosition>(k) * step_; i < pos; ++i) {
    p = leadBytes.Next(text, p);
  }
  return static_cast<ByteOffset>(p);
}

}  // namespace penlet
