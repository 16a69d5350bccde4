// Splitting hints and making tooltip texts.
#include "ui/Hints.h"

#include "core/Texts.h"

namespace penlet {
namespace {

size_t FindBar(std::string_view hint, const LeadByteSet& leadBytes) {
  for (size_t p = 0; p < hint.size(); p = leadBytes.Next(hint, p)) {
    if (hint[p] == '|') return p;
  }
  return std::string_view::npos;
}

}  // namespace

std::string ShortHint(std::string_view hint, const LeadByteSet& leadBytes) {
  return std::string(hint.substr(0, FindBar(hint, leadBytes)));
}

std::string LongHint(std::string_view hint, const LeadByteSet& leadBytes) {
  size_t bar = FindBar(hint, leadBytes);
  return std::string(bar == std::string_view::npos ? hint : hint.substr(bar + 1));
}

std::string TooltipText(std::string_view shortPart, std::string_view shortcut) {
  if (shortcut.empty() || shortPart.empty()) return std::string(shortPart);
  std::string text(texts::kTooltipFormat);
  const size_t first = text.find("%s");
  text.replace(first, 2, shortPart);
  text.replace(text.find("%s", first + shortPart.size()), 2, shortcut);
  return text;
}

}  // namespace penlet
