// Where a row of Japanese text may break, by the rules of Japanese line breaking (kinsoku) that
// the editing area wraps by: a row does not start with a closing bracket, a punctuation mark, a
// small kana, an iteration mark or the long-vowel mark, and does not end with an opening bracket.
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/system/Mbcs.h"

namespace penlet {

// Whether the rules forbid a row break before the character that starts at `pos` of `text`
// (0 < pos < size, on a character boundary). Text without lead bytes has no such rules.
bool BreakForbiddenBefore(std::string_view text, size_t pos, const LeadByteSet& leadBytes);

// Where a row that starts at `start` ends when `end` is the first character that does not fit:
// before `end`, or earlier so that the character before a mark goes down with it; `end` itself
// when no break before it is allowed (a row of marks only), `start` < `end` <= size.
size_t RowBreakBefore(std::string_view text, size_t start, size_t end,
                      const LeadByteSet& leadBytes);

}  // namespace penlet
