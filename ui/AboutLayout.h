// The About box's face as data: where its parts stand, how the comment wraps, and its picture.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/system/Mbcs.h"

namespace penlet {

struct AboutRect {
  int left, top, width, height;
};

// In pixels at 96 dots per inch. The box's client area, then its controls in it; the labels
// and the picture are placed relative to Panel1.
inline constexpr int kAboutClientWidth = 252;
inline constexpr int kAboutClientHeight = 181;
inline constexpr AboutRect kAboutPanel1 = {7, 7, 238, 136};
inline constexpr AboutRect kAboutOkButton = {90, 151, 70, 22};
inline constexpr AboutRect kAboutProductName = {7, 14, 116, 21};
inline constexpr AboutRect kAboutVersion = {135, 18, 91, 13};
inline constexpr AboutRect kAboutOwnership = {30, 52, 170, 15};
inline constexpr AboutRect kAboutComments = {7, 80, 114, 36};
inline constexpr AboutRect kAboutProgramIcon = {128, 80, 105, 53};

// Breaks `text` into lines no wider than `width`, as a label with word wrap does: at runs of
// spaces, which are dropped at the break and may stand past the edge, and between double-byte
// characters; a word wider than a line is cut where it overflows. `charWidth` measures one
// character (one or two bytes).
std::vector<std::string> WrapLabel(std::string_view text, const LeadByteSet& leadBytes, int width,
                                   const std::function<int(std::string_view)>& charWidth);

// A picture of up to 256 colours, rows from the top.
struct IndexedPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> palette;  // 0x00RRGGBB
  std::vector<std::uint8_t> pixels;

  std::uint32_t ColorAt(int x, int y) const { return palette[pixels[y * width + x]]; }
  // Pixels of the bottom-left pixel's colour are not painted.
  bool Transparent(int x, int y) const { return ColorAt(x, y) == ColorAt(0, height - 1); }
};

// ProgramIcon: a ruled sheet of paper with a pencil across it, 105 x 53.
IndexedPicture AboutPicture();

}  // namespace penlet
