#include "nettime/win32/elevated_clock_mover.h"

#include <objbase.h>
#include <shellapi.h>

#include <string>

#include "nettime/adjust_clock_command.h"
#include "platform/win32/text.h"

namespace mdx::win {

namespace {

struct ElevatedRun {
  HWND owner = nullptr;
  std::wstring program;
  std::wstring parameters;
  ClockMoveResult result = ClockMoveResult::Failed;
};

// The worker thread: ShellExecuteExW returns only when the UAC prompt has been answered.
DWORD WINAPI runElevated(void* param) {
  auto& run = *static_cast<ElevatedRun*>(param);
  // The shell may hand the request to COM components: initialise COM as its documentation asks.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC;
  info.hwnd = run.owner;
  info.lpVerb = L"runas";
  info.lpFile = run.program.c_str();
  info.lpParameters = run.parameters.c_str();
  info.nShow = SW_HIDE;
  if (!ShellExecuteExW(&info)) {
    run.result = GetLastError() == ERROR_CANCELLED ? ClockMoveResult::Declined : ClockMoveResult::Failed;
  } else if (info.hProcess) {
    WaitForSingleObject(info.hProcess, INFINITE);
    DWORD code = 1;
    if (GetExitCodeProcess(info.hProcess, &code) && code == 0) run.result = ClockMoveResult::Moved;
    CloseHandle(info.hProcess);
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return 0;
}

std::wstring ownPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

// Dispatches this thread's messages until `handle` is signalled. A quit message met on the way
// is posted again afterwards, for the loop it belongs to.
void pumpUntilSignalled(HANDLE handle) {
  bool quit = false;
  WPARAM quitCode = 0;
  while (MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        quit = true;
        quitCode = msg.wParam;
        continue;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  if (quit) PostQuitMessage(static_cast<int>(quitCode));
}

}  // namespace

ClockMoveResult ElevatedClockMover::moveClockBy(int64_t offsetMillis) {
  ElevatedRun run;
  run.owner = window_;
  run.program = ownPath();
  run.parameters = widen(adjustClockParameters(offsetMillis));

  // No input while the request is out: the window cannot start a second one or close under it.
  HWND focus = GetFocus();
  const bool wasEnabled = window_ && IsWindowEnabled(window_);
  if (wasEnabled) EnableWindow(window_, FALSE);
  HANDLE worker = CreateThread(nullptr, 0, &runElevated, &run, 0, nullptr);
  if (worker) {
    pumpUntilSignalled(worker);
    CloseHandle(worker);
  }
  if (wasEnabled) EnableWindow(window_, TRUE);
  if (focus && IsWindow(focus)) SetFocus(focus);
  return run.result;
}

}  // namespace mdx::win
