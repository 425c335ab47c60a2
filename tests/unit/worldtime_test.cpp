#include <gtest/gtest.h>

#include "testsupport/fake_clock.h"
#include "worldtime/world_time.h"

using namespace mdx;

namespace {

FakeClock at(int y, int mo, int d, int h, int mi, int s = 0) {
  FakeClock c(0, 9 * 3600);
  c.setLocal(y, mo, d, h, mi, s);
  return c;
}

TEST(WorldTime, StampIsTwelveDigitsOfLocalTime) {
  FakeClock c = at(2026, 1, 5, 7, 3, 9);
  EXPECT_EQ(makeTimeStamp(c), "260105070309");
  const StampFields f = splitTimeStamp("260105070309");
  EXPECT_EQ(f.hour, "07");
  EXPECT_EQ(f.minute, "03");
  EXPECT_EQ(f.second, "09");
  EXPECT_EQ(formatTimeStamp(at(2100, 12, 31, 23, 59, 59).localNow()), "001231235959");
}

TEST(WorldTime, AreaHourWrapsWithoutLeadingZero) {
  EXPECT_EQ(areaHour("07", 0), "7");
  EXPECT_EQ(areaHour("23", 4), "3");
  EXPECT_EQ(areaHour("02", -20), "6");
  EXPECT_EQ(areaHour("10", -5), "5");
  EXPECT_EQ(areaHour("00", -1), "23");
  EXPECT_EQ(areaHour("12", 9), "21");
  EXPECT_EQ(areaHour("05", 48), "5");
  EXPECT_EQ(areaHour("05", -2147483648LL), "21");  // any stored difference, no overflow
  EXPECT_EQ(areaHour("05", 2147483647LL), "12");
}

TEST(WorldTime, TwelveHourLabels) {
  EXPECT_EQ(twelveHourLabel("0"), "AM0");
  EXPECT_EQ(twelveHourLabel("9"), "AM9");
  EXPECT_EQ(twelveHourLabel("12"), "AM12");
  EXPECT_EQ(twelveHourLabel("13"), "PM1");
  EXPECT_EQ(twelveHourLabel("22"), "PM10");
  EXPECT_EQ(twelveHourLabel("23"), "PM11");
  EXPECT_EQ(twelveHourLabel("09"), "AM09");
}

TEST(WorldTime, AreaDateFollowsTheAreaAcrossMidnight) {
  EXPECT_EQ(areaDateText(at(2026, 3, 10, 15, 0), 0), "3/10");
  EXPECT_EQ(areaDateText(at(2026, 3, 10, 23, 40), 4), "3/11");
  EXPECT_EQ(areaDateText(at(2026, 3, 10, 2, 10), -20), "3/9");
  EXPECT_EQ(areaDateText(at(2026, 3, 10, 10, 0), -5), "3/10");
  EXPECT_EQ(areaDateText(at(2026, 1, 1, 0, 30), -1), "12/31");
  EXPECT_EQ(areaDateText(at(2026, 12, 31, 23, 0), 1), "1/1");
  EXPECT_EQ(areaDateText(at(2024, 3, 1, 1, 0), -2), "2/29");
  EXPECT_EQ(areaDateText(at(2025, 3, 1, 1, 0), -2), "2/28");
}

TEST(WorldTime, AreaDateStaysRightForDifferencesOfADayOrMore) {
  // 24 hours ahead is tomorrow at the same hour; 49 hours ahead is two days and one hour.
  EXPECT_EQ(areaDateText(at(2026, 3, 10, 12, 0), 24), "3/11");
  EXPECT_EQ(areaDateText(at(2026, 3, 10, 23, 0), 49), "3/13");
  EXPECT_EQ(areaDateText(at(2026, 3, 10, 0, 0), -24), "3/9");
  EXPECT_EQ(areaDateText(at(2026, 3, 10, 0, 0), -25), "3/8");
}

TEST(WorldTime, LeadingIntegerParsesLikeTheCLibrary) {
  EXPECT_EQ(parseLeadingInt("09"), 9);
  EXPECT_EQ(parseLeadingInt("  -12x"), -12);
  EXPECT_EQ(parseLeadingInt(""), 0);
  EXPECT_EQ(parseLeadingInt("abc"), 0);
  EXPECT_EQ(parseLeadingInt("99999999999"), INT32_MAX);
  EXPECT_EQ(parseLeadingInt("-99999999999"), INT32_MIN);
}

}  // namespace
