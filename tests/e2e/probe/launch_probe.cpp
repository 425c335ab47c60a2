// mdxlaunchprobe.dll: loaded by the test driver into meridexa.exe's process, it stands between
// the program and CreateProcessW and ShellExecuteExW and appends each call to C:\launch-log.txt
// (UTF-8, tab-separated): "create <command line> <current directory>" and
// "shell <verb> <file> <parameters> <directory> <show command>". A command line that names a
// program called needs-admin.exe fails as Windows fails it for a program whose manifest asks
// for administrator rights (ERROR_ELEVATION_REQUIRED); every other one is passed on. The shell
// call starts nothing and reports success, as after a UAC prompt the user accepted.
// C:\launch-probe.txt says whether both imports were replaced.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>

#include "platform/win32/text.h"
#include "tests/e2e/probe/iat_patch.h"

namespace {

// Windows' error 740; MinGW's headers do not name it.
constexpr DWORD kElevationRequired = 740;  // ERROR_ELEVATION_REQUIRED

using mdx::win::narrow;
using CreateProcessFn = BOOL(WINAPI*)(LPCWSTR, LPWSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL, DWORD,
                                      LPVOID, LPCWSTR, LPSTARTUPINFOW, LPPROCESS_INFORMATION);
CreateProcessFn realCreateProcess;

std::string text(const wchar_t* w) { return w ? narrow(w) : "(null)"; }

void record(const std::string& line) {
  if (FILE* f = _wfopen(L"C:\\launch-log.txt", L"ab")) {
    std::fprintf(f, "%s\n", line.c_str());
    std::fclose(f);
  }
}

BOOL WINAPI recordingCreateProcess(LPCWSTR app, LPWSTR cmd, LPSECURITY_ATTRIBUTES pa, LPSECURITY_ATTRIBUTES ta,
                                   BOOL inherit, DWORD flags, LPVOID env, LPCWSTR dir, LPSTARTUPINFOW si,
                                   LPPROCESS_INFORMATION pi) {
  record("create\t" + text(cmd) + "\t" + text(dir));
  if (cmd && std::wstring(cmd).find(L"needs-admin.exe") != std::wstring::npos) {
    SetLastError(kElevationRequired);
    return FALSE;
  }
  return realCreateProcess(app, cmd, pa, ta, inherit, flags, env, dir, si, pi);
}

BOOL WINAPI recordingShellExecuteEx(SHELLEXECUTEINFOW* info) {
  record("shell\t" + text(info->lpVerb) + "\t" + text(info->lpFile) + "\t" + text(info->lpParameters) + "\t" +
         text(info->lpDirectory) + "\t" + std::to_string(info->nShow));
  info->hInstApp = reinterpret_cast<HINSTANCE>(42);
  return TRUE;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    realCreateProcess = reinterpret_cast<CreateProcessFn>(
        probe::patchImport("CreateProcessW", reinterpret_cast<void*>(&recordingCreateProcess)));
    const bool shell = probe::patchImport("ShellExecuteExW", reinterpret_cast<void*>(&recordingShellExecuteEx));
    if (FILE* f = _wfopen(L"C:\\launch-probe.txt", L"wb")) {
      std::fprintf(f, "%d\n", realCreateProcess && shell ? 1 : 0);
      std::fclose(f);
    }
  }
  return TRUE;
}
