// The one scale every designed figure goes through: Win32's MulDiv, on every platform.
#include "platform/Dpi.h"

#include <gtest/gtest.h>

#include <climits>

namespace penlet {
namespace {

TEST(ScaleForDpi, RoundsHalvesAwayFromZeroAsMulDivDoes) {
  EXPECT_EQ(ScaleForDpi(23, 96), 23);
  EXPECT_EQ(ScaleForDpi(23, 144), 35);    // 34.5
  EXPECT_EQ(ScaleForDpi(1, 144), 2);      // 1.5
  EXPECT_EQ(ScaleForDpi(-15, 144), -23);  // a font height: -22.5
  EXPECT_EQ(ScaleForDpi(-1, 144), -2);
  EXPECT_EQ(ScaleForDpi(5, 120), 6);    // 6.25
  EXPECT_EQ(ScaleForDpi(22, 120), 28);  // 27.5
  EXPECT_EQ(UnscaleForDpi(1005, 144), 670);
  EXPECT_EQ(UnscaleForDpi(837, 120), 670);  // 669.6
  // What MulDiv answers where there is no answer.
  EXPECT_EQ(MulDivRounded(7, 1, 0), -1);
  EXPECT_EQ(ScaleForDpi(INT_MAX, 192), -1);
  EXPECT_EQ(MulDivRounded(10, 3, -4), -8);  // -7.5
}

}  // namespace
}  // namespace penlet
