// The main window always comes up where it can be reached.
#include <gtest/gtest.h>

#include <climits>

#include "display/reachable_placement.h"

namespace mdx {
namespace {

const std::vector<ScreenArea> kOneScreen{{0, 0, 1280, 994}};
// A second screen to the left of the first, a little lower.
const std::vector<ScreenArea> kTwoScreens{{0, 0, 1280, 994}, {-1024, 200, 0, 968}};

WindowRect rect(int32_t l, int32_t t, int32_t r, int32_t b) { return WindowRect{l, t, r, b}; }

bool onScreen(const WindowRect& w, const ScreenArea& s) {
  return w.left >= s.left && w.top >= s.top && w.right <= s.right && w.bottom <= s.bottom;
}

TEST(ReachablePlacement, ReachableRectanglesAreKeptExactly) {
  EXPECT_EQ(reachablePlacement(WindowRect{}, kOneScreen), WindowRect{});
  EXPECT_EQ(reachablePlacement(rect(40, 30, 740, 450), kOneScreen), rect(40, 30, 740, 450));
  // Hanging over the edges, as long as a 48-pixel corner stays on the screen.
  EXPECT_EQ(reachablePlacement(rect(-538, -321, 48, 48), kOneScreen), rect(-538, -321, 48, 48));
  EXPECT_EQ(reachablePlacement(rect(1232, 946, 1818, 1315), kOneScreen), rect(1232, 946, 1818, 1315));
  // On the second screen only.
  EXPECT_EQ(reachablePlacement(rect(-900, 300, -314, 669), kTwoScreens), rect(-900, 300, -314, 669));
  // No screens known: nothing to judge by.
  EXPECT_EQ(reachablePlacement(rect(5000, 5000, 5586, 5369), {}), rect(5000, 5000, 5586, 5369));
}

TEST(ReachablePlacement, WindowsOffEveryScreenAreMovedTheLeastDistanceOntoOne) {
  // One pixel short of the visible strip on the right: moved just enough to fit on the screen.
  EXPECT_EQ(reachablePlacement(rect(1233, 100, 1819, 469), kOneScreen), rect(694, 100, 1280, 469));
  // Far below and right: into the bottom-right corner, size kept.
  EXPECT_EQ(reachablePlacement(rect(30000, 40000, 30586, 40369), kOneScreen), rect(694, 625, 1280, 994));
  // In the gap above the second screen: onto the screen it overlaps most (horizontally the
  // second, but neither overlaps in area, so the first screen).
  const WindowRect moved = reachablePlacement(rect(-900, -600, -314, -231), kTwoScreens);
  EXPECT_TRUE(onScreen(moved, kTwoScreens[0])) << moved.left << "," << moved.top;
  // Mostly on the second screen but only 20 pixels tall there: stays on that screen.
  const WindowRect low = reachablePlacement(rect(-900, 948, -314, 1317), kTwoScreens);
  EXPECT_EQ(low, rect(-900, 599, -314, 968));
}

TEST(ReachablePlacement, ExtremeAndInvertedRectanglesComeUpWholeOnTheScreen) {
  const WindowRect def;
  // Inverted: the default size at the stored corner.
  EXPECT_EQ(reachablePlacement(rect(300, 200, 100, 50), kOneScreen), rect(300, 200, 300 + def.width(), 200 + def.height()));
  EXPECT_EQ(reachablePlacement(rect(10, 10, 10, 10), kOneScreen), rect(10, 10, 596, 379));
  EXPECT_EQ(reachablePlacement(rect(10, 10, 57, 600), kOneScreen), rect(10, 10, 596, 600));  // 47 wide
  EXPECT_EQ(reachablePlacement(rect(10, 10, 58, 600), kOneScreen), rect(10, 10, 58, 600));
  for (const WindowRect& r : {rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), rect(INT_MAX, INT_MAX, INT_MIN, INT_MIN),
                              rect(INT_MIN, 0, INT_MIN + 1, 1), rect(INT_MAX - 10, INT_MAX - 10, INT_MAX, INT_MAX),
                              rect(0, INT_MIN, 586, INT_MIN + 369)}) {
    const WindowRect w = reachablePlacement(r, kOneScreen);
    EXPECT_GT(w.width(), 0);
    EXPECT_GT(w.height(), 0);
    EXPECT_TRUE(onScreen(w, kOneScreen[0]) || (w.left <= 1232 && w.top <= 946 && w.right >= 48 && w.bottom >= 48))
        << r.left << "," << r.top << "," << r.right << "," << r.bottom << " -> " << w.left << "," << w.top << ","
        << w.right << "," << w.bottom;
  }
  // Larger than every screen together: cut to the screens' size and put on the screen.
  EXPECT_EQ(reachablePlacement(rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), kOneScreen), rect(0, 0, 1280, 994));
}

}  // namespace
}  // namespace mdx
