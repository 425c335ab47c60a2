// mdxshowprobe.dll: loaded by the test driver into meridexa.exe's process, it replaces the
// program's imported ShowWindow with one that appends each show command (SW_MINIMIZE is 6) to
// C:\show-log.txt and then does what Windows' ShowWindow does, so the window behaves as before.
#include <windows.h>

#include <cstdio>

#include "tests/e2e/probe/iat_patch.h"

namespace {

using ShowWindowFn = BOOL(WINAPI*)(HWND, int);
ShowWindowFn realShowWindow = nullptr;

BOOL WINAPI recordingShowWindow(HWND hwnd, int command) {
  if (FILE* f = _wfopen(L"C:\\show-log.txt", L"ab")) {
    std::fprintf(f, "%d\n", command);
    std::fclose(f);
  }
  return realShowWindow(hwnd, command);
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    realShowWindow = &ShowWindow;
    const int patched = probe::patchImport("ShowWindow", reinterpret_cast<void*>(&recordingShowWindow)) ? 1 : 0;
    if (FILE* f = _wfopen(L"C:\\show-probe.txt", L"wb")) {
      std::fprintf(f, "%d\n", patched);
      std::fclose(f);
    }
  }
  return TRUE;
}
