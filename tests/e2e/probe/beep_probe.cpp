// mdxbeepprobe.dll: loaded by the test driver into meridexa.exe's process, it replaces the
// program's imported Beep with one that appends "<frequency> <duration>" lines to
// C:\beep-log.txt and returns at once. Wine's own Beep makes no sound that a test could hear,
// so this is how the driver sees which keys beep.
#include <windows.h>

#include <cstdio>

#include "tests/e2e/probe/iat_patch.h"

namespace {

BOOL WINAPI recordingBeep(DWORD frequency, DWORD duration) {
  if (FILE* f = _wfopen(L"C:\\beep-log.txt", L"ab")) {
    std::fprintf(f, "%lu %lu\n", static_cast<unsigned long>(frequency), static_cast<unsigned long>(duration));
    std::fclose(f);
  }
  return TRUE;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    const int patched = probe::patchImport("Beep", reinterpret_cast<void*>(&recordingBeep)) ? 1 : 0;
    // Tells the driver the probe is in place (and whether it found the import).
    if (FILE* f = _wfopen(L"C:\\beep-probe.txt", L"wb")) {
      std::fprintf(f, "%d\n", patched);
      std::fclose(f);
    }
  }
  return TRUE;
}
