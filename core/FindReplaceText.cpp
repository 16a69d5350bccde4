// The find and replace messages and Replace All in one pass.
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
                              std::string_view replaceText, const LeadByteSet& leadBytes) {
  ReplaceAllPlan plan;
  size_t from = 0;  // where the next search starts, in the old text
  size_t copied = 0;
  bool started = false;
  if (selection.Length() > 0) {
    plan.start = selection.start;
    plan.replacement.append(replaceText);
    plan.ranges.push_back(selection);
    plan.count = 1;
    from = copied = static_cast<size_t>(selection.end);
    started = true;
  }
  const size_t n = findText.size();
  if (n > 0) {
    const char first = findText[0];
    // One walk over the character boundaries from the start, as every search makes.
    for (size_t p = 0; p + n <= text.size(); p = leadBytes.Next(text, p)) {
      if (p < from || text[p] != first || text.compare(p, n, findText) != 0) continue;
      if (!started) {
        plan.start = static_cast<ByteOffset>(p);
        copied = p;
        started = true;
      }
      plan.replacement.append(text.substr(copied, p - copied));
      plan.replacement.append(replaceText);
      plan.ranges.push_back({static_cast<ByteOffset>(p), static_cast<ByteOffset>(p + n)});
      ++plan.count;
      ++plan.matches;
      from = copied = p + n;
    }
  }
  plan.end = started ? static_cast<ByteOffset>(copied) : 0;
  return plan;
}

}  // namespace penlet
