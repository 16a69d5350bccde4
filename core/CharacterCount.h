// Counting characters in code page bytes, and the texts of the counter's status panels.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/system/Mbcs.h"

namespace penlet {

// Characters of the counter: a count, not a byte offset.
using CharacterCount = std::int32_t;

// The number of characters that begin within the first `n` bytes of `text`. The walk starts at
// the first byte, so a trail byte is never taken for a lead byte; a lead byte takes whatever
// byte follows it, and a lead byte at the very end is a character alone.
CharacterCount CountCharacters(std::string_view text, std::int64_t n, const LeadByteSet& leadBytes);

// Both counts of one refresh from a single walk: the characters before `n` and in the whole
// text.
struct CharacterCounts {
  CharacterCount beforeOffset = 0;
  CharacterCount whole = 0;
};
CharacterCounts CountCharactersTwice(std::string_view text, std::int64_t n,
                                     const LeadByteSet& leadBytes);

// " %-3d文字目" or " %-3dバイト目" with `offset`, in code page 932.
std::string OffsetPanelText(std::int64_t offset, bool inCharacters);
// "%d 行　%d 列   " with the 1-based line and the 0-based column in bytes, in code page 932.
std::string LinePanelText(std::int64_t line, std::int64_t column);

}  // namespace penlet
