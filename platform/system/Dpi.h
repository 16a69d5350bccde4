// Screen density: the program's geometry is designed in pixels for 96 dots per inch, and every
// figure reaches the screen through ScaleForDpi, so that the window is the same size to the eye
// on any screen.
#pragma once

namespace penlet {

inline constexpr int kDesignDpi = 96;

// `value` * `numerator` / `denominator`, rounded half away from zero, as Win32's MulDiv rounds;
// -1, as MulDiv, when the denominator is 0 or the result does not fit.
int MulDivRounded(int value, int numerator, int denominator);

// A designed figure (pixels at 96 dots per inch) in pixels at `dpi`.
inline int ScaleForDpi(int designed, int dpi) {
  return MulDivRounded(designed, dpi, kDesignDpi);
}

// Pixels at `dpi` back in designed pixels.
inline int UnscaleForDpi(int pixels, int dpi) {
  return MulDivRounded(pixels, kDesignDpi, dpi);
}

}  // namespace penlet
