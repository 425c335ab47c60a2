// The optimised block transfers against the plain per-pixel reference: random surfaces,
// depths, raster operations, positions and sizes (mirrored, clipped, far outside, 1-pixel
// edge cases, copies within one surface) must give byte-identical destinations.
#include <climits>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "raster/ops.h"
#include "testsupport/ops_reference.h"

namespace mdx {
namespace {

using Depth = Surface::Depth;

class Random {
 public:
  explicit Random(uint32_t seed) : gen_(seed) {}
  int range(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(gen_); }
  bool chance(int percent) { return range(0, 99) < percent; }

  // Pixels biased towards white and black (the values the colour -> 1-bit conversion and the
  // neutral-row skipping care about), with whole rows of one of them now and then.
  Surface surface(int w, int h, Depth depth) {
    Surface s(w, h, depth, kBlack);
    for (int y = 0; y < h; ++y) {
      const int rowKind = range(0, 9);  // 0: all white, 1: all black, else mixed
      for (int x = 0; x < w; ++x) {
        Rgb c;
        const int kind = rowKind <= 1 ? rowKind : range(0, 5);
        if (kind == 0)
          c = kWhite;
        else if (kind == 1)
          c = kBlack;
        else
          c = Rgb{static_cast<uint8_t>(range(0, 255)), static_cast<uint8_t>(range(0, 255)),
                  static_cast<uint8_t>(range(0, 255))};
        s.setPixel(x, y, c);
      }
    }
    return s;
  }

  Depth depth() { return chance(50) ? Depth::Mono1 : Depth::Color24; }
  Rop rop() { return static_cast<Rop>(range(0, 2)); }

  // Mostly small values around the surfaces, sometimes the extremes a stored setting allows.
  int32_t coord(int lo, int hi) {
    if (chance(3)) return chance(50) ? INT32_MIN : INT32_MAX;
    return range(lo, hi);
  }

 private:
  std::mt19937 gen_;
};

struct Call {
  int32_t x, y, w, h, sx, sy, sw, sh;
  Rop rop;
  std::string describe() const {
    std::ostringstream o;
    o << "dst (" << x << ", " << y << ", " << w << " x " << h << ") src (" << sx << ", " << sy << ", " << sw
      << " x " << sh << ") rop " << static_cast<int>(rop);
    return o.str();
  }
};

TEST(RasterFastPath, RandomStretchesMatchTheReference) {
  Random rnd(20261208);
  for (int n = 0; n < 4000; ++n) {
    const Surface src = rnd.surface(rnd.range(1, 30), rnd.range(1, 30), rnd.depth());
    const Surface dstStart = rnd.surface(rnd.range(1, 40), rnd.range(1, 40), rnd.depth());
    Call c{rnd.coord(-45, 45),  rnd.coord(-45, 45), rnd.coord(-70, 70), rnd.coord(-70, 70),
           rnd.coord(-10, 35),  rnd.coord(-10, 35), rnd.coord(-40, 40), rnd.coord(-40, 40),
           rnd.rop()};
    if (rnd.chance(15)) c.w = 1;  // the dropped-last-column rule
    if (rnd.chance(15)) c.h = 1;
    Surface fast = dstStart, slow = dstStart;
    stretchBlt(fast, c.x, c.y, c.w, c.h, src, c.sx, c.sy, c.sw, c.sh, c.rop);
    reference::stretchBlt(slow, c.x, c.y, c.w, c.h, src, c.sx, c.sy, c.sw, c.sh, c.rop);
    ASSERT_EQ(fast.data(), slow.data()) << "case " << n << ": " << c.describe() << " src " << src.width() << "x"
                                        << src.height() << " dst " << dstStart.width() << "x" << dstStart.height();
  }
}

TEST(RasterFastPath, RandomBlockCopiesMatchTheReference) {
  Random rnd(578340);
  for (int n = 0; n < 3000; ++n) {
    const Surface src = rnd.surface(rnd.range(1, 50), rnd.range(1, 30), rnd.depth());
    const Surface dstStart = rnd.surface(rnd.range(1, 50), rnd.range(1, 30), rnd.depth());
    Call c{rnd.coord(-30, 50), rnd.coord(-30, 30), rnd.coord(-60, 60), rnd.coord(-40, 40),
           rnd.coord(-20, 50), rnd.coord(-20, 30), 0,                  0,
           rnd.rop()};
    Surface fast = dstStart, slow = dstStart;
    bitBlt(fast, c.x, c.y, c.w, c.h, src, c.sx, c.sy, c.rop);
    reference::bitBlt(slow, c.x, c.y, c.w, c.h, src, c.sx, c.sy, c.rop);
    ASSERT_EQ(fast.data(), slow.data()) << "case " << n << ": " << c.describe();
  }
}

TEST(RasterFastPath, CopiesWithinOneSurfaceMatchTheReference) {
  Random rnd(7);
  for (int n = 0; n < 1000; ++n) {
    const Surface start = rnd.surface(rnd.range(1, 30), rnd.range(1, 30), rnd.depth());
    Call c{rnd.range(-10, 30), rnd.range(-10, 30), rnd.range(-40, 40), rnd.range(-40, 40),
           rnd.range(-10, 30), rnd.range(-10, 30), rnd.range(-40, 40), rnd.range(-40, 40),
           rnd.rop()};
    Surface fast = start, slow = start;
    stretchBlt(fast, c.x, c.y, c.w, c.h, fast, c.sx, c.sy, c.sw, c.sh, c.rop);
    reference::stretchBlt(slow, c.x, c.y, c.w, c.h, slow, c.sx, c.sy, c.sw, c.sh, c.rop);
    ASSERT_EQ(fast.data(), slow.data()) << "case " << n << ": " << c.describe();
  }
}

// The transfers the frame makes, at their real sizes: the base copy, the night cell's
// stretch over the whole map (one row taller than the map) and the presentation stretches.
TEST(RasterFastPath, FrameSizedTransfersMatchTheReference) {
  Random rnd(340);
  const Surface map = rnd.surface(578, 340, Depth::Color24);
  const Surface sheet = rnd.surface(582, 335, Depth::Color24);
  const Surface overlay = rnd.surface(96, 82, Depth::Mono1);
  struct Case {
    const Surface* src;
    int dstW, dstH;
    Call c;
  } cases[] = {
      {&map, 578, 340, {0, 0, 578, 340, 0, 0, 578, 340, Rop::SrcCopy}},
      {&sheet, 578, 340, {0, 0, 578, 341, 98, 84, 96, 82, Rop::SrcAnd}},
      {&sheet, 578, 340, {0, 0, 578, 341, 486, 252, 96, 82, Rop::SrcAnd}},
      {&overlay, 578, 340, {0, 0, 578, 341, 0, 0, 96, 82, Rop::SrcPaint}},
      {&map, 1156, 680, {0, 0, 1156, 680, 0, 0, 578, 340, Rop::SrcCopy}},
      {&map, 301, 177, {0, 0, 301, 177, 0, 0, 578, 340, Rop::SrcCopy}},
      {&map, 1000, 100, {0, 0, 1000, 100, 0, 0, 578, 340, Rop::SrcCopy}},
  };
  for (const Case& k : cases) {
    Surface fast = rnd.surface(k.dstW, k.dstH, Depth::Color24);
    Surface slow = fast;
    stretchBlt(fast, k.c.x, k.c.y, k.c.w, k.c.h, *k.src, k.c.sx, k.c.sy, k.c.sw, k.c.sh, k.c.rop);
    reference::stretchBlt(slow, k.c.x, k.c.y, k.c.w, k.c.h, *k.src, k.c.sx, k.c.sy, k.c.sw, k.c.sh, k.c.rop);
    EXPECT_EQ(fast.data(), slow.data()) << k.c.describe();
  }
}

}  // namespace
}  // namespace mdx
