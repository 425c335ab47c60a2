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
//
// The work is done a destination row at a time, on bytes in the destination's format:
//  1. the source rows feeding the row are converted to the destination's depth and combined
//     with AND (one row when enlarging or 1:1; nothing is copied for a 1:1 row of the same
//     depth),
//  2. that row is mapped through the precomputed column map into a line of the destination's
//     width (no work when the columns map one to one),
//  3. the line is combined with the destination row by copying, AND or OR on whole words.
// Consecutive destination rows fed by the same source rows (an enlarging stretch) reuse the
// line, and a line that cannot change the destination (all ones under AND, all zeros under
// OR) is skipped. All scratch memory is per thread and kept between calls, so a steady
// stream of transfers allocates nothing. testsupport/ops_reference.cpp holds the plain per-pixel
// form of the same mapping, which the tests compare this one against.
#include "raster/ops.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "numeric/floor_div.h"
#include "raster/visible_steps.h"

namespace mdx {

namespace {

using i128 = __int128;

// One axis of a transfer: destination coordinates first .. first + count - 1 are each fed
// by the source coordinates lo[i] .. hi[i] (ascending, inside the source).
struct AxisMap {
  int64_t first = 0;
  size_t count = 0;
  std::vector<int32_t> lo, hi;
  bool single = true;      // every destination pixel has exactly one source pixel
  bool contiguous = true;  // ... and they are consecutive ascending source pixels
  int32_t min = 0, max = 0;  // source span used
};

enum class AxisResult { Empty, Ok, Irregular };

// Fills `axis` for one direction; Irregular if a destination pixel inside the visible run
// had no source pixel. The mapping is monotone and moves at most one destination pixel per
// source pixel, so a clipped run never has such a gap (the tests hold every transfer against
// the per-pixel reference); should one appear, the caller draws nothing rather than guess.
// Only destination coordinates clipLo .. clipHi are mapped.
AxisResult mapAxis(AxisMap& axis, int64_t dstStart, int64_t dstLen, int64_t clipLo, int64_t clipHi,
                   int64_t srcStart, int64_t srcLen, int64_t srcExtent) {
  // Named as the Bresenham line of the mapping sees them: source along x, destination along
  // y, so dx is the source length and dy the destination length (whatever the axis).
  const int64_t dy = dstLen < 0 ? -dstLen : dstLen;
  const int64_t dx = srcLen < 0 ? -srcLen : srcLen;
  const int64_t dstInc = dstLen < 0 ? -1 : 1;
  const int64_t srcInc = srcLen < 0 ? -1 : 1;
  if (dy == 0 || dx == 0 || clipLo > clipHi || srcExtent <= 0) return AxisResult::Empty;

  // Destination indices j inside the clip and source indices k inside the source surface.
  const VisibleSteps dstVisible = visibleSteps(dstStart - clipLo, dstInc, dy, clipHi - clipLo + 1);
  const VisibleSteps srcVisible = visibleSteps(srcStart, srcInc, dx, srcExtent);
  if (dstVisible.empty() || srcVisible.empty()) return AxisResult::Empty;
  const int64_t jlo = dstVisible.first, jhi = dstVisible.last;
  const int64_t klo = srcVisible.first, khi = srcVisible.last;

  // Visible destination indices are at most the destination's extent (< 2^31), so the
  // buffers stay small; the source index sequence is stepped incrementally from one exact
  // 128-bit division, with quotient and non-negative remainder.
  const size_t n = static_cast<size_t>(jhi - jlo + 1);
  axis.lo.resize(n);
  axis.hi.resize(n);
  const int64_t den = 2 * dy;  // < 2^34
  const bool enlarging = dy >= dx;
  const int64_t stepQ = (2 * dx) / den, stepR = (2 * dx) % den;
  int64_t q, r;
  {
    const i128 num = enlarging ? (2 * static_cast<i128>(jlo) + 1) * dx - 1 : 2 * static_cast<i128>(jlo) * dx - dy;
    q = static_cast<int64_t>(floorDivide<i128>(num, den));
    r = static_cast<int64_t>(num - static_cast<i128>(q) * den);
  }
  auto advance = [&] {
    q += stepQ;
    r += stepR;
    if (r >= den) {
      r -= den;
      ++q;
    }
  };
  // Results are gathered in destination-index order, then the run of non-empty entries is
  // located; it comes out ascending in destination coordinates.
  int64_t firstFull = -1, lastFull = -1;
  bool gap = false;
  for (int64_t j = jlo; j <= jhi; ++j) {
    int64_t k0, k1;
    if (enlarging) {
      k0 = k1 = q;
      advance();
    } else {
      k0 = q + 1;
      advance();
      k1 = q;
    }
    k0 = std::max(k0, klo);
    k1 = std::min(k1, khi);
    const size_t idx = static_cast<size_t>(dstInc > 0 ? j - jlo : jhi - j);
    if (k0 > k1) {
      axis.lo[idx] = 1;
      axis.hi[idx] = 0;
      continue;
    }
    int64_t s0 = srcStart + k0 * srcInc, s1 = srcStart + k1 * srcInc;
    if (s0 > s1) std::swap(s0, s1);
    axis.lo[idx] = static_cast<int32_t>(s0);
    axis.hi[idx] = static_cast<int32_t>(s1);
    const int64_t i = static_cast<int64_t>(idx);
    if (firstFull < 0 || i < firstFull) firstFull = i;
    if (i > lastFull) lastFull = i;
  }
  if (firstFull < 0) return AxisResult::Empty;
  for (int64_t i = firstFull; i <= lastFull; ++i)
    if (axis.lo[static_cast<size_t>(i)] > axis.hi[static_cast<size_t>(i)]) gap = true;
  if (gap) return AxisResult::Irregular;

  const int64_t base = dstInc > 0 ? dstStart + jlo : dstStart - jhi;  // coordinate of index 0
  axis.first = base + firstFull;
  axis.count = static_cast<size_t>(lastFull - firstFull + 1);
  if (firstFull > 0) {
    std::copy(axis.lo.begin() + firstFull, axis.lo.begin() + lastFull + 1, axis.lo.begin());
    std::copy(axis.hi.begin() + firstFull, axis.hi.begin() + lastFull + 1, axis.hi.begin());
  }
  axis.single = true;
  axis.contiguous = true;
  axis.min = axis.lo[0];
  axis.max = axis.hi[0];
  for (size_t i = 0; i < axis.count; ++i) {
    if (axis.lo[i] != axis.hi[i]) axis.single = false;
    if (axis.lo[i] != axis.lo[0] + static_cast<int64_t>(i)) axis.contiguous = false;
    axis.min = std::min(axis.min, axis.lo[i]);
    axis.max = std::max(axis.max, axis.hi[i]);
  }
  axis.contiguous = axis.contiguous && axis.single;
  return AxisResult::Ok;
}

struct Scratch {
  AxisMap ax, ay;
  std::vector<uint8_t> acc;    // source rows in the destination's format, columns min .. max
  std::vector<uint8_t> line;   // the mapped destination row
  std::vector<uint32_t> xoff;  // byte offset into acc of each destination column
  Surface snapshot;            // a copy within one surface reads from here
};

Scratch& scratch() {
  thread_local Scratch s;
  return s;
}

// Word-at-a-time combination of a line with a destination row: d = op(d, s) on eight bytes
// at a time, then on the bytes left over.
template <class Op>
void combineBytes(uint8_t* d, const uint8_t* s, size_t n, Op op) {
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    uint64_t a, b;
    std::memcpy(&a, d + i, 8);
    std::memcpy(&b, s + i, 8);
    a = op(a, b);
    std::memcpy(d + i, &a, 8);
  }
  for (; i < n; ++i) d[i] = static_cast<uint8_t>(op(d[i], s[i]));
}

void andBytes(uint8_t* d, const uint8_t* s, size_t n) {
  combineBytes(d, s, n, [](auto a, auto b) { return a & b; });
}
void orBytes(uint8_t* d, const uint8_t* s, size_t n) {
  combineBytes(d, s, n, [](auto a, auto b) { return a | b; });
}

void applyRow(uint8_t* d, const uint8_t* s, size_t n, Rop rop) {
  switch (rop) {
    case Rop::SrcCopy:
      std::memcpy(d, s, n);
      break;
    case Rop::SrcAnd:
      andBytes(d, s, n);
      break;
    case Rop::SrcPaint:
      orBytes(d, s, n);
      break;
  }
}

// Would combining these bytes with the destination change nothing? Checked on the source
// span before mapping: if every source pixel is neutral, so is every pixel made from them.
bool bytesAreNoOp(const uint8_t* p, size_t n, Rop rop, uint8_t ones) {
  if (rop == Rop::SrcCopy) return false;
  const uint8_t neutral = rop == Rop::SrcAnd ? ones : 0;
  uint64_t word;
  std::memset(&word, neutral, sizeof word);
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    uint64_t v;
    std::memcpy(&v, p + i, 8);
    if (v != word) return false;
  }
  for (; i < n; ++i)
    if (p[i] != neutral) return false;
  return true;
}

// Source columns c0 .. c1 of one row, converted to the destination's depth, stored into
// (first row) or ANDed onto (further rows) `out`.
void convertRow(uint8_t* out, const uint8_t* srcRow, int32_t c0, int32_t c1, bool srcMono, bool dstMono,
                bool accumulate) {
  const size_t n = static_cast<size_t>(c1 - c0 + 1);
  if (srcMono == dstMono) {
    const size_t bpp = srcMono ? 1 : 3;
    const uint8_t* s = srcRow + static_cast<size_t>(c0) * bpp;
    if (accumulate)
      andBytes(out, s, n * bpp);
    else
      std::memcpy(out, s, n * bpp);
    return;
  }
  if (srcMono) {  // 0 -> black, 1 -> white
    const uint8_t* s = srcRow + c0;
    for (size_t i = 0; i < n; ++i) {
      const uint8_t v = s[i] ? 0xFF : 0;
      uint8_t* o = out + i * 3;
      if (accumulate) {
        o[0] &= v;
        o[1] &= v;
        o[2] &= v;
      } else {
        o[0] = o[1] = o[2] = v;
      }
    }
    return;
  }
  // colour -> 1-bit: only white is 1
  const uint8_t* s = srcRow + static_cast<size_t>(c0) * 3;
  for (size_t i = 0; i < n; ++i) {
    const uint8_t* p = s + i * 3;
    const uint8_t v = (p[0] == 0xFF && p[1] == 0xFF && p[2] == 0xFF) ? 1 : 0;
    if (accumulate)
      out[i] &= v;
    else
      out[i] = v;
  }
}

// `clip` is already inside the destination surface.
void transfer(Surface& dst, const PixelRect& clip, int64_t x, int64_t y, int64_t w, int64_t h, const Surface& srcIn,
              int64_t sx, int64_t sy, int64_t sw, int64_t sh, Rop rop) {
  if (dst.empty() || srcIn.empty() || clip.empty() || w == 0 || h == 0 || sw == 0 || sh == 0) return;
  // GDI's DIB engine drops the last source column (row) when the destination is one pixel
  // wide (high).
  if (w == 1 && sw > 1) --sw;
  if (h == 1 && sh > 1) --sh;
  Scratch& sc = scratch();
  const AxisResult rx =
      mapAxis(sc.ax, x, w, clip.x, int64_t{clip.x} + clip.width - 1, sx, sw, srcIn.width());
  if (rx == AxisResult::Empty) return;
  const AxisResult ry =
      rx == AxisResult::Ok ? mapAxis(sc.ay, y, h, clip.y, int64_t{clip.y} + clip.height - 1, sy, sh, srcIn.height())
                           : rx;
  if (ry == AxisResult::Empty) return;
  if (rx == AxisResult::Irregular || ry == AxisResult::Irregular) return;

  const Surface* srcPtr = &srcIn;
  if (&srcIn == &dst) {
    sc.snapshot = srcIn;  // reuses the snapshot's storage once it is large enough
    srcPtr = &sc.snapshot;
  }
  const Surface& src = *srcPtr;
  const AxisMap& ax = sc.ax;
  const AxisMap& ay = sc.ay;

  const bool dstMono = dst.depth() == Surface::Depth::Mono1;
  const bool srcMono = src.depth() == Surface::Depth::Mono1;
  const size_t bpp = dstMono ? 1 : 3;
  const size_t srcBpp = srcMono ? 1 : 3;
  const uint8_t ones = dstMono ? 1 : 0xFF;
  const size_t lineBytes = ax.count * bpp;
  const size_t spanBytes = static_cast<size_t>(ax.max - ax.min + 1) * bpp;
  // One byte of slack behind each buffer lets the colour gather move pixels as 4-byte words.
  if (sc.acc.size() < spanBytes + 1) sc.acc.resize(spanBytes + 1);
  if (sc.line.size() < lineBytes + 1) sc.line.resize(lineBytes + 1);
  if (!ax.contiguous) {
    if (sc.xoff.size() < ax.count) sc.xoff.resize(ax.count);
    for (size_t i = 0; i < ax.count; ++i) sc.xoff[i] = static_cast<uint32_t>((ax.lo[i] - ax.min) * bpp);
  }

  const uint8_t* srcData = src.data().data();
  const uint8_t* srcEnd = srcData + src.data().size();
  const size_t srcStride = static_cast<size_t>(src.width()) * srcBpp;
  uint8_t* dstData = dst.data().data();
  const size_t dstStride = static_cast<size_t>(dst.width()) * bpp;

  const uint8_t* line = nullptr;
  bool noOp = false, built = false;
  int32_t prevLo = 1, prevHi = 0;
  for (size_t yi = 0; yi < ay.count; ++yi) {
    const int32_t r0 = ay.lo[yi], r1 = ay.hi[yi];
    if (!built || r0 != prevLo || r1 != prevHi) {
      built = true;
      prevLo = r0;
      prevHi = r1;
      // 1. the source rows in the destination's format, columns ax.min .. ax.max
      const uint8_t* acc;
      bool accSlack = true;
      if (r0 == r1 && srcMono == dstMono) {
        acc = srcData + static_cast<size_t>(r0) * srcStride + static_cast<size_t>(ax.min) * bpp;
        accSlack = acc + spanBytes < srcEnd;
      } else {
        for (int32_t r = r0; r <= r1; ++r)
          convertRow(sc.acc.data(), srcData + static_cast<size_t>(r) * srcStride, ax.min, ax.max, srcMono, dstMono,
                     r != r0);
        acc = sc.acc.data();
      }
      noOp = bytesAreNoOp(acc, spanBytes, rop, ones);
      if (noOp) continue;
      // 2. through the column map
      if (ax.contiguous) {
        line = acc;
      } else {
        uint8_t* out = sc.line.data();
        if (ax.single) {
          if (bpp == 3 && accSlack) {
            // Each pixel as a 4-byte word; the stray fourth byte is overwritten by the next
            // pixel or lands in the slack.
            for (size_t i = 0; i < ax.count; ++i) {
              uint32_t v;
              std::memcpy(&v, acc + sc.xoff[i], 4);
              std::memcpy(out + i * 3, &v, 4);
            }
          } else if (bpp == 3) {
            for (size_t i = 0; i < ax.count; ++i) {
              const uint8_t* p = acc + sc.xoff[i];
              out[i * 3] = p[0];
              out[i * 3 + 1] = p[1];
              out[i * 3 + 2] = p[2];
            }
          } else {
            for (size_t i = 0; i < ax.count; ++i) out[i] = acc[sc.xoff[i]];
          }
        } else {
          for (size_t i = 0; i < ax.count; ++i) {
            const uint8_t* p = acc + sc.xoff[i];
            const size_t cols = static_cast<size_t>(ax.hi[i] - ax.lo[i] + 1);
            if (bpp == 3) {
              uint8_t v0 = 0xFF, v1 = 0xFF, v2 = 0xFF;
              for (size_t c = 0; c < cols; ++c) {
                v0 &= p[c * 3];
                v1 &= p[c * 3 + 1];
                v2 &= p[c * 3 + 2];
              }
              out[i * 3] = v0;
              out[i * 3 + 1] = v1;
              out[i * 3 + 2] = v2;
            } else {
              uint8_t v = 1;
              for (size_t c = 0; c < cols; ++c) v &= p[c];
              out[i] = v;
            }
          }
        }
        line = out;
      }
    }
    // 3. onto the destination row
    if (noOp) continue;
    uint8_t* d = dstData + static_cast<size_t>(ay.first + static_cast<int64_t>(yi)) * dstStride +
                 static_cast<size_t>(ax.first) * bpp;
    applyRow(d, line, lineBytes, rop);
  }
}

}  // namespace

void bitBlt(Surface& dst, int32_t x, int32_t y, int32_t w, int32_t h, const Surface& src, int32_t sx, int32_t sy,
            Rop rop) {
  transfer(dst, PixelRect{0, 0, dst.width(), dst.height()}, x, y, w, h, src, sx, sy, w, h, rop);
}

void stretchBlt(Surface& dst, int32_t x, int32_t y, int32_t w, int32_t h, const Surface& src, int32_t sx,
                int32_t sy, int32_t sw, int32_t sh, Rop rop) {
  transfer(dst, PixelRect{0, 0, dst.width(), dst.height()}, x, y, w, h, src, sx, sy, sw, sh, rop);
}

void stretchBltClipped(Surface& dst, const PixelRect& clip, int32_t x, int32_t y, int32_t w, int32_t h,
                       const Surface& src, int32_t sx, int32_t sy, int32_t sw, int32_t sh, Rop rop) {
  transfer(dst, clip.intersect(PixelRect{0, 0, dst.width(), dst.height()}), x, y, w, h, src, sx, sy, sw, sh, rop);
}

}  // namespace mdx
