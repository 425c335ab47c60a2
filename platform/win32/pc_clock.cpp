#include "platform/win32/pc_clock.h"

#include <windows.h>

namespace mdx::win {

namespace {
// FILETIME counts 100 ns from 1601-01-01; the epoch is 11644473600 s later.
constexpr int64_t kEpochIn100ns = 116444736000000000LL;
// SYSTEMTIME reaches to year 30827; the calendar arithmetic below covers the rest.
constexpr int64_t kLastFileTimeSecond = 910692730085LL;
}  // namespace

int64_t PcClock::nowMillis() const { return nowMicros() / 1000; }

int64_t PcClock::nowMicros() const {
  FILETIME ft;
  GetSystemTimePreciseAsFileTime(&ft);
  const int64_t ticks = (static_cast<int64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
  return (ticks - kEpochIn100ns) / 10;
}

CivilTime PcClock::toLocal(int64_t epochSeconds) const {
  if (epochSeconds >= -11644473600LL && epochSeconds <= kLastFileTimeSecond) {
    const int64_t ticks = epochSeconds * 10000000LL + kEpochIn100ns;
    FILETIME ft{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME utc, local;
    if (FileTimeToSystemTime(&ft, &utc) && SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) {
      CivilTime c;
      c.year = local.wYear;
      c.month = local.wMonth;
      c.day = local.wDay;
      c.hour = local.wHour;
      c.minute = local.wMinute;
      c.second = local.wSecond;
      return c;
    }
  }
  // Far outside the platform's range: the current zone offset applied to the proleptic
  // Gregorian calendar.
  TIME_ZONE_INFORMATION tz;
  const DWORD mode = GetTimeZoneInformation(&tz);
  int64_t biasMinutes = tz.Bias + (mode == TIME_ZONE_ID_DAYLIGHT ? tz.DaylightBias : tz.StandardBias);
  const int64_t local = epochSeconds - biasMinutes * 60;
  return civilFromLocalSeconds(local);
}

const Clock& pcClock() {
  static const PcClock clock;
  return clock;
}

}  // namespace mdx::win
