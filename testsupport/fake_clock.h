#pragma once
// A settable clock with a fixed offset from UTC, for tests and reproducible rendering.
#include "platform/clock.h"

namespace mdx {

class FakeClock final : public Clock {
 public:
  explicit FakeClock(int64_t epochMillis = 0, int utcOffsetSeconds = 0)
      : ms_(epochMillis), offset_(utcOffsetSeconds) {}

  // Sets the clock to a local date and time (in this clock's zone).
  void setLocal(int year, int month, int day, int hour, int minute, int second, int millis = 0);
  void setMillis(int64_t ms) { ms_ = ms; }
  void advanceMillis(int64_t ms) { ms_ += ms; }

  int64_t nowMillis() const override { return ms_; }
  CivilTime toLocal(int64_t epochSeconds) const override;

 private:
  int64_t ms_;
  int offset_;
};

}  // namespace mdx
