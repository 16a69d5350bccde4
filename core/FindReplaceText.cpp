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

ReplaceAllPlan PlanReplaceAll(std::string_view text, Selection selection, std::string_view findText,
                              const LeadByteSet& leadBytes) {
  ReplaceAllPlan plan;
  size_t from = 0;  // where the next search starts, in the old text
  if (selection.Length() > 0) {
    plan.start = selection.start;
    plan.ranges.push_back(selection);
    plan.count = 1;
    from = static_cast<size_t>(selection.end);
  }
  // Each search starts behind the last occurrence, as the inserted text ends on a character
  // boundary of the old text's.
  const size_t n = findText.size();
  for (size_t p = FindOnBoundary(text, findText, from, text.size(), leadBytes);
       p != std::string_view::npos;
       p = FindOnBoundary(text, findText, p + n, text.size(), leadBytes)) {
    if (plan.ranges.empty()) plan.start = static_cast<ByteOffset>(p);
    plan.ranges.push_back({static_cast<ByteOffset>(p), static_cast<ByteOffset>(p + n)});
    ++plan.count;
    ++plan.matches;
  }
  plan.end = plan.ranges.empty() ? 0 : plan.ranges.back().end;
  return plan;
}

}  // namespace penlet
