#include "platform/win32/dpi.h"

#include "platform/dpi_scale.h"

namespace mdx::win {

namespace {
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

// Looked up once: user32 exports it from Windows 10 1607 on.
GetDpiForWindowFn getDpiForWindow() {
  static const auto fn = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  return fn;
}

unsigned screenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<unsigned>(dpi) : kBaseDpi;
}
}  // namespace

unsigned windowDpi(HWND hwnd) {
  if (const auto fn = getDpiForWindow()) {
    if (const UINT dpi = fn(hwnd)) return dpi;  // 0 for a window handle that is not valid
  }
  return screenDpi();
}

int scaleForWindow(HWND hwnd, int designed) { return scaleForDpi(designed, windowDpi(hwnd)); }

}  // namespace mdx::win
