// Double-byte character sets: which bytes start a two-byte character, and stepping over them.
#pragma once

#include <bitset>
#include <cstddef>
#include <string_view>

namespace penlet {

class LeadByteSet {
 public:
  LeadByteSet() = default;  // empty: every byte is a character of its own

  // The lead bytes of code page 932 (Shift-JIS): 0x81-0x9F and 0xE0-0xFC.
  static LeadByteSet Cp932();

  void AddRange(unsigned char first, unsigned char last);
  bool Contains(unsigned char byte) const { return bytes_[byte]; }
  bool Empty() const { return bytes_.none(); }

  // Offset of the character after the one that starts at `pos`. A lead byte takes the byte
  // after it whatever that byte is; a lead byte that ends the text is a character alone.
  size_t Next(std::string_view text, size_t pos) const {
    return pos + ((Contains(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) ? 2 : 1);
  }

 private:
  std::bitset<256> bytes_;
};

}  // namespace penlet
