#pragma once
// The two window-style decisions the options drive; the shell applies them with SetWindowPos
// and SetWindowLongPtrW (see display/win32/surface_bridge.h).
#include <cstdint>

#include "settings/settings.h"

namespace mdx {

// WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX (WS_OVERLAPPEDWINDOW).
constexpr uint32_t kOverlappedWindowStyle = 0x00CF0000u;

// TOP_WINDOW = 1 puts the window into the topmost band; any other value takes it out.
inline bool wantsTopMost(const OptionSettings& o) { return isOn(o.TOP_WINDOW); }

// MAIN_TITLE = 0 keeps the overlapped-window frame (caption, system menu, sizing border,
// minimise and maximise boxes); any other value removes those styles.
inline uint32_t titleBarStyle(uint32_t currentStyle, const OptionSettings& o) {
  return o.MAIN_TITLE == 0 ? (currentStyle | kOverlappedWindowStyle) : (currentStyle & ~kOverlappedWindowStyle);
}

}  // namespace mdx
