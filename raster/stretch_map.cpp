// The stretch pairs destination pixel j with source pixels as raster/ops.cpp describes:
//  - enlarging (dst >= src): j shows source k(j) = floor(((2j + 1) src - 1) / (2 dst)), so
//    k(j) >= a  <=>  j >= (2 dst a + 1 - src) / (2 src)   and
//    k(j) <= b  <=>  j <= (2 dst (b + 1) - src) / (2 src);
//  - shrinking (src > dst): source k lands on j(k) = floor(((2k + 1) dst - 1) / (2 src)),
//    which never decreases with k, so a .. b land on j(a) .. j(b).
// A one-pixel-wide destination is fed by (nearly) the whole source: any change reaches it.
#include "raster/stretch_map.h"

#include <algorithm>

#include "numeric/floor_div.h"

namespace mdx {

namespace {

int64_t ceilDiv(int64_t a, int64_t b) { return -floorDiv(-a, b); }

}  // namespace

PixelSpan stretchedSpan(int32_t first, int32_t last, int32_t srcLen, int32_t dstLen) {
  if (srcLen <= 0 || dstLen <= 0) return PixelSpan{};
  const int64_t a = std::max<int64_t>(first, 0), b = std::min<int64_t>(last, srcLen - 1);
  if (a > b) return PixelSpan{};
  if (dstLen == 1) return PixelSpan{0, 0};
  const int64_t s = srcLen, d = dstLen;
  int64_t lo, hi;
  if (d >= s) {
    lo = ceilDiv(2 * d * a + 1 - s, 2 * s);
    hi = floorDiv(2 * d * (b + 1) - s, 2 * s);
  } else {
    lo = floorDiv((2 * a + 1) * d - 1, 2 * s);
    hi = floorDiv((2 * b + 1) * d - 1, 2 * s);
  }
  lo = std::max<int64_t>(lo, 0);
  hi = std::min<int64_t>(hi, d - 1);
  if (lo > hi) return PixelSpan{};
  return PixelSpan{static_cast<int32_t>(lo), static_cast<int32_t>(hi)};
}

PixelRect stretchedRect(const PixelRect& src, int32_t srcWidth, int32_t srcHeight, int32_t dstWidth,
                        int32_t dstHeight) {
  if (src.empty()) return PixelRect{};
  const PixelSpan cols =
      stretchedSpan(src.x, static_cast<int32_t>(std::min<int64_t>(int64_t{src.x} + src.width - 1, INT32_MAX)),
                    srcWidth, dstWidth);
  const PixelSpan rows =
      stretchedSpan(src.y, static_cast<int32_t>(std::min<int64_t>(int64_t{src.y} + src.height - 1, INT32_MAX)),
                    srcHeight, dstHeight);
  if (cols.empty() || rows.empty()) return PixelRect{};
  return PixelRect{cols.first, rows.first, cols.last - cols.first + 1, rows.last - rows.first + 1};
}

}  // namespace mdx
