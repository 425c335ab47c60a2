#pragma once
// The one-shot clock helper: when the program was started as `meridexa.exe /adjust-clock <ms>`
// (by the time-server dialog, elevated), it moves the clock by the offset and ends. It creates
// no mutex and no window, touches no settings, loads no bitmaps and contacts no server.
namespace mdx::win {

// True when the command line asks for the helper; `exitCode` is then 0 when the clock was moved,
// the Windows error when it was not, and ERROR_INVALID_PARAMETER (nothing done) when the
// arguments are not exactly one valid offset. False: the ordinary start.
bool runAdjustClockOneShot(int& exitCode);

}  // namespace mdx::win
