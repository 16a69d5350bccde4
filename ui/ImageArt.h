// The pictures of the image list ImageList1, kept as text: one character a pixel, "." for
// transparent, every other character a colour of the palette.
#pragma once

#include <cstdint>

namespace penlet {

inline constexpr int kImageCount = 19;
inline constexpr int kImageSize = 16;

// Row `y` of image `index`: kImageSize characters.
const char* ImageRow(int index, int y);
// The colour of a picture character as 0x00RRGGBB; -1 for transparent or unknown characters.
std::int32_t ImageColor(char c);

}  // namespace penlet
