// mdxclockprobe.dll: gives meridexa.exe the rules Windows applies to an ordinary user's program,
// which Wine does not (Wine lets any process ask for the time and only refuses changes over half
// a second). Loaded by the test driver into the running program, it replaces these imports:
//
//  - GetTokenInformation(TokenPrivileges): the answer without SeSystemtimePrivilege, as the token
//    of a standard user or of an administrator's UAC-filtered program lists it;
//  - SetSystemTime, SetLocalTime: fail with ERROR_PRIVILEGE_NOT_HELD, as Windows refuses a
//    process without that privilege;
//  - ShellExecuteExW with the verb "runas": Windows would show the UAC prompt. The file
//    C:\clock-probe-mode.txt holds the user's answer. "decline": fail with ERROR_CANCELLED, as
//    ShellExecuteEx does when the user declines. "accept": start the requested program as Windows
//    would start it elevated (its own process, with the requested parameters, its handle given back
//    for SEE_MASK_NOCLOSEPROCESS), with this probe loaded before it runs and told by the variable
//    MDX_PROBE_ELEVATED that the process is the elevated one. Every request is logged to
//    C:\clock-probe-shellexec.txt.
//
// In every mode, including "observe" (which leaves Wine's own rules in place and replaces nothing
// else), the probe passes SendMessageW on and appends "<shown> <result>" to
// C:\clock-probe-shield.txt for each BCM_SETSHIELD the program sends: Wine's button keeps the
// state without drawing the shield, so this is how the driver sees it.
//
// In the elevated copy SetSystemTime and SetLocalTime set nothing: they append the time asked
// for and the time of the call to C:\clock-probe-set.txt and report success. This machine's
// clock is never touched (the tests also run without CAP_SYS_TIME).
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "tests/e2e/probe/iat_patch.h"

namespace {

HMODULE selfModule = nullptr;
bool elevated = false;
decltype(&GetTokenInformation) realGetTokenInformation = nullptr;
decltype(&ShellExecuteExW) realShellExecuteExW = nullptr;
decltype(&SendMessageW) realSendMessageW = nullptr;

int64_t fileTimeMillis(const FILETIME& ft) {
  return static_cast<int64_t>(((static_cast<uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime) / 10000);
}

void appendLine(const wchar_t* path, const std::string& line) {
  if (FILE* f = _wfopen(path, L"ab")) {
    std::fprintf(f, "%s\n", line.c_str());
    std::fclose(f);
  }
}

std::string narrowText(const wchar_t* w) {
  if (!w) return "";
  const int n = WideCharToMultiByte(CP_UTF8, 0, w, -1, nullptr, 0, nullptr, nullptr);
  std::string s(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, w, -1, s.data(), n, nullptr, nullptr);
  return s;
}

BOOL WINAPI tokenWithoutSystemtime(HANDLE token, TOKEN_INFORMATION_CLASS cls, LPVOID info, DWORD size, PDWORD needed) {
  const BOOL ok = realGetTokenInformation(token, cls, info, size, needed);
  if (!ok || cls != TokenPrivileges || !info) return ok;
  LUID systemtime;
  if (!LookupPrivilegeValueW(nullptr, SE_SYSTEMTIME_NAME, &systemtime)) return ok;
  auto* list = static_cast<TOKEN_PRIVILEGES*>(info);
  DWORD kept = 0;
  for (DWORD i = 0; i < list->PrivilegeCount; ++i) {
    const LUID& luid = list->Privileges[i].Luid;
    if (luid.LowPart == systemtime.LowPart && luid.HighPart == systemtime.HighPart) continue;
    list->Privileges[kept++] = list->Privileges[i];
  }
  list->PrivilegeCount = kept;
  return ok;
}

// Ordinary process: refused. Elevated copy: recorded, clock untouched.
BOOL recordOrRefuse(const char* call, const SYSTEMTIME* asked) {
  if (!elevated) {
    SetLastError(ERROR_PRIVILEGE_NOT_HELD);
    return FALSE;
  }
  FILETIME askedFt{}, nowFt;
  SystemTimeToFileTime(asked, &askedFt);
  GetSystemTimePreciseAsFileTime(&nowFt);
  appendLine(L"C:\\clock-probe-set.txt", std::string(call) + " " + std::to_string(fileTimeMillis(askedFt)) + " " +
                                              std::to_string(fileTimeMillis(nowFt)));
  return TRUE;
}

BOOL WINAPI probeSetSystemTime(const SYSTEMTIME* st) { return recordOrRefuse("SetSystemTime", st); }
BOOL WINAPI probeSetLocalTime(const SYSTEMTIME* st) { return recordOrRefuse("SetLocalTime", st); }

std::string promptAnswer() {
  char answer[32] = {};
  if (FILE* f = _wfopen(L"C:\\clock-probe-mode.txt", L"rb")) {
    if (!std::fgets(answer, sizeof answer, f)) answer[0] = '\0';
    std::fclose(f);
  }
  std::string s(answer);
  while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
  return s;
}

// Loads this probe into a process that has not run yet, as the driver loads it into a running one.
bool loadProbeInto(HANDLE process) {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(selfModule, path, MAX_PATH);
  const SIZE_T bytes = (n + 1) * sizeof(wchar_t);
  void* remote = VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!remote || !WriteProcessMemory(process, remote, path, bytes, nullptr)) return false;
  auto loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
  HANDLE t = CreateRemoteThread(process, nullptr, 0, loadLibrary, remote, 0, nullptr);
  if (!t) return false;
  const bool loaded = WaitForSingleObject(t, 10000) == WAIT_OBJECT_0;
  DWORD module = 0;
  GetExitCodeThread(t, &module);
  CloseHandle(t);
  return loaded && module != 0;
}

BOOL WINAPI probeShellExecuteExW(SHELLEXECUTEINFOW* info) {
  const std::string verb = narrowText(info->lpVerb);
  appendLine(L"C:\\clock-probe-shellexec.txt", verb + "\t" + narrowText(info->lpFile) + "\t" +
                                                    narrowText(info->lpParameters) + "\t" +
                                                    std::to_string(info->fMask));
  if (verb != "runas") return realShellExecuteExW(info);
  if (promptAnswer() != "accept") {
    SetLastError(ERROR_CANCELLED);
    return FALSE;
  }
  std::wstring commandLine = L"\"" + std::wstring(info->lpFile) + L"\"";
  if (info->lpParameters && *info->lpParameters) commandLine += L" " + std::wstring(info->lpParameters);
  STARTUPINFOW si{sizeof si};
  PROCESS_INFORMATION pi{};
  SetEnvironmentVariableW(L"MDX_PROBE_ELEVATED", L"1");
  const BOOL started = CreateProcessW(info->lpFile, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                                      nullptr, nullptr, &si, &pi);
  SetEnvironmentVariableW(L"MDX_PROBE_ELEVATED", nullptr);
  if (!started) return FALSE;
  if (!loadProbeInto(pi.hProcess)) {
    appendLine(L"C:\\clock-probe-shellexec.txt", "probe not loaded into the elevated copy");
    TerminateProcess(pi.hProcess, 1);
  }
  ResumeThread(pi.hThread);
  CloseHandle(pi.hThread);
  info->hInstApp = reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(33));
  if (info->fMask & SEE_MASK_NOCLOSEPROCESS)
    info->hProcess = pi.hProcess;
  else
    CloseHandle(pi.hProcess);
  return TRUE;
}

LRESULT WINAPI recordingSendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = realSendMessageW(window, message, wParam, lParam);
  if (message == BCM_SETSHIELD)
    appendLine(L"C:\\clock-probe-shield.txt", std::to_string(lParam ? 1 : 0) + " " + std::to_string(result));
  return result;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  selfModule = instance;
  wchar_t flag[8] = {};
  elevated = GetEnvironmentVariableW(L"MDX_PROBE_ELEVATED", flag, 8) > 0;
  int patched = 0;
  realSendMessageW = reinterpret_cast<decltype(realSendMessageW)>(
      probe::patchImport("SendMessageW", reinterpret_cast<void*>(&recordingSendMessageW)));
  if (!elevated && promptAnswer() == "observe") {
    appendLine(L"C:\\clock-probe.txt", realSendMessageW ? "observe" : "no SendMessageW");
    return TRUE;
  }
  patched += probe::patchImport("SetSystemTime", reinterpret_cast<void*>(&probeSetSystemTime)) ? 1 : 0;
  probe::patchImport("SetLocalTime", reinterpret_cast<void*>(&probeSetLocalTime));
  if (!elevated) {
    realGetTokenInformation = reinterpret_cast<decltype(realGetTokenInformation)>(
        probe::patchImport("GetTokenInformation", reinterpret_cast<void*>(&tokenWithoutSystemtime)));
    realShellExecuteExW = reinterpret_cast<decltype(realShellExecuteExW)>(
        probe::patchImport("ShellExecuteExW", reinterpret_cast<void*>(&probeShellExecuteExW)));
    patched += (realGetTokenInformation ? 1 : 0) + (realShellExecuteExW ? 1 : 0);
  }
  // Tells the driver the probe is in place: how many of its imports it found.
  appendLine(elevated ? L"C:\\clock-probe-elevated.txt" : L"C:\\clock-probe.txt", std::to_string(patched));
  return TRUE;
}
