#pragma once
// Where source pixels end up in a stretch: the rounding of stretchBlt (raster/ops.h) run
// backwards, so that a changed part of a picture can be restretched alone and come out as
// the same destination pixels as a stretch of the whole.
#include <cstdint>

#include "raster/pixel_rect.h"

namespace mdx {

// Destination pixels first .. last (inclusive); empty when first > last.
struct PixelSpan {
  int32_t first = 0, last = -1;
  bool empty() const { return first > last; }
};

// Along one axis of a stretch of source pixels 0 .. srcLen - 1 onto destination pixels
// 0 .. dstLen - 1 (both lengths positive): the destination pixels whose value depends on any
// of the source pixels first .. last. Those are exactly the pixels that may change when
// only these source pixels change.
PixelSpan stretchedSpan(int32_t first, int32_t last, int32_t srcLen, int32_t dstLen);

// The same for a rectangle of a srcWidth x srcHeight picture stretched onto
// dstWidth x dstHeight at (0, 0).
PixelRect stretchedRect(const PixelRect& src, int32_t srcWidth, int32_t srcHeight, int32_t dstWidth, int32_t dstHeight);

}  // namespace mdx
