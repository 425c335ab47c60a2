#pragma once
// The timed Windows exit as the main window's port asks it: ending the Windows session, with
// the shutdown privilege where it is needed. (Launching is in program_launch.h.)
#include <windows.h>

#include <cstdint>

namespace mdx::win {

// ExitWindowsEx with these flags and reason, after enabling the shutdown privilege when restart
// or shut-down needs it (sessionEndNeedsShutdownPrivilege). True when Windows took the request.
bool endWindowsSession(uint32_t exitWindowsFlags, uint32_t reason);

// Enables SE_SHUTDOWN_NAME in the process token, which restart and shut down need; returns
// whether Windows granted it.
bool enableShutdownPrivilege();

}  // namespace mdx::win
