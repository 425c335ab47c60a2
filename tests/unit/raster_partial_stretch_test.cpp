// Restretching part of a picture: where source pixels land in a stretch, the clipped stretch,
// and the rectangles in which two surfaces differ.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "raster/ops.h"
#include "raster/stretch_map.h"
#include "raster/surface_diff.h"

using namespace mdx;

namespace {

// A colour picture in which neighbouring pixels differ, so a misplaced pixel shows.
Surface noisePicture(int w, int h, uint32_t seed) {
  Surface s(w, h, Surface::Depth::Color24);
  for (uint8_t& b : s.data()) {
    seed = seed * 1103515245u + 12345u;
    b = static_cast<uint8_t>(seed >> 16);
  }
  return s;
}

// The destination columns of a one-row stretch that the black source columns a .. b reach:
// under the default stretch mode black wins every combination, so exactly those turn black.
PixelSpan blackColumns(int32_t a, int32_t b, int32_t srcLen, int32_t dstLen) {
  Surface src(srcLen, 1, Surface::Depth::Mono1, kWhite);
  for (int32_t x = a; x <= b; ++x) src.setPixel(x, 0, kBlack);
  Surface dst(dstLen, 1, Surface::Depth::Mono1, kWhite);
  stretchBlt(dst, 0, 0, dstLen, 1, src, 0, 0, srcLen, 1, Rop::SrcCopy);
  PixelSpan span;
  span.first = dstLen;
  for (int32_t x = 0; x < dstLen; ++x)
    if (dst.pixel(x, 0) == kBlack) {
      span.first = std::min(span.first, x);
      span.last = x;
    }
  if (span.last < 0) span = PixelSpan{};
  return span;
}

TEST(StretchMap, SpansAreExactlyThePixelsTheStretchFeeds) {
  // Lengths of the map and of windows at whole, non-integer, enlarging and shrinking scales.
  for (int32_t srcLen : {578, 340, 7}) {
    for (int32_t dstLen : {2, 3, 6, 289, 339, 340, 341, 577, 578, 579, 680, 800, 1156, 1157, 1733}) {
      std::vector<std::pair<int32_t, int32_t>> spans = {{0, 0}, {srcLen - 1, srcLen - 1}, {0, srcLen - 1}};
      for (int32_t a = 1; a < srcLen - 1; a += 37) spans.push_back({a, std::min(srcLen - 1, a + a % 23)});
      for (auto [a, b] : spans) {
        const PixelSpan want = blackColumns(a, b, srcLen, dstLen);
        const PixelSpan got = stretchedSpan(a, b, srcLen, dstLen);
        ASSERT_EQ(got.first, want.first) << srcLen << "->" << dstLen << " [" << a << "," << b << "]";
        ASSERT_EQ(got.last, want.last) << srcLen << "->" << dstLen << " [" << a << "," << b << "]";
      }
    }
  }
}

TEST(StretchMap, EdgesAndDegenerateLengths) {
  EXPECT_TRUE(stretchedSpan(5, 4, 578, 800).empty());
  EXPECT_TRUE(stretchedSpan(600, 700, 578, 800).empty());  // beyond the source
  EXPECT_TRUE(stretchedSpan(0, 3, 0, 800).empty());
  EXPECT_TRUE(stretchedSpan(0, 3, 578, 0).empty());
  // A one-pixel window is fed by the whole map.
  EXPECT_EQ(stretchedSpan(300, 300, 578, 1).first, 0);
  EXPECT_EQ(stretchedSpan(300, 300, 578, 1).last, 0);
  // Spans reaching outside the source are cut to it; nothing overflows near the 32-bit limits.
  const PixelSpan s = stretchedSpan(INT32_MIN, INT32_MAX, 578, 8192);
  EXPECT_EQ(s.first, 0);
  EXPECT_EQ(s.last, 8191);
  const PixelRect r = stretchedRect(PixelRect{570, 330, INT32_MAX, INT32_MAX}, 578, 340, 1156, 680);
  EXPECT_EQ(r, (PixelRect{1140, 660, 16, 20}));
}

TEST(StretchClipped, WritesTheFullStretchInsideTheClipOnly) {
  const Surface src = noisePicture(578, 340, 7);
  for (auto [w, h] : {std::pair<int, int>{800, 450}, {1156, 680}, {300, 170}, {578, 341}}) {
    Surface full(w, h, Surface::Depth::Color24, kBlack);
    stretchBlt(full, 0, 0, w, h, src, 0, 0, 578, 340, Rop::SrcCopy);
    const Rgb untouched{1, 2, 3};
    for (const PixelRect clip : {PixelRect{17, 9, 123, 77}, PixelRect{w - 5, h - 3, 40, 40}, PixelRect{-8, -8, 9, 20}}) {
      Surface part(w, h, Surface::Depth::Color24, untouched);
      stretchBltClipped(part, clip, 0, 0, w, h, src, 0, 0, 578, 340, Rop::SrcCopy);
      const PixelRect in = clip.intersect(PixelRect{0, 0, w, h});
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
          const bool inside = x >= in.x && x < in.x + in.width && y >= in.y && y < in.y + in.height;
          ASSERT_EQ(part.pixel(x, y), inside ? full.pixel(x, y) : untouched) << w << "x" << h << " " << x << "," << y;
        }
    }
  }
}

// Every differing pixel lies in a rectangle, every rectangle stays inside the surface and
// covers only tiles that hold a difference, and no two rectangles overlap.
void expectTightCover(const Surface& now, const Surface& before, const std::vector<PixelRect>& rects, int tile) {
  const PixelRect bounds{0, 0, now.width(), now.height()};
  for (size_t i = 0; i < rects.size(); ++i) {
    EXPECT_EQ(rects[i].intersect(bounds), rects[i]);
    for (size_t j = i + 1; j < rects.size(); ++j) EXPECT_TRUE(rects[i].intersect(rects[j]).empty());
    for (int ty = rects[i].y; ty < rects[i].y + rects[i].height; ty += tile)
      for (int tx = rects[i].x; tx < rects[i].x + rects[i].width; tx += tile) {
        bool differs = false;
        for (int y = ty; y < std::min(ty + tile, now.height()); ++y)
          for (int x = tx; x < std::min(tx + tile, now.width()); ++x) differs |= now.pixel(x, y) != before.pixel(x, y);
        EXPECT_TRUE(differs) << "tile at " << tx << "," << ty << " has no change";
      }
  }
  for (int y = 0; y < now.height(); ++y)
    for (int x = 0; x < now.width(); ++x) {
      if (now.pixel(x, y) == before.pixel(x, y)) continue;
      bool covered = false;
      for (const PixelRect& r : rects) covered |= !r.intersect(PixelRect{x, y, 1, 1}).empty();
      ASSERT_TRUE(covered) << x << "," << y;
    }
}

TEST(ChangeFinder, CoversEveryChangeWithFewTightRectangles) {
  ChangeFinder finder(16);
  std::vector<PixelRect> rects;
  const Surface before = noisePicture(578, 340, 3);
  Surface now = before;
  finder.find(now, before, rects);
  EXPECT_TRUE(rects.empty());

  // A block like a clock dial (tiles 2..4 x 1..3 touched), stray pixels in the partial last
  // tile column and row, and two blocks on the same tile rows.
  for (int y = 20; y < 60; ++y)
    for (int x = 40; x < 75; ++x) now.setPixel(x, y, kBlack);
  now.setPixel(577, 339, Rgb{9, 9, 9});
  now.setPixel(576, 0, Rgb{9, 9, 9});
  for (int y = 200; y < 230; ++y) {
    now.setPixel(100, y, kWhite);
    now.setPixel(400, y, kWhite);
  }
  finder.find(now, before, rects);
  expectTightCover(now, before, rects, 16);
  EXPECT_NE(std::find(rects.begin(), rects.end(), PixelRect{32, 16, 48, 48}), rects.end());  // one block
  EXPECT_LE(rects.size(), 6u);

  // Scattered single-pixel changes anywhere, also in a 1-bit surface.
  uint32_t seed = 11;
  Surface monoBefore(97, 45, Surface::Depth::Mono1, kWhite);
  Surface mono = monoBefore;
  for (int i = 0; i < 40; ++i) {
    seed = seed * 1103515245u + 12345u;
    const int x = static_cast<int>((seed >> 8) % 578), y = static_cast<int>((seed >> 20) % 340);
    now.setPixel(x, y, Rgb{static_cast<uint8_t>(i), 1, 2});
    mono.setPixel(x % 97, y % 45, kBlack);
  }
  finder.find(now, before, rects);
  expectTightCover(now, before, rects, 16);
  ChangeFinder small(5);
  small.find(mono, monoBefore, rects);
  expectTightCover(mono, monoBefore, rects, 5);
}

TEST(ChangeFinder, DifferentShapesChangeEverything) {
  ChangeFinder finder;
  std::vector<PixelRect> rects{PixelRect{1, 1, 1, 1}};
  finder.find(Surface(10, 8, Surface::Depth::Color24), Surface(10, 9, Surface::Depth::Color24), rects);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0], (PixelRect{0, 0, 10, 8}));
  finder.find(Surface(10, 8, Surface::Depth::Color24), Surface(10, 8, Surface::Depth::Mono1), rects);
  EXPECT_EQ(rects.size(), 1u);
  finder.find(Surface(), Surface(), rects);
  EXPECT_TRUE(rects.empty());
}

}  // namespace
