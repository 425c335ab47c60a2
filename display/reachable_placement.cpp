#include "display/reachable_placement.h"

#include <algorithm>

namespace mdx {

namespace {

// Wide arithmetic: stored corners may be anywhere in the 32-bit range.
struct Box {
  int64_t left, top, right, bottom;
  int64_t width() const { return right - left; }
  int64_t height() const { return bottom - top; }
};

int64_t overlap(int64_t a0, int64_t a1, int64_t b0, int64_t b1) { return std::max<int64_t>(0, std::min(a1, b1) - std::max(a0, b0)); }

bool reachableOn(const Box& w, const ScreenArea& s) {
  return overlap(w.left, w.right, s.left, s.right) >= kMinVisiblePixels &&
         overlap(w.top, w.bottom, s.top, s.bottom) >= kMinVisiblePixels;
}

// Moves [lo, lo + size) the least distance so that it lies within [min, max), or starts at
// min when it is longer than that span.
int64_t clampStart(int64_t lo, int64_t size, int64_t min, int64_t max) {
  if (size >= max - min) return min;
  return std::clamp(lo, min, max - size);
}

int32_t narrow32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

}  // namespace

WindowRect reachablePlacement(const WindowRect& stored, const std::vector<ScreenArea>& screens) {
  if (screens.empty()) return stored;
  Box w{stored.left, stored.top, stored.right, stored.bottom};

  const WindowRect def;
  if (w.width() < kMinVisiblePixels) w.right = w.left + def.width();
  if (w.height() < kMinVisiblePixels) w.bottom = w.top + def.height();

  Box all{screens[0].left, screens[0].top, screens[0].right, screens[0].bottom};
  for (const auto& s : screens) {
    all.left = std::min<int64_t>(all.left, s.left);
    all.top = std::min<int64_t>(all.top, s.top);
    all.right = std::max<int64_t>(all.right, s.right);
    all.bottom = std::max<int64_t>(all.bottom, s.bottom);
  }
  if (w.width() > all.width()) w.right = w.left + all.width();
  if (w.height() > all.height()) w.bottom = w.top + all.height();

  const bool reachable = std::any_of(screens.begin(), screens.end(), [&](const ScreenArea& s) { return reachableOn(w, s); });
  if (!reachable) {
    const ScreenArea* best = &screens[0];
    int64_t bestArea = 0;
    for (const auto& s : screens) {
      const int64_t a = overlap(w.left, w.right, s.left, s.right) * overlap(w.top, w.bottom, s.top, s.bottom);
      if (a > bestArea) {
        bestArea = a;
        best = &s;
      }
    }
    const int64_t width = w.width(), height = w.height();
    w.left = clampStart(w.left, width, best->left, best->right);
    w.top = clampStart(w.top, height, best->top, best->bottom);
    w.right = w.left + width;
    w.bottom = w.top + height;
  }
  return WindowRect{narrow32(w.left), narrow32(w.top), narrow32(w.right), narrow32(w.bottom)};
}

}  // namespace mdx
