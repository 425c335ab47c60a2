#pragma once
// The main window at the DPI of the monitor it is on: its default size, the move Windows
// suggests when the DPI changes, and icons drawn for the DPI rather than scaled.
#include <windows.h>

#include "settings/settings.h"

namespace mdx::win {

// The default (and reset) rectangle: at the default position, sized so that the client area
// is the map's 578 x 340 pixels at the window's DPI, with the window's present frame.
WindowRect defaultWindowRectFor(HWND hwnd);

// WM_DPICHANGED: takes the rectangle Windows suggests (lParam) for the new DPI.
void applySuggestedDpiRect(HWND hwnd, LPARAM suggested);

// Sets the window's big and small icons from the icon group `iconId`, each picked (or scaled
// down) from the group's own images at the window's DPI: 16 x 16 at 100 %, 24 x 24 at 150 %.
// The icons set by an earlier call are destroyed.
void setWindowIconsForDpi(HWND hwnd, HINSTANCE module, int iconId);

}  // namespace mdx::win
