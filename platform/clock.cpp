#include "platform/clock.h"

#include <chrono>
#include <ctime>

namespace mdx {

int64_t Clock::nowSeconds() const { return floorDiv(nowMillis(), 1000); }

CivilTime Clock::localNow() const {
  const int64_t ms = nowMillis();
  CivilTime t = toLocal(floorDiv(ms, 1000));
  t.millisecond = static_cast<int>(floorMod(ms, 1000));
  return t;
}

int64_t SystemClock::nowMillis() const {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

CivilTime SystemClock::toLocal(int64_t epochSeconds) const {
  std::time_t t = static_cast<std::time_t>(epochSeconds);
  std::tm tm{};
#if defined(_WIN32)
  localtime_s(&tm, &t);
#else
  localtime_r(&t, &tm);
#endif
  CivilTime c;
  c.year = tm.tm_year + 1900;
  c.month = tm.tm_mon + 1;
  c.day = tm.tm_mday;
  c.hour = tm.tm_hour;
  c.minute = tm.tm_min;
  c.second = tm.tm_sec;
  return c;
}

CivilTime civilFromLocalSeconds(int64_t localSeconds) {
  const int64_t days = floorDiv(localSeconds, 86400);
  const int64_t secs = localSeconds - days * 86400;
  int64_t y;
  unsigned m, d;
  civilFromDays(days, y, m, d);
  CivilTime c;
  c.year = static_cast<int>(y);
  c.month = static_cast<int>(m);
  c.day = static_cast<int>(d);
  c.hour = static_cast<int>(secs / 3600);
  c.minute = static_cast<int>(secs / 60 % 60);
  c.second = static_cast<int>(secs % 60);
  return c;
}

// Howard Hinnant's civil-date algorithms.
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = floorDiv(y, 400);
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void civilFromDays(int64_t z, int64_t& year, unsigned& month, unsigned& day) {
  z += 719468;
  const int64_t era = floorDiv(z, 146097);
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<unsigned>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<unsigned>(mp < 10 ? mp + 3 : mp - 9);
  year = yoe + era * 400 + (month <= 2);
}

}  // namespace mdx
