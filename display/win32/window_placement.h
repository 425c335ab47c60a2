#pragma once
// Placing the main window from the stored rectangle and reading it back for saving.
#include <windows.h>

#include "settings/settings.h"

namespace mdx::win {

// Moves and sizes the window to the stored rectangle, or to the nearest place where it can be
// reached on one of the screens; the z-order is left to the caller.
void placeWindow(HWND hwnd, const WindowRect& rect);

// The rectangle to store: the window's outer rectangle in screen coordinates, or, while it
// is minimised or maximised, the rectangle it returns to when restored, so that the next
// start never places it off-screen or at the minimised position.
WindowRect windowRectForSaving(HWND hwnd);

// MAIN_TITLE 0 gives the window the overlapped-window frame (caption, system menu, sizing
// border, minimise and maximise boxes); any other value removes it. The new frame takes
// effect at once, in the same place and size, without activating the window.
void applyTitleBarStyle(HWND hwnd, int32_t mainTitle);

}  // namespace mdx::win
