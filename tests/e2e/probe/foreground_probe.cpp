// mdxforegroundprobe.dll: loaded by the test driver into a meridexa.exe process, it replaces the
// program's imported SetForegroundWindow with Windows' foreground rule, which Wine does not
// enforce. A process may set the foreground window only if it is the foreground process, was
// started by the foreground process, or there is no foreground window (the other permissions,
// the last input event and a debugger, never hold in these tests). Refused, the window's taskbar
// button flashes and the call answers FALSE, as on Windows. Each call appends
// "<process id> <permitted 0/1>" to C:\foreground-log.txt; C:\foreground-probe.txt says how many
// import slots were replaced.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>

#include "tests/e2e/probe/iat_patch.h"

namespace {

using SetForegroundWindowFn = BOOL(WINAPI*)(HWND);
SetForegroundWindowFn realSetForegroundWindow = nullptr;

DWORD parentProcessId() {
  const DWORD self = GetCurrentProcessId();
  DWORD parent = 0;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
    if (entry.th32ProcessID == self) parent = entry.th32ParentProcessID;
  CloseHandle(snapshot);
  return parent;
}

bool mayTakeForeground() {
  HWND foreground = GetForegroundWindow();
  if (foreground == nullptr) return true;
  DWORD owner = 0;
  GetWindowThreadProcessId(foreground, &owner);
  return owner == GetCurrentProcessId() || owner == parentProcessId();
}

BOOL WINAPI ruledSetForegroundWindow(HWND window) {
  const bool permitted = mayTakeForeground();
  if (FILE* f = _wfopen(L"C:\\foreground-log.txt", L"ab")) {
    std::fprintf(f, "%lu %d\n", GetCurrentProcessId(), permitted ? 1 : 0);
    std::fclose(f);
  }
  if (permitted) return realSetForegroundWindow(window);
  FlashWindow(window, TRUE);
  return FALSE;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    realSetForegroundWindow = &SetForegroundWindow;
    const int patched =
        probe::patchImport("SetForegroundWindow", reinterpret_cast<void*>(&ruledSetForegroundWindow)) ? 1 : 0;
    if (FILE* f = _wfopen(L"C:\\foreground-probe.txt", L"wb")) {
      std::fprintf(f, "%d\n", patched);
      std::fclose(f);
    }
  }
  return TRUE;
}
