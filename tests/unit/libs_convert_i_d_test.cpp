#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "libs/util/convert_i_d.h"

namespace {

TEST(ConvertID, HalvesGoAwayFromZero) {
  EXPECT_EQ(ConvertI_D(0.5), 1);
  EXPECT_EQ(ConvertI_D(1.5), 2);
  EXPECT_EQ(ConvertI_D(2.5), 3);
  EXPECT_EQ(ConvertI_D(-1.5), -2);
  EXPECT_EQ(ConvertI_D(-2.5), -3);
  EXPECT_EQ(ConvertI_D(2.49), 2);
  EXPECT_EQ(ConvertI_D(359.99), 360);
  EXPECT_EQ(ConvertI_D(0.49999999999999994), 0);  // just below one half
}

TEST(ConvertID, SmallValuesGiveZero) {
  EXPECT_EQ(ConvertI_D(0.4), 0);
  EXPECT_EQ(ConvertI_D(-0.4), 0);
  EXPECT_EQ(ConvertI_D(-0.0), 0);
  EXPECT_EQ(ConvertI_D(1e-300), 0);
}

TEST(ConvertID, ClockHandOffsetsAreExact) {
  const double rad = 0.01745328888888889;
  EXPECT_EQ(ConvertI_D(std::cos((90 - 90) * rad) * 12), 12);
  EXPECT_EQ(ConvertI_D(std::sin((90 - 0) * rad) * -18), -18);
  EXPECT_EQ(ConvertI_D(std::cos((90 - 0) * rad) * 18), 0);
}

TEST(ConvertID, OutOfRangeValuesAreClampedAndNanIsZero) {
  EXPECT_EQ(ConvertI_D(2147483646.6), 2147483647);
  EXPECT_EQ(ConvertI_D(2147483647.5), INT32_MAX);
  EXPECT_EQ(ConvertI_D(1e300), INT32_MAX);
  EXPECT_EQ(ConvertI_D(-2147483648.4), INT32_MIN);
  EXPECT_EQ(ConvertI_D(-1e300), INT32_MIN);
  EXPECT_EQ(ConvertI_D(std::numeric_limits<double>::infinity()), INT32_MAX);
  EXPECT_EQ(ConvertI_D(-std::numeric_limits<double>::infinity()), INT32_MIN);
  EXPECT_EQ(ConvertI_D(std::nan("")), 0);
}

}  // namespace
