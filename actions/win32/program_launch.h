#pragma once
// Starts a reserved program's command line as WinExec would, in the program's own folder (as
// Explorer starts a shortcut), and, when Windows answers that the program asks for
// administrator rights, through the shell, which shows the UAC prompt.
#include <windows.h>

#include <string>

namespace mdx::win {

// Starts `commandLine` shown with `showCommand`, without waiting for it; returns whether the
// program was started (or handed to the shell). `owner` owns the shell's prompts.
bool launchCommandLine(const std::string& commandLine, WORD showCommand, HWND owner);

}  // namespace mdx::win
