#include "platform/win32/dpi.h"

#include "platform/dpi_scale.h"

namespace mdx::win {

namespace {
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

// Each looked up once: user32 exports them from Windows 10 1607 on.
template <class Fn>
Fn user32Function(const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}
GetDpiForWindowFn getDpiForWindow() {
  static const auto fn = user32Function<GetDpiForWindowFn>("GetDpiForWindow");
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

int systemMetricForDpi(int index, unsigned dpi) {
  static const auto fn = user32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
  return fn ? fn(index, dpi) : GetSystemMetrics(index);
}

void adjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, unsigned dpi) {
  static const auto fn = user32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
  if (!fn || !fn(&rect, style, FALSE, exStyle, dpi)) AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

}  // namespace mdx::win
