// Screen density arithmetic.
#include "platform/system/Dpi.h"

#include <cstdint>

namespace penlet {

int MulDivRounded(int value, int numerator, int denominator) {
  if (denominator == 0) return -1;  // as MulDiv answers
  if (denominator < 0) {
    value = -value;
    denominator = -denominator;
  }
  const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
  const std::int64_t half = denominator / 2;
  const std::int64_t result = (product >= 0 ? product + half : product - half) / denominator;
  if (result > INT32_MAX || result < INT32_MIN) return -1;  // as MulDiv answers
  return static_cast<int>(result);
}

}  // namespace penlet
