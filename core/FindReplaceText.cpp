// The find and replace messages and where Replace All replaces.
#include "core/FindReplaceText.h"

#include "core/Texts.h"

namespace penlet {

std::string NoMatchMessage(std::string_view findText) {
  return Ansi(texts::kNoMatchLead) + std::string(findText) + Ansi(texts::kFindTextClose) +
         Ansi(texts::kFindBlankLines) + Ansi(texts::kNoMatchTail);
}

std::string NoOccurrenceMessage(std::string_view findText) {
  return Ansi(texts::kNoOccurrenceLead) + std::string(findText) + Ansi(texts::kFindTextClose) +
         Ansi(texts::kFindBlankLines) + Ansi(texts::kNoOccurrenceTail);
}

std::string ReplacedMessage(int count, std::string_view findText, std::string_view replaceText) {
  return std::to_string(count) + Ansi(texts::kReplacedPlaces) + Ansi(texts::kReplacedFindOpen) +
         std::string(findText) + Ansi(texts::kReplacedFindClose) + Ansi(texts::kReplacedWo) +
         Ansi(texts::kFindBlankLines) + Ansi(texts::kReplacedReplaceOpen) +
         std::string(replaceText) + Ansi(texts::kReplacedReplaceClose) + Ansi(texts::kReplacedTail);
}

ReplaceAllPlan PlanReplaceAll(const FindFrom& find, Selection selection, ByteOffset findLength) {
  ReplaceAllPlan plan;
  ByteOffset from = 0;  // where the next search starts, in the old text
  if (selection.Length() > 0) {
    plan.start = selection.start;
    plan.ranges.push_back(selection);
    plan.count = 1;
    from = selection.end;
  }
  if (findLength <= 0) {
    plan.end = plan.ranges.empty() ? 0 : plan.ranges.back().end;
    return plan;
  }
  // Each search starts behind the last occurrence, as the inserted text ends on a character
  // boundary of the old text's.
  for (ByteOffset p = find(from); p >= 0; p = find(p + findLength)) {
    if (plan.ranges.empty()) plan.start = p;
    plan.ranges.push_back({p, p + findLength});
    ++plan.count;
    ++plan.matches;
  }
  plan.end = plan.ranges.empty() ? 0 : plan.ranges.back().end;
  return plan;
}

}  // namespace penlet
