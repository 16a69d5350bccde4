// Which of 32 bytes are lead bytes, as the bits of a mask: the first step of counting the
// characters of a long text. With SSE2, for a set of lead bytes that is one or two ranges (code
// page 932's is two), sixteen bytes are told at once; otherwise byte by byte from a table.
#pragma once

#include <array>
#include <cstdint>

namespace penlet {

class LeadMask {
 public:
  // `table` holds 1 for a lead byte, 0 for any other.
  explicit LeadMask(const std::array<unsigned char, 256>& table);

  // Bit k is set when bytes[k] is a lead byte, for k from 0 to 31.
  std::uint32_t Of(const char* bytes) const;

  // Tells the bytes with the table alone, as where SSE2 is missing.
  void UseTableOnly() { vector_ = false; }

 private:
  std::uint32_t FromTable(const char* bytes) const;

  std::array<unsigned char, 256> table_;
  // The ranges [first, first + span]; a single range is given twice.
  unsigned char first_[2] = {0, 0};
  unsigned char span_[2] = {0, 0};
  bool vector_ = false;
};

}  // namespace penlet
