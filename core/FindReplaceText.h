// Find and replace without the window: the three messages and Replace All worked out on the
// text in one pass.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/edit/EditArea.h"
#include "platform/system/Mbcs.h"

namespace penlet {

// The messages, as code page 932 bytes; `findText` and `replaceText` are code page 932 too.
std::string NoMatchMessage(std::string_view findText);
std::string NoOccurrenceMessage(std::string_view findText);
std::string ReplacedMessage(int count, std::string_view findText, std::string_view replaceText);

// What Replace All does to the text: each range of the old text gives way to the replace text,
// after which the caret stands behind the last insertion. [start, end) spans the ranges.
struct ReplaceAllPlan {
  int count = 0;    // replacements made, the selection included
  int matches = 0;  // occurrences found and selected on the way
  ByteOffset start = 0;
  ByteOffset end = 0;
  std::vector<Selection> ranges;  // the replaced ranges of the old text, in order
};

// The first occurrence of the find text that starts on a character boundary at or after `from`
// and lies wholly in the text; -1 when there is none.
using FindFrom = std::function<ByteOffset(ByteOffset from)>;

// The same result as replacing a non-empty selection, then, again and again, searching the find
// text (`findLength` bytes) from behind the inserted text to the end, selecting it and replacing
// it with a text of whole characters, as the dialog gives it, so that the text behind an
// insertion keeps its character boundaries.
ReplaceAllPlan PlanReplaceAll(const FindFrom& find, Selection selection, ByteOffset findLength);

}  // namespace penlet
