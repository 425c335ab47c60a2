#include "nettime/win32/system_clock_mover.h"

namespace mdx::win {

DWORD moveSystemClockBy(int64_t offsetMillis) {
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  const int64_t ticks = ((static_cast<int64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime) +
                        offsetMillis * 10000;  // 100 ns units
  if (ticks < 0) return ERROR_INVALID_PARAMETER;
  const FILETIME target{static_cast<DWORD>(ticks & 0xFFFFFFFF), static_cast<DWORD>(ticks >> 32)};
  SYSTEMTIME utc;
  if (!FileTimeToSystemTime(&target, &utc)) return GetLastError();
  if (!SetSystemTime(&utc)) return GetLastError();
  return 0;
}

ClockMoveResult SystemClockMover::moveClockBy(int64_t offsetMillis) {
  const DWORD error = moveSystemClockBy(offsetMillis);
  if (error == 0) return ClockMoveResult::Moved;
  return error == ERROR_PRIVILEGE_NOT_HELD ? ClockMoveResult::PrivilegeNotHeld : ClockMoveResult::Failed;
}

}  // namespace mdx::win
