#include "testsupport/fake_clock.h"

namespace mdx {

void FakeClock::setLocal(int year, int month, int day, int hour, int minute, int second, int millis) {
  const int64_t days = daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
  const int64_t local = days * 86400 + hour * 3600 + minute * 60 + second;
  ms_ = (local - offset_) * 1000 + millis;
}

CivilTime FakeClock::toLocal(int64_t epochSeconds) const {
  const int64_t local = epochSeconds + offset_;
  return civilFromLocalSeconds(local);
}

}  // namespace mdx
