#pragma once
// The part of a run of pixels that falls on a surface.
#include <algorithm>
#include <cstdint>

namespace mdx {

// A run of `count` steps t = 0 .. count - 1 from coordinate `start`, moving by `inc` (1 or -1)
// a step: the first and last step whose coordinate lies in [0, extent). Empty when
// first > last.
struct VisibleSteps {
  int64_t first, last;
  bool empty() const { return first > last; }
};

inline VisibleSteps visibleSteps(int64_t start, int64_t inc, int64_t count, int64_t extent) {
  if (inc > 0) return {std::max<int64_t>(0, -start), std::min<int64_t>(count - 1, extent - 1 - start)};
  return {std::max<int64_t>(0, start - (extent - 1)), std::min<int64_t>(count - 1, start)};
}

}  // namespace mdx
