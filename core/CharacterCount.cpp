// Counting characters in code page bytes, and the texts of the counter's status panels.
#include "core/CharacterCount.h"

#include <algorithm>

#include "core/Texts.h"

namespace penlet {
namespace {

// Walks from `p` (a character boundary) until `limit`, adding one per character to `count`;
// returns where it stopped, which may be one byte past `limit`.
size_t Walk(std::string_view text, size_t p, size_t limit, const LeadByteSet& leadBytes,
            CharacterCount& count) {
  while (p < limit) {
    p = leadBytes.Next(text, p);
    ++count;
  }
  return p;
}

size_t Clamp(std::string_view text, std::int64_t n) {
  if (n <= 0) return 0;
  return static_cast<size_t>(std::min<std::int64_t>(n, static_cast<std::int64_t>(text.size())));
}

// "%-3d": left-justified in a field of at least three, padded with spaces, never cut.
std::string LeftJustified3(std::int64_t value) {
  std::string digits = std::to_string(value);
  if (digits.size() < 3) digits.append(3 - digits.size(), ' ');
  return digits;
}

}  // namespace

CharacterCount CountCharacters(std::string_view text, std::int64_t n,
                               const LeadByteSet& leadBytes) {
  const size_t limit = Clamp(text, n);
  if (leadBytes.Empty()) return static_cast<CharacterCount>(limit);
  CharacterCount count = 0;
  Walk(text, 0, limit, leadBytes, count);
  return count;
}

CharacterCounts CountCharactersTwice(std::string_view text, std::int64_t n,
                                     const LeadByteSet& leadBytes) {
  const size_t limit = Clamp(text, n);
  if (leadBytes.Empty()) {
    return {static_cast<CharacterCount>(limit), static_cast<CharacterCount>(text.size())};
  }
  CharacterCounts counts;
  const size_t p = Walk(text, 0, limit, leadBytes, counts.beforeOffset);
  counts.whole = counts.beforeOffset;
  Walk(text, p, text.size(), leadBytes, counts.whole);
  return counts;
}

std::string OffsetPanelText(std::int64_t offset, bool inCharacters) {
  std::string text = Ansi(inCharacters ? texts::kCharacterOffsetFormat : texts::kByteOffsetFormat);
  const size_t at = text.find("%-3d");
  if (at != std::string::npos) text.replace(at, 4, LeftJustified3(offset));
  return text;
}

std::string LinePanelText(std::int64_t line, std::int64_t column) {
  std::string text = Ansi(texts::kLineColumnFormat);
  size_t at = text.find("%d");
  if (at == std::string::npos) return text;
  const std::string first = std::to_string(line);
  text.replace(at, 2, first);
  at = text.find("%d", at + first.size());
  if (at != std::string::npos) text.replace(at, 2, std::to_string(column));
  return text;
}

}  // namespace penlet
