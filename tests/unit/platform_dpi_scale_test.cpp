// Designed pixel sizes at the DPIs of Windows' scaling steps.
#include <gtest/gtest.h>

#include "platform/dpi_scale.h"

namespace mdx {
namespace {

TEST(DpiScale, ScalesByTheFactorAndRoundsHalvesAwayFromZero) {
  EXPECT_EQ(scaleForDpi(578, 96), 578);
  EXPECT_EQ(scaleForDpi(578, 120), 723);  // 722.5
  EXPECT_EQ(scaleForDpi(340, 120), 425);
  EXPECT_EQ(scaleForDpi(578, 144), 867);
  EXPECT_EQ(scaleForDpi(340, 192), 680);
  EXPECT_EQ(scaleForDpi(-5, 120), -6);  // -6.25
  EXPECT_EQ(scaleForDpi(-3, 144), -5);  // -4.5
  // No DPI known: the size as designed.
  EXPECT_EQ(scaleForDpi(578, 0), 578);
}

}  // namespace
}  // namespace mdx
