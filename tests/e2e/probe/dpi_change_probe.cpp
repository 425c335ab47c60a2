// mdxdpiprobe.dll: loaded by the test driver into meridexa.exe's process, it does what Windows
// does when the window moves to a monitor of another DPI: sends WM_DPICHANGED to the main
// window with the new DPI in wParam and the suggested window rectangle in lParam. The DPI and
// the rectangle come from C:\dpi-change.txt ("dpi left top right bottom"); the main window is
// the one the program publishes for a second start. Writes C:\dpi-probe.txt when sent.
#include <windows.h>

#include <cstdint>
#include <cstdio>

namespace {

HWND publishedMainWindow() {
  HANDLE slot = OpenFileMappingW(FILE_MAP_READ, FALSE, L"MERIDEXA.MainWindow");
  if (!slot) return nullptr;
  HWND main = nullptr;
  if (const void* view = MapViewOfFile(slot, FILE_MAP_READ, 0, 0, sizeof(uint64_t))) {
    main = reinterpret_cast<HWND>(static_cast<uintptr_t>(*static_cast<const uint64_t*>(view)));
    UnmapViewOfFile(view);
  }
  CloseHandle(slot);
  return main;
}

DWORD WINAPI sendDpiChange(void*) {
  unsigned dpi = 0;
  RECT suggested{};
  FILE* in = _wfopen(L"C:\\dpi-change.txt", L"rb");
  const bool read = in && std::fscanf(in, "%u %ld %ld %ld %ld", &dpi, &suggested.left, &suggested.top,
                                      &suggested.right, &suggested.bottom) == 5;
  if (in) std::fclose(in);
  HWND main = publishedMainWindow();
  if (read && main)
    SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  if (FILE* f = _wfopen(L"C:\\dpi-probe.txt", L"wb")) {
    std::fprintf(f, "%d\n", read && main ? 1 : 0);
    std::fclose(f);
  }
  return 0;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  // The message is sent from a thread of its own once the loader has finished with this library.
  if (reason == DLL_PROCESS_ATTACH) {
    if (HANDLE t = CreateThread(nullptr, 0, &sendDpiChange, nullptr, 0, nullptr)) CloseHandle(t);
  }
  return TRUE;
}
