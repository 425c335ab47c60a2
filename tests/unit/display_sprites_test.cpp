// The sprites' random draw and the aeroplane and typhoon walks.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "display/frame.h"
#include "display/map_overlays.h"
#include "raster/ops.h"
#include "tests/unit/display_test_support.h"

using namespace mdx;
using namespace mdx::testing;

namespace {

FakeClock atSeconds(int64_t seconds) { return FakeClock(seconds * 1000, 0); }

TEST(DisplayEventRandom, ClassicRuntimeGenerator) {
  EXPECT_EQ(firstRandAfterSeed(0), 38);
  EXPECT_EQ(firstRandAfterSeed(1), 41);
  EXPECT_EQ(firstRandAfterSeed(0xFFFFFFFFu), 32767 & static_cast<int32_t>((0xFFFFFFFFu * 214013u + 2531011u) >> 16));
  for (uint32_t seed = 0; seed < 100000; seed += 7) {
    const int32_t r = firstRandAfterSeed(seed * 2654435761u);
    ASSERT_GE(r, 0);
    ASSERT_LE(r, 32767);
  }
}

TEST(DisplayEventRandom, BoundsAndSmallRanges) {
  int ones = 0, twos = 0;
  for (int64_t t = 1700000000; t < 1700080000; ++t) {
    const FakeClock c = atSeconds(t);
    const int32_t v8 = eventRandom(c.nowSeconds(), 8, 1);
    ASSERT_GE(v8, 1);
    ASSERT_LE(v8, 7);
    ones += v8 == 1;
    twos += v8 == 2;
    const int32_t v200 = eventRandom(c.nowSeconds(), 200, 1);
    ASSERT_GE(v200, 1);
    ASSERT_LE(v200, 199);
    for (int32_t n : {1, 0, -1}) ASSERT_EQ(eventRandom(c.nowSeconds(), n, 1), 1);
    const int32_t neg = eventRandom(c.nowSeconds(), -8, 2);
    ASSERT_GE(neg, 1);
    ASSERT_LE(neg, 7);
    ASSERT_GE(eventRandom(c.nowSeconds(), INT_MIN, 1), 1);
    ASSERT_GE(eventRandom(c.nowSeconds(), INT_MAX, INT_MIN), 1);
  }
  // 0 is reported as 1, so 1 comes about twice as often as any other value.
  EXPECT_GT(ones, twos * 17 / 10);
  EXPECT_LT(ones, twos * 23 / 10);
}

TEST(DisplayEventRandom, ReseededFromTimeTimesK) {
  const FakeClock t = atSeconds(1765432100);
  const FakeClock twice = atSeconds(2 * int64_t{1765432100});
  EXPECT_EQ(eventRandom(t.nowSeconds(), 30000, 2), eventRandom(twice.nowSeconds(), 30000, 1));
  EXPECT_EQ(eventRandom(t.nowSeconds(), 30000, 1), eventRandom(t.nowSeconds(), 30000, 1));  // same second, same draw
  // Milliseconds do not matter, only whole seconds.
  FakeClock later(int64_t{1765432100} * 1000 + 999, 0);
  EXPECT_EQ(eventRandom(later.nowSeconds(), 30000, 1), eventRandom(t.nowSeconds(), 30000, 1));
}

TEST(DisplayPlane, FirstStepStartsALegFromTheClientSize) {
  for (int64_t t = 1765432100; t < 1765432160; ++t) {
    Scene sc;
    sc.clock = atSeconds(t);
    drawPlane(sc.ctx, sc.clock.nowSeconds());
    const PlaneState& p = sc.state.plane;
    ASSERT_GE(p.direction, 1);
    ASSERT_LE(p.direction, 7);
    ASSERT_GE(p.legLength, 1);
    ASSERT_LE(p.legLength, 199);
    const int32_t startX = eventRandom(sc.clock.nowSeconds(), 578 - 50, 1);
    const int32_t startY = eventRandom(sc.clock.nowSeconds(), 341 - 50, 1);
    EXPECT_LE(std::abs(p.x - startX), 1);
    EXPECT_LE(std::abs(p.y - startY), 1);
    EXPECT_TRUE(p.stepCount == 1 || p.stepCount == p.legLength);
  }
}

TEST(DisplayPlane, WalksStraightUntilTheLegEnds) {
  Scene sc;
  sc.clock = atSeconds(1765432100);
  drawPlane(sc.ctx, sc.clock.nowSeconds());
  int legs = 0;
  for (int frame = 0; frame < 2000; ++frame) {
    const PlaneState before = sc.state.plane;
    sc.clock.advanceMillis(1000);
    drawPlane(sc.ctx, sc.clock.nowSeconds());
    const PlaneState& p = sc.state.plane;
    if (before.stepCount == before.legLength) {
      ++legs;
      EXPECT_EQ(p.stepCount == p.legLength || p.stepCount == 1, true);
      continue;
    }
    // Inside a leg the direction holds and each step moves by at most one pixel each way.
    EXPECT_EQ(p.direction, before.direction);
    EXPECT_LE(std::abs(p.x - before.x), 1);
    EXPECT_LE(std::abs(p.y - before.y), 1);
    EXPECT_TRUE(p.stepCount == before.stepCount + 1 || p.stepCount == p.legLength);
    // The horizontal edge test ends the leg at once.
    if (p.x < 1 || p.x + 65 >= sc.state.clientWidth) EXPECT_EQ(p.stepCount, p.legLength);
  }
  EXPECT_GT(legs, 5);
}

TEST(DisplayPlane, DrawnWithMaskAndImageAtItsPlace) {
  Scene sc;
  // Every frame of the mask is a solid shape; the images are red at x 67 (flying right).
  for (int y = 0; y < 33; ++y)
    for (int x = 0; x < 268; ++x) {
      sc.surfaces.PlaneMaskSurface.setPixel(x, y, kBlack);
      sc.surfaces.PlaneImageSurface.setPixel(x, y, x >= 67 && x < 132 ? Rgb{255, 0, 0} : Rgb{0, 0, 255});
    }
  sc.settings.option.D_EVENT1 = 1;
  for (int64_t t = 1765432100; t < 1765432130; ++t) {
    sc.clock = atSeconds(t);
    composeFrame(sc.ctx, sc.clock.nowSeconds());
    const PlaneState& p = sc.state.plane;
    if (p.x < 0 || p.y < 0 || p.x + 65 > 578 || p.y + 33 > 340) continue;
    const bool right = p.direction == 1 || p.direction == 3 || p.direction == 5;
    const bool down = p.direction == 7;
    const Rgb expected = right ? Rgb{255, 0, 0} : Rgb{0, 0, 255};
    EXPECT_EQ(sc.at(p.x, p.y), expected) << "direction " << p.direction;
    EXPECT_EQ(sc.at(p.x + 64, p.y + 32), expected);
    if (!down) EXPECT_NE(sc.at(p.x + 65, p.y), expected);
  }
}

TEST(DisplayPlane, NarrowWindowEndsEveryLegAtOnce) {
  Scene sc;
  sc.state.setClientSize(40, 30);
  for (int64_t t = 1765432100; t < 1765432140; ++t) {
    sc.clock = atSeconds(t);
    drawPlane(sc.ctx, sc.clock.nowSeconds());
    EXPECT_EQ(sc.state.plane.stepCount, sc.state.plane.legLength);
    EXPECT_LE(sc.state.plane.x, 10);
  }
}

TEST(DisplaySprites, ReproducibleAndFrozenWhileSwitchedOff) {
  Scene a, b;
  a.settings.option.D_EVENT1 = b.settings.option.D_EVENT1 = 1;
  for (Scene* s : {&a, &b}) {
    for (int y = 0; y < 35; ++y)
      for (int x = 0; x < 268; ++x) s->surfaces.PlaneMaskSurface.setPixel(x, y, (x + y) % 3 ? kWhite : kBlack);
    s->clock = atSeconds(1765432100);
  }
  for (int i = 0; i < 300; ++i) {
    composeFrame(a.ctx, a.clock.nowSeconds());
    composeFrame(b.ctx, b.clock.nowSeconds());
    a.clock.advanceMillis(1000);
    b.clock.advanceMillis(1000);
  }
  EXPECT_EQ(a.work().data(), b.work().data());
  EXPECT_EQ(a.state.plane.x, b.state.plane.x);
  EXPECT_EQ(a.state.typhoon.y, b.state.typhoon.y);

  a.settings.option.D_EVENT1 = 0;
  const PlaneState plane = a.state.plane;
  const TyphoonState typhoon = a.state.typhoon;
  composeFrame(a.ctx, a.clock.nowSeconds());
  EXPECT_EQ(a.state.plane.x, plane.x);
  EXPECT_EQ(a.state.plane.stepCount, plane.stepCount);
  EXPECT_EQ(a.state.typhoon.frameCounter, typhoon.frameCounter);
  a.settings.option.D_EVENT1 = 1;
  composeFrame(a.ctx, a.clock.nowSeconds());  // continues where it stopped
  EXPECT_TRUE(a.state.plane.stepCount == plane.stepCount + 1 || a.state.plane.stepCount == a.state.plane.legLength ||
              plane.stepCount == plane.legLength);
}

TEST(DisplayTyphoon, TwitchesOnlyWhenTheHoldRunsOut) {
  Scene sc;
  sc.clock = atSeconds(1765432100);
  drawTyphoon(sc.ctx, sc.clock.nowSeconds());
  const TyphoonState& t = sc.state.typhoon;
  // The first step starts a leg and twitches with frame counter 1: one pixel right and down.
  EXPECT_EQ(t.frameTick, 1);
  EXPECT_GE(t.frameHold, 1);
  EXPECT_LE(t.frameHold, 7);
  EXPECT_EQ(t.frameCounter, 2);
  EXPECT_EQ(t.x, eventRandom(sc.clock.nowSeconds(), 578 - 70, 2) + 1);
  EXPECT_EQ(t.y, eventRandom(sc.clock.nowSeconds(), 341 - 70, 2) + 1);

  for (int i = 0; i < 1000; ++i) {
    const TyphoonState before = t;
    sc.clock.advanceMillis(1000);
    drawTyphoon(sc.ctx, sc.clock.nowSeconds());
    EXPECT_GE(t.frameCounter, 1);
    EXPECT_LE(t.frameCounter, 8);
    if (before.stepCount == before.legLength) continue;  // a new leg jumps
    if (before.frameTick == before.frameHold) {
      EXPECT_EQ(t.frameTick, 1);
      EXPECT_LE(std::abs(t.x - before.x) + std::abs(t.y - before.y), 2);
    } else {
      EXPECT_EQ(t.frameTick, before.frameTick + 1);
      EXPECT_EQ(t.x, before.x);
      EXPECT_EQ(t.y, before.y);
    }
    if (t.x <= 0 || t.y <= 0 || t.x + 59 >= 578 || t.y + 59 >= 341) EXPECT_EQ(t.stepCount, t.legLength);
  }
}

TEST(DisplayTyphoon, DrawnWithTheRestingPhaseBetweenTwitches) {
  Scene sc;
  // Each phase of the image has its own colour; the masks are solid.
  const Rgb phases[4] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}};
  for (int y = 0; y < 59; ++y)
    for (int x = 0; x < 239; ++x) {
      sc.surfaces.TyphoonMaskSurface.setPixel(x, y, kBlack);
      sc.surfaces.TyphoonImageSurface.setPixel(x, y, phases[std::min(x / 60, 3)]);
    }
  sc.clock = atSeconds(1765432100);
  for (int i = 0; i < 40; ++i) {
    const TyphoonState before = sc.state.typhoon;
    bitBlt(sc.work(), 0, 0, 578, 340, sc.surfaces.BaseMapSurface, 0, 0, Rop::SrcCopy);
    drawTyphoon(sc.ctx, sc.clock.nowSeconds());
    const TyphoonState& t = sc.state.typhoon;
    if (t.x < 0 || t.y < 0 || t.x + 59 > 578 || t.y + 59 > 340) {
      sc.clock.advanceMillis(1000);
      continue;
    }
    const bool twitched = before.frameTick == before.frameHold;
    const int counter = before.stepCount == before.legLength ? 1 : before.frameCounter;
    const Rgb expected = twitched ? phases[(counter - 1) % 4] : phases[0];
    EXPECT_EQ(sc.at(t.x + 30, t.y + 30), expected) << "step " << i;
    sc.clock.advanceMillis(1000);
  }
}

}  // namespace
