// Conversions between byte offsets and the rich edit control's character positions that do not
// walk the whole text each time: one walk records a checkpoint every few thousand characters,
// and each conversion walks on from the nearest one.
#pragma once

#include <string_view>
#include <vector>

#include "platform/ControlPositions.h"

namespace penlet {

class PositionIndex {
 public:
  // Walks `text` once. The text must stay the same, and be passed again, until the next Build.
  void Build(std::string_view text, const LeadByteSet& leadBytes, ControlPosition step = 4096);

  // The text's length in control positions.
  ControlPosition Length() const { return length_; }

  // The same results as ControlPositionFromByte and ByteFromControlPosition.
  ControlPosition ControlFromByte(std::string_view text, ByteOffset offset,
                                  const LeadByteSet& leadBytes) const;
  ByteOffset ByteFromControl(std::string_view text, ControlPosition pos,
                             const LeadByteSet& leadBytes) const;

 private:
  ControlPosition step_ = 4096;
  ControlPosition length_ = 0;
  std::vector<ByteOffset> checkpoints_{0};  // byte offset of control position k * step_
};

}  // namespace penlet
