#pragma once
// One running copy per session. The first copy holds the named mutex "MERIDEXA" and publishes
// its main window's handle in a small named shared memory; a second start finds that handle
// there (never by the title, which changes every minute), brings the window forward, restored
// if it is minimised, and ends without a window, a message or a settings access.
#include <windows.h>

namespace mdx::win {

// Creates the mutex. True when this is the only copy: `mutex` then holds the handle to keep
// until the program ends. False when another copy runs (the mutex already existed, or it exists
// but is out of reach because that copy runs elevated): its window has been brought forward and
// nothing is left open.
bool becomeTheRunningCopy(HANDLE& mutex);

// The first copy publishes its main window once it exists; kept until the process ends.
void publishMainWindow(HWND main);

}  // namespace mdx::win
