// mdxexitprobe.dll: loaded by the test driver into meridexa.exe's process, it replaces the
// program's imported ExitWindowsEx with one that never ends anything. Each call appends
// "<flags> <reason> <shutdown privilege enabled 0/1> <answer 0/1>" to C:\exit-log.txt and answers
// as Windows does: a restart or shut-down from a process whose token does not have
// SE_SHUTDOWN_NAME enabled fails with ERROR_PRIVILEGE_NOT_HELD; while C:\exit-refuse exists
// every call fails with ERROR_ACCESS_DENIED; otherwise the end is "started" and TRUE returned.
// C:\exit-probe.txt says how many import slots were replaced, so the driver can refuse to
// reserve an exit that would reach the real call.
#include <windows.h>

#include <cstdio>

#include "tests/e2e/probe/iat_patch.h"

namespace {

constexpr UINT kNeedsPrivilege = EWX_SHUTDOWN | EWX_REBOOT | EWX_POWEROFF;

bool shutdownPrivilegeEnabled() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  PRIVILEGE_SET set{};
  set.PrivilegeCount = 1;
  set.Control = PRIVILEGE_SET_ALL_NECESSARY;
  BOOL enabled = FALSE;
  const bool ok = LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &set.Privilege[0].Luid) &&
                  PrivilegeCheck(token, &set, &enabled);
  CloseHandle(token);
  return ok && enabled;
}

BOOL WINAPI recordingExitWindowsEx(UINT flags, DWORD reason) {
  const bool privileged = shutdownPrivilegeEnabled();
  DWORD error = ERROR_SUCCESS;
  if ((flags & kNeedsPrivilege) && !privileged) error = ERROR_PRIVILEGE_NOT_HELD;
  if (GetFileAttributesW(L"C:\\exit-refuse") != INVALID_FILE_ATTRIBUTES) error = ERROR_ACCESS_DENIED;
  if (FILE* f = _wfopen(L"C:\\exit-log.txt", L"ab")) {
    std::fprintf(f, "%u %lu %d %d\n", flags, static_cast<unsigned long>(reason), privileged ? 1 : 0,
                 error == ERROR_SUCCESS ? 1 : 0);
    std::fclose(f);
  }
  SetLastError(error);
  return error == ERROR_SUCCESS ? TRUE : FALSE;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    const int patched = probe::patchImport("ExitWindowsEx", reinterpret_cast<void*>(&recordingExitWindowsEx)) ? 1 : 0;
    if (FILE* f = _wfopen(L"C:\\exit-probe.txt", L"wb")) {
      std::fprintf(f, "%d\n", patched);
      std::fclose(f);
    }
  }
  return TRUE;
}
