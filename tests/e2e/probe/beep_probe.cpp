// mdxbeepprobe.dll: loaded by the test driver into meridexa.exe's process, it replaces the
// program's imported Beep with one that appends "<frequency> <duration>" lines to
// C:\beep-log.txt and returns at once. Wine's own Beep makes no sound that a test could hear,
// so this is how the driver sees which keys beep.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

BOOL WINAPI recordingBeep(DWORD frequency, DWORD duration) {
  if (FILE* f = _wfopen(L"C:\\beep-log.txt", L"ab")) {
    std::fprintf(f, "%lu %lu\n", static_cast<unsigned long>(frequency), static_cast<unsigned long>(duration));
    std::fclose(f);
  }
  return TRUE;
}

// Points every import slot of the main module named Beep at the recording function.
int patchImports() {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const auto& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  int patched = 0;
  for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp) {
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + (imp->OriginalFirstThunk ? imp->OriginalFirstThunk : imp->FirstThunk));
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), "Beep") != 0) continue;
      DWORD old = 0;
      VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &old);
      slots->u1.Function = reinterpret_cast<ULONG_PTR>(&recordingBeep);
      VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, old, &old);
      ++patched;
    }
  }
  return patched;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    const int patched = patchImports();
    // Tells the driver the probe is in place (and whether it found the import).
    if (FILE* f = _wfopen(L"C:\\beep-probe.txt", L"wb")) {
      std::fprintf(f, "%d\n", patched);
      std::fclose(f);
    }
  }
  return TRUE;
}
