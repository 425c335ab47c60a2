// The general transfer, kept as the reference that the fast paths of raster/ops.cpp are
// checked against (see tests/unit/raster_fastpath_test.cpp). It handles every case with one
// per-pixel loop and allocates freely; the program itself never calls it.
//
// Block transfers. Both BitBlt and StretchBlt run through one mapping, the one GDI's DIB
// engine uses: along each axis the destination and source pixels are paired like the points
// of a Bresenham line from (source start, destination start) to (source end, destination
// end), end excluded, with an extra half-step bias so that the pairing is centred:
//  - enlarging (|dst| >= |src|): destination index j shows source index
//        k(j) = floor(((2j + 1) * |src| - 1) / (2 * |dst|));
//  - shrinking (|src| > |dst|): source index k lands on destination index
//        j(k) = floor(((2k + 1) * |dst| - 1) / (2 * |src|)),
//    and all source pixels that land on one destination pixel are combined with AND
//    (stretch mode BLACKONWHITE).
// Index 0 is the pixel at the given start coordinate; a negative size walks leftwards or
// upwards from it, so a negative extent at x covers x + w + 1 .. x. The source is first
// converted to the destination's depth (1-bit 0/1 -> black/white; colour -> 1 only for
// white), then combined with the destination by the raster operation.
// Only pixels inside both surfaces are touched or read; the work is proportional to the
// visible destination pixels plus the source pixels they combine.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "testsupport/ops_reference.h"

namespace mdx {

namespace {

using i128 = __int128;

int64_t floorDiv128(i128 a, i128 b) {  // b > 0
  i128 q = a / b;
  if ((a % b != 0) && (a < 0)) --q;
  return static_cast<int64_t>(q);
}

// One axis of a transfer: for each visible destination coordinate, the range of source
// coordinates (ascending, inside the source) that feed it; lo > hi when none does.
struct Axis {
  int64_t first = 0;  // first visible destination coordinate
  std::vector<int32_t> lo, hi;
  bool empty() const { return lo.empty(); }
};

Axis mapAxis(int64_t dstStart, int64_t dstLen, int64_t dstExtent, int64_t srcStart, int64_t srcLen,
             int64_t srcExtent) {
  Axis axis;
  const int64_t dy = dstLen < 0 ? -dstLen : dstLen;
  const int64_t dx = srcLen < 0 ? -srcLen : srcLen;
  const int64_t dstInc = dstLen < 0 ? -1 : 1;
  const int64_t srcInc = srcLen < 0 ? -1 : 1;
  if (dy == 0 || dx == 0 || dstExtent <= 0 || srcExtent <= 0) return axis;

  // Indices j along the destination whose coordinate dstStart + j * dstInc is visible.
  int64_t jlo, jhi;
  if (dstInc > 0) {
    jlo = std::max<int64_t>(0, -dstStart);
    jhi = std::min<int64_t>(dy - 1, dstExtent - 1 - dstStart);
  } else {
    jlo = std::max<int64_t>(0, dstStart - (dstExtent - 1));
    jhi = std::min<int64_t>(dy - 1, dstStart);
  }
  // Indices k along the source whose coordinate is inside the source.
  int64_t klo, khi;
  if (srcInc > 0) {
    klo = std::max<int64_t>(0, -srcStart);
    khi = std::min<int64_t>(dx - 1, srcExtent - 1 - srcStart);
  } else {
    klo = std::max<int64_t>(0, srcStart - (srcExtent - 1));
    khi = std::min<int64_t>(dx - 1, srcStart);
  }
  if (jlo > jhi || klo > khi) return axis;

  const int64_t count = jhi - jlo + 1;
  axis.lo.assign(static_cast<size_t>(count), 1);
  axis.hi.assign(static_cast<size_t>(count), 0);
  bool any = false;
  auto kToSrc = [&](int64_t k) { return srcStart + k * srcInc; };
  for (int64_t j = jlo; j <= jhi; ++j) {
    int64_t k0, k1;
    if (dy >= dx) {
      k0 = k1 = floorDiv128((2 * static_cast<i128>(j) + 1) * dx - 1, 2 * static_cast<i128>(dy));
    } else {
      k0 = floorDiv128(2 * static_cast<i128>(j) * dx - dy, 2 * static_cast<i128>(dy)) + 1;
      k1 = floorDiv128(2 * static_cast<i128>(j + 1) * dx - dy, 2 * static_cast<i128>(dy));
    }
    k0 = std::max(k0, klo);
    k1 = std::min(k1, khi);
    if (k0 > k1) continue;
    int64_t s0 = kToSrc(k0), s1 = kToSrc(k1);
    if (s0 > s1) std::swap(s0, s1);
    const size_t idx = static_cast<size_t>(dstInc > 0 ? j - jlo : jhi - j);
    axis.lo[idx] = static_cast<int32_t>(s0);
    axis.hi[idx] = static_cast<int32_t>(s1);
    any = true;
  }
  if (!any) {
    axis.lo.clear();
    axis.hi.clear();
    return axis;
  }
  axis.first = dstInc > 0 ? dstStart + jlo * dstInc : dstStart + jhi * dstInc;
  return axis;
}

// Pixel values in the destination's format: packed r | g << 8 | b << 16 for colour, 0 or 1
// for 1-bit.
constexpr uint32_t kWhitePacked = 0xFFFFFF;

inline uint32_t fetch(const Surface& src, bool dstMono, int64_t x, int64_t y) {
  const size_t i = static_cast<size_t>(y) * static_cast<size_t>(src.width()) + static_cast<size_t>(x);
  const std::vector<uint8_t>& d = src.data();
  if (src.depth() == Surface::Depth::Mono1) return dstMono ? d[i] : (d[i] ? kWhitePacked : 0);
  const uint32_t v = d[i * 3] | (d[i * 3 + 1] << 8) | (static_cast<uint32_t>(d[i * 3 + 2]) << 16);
  return dstMono ? (v == kWhitePacked ? 1 : 0) : v;
}

inline void store(Surface& dst, int64_t x, int64_t y, uint32_t v, Rop rop) {
  const size_t i = static_cast<size_t>(y) * static_cast<size_t>(dst.width()) + static_cast<size_t>(x);
  std::vector<uint8_t>& d = dst.data();
  if (dst.depth() == Surface::Depth::Mono1) {
    uint8_t& p = d[i];
    p = static_cast<uint8_t>(rop == Rop::SrcCopy ? v : rop == Rop::SrcAnd ? (p & v) : (p | v));
    return;
  }
  uint8_t* p = &d[i * 3];
  const uint8_t c[3] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16)};
  for (int n = 0; n < 3; ++n) {
    p[n] = rop == Rop::SrcCopy ? c[n] : rop == Rop::SrcAnd ? static_cast<uint8_t>(p[n] & c[n])
                                                          : static_cast<uint8_t>(p[n] | c[n]);
  }
}

void transfer(Surface& dst, int64_t x, int64_t y, int64_t w, int64_t h, const Surface& srcIn, int64_t sx,
              int64_t sy, int64_t sw, int64_t sh, Rop rop) {
  if (dst.empty() || srcIn.empty() || w == 0 || h == 0 || sw == 0 || sh == 0) return;
  // GDI's DIB engine drops the last source column (row) when the destination is one pixel
  // wide (high).
  if (w == 1 && sw > 1) --sw;
  if (h == 1 && sh > 1) --sh;
  const Axis ax = mapAxis(x, w, dst.width(), sx, sw, srcIn.width());
  if (ax.empty()) return;
  const Axis ay = mapAxis(y, h, dst.height(), sy, sh, srcIn.height());
  if (ay.empty()) return;

  // A copy within one surface reads from a snapshot, as if the source were separate.
  Surface snapshot;
  const Surface* srcPtr = &srcIn;
  if (&srcIn == &dst) {
    snapshot = srcIn;
    srcPtr = &snapshot;
  }
  const Surface& src = *srcPtr;

  const bool dstMono = dst.depth() == Surface::Depth::Mono1;
  const uint32_t allOnes = dstMono ? 1 : kWhitePacked;
  // Source column span used by this transfer, for the row accumulator.
  int32_t colMin = INT32_MAX, colMax = INT32_MIN;
  for (size_t i = 0; i < ax.lo.size(); ++i) {
    if (ax.lo[i] > ax.hi[i]) continue;
    colMin = std::min(colMin, ax.lo[i]);
    colMax = std::max(colMax, ax.hi[i]);
  }
  std::vector<uint32_t> rowAnd(static_cast<size_t>(colMax - colMin + 1));
  for (size_t yi = 0; yi < ay.lo.size(); ++yi) {
    if (ay.lo[yi] > ay.hi[yi]) continue;
    std::fill(rowAnd.begin(), rowAnd.end(), allOnes);
    for (int32_t r = ay.lo[yi]; r <= ay.hi[yi]; ++r)
      for (int32_t c = colMin; c <= colMax; ++c) rowAnd[static_cast<size_t>(c - colMin)] &= fetch(src, dstMono, c, r);
    const int64_t dy = ay.first + static_cast<int64_t>(yi);
    for (size_t xi = 0; xi < ax.lo.size(); ++xi) {
      if (ax.lo[xi] > ax.hi[xi]) continue;
      uint32_t v = allOnes;
      for (int32_t c = ax.lo[xi]; c <= ax.hi[xi]; ++c) v &= rowAnd[static_cast<size_t>(c - colMin)];
      store(dst, ax.first + static_cast<int64_t>(xi), dy, v, rop);
    }
  }
}

}  // namespace

namespace reference {

void bitBlt(Surface& dst, int32_t x, int32_t y, int32_t w, int32_t h, const Surface& src, int32_t sx, int32_t sy,
            Rop rop) {
  transfer(dst, x, y, w, h, src, sx, sy, w, h, rop);
}

void stretchBlt(Surface& dst, int32_t x, int32_t y, int32_t w, int32_t h, const Surface& src, int32_t sx,
                int32_t sy, int32_t sw, int32_t sh, Rop rop) {
  transfer(dst, x, y, w, h, src, sx, sy, sw, sh, rop);
}

}  // namespace reference

}  // namespace mdx
