// Breaking text into the lines of one printed page, for a rich edit control that cannot lay its
// text out for a printer itself (Wine's answers every EM_FORMATRANGE with 0 and draws nothing).
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace penlet {

// Characters [start, end) of the text, drawn with their top at `y` pixels below the page's top.
struct LaidLine {
  std::int32_t start = 0;
  std::int32_t end = 0;
  std::int32_t y = 0;
};

struct LaidPage {
  std::vector<LaidLine> lines;
  std::int32_t next = 0;  // the first character left for the next page; the length when none
};

// How many of the `count` characters from `start` fit side by side into the line's width.
using FittingChars = std::function<std::int32_t(std::int32_t start, std::int32_t count)>;

// Lays the text from `first` out as whole lines of `lineHeight` pixels down a page `height`
// pixels high. A paragraph ends at CR LF, CR or LF; a paragraph wider than the line breaks after
// its last fitting space, or between characters when there is none. A page too low for one line
// takes nothing, so that `next` stays at `first`.
LaidPage LayOutPage(std::u16string_view text, std::int32_t first, std::int32_t height,
                    std::int32_t lineHeight, const FittingChars& fitting);

}  // namespace penlet
