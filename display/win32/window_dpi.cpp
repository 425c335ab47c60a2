#include "display/win32/window_dpi.h"

#include "platform/dpi_scale.h"
#include "platform/win32/dpi.h"

namespace mdx::win {

namespace {
// The map's own size: the client area shows it 1:1 at 100 %.
constexpr int kMapWidth = 578, kMapHeight = 340;

using LoadIconWithScaleDownFn = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);

// The icon group's image of the size, or its next larger image scaled down (comctl32 6), never
// a smaller one scaled up; without comctl32 6, the image LoadImage picks as the closest.
HICON loadIconSized(HINSTANCE module, int iconId, int size) {
  // The manifest makes this comctl32 version 6, which exports it by name.
  static const auto scaleDown = reinterpret_cast<LoadIconWithScaleDownFn>(
      reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(L"comctl32.dll"), "LoadIconWithScaleDown")));
  HICON icon = nullptr;
  if (scaleDown && SUCCEEDED(scaleDown(module, MAKEINTRESOURCEW(iconId), size, size, &icon))) return icon;
  return static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(iconId), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}
}  // namespace

WindowRect defaultWindowRectFor(HWND hwnd) {
  const unsigned dpi = windowDpi(hwnd);
  RECT r{0, 0, scaleForDpi(kMapWidth, dpi), scaleForDpi(kMapHeight, dpi)};
  adjustWindowRectForDpi(r, static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)),
                         static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)), dpi);
  const WindowRect origin;
  return WindowRect{origin.left, origin.top, origin.left + (r.right - r.left), origin.top + (r.bottom - r.top)};
}

void applySuggestedDpiRect(HWND hwnd, LPARAM suggested) {
  const RECT* r = reinterpret_cast<const RECT*>(suggested);
  if (!r) return;
  SetWindowPos(hwnd, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void setWindowIconsForDpi(HWND hwnd, HINSTANCE module, int iconId) {
  const unsigned dpi = windowDpi(hwnd);
  const struct {
    WPARAM which;
    int metric;
  } kinds[] = {{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}};
  for (const auto& k : kinds) {
    HICON icon = loadIconSized(module, iconId, systemMetricForDpi(k.metric, dpi));
    if (!icon) continue;
    // The previous icon came from an earlier call (nothing else sets them).
    auto previous = reinterpret_cast<HICON>(SendMessageW(hwnd, WM_SETICON, k.which, reinterpret_cast<LPARAM>(icon)));
    if (previous && previous != icon) DestroyIcon(previous);
  }
}

}  // namespace mdx::win
