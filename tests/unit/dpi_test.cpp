// The one scale every designed figure goes through: Win32's MulDiv, on every platform.
#include "platform/system/Dpi.h"

#include <gtest/gtest.h>

#include <climits>

namespace penlet {
namespace {

TEST(ScaleForDpi, RoundsHalvesAwayFromZeroAndFailsAsMulDivDoes) {
  EXPECT_EQ(ScaleForDpi(23, 144), 35);      // 34.5
  EXPECT_EQ(ScaleForDpi(-15, 144), -23);    // a font height: -22.5
  EXPECT_EQ(UnscaleForDpi(837, 120), 670);  // 669.6
  EXPECT_EQ(ScaleForDpi(INT_MAX, 192), -1);
  EXPECT_EQ(MulDivRounded(7, 1, 0), -1);
}

}  // namespace
}  // namespace penlet
