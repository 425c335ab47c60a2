#pragma once
// Moves the PC clock in this process: the current system time plus an offset, set in UTC with
// SetSystemTime (a local-time set would take the daylight-saving state of the moment of the
// call and can be an hour wrong around a change). Used by the dialog when the process holds the
// right to set the time, and by the elevated one-shot helper.
#include <windows.h>

#include <cstdint>

#include "nettime/clock_mover.h"

namespace mdx::win {

// 0 when the clock was moved, else the Windows error (ERROR_PRIVILEGE_NOT_HELD without the right).
DWORD moveSystemClockBy(int64_t offsetMillis);

class SystemClockMover final : public ClockMover {
 public:
  ClockMoveResult moveClockBy(int64_t offsetMillis) override;
};

}  // namespace mdx::win
