#pragma once
// The one source of "now" for the core. The program uses the PC clock; tests use a fake.
#include <cstdint>

namespace mdx {

// Local calendar fields, as the C library's struct tm gives them but with a real year and
// a month counted from 1.
struct CivilTime {
  int year = 1970;
  int month = 1;   // 1..12
  int day = 1;     // 1..31
  int hour = 0;    // 0..23
  int minute = 0;  // 0..59
  int second = 0;  // 0..59
  int millisecond = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  // Calendar time in milliseconds since 1970-01-01 00:00:00 UTC.
  virtual int64_t nowMillis() const = 0;
  // The same in microseconds, as finely as the clock can be read (by default whole milliseconds).
  virtual int64_t nowMicros() const { return nowMillis() * 1000; }
  // Local calendar fields of a calendar time given in whole seconds since the epoch.
  virtual CivilTime toLocal(int64_t epochSeconds) const = 0;

  int64_t nowSeconds() const;
  CivilTime localNow() const;
};

// The PC clock and the process's local time zone (C library localtime).
class SystemClock final : public Clock {
 public:
  int64_t nowMillis() const override;
  CivilTime toLocal(int64_t epochSeconds) const override;
};

// Days since 1970-01-01 of a proleptic Gregorian date, and back; exact for any int32 year.
int64_t daysFromCivil(int64_t year, unsigned month, unsigned day);
void civilFromDays(int64_t days, int64_t& year, unsigned& month, unsigned& day);

// Calendar fields of a count of local seconds since 1970-01-01 00:00:00 (proleptic Gregorian).
CivilTime civilFromLocalSeconds(int64_t localSeconds);

// Floor division and modulo for negative operands.
inline int64_t floorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
inline int64_t floorMod(int64_t a, int64_t b) { return a - floorDiv(a, b) * b; }

}  // namespace mdx
