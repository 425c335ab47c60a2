#include "actions/win32/program_launch.h"

#include <objbase.h>
#include <shellapi.h>

#include <vector>

#include "actions/launch_command.h"
#include "platform/win32/text.h"

namespace mdx::win {

namespace {

// Windows' error 740; MinGW's headers do not name it.
constexpr DWORD kElevationRequired = 740;  // ERROR_ELEVATION_REQUIRED

struct Target {
  std::wstring program;  // full path of the file CreateProcess will start; empty when none found
  std::wstring arguments;
  std::wstring folder;
};

bool isFile(const std::wstring& path) {
  const DWORD a = GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

// The full path of a candidate that names an existing file: a path as it is, a bare name
// where CreateProcess looks for it (SearchPath: the program's folder, the current folder,
// the system folders, PATH).
std::wstring existingProgram(const std::wstring& candidate) {
  wchar_t full[MAX_PATH * 4] = {};
  const bool hasFolder = candidate.find_first_of(L"\\/:") != std::wstring::npos;
  if (hasFolder) {
    if (!isFile(candidate)) return L"";
    const DWORD n = GetFullPathNameW(candidate.c_str(), static_cast<DWORD>(std::size(full)), full, nullptr);
    return n > 0 && n < std::size(full) ? full : candidate;
  }
  const DWORD n = SearchPathW(nullptr, candidate.c_str(), nullptr, static_cast<DWORD>(std::size(full)), full, nullptr);
  return n > 0 && n < std::size(full) && isFile(full) ? full : L"";
}

Target findTarget(const std::string& commandLine) {
  for (const ProgramCandidate& c : programCandidates(commandLine)) {
    const std::wstring program = existingProgram(widen(c.program));
    if (!program.empty()) return {program, widen(c.arguments), widen(programFolder(narrow(program)))};
  }
  return {};
}

struct ShellStart {
  Target target;
  WORD showCommand;
  HWND owner;
};

// ShellExecuteEx shows the UAC prompt and returns only when it is answered; on a thread of its
// own the clock keeps ticking meanwhile. The shell wants COM on the calling thread.
DWORD WINAPI startThroughShell(LPVOID arg) {
  const ShellStart* start = static_cast<ShellStart*>(arg);
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOASYNC;
  info.hwnd = start->owner;
  info.lpVerb = L"open";
  info.lpFile = start->target.program.c_str();
  info.lpParameters = start->target.arguments.empty() ? nullptr : start->target.arguments.c_str();
  info.lpDirectory = start->target.folder.empty() ? nullptr : start->target.folder.c_str();
  info.nShow = start->showCommand;
  ShellExecuteExW(&info);
  if (SUCCEEDED(com)) CoUninitialize();
  delete start;
  return 0;
}

}  // namespace

bool launchCommandLine(const std::string& commandLine, WORD showCommand, HWND owner) {
  // WinExec takes the command line in the ANSI code page only, so a Japanese path would not
  // survive on a system whose code page cannot spell it. WinExec itself is CreateProcess with
  // the whole command line (no application name, so the platform splits off the program the
  // usual way and searches for it), STARTF_USESHOWWINDOW with the show command, and both
  // handles closed at once; that is done here with the UTF-16 call. No shell is involved, so
  // nothing in the text is interpreted beyond that. WinExec's wait for the new program's
  // first idle input is left out: the caller ignores the result and the tick must not stall.
  const Target target = findTarget(commandLine);
  std::wstring wide = widen(commandLine);
  std::vector<wchar_t> buffer(wide.begin(), wide.end());
  buffer.push_back(L'\0');  // CreateProcessW may write into its command line

  STARTUPINFOW si{};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = showCommand;
  PROCESS_INFORMATION pi{};
  const wchar_t* folder = target.folder.empty() ? nullptr : target.folder.c_str();
  if (CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &si, &pi)) {
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
  }
  // A program whose manifest asks for administrator rights: Explorer would ask UAC, so ask
  // the shell to open it the same way.
  if (GetLastError() != kElevationRequired || target.program.empty()) return false;
  auto* start = new ShellStart{target, showCommand, owner};
  HANDLE thread = CreateThread(nullptr, 0, startThroughShell, start, 0, nullptr);
  if (!thread) {
    delete start;
    return false;
  }
  CloseHandle(thread);
  return true;
}

}  // namespace mdx::win
