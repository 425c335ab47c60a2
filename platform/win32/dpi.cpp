#include "platform/win32/dpi.h"

#include "platform/dpi_scale.h"
#include "platform/win32/system_function.h"

namespace mdx::win {

namespace {
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

// Each looked up once: user32 exports them from Windows 10 1607 on.
GetDpiForWindowFn getDpiForWindow() {
  static const auto fn = systemFunction<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
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
  static const auto fn = systemFunction<GetSystemMetricsForDpiFn>(L"user32.dll", "GetSystemMetricsForDpi");
  return fn ? fn(index, dpi) : GetSystemMetrics(index);
}

void adjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, unsigned dpi) {
  static const auto fn = systemFunction<AdjustWindowRectExForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
  if (!fn || !fn(&rect, style, FALSE, exStyle, dpi)) AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

}  // namespace mdx::win
