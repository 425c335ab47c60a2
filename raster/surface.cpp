#include "raster/surface.h"

#include <cstdint>

namespace mdx {

namespace {
// Larger surfaces are refused (left empty): no picture of this program comes near it, and
// it keeps every pixel count and byte offset well inside 32-bit and size_t arithmetic.
constexpr int64_t kMaxPixels = int64_t{1} << 26;
}  // namespace

Surface::Surface(int width, int height, Depth depth, Rgb fill) : depth_(depth) {
  if (width <= 0 || height <= 0 || int64_t{width} * height > kMaxPixels) return;
  width_ = width;
  height_ = height;
  const size_t pixels = static_cast<size_t>(width) * static_cast<size_t>(height);
  if (depth == Depth::Mono1) {
    data_.assign(pixels, fill == kWhite ? 1 : 0);
  } else {
    data_.resize(pixels * 3);
    for (size_t i = 0; i < pixels; ++i) {
      data_[i * 3] = fill.r;
      data_[i * 3 + 1] = fill.g;
      data_[i * 3 + 2] = fill.b;
    }
  }
}

Rgb Surface::pixel(int x, int y) const {
  if (!contains(x, y)) return kBlack;
  const size_t i = static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
  if (depth_ == Depth::Mono1) return data_[i] ? kWhite : kBlack;
  return Rgb{data_[i * 3], data_[i * 3 + 1], data_[i * 3 + 2]};
}

void Surface::setPixel(int x, int y, Rgb c) {
  if (!contains(x, y)) return;
  const size_t i = static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x);
  if (depth_ == Depth::Mono1) {
    data_[i] = c == kWhite ? 1 : 0;
  } else {
    data_[i * 3] = c.r;
    data_[i * 3 + 1] = c.g;
    data_[i * 3 + 2] = c.b;
  }
}

}  // namespace mdx
