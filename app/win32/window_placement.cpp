#include "app/win32/window_placement.h"

namespace mdx::win {

void placeWindow(HWND hwnd, const WindowRect& rect) {
  SetWindowPos(hwnd, HWND_NOTOPMOST, rect.left, rect.top, rect.width(), rect.height(), 0);
}

WindowRect windowRectForSaving(HWND hwnd) {
  RECT r{};
  if (IsIconic(hwnd) || IsZoomed(hwnd)) {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(hwnd, &wp);
    r = wp.rcNormalPosition;
    // The normal position is given in work-area coordinates; move it to screen coordinates.
    MONITORINFO mi{};
    mi.cbSize = sizeof mi;
    if (GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTOPRIMARY), &mi))
      OffsetRect(&r, mi.rcWork.left - mi.rcMonitor.left, mi.rcWork.top - mi.rcMonitor.top);
  } else {
    GetWindowRect(hwnd, &r);
  }
  return WindowRect{r.left, r.top, r.right, r.bottom};
}

void applyTopMost(HWND hwnd, int32_t topWindow) {
  SetWindowPos(hwnd, topWindow == 1 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void applyTitleBarStyle(HWND hwnd, int32_t mainTitle) {
  LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
  if (mainTitle == 0)
    style |= WS_OVERLAPPEDWINDOW;
  else
    style &= ~static_cast<LONG_PTR>(WS_OVERLAPPEDWINDOW);
  SetWindowLongPtrW(hwnd, GWL_STYLE, style);
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace mdx::win
