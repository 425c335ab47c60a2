#include "platform/fake_clock.h"

namespace mdx {

void FakeClock::setLocal(int year, int month, int day, int hour, int minute, int second, int millis) {
  const int64_t days = daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
  const int64_t local = days * 86400 + hour * 3600 + minute * 60 + second;
  ms_ = (local - offset_) * 1000 + millis;
}

CivilTime FakeClock::toLocal(int64_t epochSeconds) const {
  const int64_t local = epochSeconds + offset_;
  const int64_t days = floorDiv(local, 86400);
  const int64_t secs = local - days * 86400;
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

}  // namespace mdx
