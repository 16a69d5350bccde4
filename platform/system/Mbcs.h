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
    return pos +
           ((Contains(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) ? 2 : 1);
  }

  // Whether a character starts at `pos`, found without walking from the start: the byte after
  // one that is not a lead byte always starts a character (that byte was a character alone or a
  // trail byte), and the lead bytes that follow it pair up.
  bool StartsCharacter(std::string_view text, size_t pos) const;

 private:
  std::bitset<256> bytes_;
};

// Offset of the first occurrence of `what` (exact bytes) that starts a character and lies
// wholly inside [from, to) of `text`; std::string_view::npos when there is none or `what` is
// empty.
size_t FindOnBoundary(std::string_view text, std::string_view what, size_t from, size_t to,
                      const LeadByteSet& leadBytes);

}  // namespace penlet
