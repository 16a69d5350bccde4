#include "platform/system/Kinsoku.h"

#include <string>

#include "platform/system/Encoding.h"

namespace penlet {
namespace {

// The characters of each rule, with their half-width forms (the ASCII ones too).
const std::string& NotAtRowStart() {
  static const std::string marks = Cp932FromUtf8(
      "、。，．・：；？！ー」』）］｝〕〉》】’”ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ々ゝゞヽ"
      "ヾ"
      "｡｣､･ｧｨｩｪｫｬｭｮｯｰﾞﾟ!),.:;?]}");
  return marks;
}
const std::string& NotAtRowEnd() {
  static const std::string brackets = Cp932FromUtf8("「『（［｛〔〈《【‘“｢([{");
  return brackets;
}

bool InSet(const std::string& set, std::string_view character, const LeadByteSet& leadBytes) {
  return FindOnBoundary(set, character, 0, set.size(), leadBytes) != std::string_view::npos;
}

}  // namespace

bool BreakForbiddenBefore(std::string_view text, size_t pos, const LeadByteSet& leadBytes) {
  if (leadBytes.Empty() || pos == 0 || pos >= text.size()) return false;
  size_t before = pos - 1;
  while (before > 0 && !leadBytes.StartsCharacter(text, before)) --before;
  const std::string_view next = text.substr(pos, leadBytes.Next(text, pos) - pos);
  return InSet(NotAtRowStart(), next, leadBytes) ||
         InSet(NotAtRowEnd(), text.substr(before, pos - before), leadBytes);
}

size_t RowBreakBefore(std::string_view text, size_t start, size_t end,
                      const LeadByteSet& leadBytes) {
  for (size_t at = end; at > start;) {
    if (!BreakForbiddenBefore(text, at, leadBytes)) return at;
    --at;
    while (at > start && !leadBytes.StartsCharacter(text, at)) --at;
  }
  return end;
}

}  // namespace penlet
