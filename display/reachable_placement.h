#pragma once
// Where the main window comes up: the stored rectangle, unless that would leave the window
// where nobody can reach it (off every screen, inverted, empty or absurdly large). A window
// without a caption cannot even be dragged back, so the rule is applied at every start.
#include <cstdint>
#include <vector>

#include "settings/settings.h"

namespace mdx {

// A screen's work area in virtual-screen pixels (right and bottom exclusive).
struct ScreenArea {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

// How much of the window must lie on one screen for it to count as reachable: a corner this
// wide and this tall. A window side shorter than this is no side to grab.
constexpr int32_t kMinVisiblePixels = 48;

// The rectangle to place the window at. A stored rectangle that is reachable is kept exactly.
// A side that is inverted, empty or shorter than kMinVisiblePixels takes the default length; one larger than every
// screen together is cut to that size; one that is still not reachable is moved onto the
// screen it overlaps most (the first screen when it overlaps none), as far as it must go and
// no further. With no screens known the stored rectangle is returned unchanged.
WindowRect reachablePlacement(const WindowRect& stored, const std::vector<ScreenArea>& screens);

}  // namespace mdx
