#pragma once
// A rectangle of pixels: left, top, width and height, in surface or window coordinates.
#include <algorithm>
#include <cstdint>

namespace mdx {

struct PixelRect {
  int32_t x = 0, y = 0, width = 0, height = 0;

  bool empty() const { return width <= 0 || height <= 0; }
  bool operator==(const PixelRect& o) const {
    return x == o.x && y == o.y && width == o.width && height == o.height;
  }
  // The common part of two rectangles; an empty rectangle when they do not overlap. Edges are
  // computed in 64 bits, so rectangles anywhere in the 32-bit range are safe.
  PixelRect intersect(const PixelRect& o) const {
    const int64_t l = std::max<int64_t>(x, o.x), t = std::max<int64_t>(y, o.y);
    const int64_t r = std::min<int64_t>(int64_t{x} + width, int64_t{o.x} + o.width);
    const int64_t b = std::min<int64_t>(int64_t{y} + height, int64_t{o.y} + o.height);
    if (l >= r || t >= b) return PixelRect{};
    return PixelRect{static_cast<int32_t>(l), static_cast<int32_t>(t), static_cast<int32_t>(r - l),
                     static_cast<int32_t>(b - t)};
  }
};

}  // namespace mdx
