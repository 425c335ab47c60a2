#pragma once
// Moves the PC clock through an elevated copy of the program: Windows is asked (ShellExecuteExW,
// verb "runas") to run `meridexa.exe /adjust-clock <milliseconds>` with administrator rights,
// which shows the UAC prompt; the copy moves the clock and exits with 0 or the Windows error.
// While the prompt and the copy run, the calling window stays disabled but keeps painting and
// receiving its timers: the request runs on a worker thread and this thread pumps messages.
#include <windows.h>

#include "nettime/clock_mover.h"

namespace mdx::win {

class ElevatedClockMover final : public ClockMover {
 public:
  // The window that owns the prompt and waits for it; set before the first move.
  void attach(HWND window) { window_ = window; }
  ClockMoveResult moveClockBy(int64_t offsetMillis) override;

 private:
  HWND window_ = nullptr;
};

}  // namespace mdx::win
