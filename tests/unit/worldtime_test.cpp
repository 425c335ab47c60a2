#include <gtest/gtest.h>

#include "display/time_texts.h"
#include "platform/fake_clock.h"
#include "worldtime/area_time.h"

using namespace mdx;

namespace {

// A PC clock on Japan time at a local date and time.
FakeClock at(int y, int mo, int d, int h, int mi, int s = 0) {
  FakeClock c(0, 9 * 3600);
  c.setLocal(y, mo, d, h, mi, s);
  return c;
}

// The AREA with no zone and time difference `rug`, as "month/day hour:minute:second".
std::string rugTime(const FakeClock& c, int64_t rug) {
  const AreaTime t = areaTimeAt(c, nullptr, {}, rug, c.nowSeconds());
  return dateText(t) + " " + std::to_string(t.hour) + ":" + twoDigits(t.minute) + ":" + twoDigits(t.second);
}

TEST(WorldTime, PcTimeIsTheLocalTimeOfTheInstant) {
  const FakeClock c = at(2026, 1, 5, 7, 3, 9);
  const AreaTime t = pcTimeAt(c, c.nowSeconds());
  EXPECT_EQ((std::vector<int>{t.month, t.day, t.hour, t.minute, t.second}), (std::vector<int>{1, 5, 7, 3, 9}));
  // The clock is only converted, never read: a later instant gives a later time.
  EXPECT_EQ(pcTimeAt(c, c.nowSeconds() + 61).minute, 4);
}

TEST(WorldTime, AreaHourWrapsIntoTheDay) {
  EXPECT_EQ(rugTime(at(2026, 3, 10, 7, 0), 0), "3/10 7:00:00");
  EXPECT_EQ(rugTime(at(2026, 3, 10, 23, 40), 4), "3/11 3:40:00");
  EXPECT_EQ(rugTime(at(2026, 3, 10, 2, 10), -20), "3/9 6:10:00");
  EXPECT_EQ(rugTime(at(2026, 3, 10, 10, 0), -5), "3/10 5:00:00");
  EXPECT_EQ(rugTime(at(2026, 3, 10, 12, 0), 9), "3/10 21:00:00");
  EXPECT_EQ(rugTime(at(2026, 3, 10, 5, 0), 48), "3/12 5:00:00");
  // Any stored difference, without overflow: -2147483648 h = -89478486 days + 16 h.
  EXPECT_EQ(areaTimeAt(at(2026, 3, 10, 5, 0), nullptr, {}, -2147483648LL, at(2026, 3, 10, 5, 0).nowSeconds()).hour, 21);
  EXPECT_EQ(areaTimeAt(at(2026, 3, 10, 5, 0), nullptr, {}, 2147483647LL, at(2026, 3, 10, 5, 0).nowSeconds()).hour, 12);
}

TEST(WorldTime, AreaDateFollowsTheAreaAcrossMidnight) {
  EXPECT_EQ(rugTime(at(2026, 1, 1, 0, 30), -1), "12/31 23:30:00");
  EXPECT_EQ(rugTime(at(2026, 12, 31, 23, 0), 1), "1/1 0:00:00");
  EXPECT_EQ(rugTime(at(2024, 3, 1, 1, 0), -2), "2/29 23:00:00");
  EXPECT_EQ(rugTime(at(2025, 3, 1, 1, 0), -2), "2/28 23:00:00");
  // A day or more: 24 hours ahead is tomorrow at the same hour; 49 two days and one hour.
  EXPECT_EQ(rugTime(at(2026, 3, 10, 12, 0), 24), "3/11 12:00:00");
  EXPECT_EQ(rugTime(at(2026, 3, 10, 23, 0), 49), "3/13 0:00:00");
  EXPECT_EQ(rugTime(at(2026, 3, 10, 0, 0), -24), "3/9 0:00:00");
  EXPECT_EQ(rugTime(at(2026, 3, 10, 0, 0), -25), "3/8 23:00:00");
}

TEST(WorldTime, ShownTextsAreMadeFromNumbers) {
  EXPECT_EQ(hourText(0, true), "AM0");
  EXPECT_EQ(hourText(9, true), "AM9");
  EXPECT_EQ(hourText(12, true), "AM12");  // noon carries AM
  EXPECT_EQ(hourText(13, true), "PM1");
  EXPECT_EQ(hourText(22, true), "PM10");
  EXPECT_EQ(hourText(23, true), "PM11");
  EXPECT_EQ(hourText(7, false), "7");
  EXPECT_EQ(twoDigits(5), "05");
  AreaTime t;
  t.hour = 21, t.minute = 5, t.month = 1, t.day = 5;
  EXPECT_EQ(clockText(t, false), "21:05");
  EXPECT_EQ(clockText(t, true), "PM9:05");
  EXPECT_EQ(dateText(t), "1/5");
}

}  // namespace
