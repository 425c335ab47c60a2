#include "actions/win32/main_window_effects.h"

#include <vector>

#include <reason.h>

#include "actions/timed_action_engine.h"
#include "platform/win32/text.h"

namespace mdx::win {

static_assert(kEwxLogOff == EWX_LOGOFF && kEwxShutdown == EWX_SHUTDOWN && kEwxReboot == EWX_REBOOT &&
              kEwxPowerOff == EWX_POWEROFF && kEwxForceIfHung == EWX_FORCEIFHUNG);
static_assert(kExitReasonPlannedOther ==
              (SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER | SHTDN_REASON_FLAG_PLANNED));

bool endWindowsSession(uint32_t exitWindowsFlags, uint32_t reason) {
  // Without the privilege Windows refuses a restart or shut-down from an ordinary process;
  // log off needs none.
  if (sessionEndNeedsShutdownPrivilege(exitWindowsFlags)) enableShutdownPrivilege();
  return ExitWindowsEx(exitWindowsFlags, reason) != FALSE;
}

bool enableShutdownPrivilege() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return false;
  TOKEN_PRIVILEGES tp{};
  tp.PrivilegeCount = 1;
  tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  bool ok = LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &tp.Privileges[0].Luid) != FALSE;
  // AdjustTokenPrivileges succeeds even when it could not assign the privilege; the last
  // error tells.
  if (ok) ok = AdjustTokenPrivileges(token, FALSE, &tp, 0, nullptr, nullptr) != FALSE &&
               GetLastError() == ERROR_SUCCESS;
  CloseHandle(token);
  return ok;
}

bool launchCommandLine(const std::string& commandLine, WORD showCommand) {
  // WinExec takes the command line in the ANSI code page only, so a Japanese path would not
  // survive on a system whose code page cannot spell it. WinExec itself is CreateProcess with
  // the whole command line (no application name, so the platform splits off the program the
  // usual way and searches for it), STARTF_USESHOWWINDOW with the show command, and both
  // handles closed at once; that is done here with the UTF-16 call. No shell is involved, so
  // nothing in the text is interpreted beyond that. WinExec's wait for the new program's
  // first idle input is left out: the caller ignores the result and the tick must not stall.
  std::wstring wide = widen(commandLine);
  std::vector<wchar_t> buffer(wide.begin(), wide.end());
  buffer.push_back(L'\0');  // CreateProcessW may write into its command line

  STARTUPINFOW si{};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = showCommand;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return true;
}

}  // namespace mdx::win
