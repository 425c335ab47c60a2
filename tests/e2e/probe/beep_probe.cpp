// mdxbeepprobe.dll: loaded by the test driver into meridexa.exe's process, it replaces the
// program's imported Beep with one that appends "<frequency> <duration>" lines to
// C:\beep-log.txt. Wine's own Beep makes no sound that a test could hear and returns at once,
// so this is how the driver sees which keys beep.
// When C:\beep-probe-mode.txt reads "windows", the Beep acts as Windows' does: it returns
// only when its tone would end, after sleeping for its duration. The probe then also keeps a
// timeline in C:\ui-timeline.txt, "<kind> <milliseconds since 1970>" per line: beep-start and
// beep-end around each tone, tick for each SetTimer of timer 1 (the tick restarts it every
// second) and flash for each FlashWindow, each passed on to the real call.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "tests/e2e/probe/iat_patch.h"

namespace {

using SetTimerFn = UINT_PTR(WINAPI*)(HWND, UINT_PTR, UINT, TIMERPROC);
using FlashWindowFn = BOOL(WINAPI*)(HWND, BOOL);

bool sleepsLikeWindows = false;
SetTimerFn realSetTimer;
FlashWindowFn realFlashWindow;
CRITICAL_SECTION timelineLock;

void mark(const char* kind) {
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  const unsigned long long ms =
      ((static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime) / 10000ULL - 11644473600000ULL;
  EnterCriticalSection(&timelineLock);
  if (FILE* f = _wfopen(L"C:\\ui-timeline.txt", L"ab")) {
    std::fprintf(f, "%s %llu\n", kind, ms);
    std::fclose(f);
  }
  LeaveCriticalSection(&timelineLock);
}

BOOL WINAPI recordingBeep(DWORD frequency, DWORD duration) {
  if (FILE* f = _wfopen(L"C:\\beep-log.txt", L"ab")) {
    std::fprintf(f, "%lu %lu\n", static_cast<unsigned long>(frequency), static_cast<unsigned long>(duration));
    std::fclose(f);
  }
  if (sleepsLikeWindows) {
    mark("beep-start");
    Sleep(duration);
    mark("beep-end");
  }
  return TRUE;
}

UINT_PTR WINAPI recordingSetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  if (id == 1) mark("tick");
  return realSetTimer(window, id, elapse, proc);
}

BOOL WINAPI recordingFlashWindow(HWND window, BOOL invert) {
  mark("flash");
  return realFlashWindow(window, invert);
}

bool readMode() {
  char mode[16] = {};
  FILE* f = _wfopen(L"C:\\beep-probe-mode.txt", L"rb");
  if (!f) return false;
  const bool windows = std::fgets(mode, sizeof mode, f) && std::strncmp(mode, "windows", 7) == 0;
  std::fclose(f);
  return windows;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    InitializeCriticalSection(&timelineLock);
    sleepsLikeWindows = readMode();
    int patched = probe::patchImport("Beep", reinterpret_cast<void*>(&recordingBeep)) ? 1 : 0;
    if (sleepsLikeWindows) {
      realSetTimer = reinterpret_cast<SetTimerFn>(probe::patchImport("SetTimer", reinterpret_cast<void*>(&recordingSetTimer)));
      realFlashWindow =
          reinterpret_cast<FlashWindowFn>(probe::patchImport("FlashWindow", reinterpret_cast<void*>(&recordingFlashWindow)));
      if (!realSetTimer || !realFlashWindow) patched = 0;
    }
    // Tells the driver the probe is in place (and whether it found the imports).
    if (FILE* f = _wfopen(L"C:\\beep-probe.txt", L"wb")) {
      std::fprintf(f, "%d\n", patched);
      std::fclose(f);
    }
  }
  return TRUE;
}
