#pragma once
// The timed actions' Windows side that the main window's port calls: ending the Windows
// session (with the shutdown privilege where it is needed) and launching a command line the
// way WinExec does.
#include <windows.h>

#include <cstdint>
#include <string>

namespace mdx::win {

// ExitWindowsEx with these flags and reason, after enabling the shutdown privilege when restart
// or shut-down needs it (sessionEndNeedsShutdownPrivilege). True when Windows took the request.
bool endWindowsSession(uint32_t exitWindowsFlags, uint32_t reason);

// Enables SE_SHUTDOWN_NAME in the process token, which restart and shut down need; returns
// whether Windows granted it.
bool enableShutdownPrivilege();

// Starts a command line the way WinExec does, shown with `showCommand`, without waiting for
// it; returns whether the process was created.
bool launchCommandLine(const std::string& commandLine, WORD showCommand);

}  // namespace mdx::win
