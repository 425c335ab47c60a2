// Block transfers: raster operations between colour and 1-bit surfaces, stretching with
// GDI's pixel mapping, mirroring and clipping.
#include <climits>
#include <vector>

#include <gtest/gtest.h>

#include "raster/ops.h"
#include "tests/unit/raster_test_util.h"

namespace mdx {
namespace {

using rastertest::monoFrom;
using rastertest::picture;
using Depth = Surface::Depth;

const Rgb kDst{0x12, 0x34, 0x56};
const Rgb kSrc{0xF0, 0x0F, 0x55};

TEST(RasterBitBlt, ColourOntoColourAppliesEachRop) {
  Surface src(1, 1, Depth::Color24, kSrc);
  struct Case {
    Rop rop;
    Rgb expected;
  } cases[] = {{Rop::SrcCopy, kSrc}, {Rop::SrcAnd, Rgb{0x10, 0x04, 0x54}}, {Rop::SrcPaint, Rgb{0xF2, 0x3F, 0x57}}};
  for (const Case& c : cases) {
    Surface dst(3, 3, Depth::Color24, kDst);
    bitBlt(dst, 1, 1, 1, 1, src, 0, 0, c.rop);
    EXPECT_EQ(dst.pixel(1, 1), c.expected) << static_cast<int>(c.rop);
    EXPECT_EQ(dst.pixel(0, 0), kDst);
    EXPECT_EQ(dst.pixel(2, 2), kDst);
  }
}

TEST(RasterBitBlt, MonoOntoColourExpandsZeroToBlackAndOneToWhite) {
  const Surface mask = monoFrom({"#."});
  Surface copy(2, 1, Depth::Color24, kDst);
  bitBlt(copy, 0, 0, 2, 1, mask, 0, 0, Rop::SrcCopy);
  EXPECT_EQ(copy.pixel(0, 0), kBlack);
  EXPECT_EQ(copy.pixel(1, 0), kWhite);

  Surface punched(2, 1, Depth::Color24, kDst);  // the mask technique's first step
  bitBlt(punched, 0, 0, 2, 1, mask, 0, 0, Rop::SrcAnd);
  EXPECT_EQ(punched.pixel(0, 0), kBlack);
  EXPECT_EQ(punched.pixel(1, 0), kDst);

  Surface painted(2, 1, Depth::Color24, kDst);
  bitBlt(painted, 0, 0, 2, 1, mask, 0, 0, Rop::SrcPaint);
  EXPECT_EQ(painted.pixel(0, 0), kDst);
  EXPECT_EQ(painted.pixel(1, 0), kWhite);
}

TEST(RasterBitBlt, ColourOntoMonoKeepsOnlyPureWhite) {
  Surface src(3, 1, Depth::Color24);
  src.setPixel(0, 0, kWhite);
  src.setPixel(1, 0, Rgb{254, 255, 255});
  src.setPixel(2, 0, kBlack);
  Surface copy(3, 1, Depth::Mono1, kBlack);
  bitBlt(copy, 0, 0, 3, 1, src, 0, 0, Rop::SrcCopy);
  EXPECT_EQ(picture(copy)[0], ".##");

  Surface anded(3, 1, Depth::Mono1, kWhite);
  bitBlt(anded, 0, 0, 3, 1, src, 0, 0, Rop::SrcAnd);
  EXPECT_EQ(picture(anded)[0], ".##");

  Surface ored = monoFrom({"##."});
  bitBlt(ored, 0, 0, 3, 1, src, 0, 0, Rop::SrcPaint);
  EXPECT_EQ(picture(ored)[0], ".#.");
}

TEST(RasterBitBlt, MonoOntoMono) {
  const Surface src = monoFrom({"#.#."});
  Surface copy = monoFrom({"..##"});
  bitBlt(copy, 0, 0, 4, 1, src, 0, 0, Rop::SrcCopy);
  EXPECT_EQ(picture(copy)[0], "#.#.");
  Surface anded = monoFrom({"..##"});
  bitBlt(anded, 0, 0, 4, 1, src, 0, 0, Rop::SrcAnd);  // white is 1: AND keeps white only where both are
  EXPECT_EQ(picture(anded)[0], "#.##");
  Surface ored = monoFrom({"..##"});
  bitBlt(ored, 0, 0, 4, 1, src, 0, 0, Rop::SrcPaint);
  EXPECT_EQ(picture(ored)[0], "..#.");
}

TEST(RasterBitBlt, ClipsAgainstBothSurfaces) {
  const Surface src = monoFrom({"##", "##"});
  Surface dst(4, 4, Depth::Mono1, kWhite);
  bitBlt(dst, -1, 3, 2, 2, src, 0, 0, Rop::SrcCopy);  // only (0, 3) is inside
  EXPECT_EQ(picture(dst), (std::vector<std::string>{"....", "....", "....", "#..."}));
  Surface dst2(4, 1, Depth::Mono1, kWhite);
  bitBlt(dst2, 0, 0, 4, 1, src, 1, 0, Rop::SrcCopy);  // source runs out after one column
  EXPECT_EQ(picture(dst2)[0], "#...");
}

TEST(RasterBitBlt, NegativeSizeCoversPixelsBeforeTheStart) {
  const Surface src = monoFrom({"#.#.."});
  Surface dst(5, 1, Depth::Mono1, kWhite);
  // Width -3 at x = 4 covers x = 2..4 from source x = 2..4 (shifted, not mirrored).
  bitBlt(dst, 4, 0, -3, 1, src, 4, 0, Rop::SrcCopy);
  EXPECT_EQ(picture(dst)[0], "..#..");
}

TEST(RasterBitBlt, CopyWithinOneSurfaceReadsTheOriginal) {
  Surface s = monoFrom({"#...."});
  bitBlt(s, 1, 0, 4, 1, s, 0, 0, Rop::SrcCopy);
  EXPECT_EQ(picture(s)[0], "##...");
}

TEST(RasterStretchBlt, EnlargesByGdiMapping) {
  // 2 -> 3: pixel centres map to source 0, 0, 1; 2 -> 5: 0, 0, 0, 1, 1.
  const Surface src = monoFrom({"#."});
  Surface three(3, 1, Depth::Mono1, kWhite);
  stretchBlt(three, 0, 0, 3, 1, src, 0, 0, 2, 1, Rop::SrcCopy);
  EXPECT_EQ(picture(three)[0], "##.");
  Surface five(5, 1, Depth::Mono1, kWhite);
  stretchBlt(five, 0, 0, 5, 1, src, 0, 0, 2, 1, Rop::SrcCopy);
  EXPECT_EQ(picture(five)[0], "###..");
}

TEST(RasterStretchBlt, ShrinkingAndsTheMergedPixels) {
  // 3 -> 2: source 0 and 1 merge into destination 0, source 2 alone makes destination 1.
  Surface a(2, 1, Depth::Mono1, kWhite);
  stretchBlt(a, 0, 0, 2, 1, monoFrom({".#."}), 0, 0, 3, 1, Rop::SrcCopy);
  EXPECT_EQ(picture(a)[0], "#.");
  Surface b(2, 1, Depth::Mono1, kWhite);
  stretchBlt(b, 0, 0, 2, 1, monoFrom({"..#"}), 0, 0, 3, 1, Rop::SrcCopy);
  EXPECT_EQ(picture(b)[0], ".#");
  // Vertically as well, in colour: rows ANDed channel by channel.
  Surface src(1, 2, Depth::Color24);
  src.setPixel(0, 0, Rgb{0xF0, 0xFF, 0x0F});
  src.setPixel(0, 1, Rgb{0x3C, 0x0F, 0xFF});
  Surface dst(1, 1, Depth::Color24, kBlack);
  stretchBlt(dst, 0, 0, 1, 1, src, 0, 0, 1, 2, Rop::SrcPaint);
  // A one-pixel-high destination drops the last source row (GDI's DIB engine does the same).
  EXPECT_EQ(dst.pixel(0, 0), (Rgb{0xF0, 0xFF, 0x0F}));
  Surface dst2(1, 2, Depth::Color24, kBlack);
  Surface src4(1, 4, Depth::Color24, kWhite);
  src4.setPixel(0, 0, Rgb{0xF0, 0xFF, 0x0F});
  src4.setPixel(0, 1, Rgb{0x3C, 0x0F, 0xFF});
  stretchBlt(dst2, 0, 0, 1, 2, src4, 0, 0, 1, 4, Rop::SrcCopy);
  EXPECT_EQ(dst2.pixel(0, 0), (Rgb{0x30, 0x0F, 0x0F}));
  EXPECT_EQ(dst2.pixel(0, 1), kWhite);
}

TEST(RasterStretchBlt, OnePixelWideDestinationDropsTheLastSourceColumn) {
  Surface dst(1, 1, Depth::Mono1, kWhite);
  stretchBlt(dst, 0, 0, 1, 1, monoFrom({"..#"}), 0, 0, 3, 1, Rop::SrcCopy);
  EXPECT_EQ(picture(dst)[0], ".");
  stretchBlt(dst, 0, 0, 1, 1, monoFrom({".#."}), 0, 0, 3, 1, Rop::SrcCopy);
  EXPECT_EQ(picture(dst)[0], "#");
}

TEST(RasterStretchBlt, NightCellOntoTheMap) {
  // The day/night step: a 96 x 82 cell of a sheet stretched to 578 x 341 with SRCAND onto
  // the 578 x 340 frame. Column j shows cell column ((2j + 1) * 96 - 1) / 1156, row j cell
  // row ((2j + 1) * 82 - 1) / 682; the 341st row falls outside the frame.
  Surface sheet(200, 100, Depth::Color24, kWhite);
  const int sx = 98, sy = 10;
  for (int y = 0; y < 82; ++y)
    for (int x = 0; x < 96; ++x)
      sheet.setPixel(sx + x, sy + y, Rgb{static_cast<uint8_t>(x), static_cast<uint8_t>(y), 0xFF});
  Surface frame(578, 340, Depth::Color24, Rgb{0xFF, 0xFF, 0x7F});
  stretchBlt(frame, 0, 0, 578, 341, sheet, sx, sy, 96, 82, Rop::SrcAnd);
  for (int y = 0; y < 340; ++y)
    for (int x = 0; x < 578; ++x) {
      const int cx = ((2 * x + 1) * 96 - 1) / 1156, cy = ((2 * y + 1) * 82 - 1) / 682;
      ASSERT_EQ(frame.pixel(x, y), (Rgb{static_cast<uint8_t>(cx), static_cast<uint8_t>(cy), 0x7F})) << x << "," << y;
    }
  // Hand-checked landmarks: cell column 0 fills x = 0..5, column 1 starts at x = 6;
  // cell row 0 fills y = 0..3, row 1 starts at y = 4; the last visible row shows row 81.
  EXPECT_EQ(frame.pixel(5, 0).r, 0);
  EXPECT_EQ(frame.pixel(6, 0).r, 1);
  EXPECT_EQ(frame.pixel(577, 0).r, 95);
  EXPECT_EQ(frame.pixel(0, 3).g, 0);
  EXPECT_EQ(frame.pixel(0, 4).g, 1);
  EXPECT_EQ(frame.pixel(0, 339).g, 81);
}

TEST(RasterStretchBlt, PresentationDoublesEveryPixel) {
  Surface src(3, 2, Depth::Color24);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) src.setPixel(x, y, Rgb{static_cast<uint8_t>(x), static_cast<uint8_t>(y), 9});
  Surface win(6, 4, Depth::Color24, kBlack);
  stretchBlt(win, 0, 0, 6, 4, src, 0, 0, 3, 2, Rop::SrcCopy);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(win.pixel(x, y), src.pixel(x / 2, y / 2));
}

TEST(RasterStretchBlt, NegativeSizesMirror) {
  const Surface src = monoFrom({"##."});
  Surface a(3, 1, Depth::Mono1, kWhite);
  stretchBlt(a, 2, 0, -3, 1, src, 0, 0, 3, 1, Rop::SrcCopy);  // destination x = 2, 1, 0
  EXPECT_EQ(picture(a)[0], ".##");
  Surface b(3, 1, Depth::Mono1, kWhite);
  stretchBlt(b, 0, 0, 3, 1, src, 2, 0, -3, 1, Rop::SrcCopy);  // source x = 2, 1, 0
  EXPECT_EQ(picture(b)[0], ".##");
  Surface c(6, 1, Depth::Mono1, kWhite);
  stretchBlt(c, 5, 0, -6, 1, src, 0, 0, 3, 1, Rop::SrcCopy);  // mirrored and enlarged
  EXPECT_EQ(picture(c)[0], "..####");
  Surface d(1, 3, Depth::Mono1, kWhite);
  stretchBlt(d, 0, 2, 1, -3, monoFrom({"#", ".", "."}), 0, 0, 1, 3, Rop::SrcCopy);
  EXPECT_EQ(picture(d), (std::vector<std::string>{".", ".", "#"}));
}

TEST(RasterStretchBlt, ExtremeCoordinatesAreSafeAndQuick) {
  Surface dst(50, 40, Depth::Color24, kBlack);
  Surface src(4, 4, Depth::Color24, kWhite);
  const int32_t big[] = {INT_MIN, INT_MIN + 1, -1, 0, 1, INT_MAX - 1, INT_MAX};
  for (int32_t a : big)
    for (int32_t b : big) {
      bitBlt(dst, a, b, b, a, src, a, b, Rop::SrcCopy);
      bitBlt(dst, 0, 0, a, b, src, b, a, Rop::SrcAnd);
      stretchBlt(dst, a, 0, b, 40, src, 0, 0, a, b, Rop::SrcPaint);
      stretchBlt(dst, 0, a, 50, b, src, a, b, 4, 4, Rop::SrcCopy);
    }
  // An enormous enlargement whose visible part shows one source pixel.
  Surface one(1, 1, Depth::Color24, kSrc);
  Surface out(10, 10, Depth::Color24, kBlack);
  stretchBlt(out, -1000000000, INT_MIN / 2, INT_MAX, INT_MAX, one, 0, 0, 1, 1, Rop::SrcCopy);
  EXPECT_EQ(out.pixel(0, 0), kSrc);
  EXPECT_EQ(out.pixel(9, 9), kSrc);
  // An enormous shrink onto a few visible pixels reads only the source that exists.
  Surface tiny(2, 2, Depth::Color24, kWhite);
  stretchBlt(tiny, 0, 0, 2, 2, src, 0, 0, INT_MAX, INT_MAX, Rop::SrcCopy);
  EXPECT_EQ(tiny.pixel(0, 0), kWhite);
  // Empty surfaces on either side do nothing.
  Surface empty;
  bitBlt(empty, 0, 0, 5, 5, src, 0, 0, Rop::SrcCopy);
  bitBlt(dst, 0, 0, 5, 5, empty, 0, 0, Rop::SrcCopy);
}

}  // namespace
}  // namespace mdx
