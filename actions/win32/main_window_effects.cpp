#include "actions/win32/main_window_effects.h"

#include <reason.h>

#include "actions/timed_action_engine.h"

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

}  // namespace mdx::win
