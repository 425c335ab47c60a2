#include "display/win32/window_placement.h"

#include <vector>

#include "display/reachable_placement.h"
#include "display/window_style.h"

static_assert(mdx::kOverlappedWindowStyle == WS_OVERLAPPEDWINDOW, "frame styles of the title bar");

namespace mdx::win {

namespace {
std::vector<ScreenArea> screenWorkAreas() {
  std::vector<ScreenArea> screens;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR m, HDC, LPRECT, LPARAM lp) -> BOOL {
        MONITORINFO mi{};
        mi.cbSize = sizeof mi;
        if (GetMonitorInfoW(m, &mi))
          reinterpret_cast<std::vector<ScreenArea>*>(lp)->push_back(
              {mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.bottom});
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&screens));
  return screens;
}
}  // namespace

void placeWindow(HWND hwnd, const WindowRect& stored) {
  const WindowRect rect = reachablePlacement(stored, screenWorkAreas());
  SetWindowPos(hwnd, nullptr, rect.left, rect.top, rect.width(), rect.height(), SWP_NOZORDER);
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

void applyTitleBarStyle(HWND hwnd, int32_t mainTitle) {
  OptionSettings o;
  o.MAIN_TITLE = mainTitle;
  const auto style = static_cast<uint32_t>(GetWindowLongPtrW(hwnd, GWL_STYLE));
  SetWindowLongPtrW(hwnd, GWL_STYLE, static_cast<LONG_PTR>(titleBarStyle(style, o)));
  // Windows keeps the old frame until SWP_FRAMECHANGED; the outer rectangle, the z-order and
  // the focus stay as they are (no animation, nothing taken from the window the user is in).
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace mdx::win
