// Breaking text into the lines of one printed page.
#include "platform/PageLayout.h"

namespace penlet {
namespace {

bool IsBreak(char16_t c) {
  return c == u'\r' || c == u'\n';
}
bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}

// The end of the line that starts at `start` inside the paragraph ending at `paragraphEnd`.
std::int32_t LineEnd(std::u16string_view text, std::int32_t start, std::int32_t paragraphEnd,
                     const FittingChars& fitting) {
  const std::int32_t count = paragraphEnd - start;
  std::int32_t fit = fitting(start, count);
  if (fit >= count) return paragraphEnd;
  if (fit < 0) fit = 0;
  // The space that follows a fitting word may itself stick out past the edge.
  for (std::int32_t p = start + fit; p > start; --p) {
    if (text[p] == u' ' || text[p] == u'\t') {
      std::int32_t end = p;
      while (end < paragraphEnd && (text[end] == u' ' || text[end] == u'\t')) ++end;
      return end;
    }
  }
  // A line always takes at least one whole character, else the page would never end; a
  // surrogate pair stays together.
  std::int32_t end = start + (fit > 0 ? fit : 1);
  if (end < paragraphEnd && IsHighSurrogate(text[end - 1])) end += end - start > 1 ? -1 : 1;
  return end;
}

}  // namespace

LaidPage LayOutPage(std::u16string_view text, std::int32_t first, std::int32_t height,
                    std::int32_t lineHeight, const FittingChars& fitting) {
  const auto length = static_cast<std::int32_t>(text.size());
  LaidPage page;
  if (first < 0) first = 0;
  if (first >= length) {
    page.next = length;
    return page;
  }
  page.next = first;
  if (lineHeight <= 0) return page;
  std::int32_t p = first;
  std::int32_t y = 0;
  while (p < length) {
    if (y + lineHeight > height) break;
    std::int32_t paragraphEnd = p;
    while (paragraphEnd < length && !IsBreak(text[paragraphEnd])) ++paragraphEnd;
    const std::int32_t end = paragraphEnd > p ? LineEnd(text, p, paragraphEnd, fitting) : p;
    page.lines.push_back(LaidLine{p, end, y});
    y += lineHeight;
    p = end;
    if (p == paragraphEnd && p < length) {
      p += (text[p] == u'\r' && p + 1 < length && text[p + 1] == u'\n') ? 2 : 1;
    }
  }
  page.next = p;
  return page;
}

}  // namespace penlet
