#pragma once
// Where a surface differs from an earlier copy of itself: compared a row at a time, recorded
// in square tiles, and handed back as a few rectangles of whole tiles.
#include <cstdint>
#include <vector>

#include "raster/pixel_rect.h"
#include "raster/surface.h"

namespace mdx {

class ChangeFinder {
 public:
  explicit ChangeFinder(int32_t tileSize = 16) : tile_(tileSize < 1 ? 1 : tileSize) {}

  // Replaces `out` with rectangles, inside the surfaces, that together cover every pixel in
  // which `now` and `before` differ, and only tiles that hold such a pixel. Surfaces of
  // different sizes or depths count as different everywhere (one rectangle over `now`).
  // Working memory is kept between calls, so the same sizes allocate nothing.
  void find(const Surface& now, const Surface& before, std::vector<PixelRect>& out);

 private:
  int32_t tile_;
  std::vector<uint8_t> dirty_;  // one flag per tile, row by row
};

}  // namespace mdx
