#include "actions/win32/main_window_effects.h"

#include <utility>

#include <reason.h>

#include "actions/win32/program_launch.h"

namespace mdx::win {

static_assert(kEwxLogOff == EWX_LOGOFF && kEwxShutdown == EWX_SHUTDOWN && kEwxReboot == EWX_REBOOT &&
              kEwxPowerOff == EWX_POWEROFF && kEwxForceIfHung == EWX_FORCEIFHUNG);
static_assert(kExitReasonPlannedOther ==
              (SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER | SHTDN_REASON_FLAG_PLANNED));

MainWindowEffects::MainWindowEffects(HWND mainWindow, std::function<void()> saveSettings, SoundDevice& device)
    : main_(mainWindow), save_(std::move(saveSettings)), device_(device) {}

void MainWindowEffects::saveSettings() {
  if (save_) save_();
}

bool MainWindowEffects::endSession(uint32_t exitWindowsFlags, uint32_t reason) {
  // Without the privilege Windows refuses a restart or shut-down from an ordinary process;
  // log off needs none.
  if (sessionEndNeedsShutdownPrivilege(exitWindowsFlags)) enableShutdownPrivilege();
  return ExitWindowsEx(exitWindowsFlags, reason) != FALSE;
}

void MainWindowEffects::postQuit() { PostMessageW(main_, WM_QUIT, 0, 0); }

void MainWindowEffects::playSound(const std::string& path, SoundKind kind) { mdx::playSound(device_, path, kind); }

void MainWindowEffects::launch(const std::string& commandLine) { launchCommandLine(commandLine, SW_SHOW, main_); }

bool MainWindowEffects::isMinimised() { return IsIconic(main_) != FALSE; }

void MainWindowEffects::restoreWindow() { ShowWindow(main_, SW_RESTORE); }

void MainWindowEffects::setTopMost(bool topMost) {
  SetWindowPos(main_, topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

void MainWindowEffects::flashWindow(bool invert) { FlashWindow(main_, invert ? TRUE : FALSE); }

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
