// Most rows of two consecutive frames are equal and are settled by one pass over the row;
// only rows that differ are looked at tile by tile. Tiles are compared by an inline loop (a
// library call per few dozen bytes costs more than the comparison). Whole rows go to memcmp,
// except in the Windows build: there memcmp comes from the C runtime DLL, whose byte loop
// (under Wine) costs several times more than the inline loop. Dirty tiles then become rectangles: each run of
// dirty tiles along a tile row is one rectangle, grown downwards while the next tile row has
// a run with exactly the same columns (moving clock hands and sprites give such blocks).
#include "raster/surface_diff.h"

#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <utility>

namespace mdx {

namespace {

bool sameBytes(const uint8_t* a, const uint8_t* b, size_t n) {
  size_t i = 0;
#if defined(__SSE2__)
  for (; i + 64 <= n; i += 64) {
    const auto load = [](const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
    const __m128i d = _mm_or_si128(_mm_or_si128(_mm_xor_si128(load(a + i), load(b + i)),
                                                _mm_xor_si128(load(a + i + 16), load(b + i + 16))),
                                   _mm_or_si128(_mm_xor_si128(load(a + i + 32), load(b + i + 32)),
                                                _mm_xor_si128(load(a + i + 48), load(b + i + 48))));
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(d, _mm_setzero_si128())) != 0xFFFF) return false;
  }
#endif
  for (; i + 8 <= n; i += 8) {
    uint64_t x, y;
    std::memcpy(&x, a + i, 8);
    std::memcpy(&y, b + i, 8);
    if (x != y) return false;
  }
  for (; i < n; ++i)
    if (a[i] != b[i]) return false;
  return true;
}

bool rowsEqual(const uint8_t* a, const uint8_t* b, size_t n) {
#if defined(_WIN32)
  return sameBytes(a, b, n);
#else
  return std::memcmp(a, b, n) == 0;
#endif
}

}  // namespace

void ChangeFinder::find(const Surface& now, const Surface& before, std::vector<PixelRect>& out) {
  out.clear();
  if (now.empty()) return;
  const int32_t w = now.width(), h = now.height();
  if (before.width() != w || before.height() != h || before.depth() != now.depth()) {
    out.push_back(PixelRect{0, 0, w, h});
    return;
  }
  const size_t bpp = now.depth() == Surface::Depth::Mono1 ? 1 : 3;
  const size_t stride = static_cast<size_t>(w) * bpp;
  const int32_t cols = (w + tile_ - 1) / tile_, rows = (h + tile_ - 1) / tile_;
  dirty_.assign(static_cast<size_t>(cols) * static_cast<size_t>(rows), 0);

  const uint8_t* a = now.data().data();
  const uint8_t* b = before.data().data();
  const size_t tileBytes = static_cast<size_t>(tile_) * bpp;
  bool any = false;
  for (int32_t y = 0; y < h; ++y) {
    const uint8_t* ra = a + static_cast<size_t>(y) * stride;
    const uint8_t* rb = b + static_cast<size_t>(y) * stride;
    if (rowsEqual(ra, rb, stride)) continue;
    uint8_t* flags = &dirty_[static_cast<size_t>(y / tile_) * static_cast<size_t>(cols)];
    for (int32_t c = 0; c < cols; ++c) {
      if (flags[c]) continue;
      const size_t off = static_cast<size_t>(c) * tileBytes;
      const size_t n = off + tileBytes <= stride ? tileBytes : stride - off;
      if (!sameBytes(ra + off, rb + off, n)) flags[c] = any = 1;
    }
  }
  if (!any) return;

  // Rectangles in tile units first; `open` marks the ones that reach the previous tile row.
  size_t openFrom = 0;
  for (int32_t r = 0; r < rows; ++r) {
    const uint8_t* flags = &dirty_[static_cast<size_t>(r) * static_cast<size_t>(cols)];
    const size_t openTo = out.size();
    for (int32_t c = 0; c < cols;) {
      if (!flags[c]) {
        ++c;
        continue;
      }
      int32_t end = c;
      while (end + 1 < cols && flags[end + 1]) ++end;
      bool grown = false;
      for (size_t i = openFrom; i < openTo; ++i) {
        PixelRect& o = out[i];
        if (o.x == c && o.width == end - c + 1 && o.y + o.height == r) {
          ++o.height;
          grown = true;
          break;
        }
      }
      if (!grown) out.push_back(PixelRect{c, r, end - c + 1, 1});
      c = end + 1;
    }
    // Rectangles that did not reach this row are finished; keep them in front.
    size_t keep = openFrom;
    for (size_t i = openFrom; i < out.size(); ++i)
      if (out[i].y + out[i].height != r + 1) std::swap(out[keep++], out[i]);
    openFrom = keep;
  }
  const PixelRect bounds{0, 0, w, h};
  for (PixelRect& t : out)
    t = PixelRect{t.x * tile_, t.y * tile_, t.width * tile_, t.height * tile_}.intersect(bounds);
}

}  // namespace mdx
