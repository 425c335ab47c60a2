#pragma once
// The PC clock as Windows keeps it: system time and the system's time zone (with its
// daylight-saving rules), independent of any TZ variable the C runtime would honour.
#include "platform/clock.h"

namespace mdx::win {

class PcClock final : public Clock {
 public:
  int64_t nowMillis() const override;
  int64_t nowMicros() const override;  // GetSystemTimePreciseAsFileTime, to the microsecond
  CivilTime toLocal(int64_t epochSeconds) const override;
};

// The one instance the program reads.
const Clock& pcClock();

}  // namespace mdx::win
