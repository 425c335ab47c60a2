// Pens, lines, ellipses and rounded rectangles against hand-worked pixel pictures.
#include <climits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "raster/draw.h"
#include "tests/unit/raster_test_util.h"

namespace mdx {
namespace {

using rastertest::picture;
using Depth = Surface::Depth;
using Rows = std::vector<std::string>;
const Rgb kRed{255, 0, 0};
const Rgb kBlue{0, 0, 255};
const Rgb kMap{10, 120, 30};

TEST(RasterLine, AxisLinesExcludeTheEndPoint) {
  Surface s(7, 3, Depth::Color24);
  Canvas c(s);
  c.moveTo(0, 0);
  c.lineTo(5, 0);  // x = 0..4
  c.moveTo(5, 1);
  c.lineTo(0, 1);  // reversed: x = 5..1
  c.moveTo(6, 0);
  c.lineTo(6, 2);  // y = 0..1
  EXPECT_EQ(picture(s), (Rows{"#####.#", ".######", "......."}));
  EXPECT_EQ(c.currentX(), 6);
  EXPECT_EQ(c.currentY(), 2);
}

TEST(RasterLine, DiagonalPixelsDoNotDependOnDirection) {
  // (0,0) -> (4,2): x-major, steps down after the second pixel; the end (4,2) is left out.
  Surface fwd(5, 3, Depth::Color24);
  Canvas a(fwd);
  a.moveTo(0, 0);
  a.lineTo(4, 2);
  EXPECT_EQ(picture(fwd), (Rows{"##...", "..##.", "....."}));
  // The reverse line takes the same pixels (the octant bias), with (0,0) left out instead.
  Surface back(5, 3, Depth::Color24);
  Canvas b(back);
  b.moveTo(4, 2);
  b.lineTo(0, 0);
  EXPECT_EQ(picture(back), (Rows{".#...", "..##.", "....#"}));
  // A steep line: y-major.
  Surface steep(3, 5, Depth::Color24);
  Canvas st(steep);
  st.moveTo(0, 0);
  st.lineTo(2, 4);
  EXPECT_EQ(picture(steep), (Rows{"#..", "#..", ".#.", ".#.", "..."}));
}

TEST(RasterLine, ClippedLinesKeepTheirPixels) {
  // Every line drawn on a small surface shows exactly the pixels it has on a large one.
  const int32_t pts[][4] = {{-7, -3, 12, 9}, {15, -4, -6, 11}, {3, 20, 5, -9}, {-30, 2, 40, 7},
                            {9, 9, -2, -13}, {-5, 10, 20, 10}, {4, -5, 4, 30}, {11, 1, -1, 6}};
  for (const auto& p : pts) {
    Surface big(100, 100, Depth::Mono1, kWhite);
    Canvas cb(big);
    cb.moveTo(p[0] + 40, p[1] + 40);
    cb.lineTo(p[2] + 40, p[3] + 40);
    Surface small(10, 8, Depth::Mono1, kWhite);
    Canvas cs(small);
    cs.moveTo(p[0], p[1]);
    cs.lineTo(p[2], p[3]);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 10; ++x)
        ASSERT_EQ(small.pixel(x, y), big.pixel(x + 40, y + 40)) << p[0] << "," << p[1] << " " << x << "," << y;
  }
}

TEST(RasterLine, DottedPenDrawsThreeOnThreeOff) {
  Surface s(20, 2, Depth::Color24, kMap);
  Canvas c(s);
  c.selectPen(Pen{PenStyle::Dot, kRed});
  c.moveTo(0, 0);
  c.lineTo(20, 0);  // the equator's kind of line: gaps leave the map visible
  EXPECT_EQ(picture(s, kRed)[0], "###...###...###...##");
  EXPECT_EQ(picture(s, kMap)[0], "...###...###...###..");
  // The pattern restarts with every lineTo.
  c.moveTo(0, 1);
  c.lineTo(4, 1);
  c.lineTo(12, 1);
  EXPECT_EQ(picture(s, kRed)[1], "###.###...##........");
}

TEST(RasterLine, DottedPenLeavesTheGapsAsTheyWere) {
  Surface s(8, 1, Depth::Color24, kMap);
  Canvas c(s);
  c.selectPen(Pen{PenStyle::Dot, kRed});
  c.moveTo(7, 0);
  c.lineTo(0, 0);  // leftwards: counted from the start at x = 7
  EXPECT_EQ(picture(s, kRed)[0], ".#...###");
  EXPECT_EQ(picture(s, kMap)[0], "#.###...");
}

TEST(RasterLine, NullPenDrawsNothing) {
  Surface s(4, 4, Depth::Color24);
  Canvas c(s);
  c.selectPen(Pen{PenStyle::Null, kBlack});
  c.moveTo(0, 0);
  c.lineTo(4, 4);
  EXPECT_EQ(picture(s), (Rows{"....", "....", "....", "...."}));
}

TEST(RasterShape, EllipseStaysInsideItsBox) {
  Surface s(9, 8, Depth::Color24);
  Canvas c(s);
  c.selectBrush(Brush{false, kBlue});
  c.ellipse(0, 0, 7, 6);  // covers x 0..6, y 0..5
  EXPECT_EQ(picture(s), (Rows{"..###....", ".#...#...", "#.....#..", "#.....#..", ".#...#...", "..###....",
                              ".........", "........."}));
  EXPECT_EQ(picture(s, kBlue), (Rows{".........", "..###....", ".#####...", ".#####...", "..###....", ".........",
                                     ".........", "........."}));
  // Corners given in any order describe the same box.
  Surface t(9, 8, Depth::Color24);
  Canvas ct(t);
  ct.selectBrush(Brush{false, kBlue});
  ct.ellipse(7, 6, 0, 0);
  EXPECT_EQ(picture(t), picture(s));
}

TEST(RasterShape, EvenEllipseIsSymmetric) {
  Surface s(8, 8, Depth::Color24);
  Canvas c(s);
  c.selectBrush(Brush{true, kWhite});
  c.ellipse(0, 0, 8, 8);
  EXPECT_EQ(picture(s), (Rows{"..####..", ".#....#.", "#......#", "#......#", "#......#", "#......#", ".#....#.",
                              "..####.."}));
}

TEST(RasterShape, DialSizedEllipseTouchesAllFourSides) {
  Surface s(42, 41, Depth::Color24, kMap);
  Canvas c(s);
  c.selectBrush(Brush{false, kBlue});
  c.ellipse(1, 1, 41, 40);  // 40 x 39
  const Rows pic = picture(s);
  EXPECT_NE(pic[1].find('#'), std::string::npos);
  EXPECT_NE(pic[39].find('#'), std::string::npos);
  EXPECT_EQ(pic[0], std::string(42, '.'));
  EXPECT_EQ(pic[40], std::string(42, '.'));
  EXPECT_EQ(pic[20][1], '#');
  EXPECT_EQ(pic[20][40], '#');
  EXPECT_EQ(pic[20][41], '.');
  EXPECT_EQ(s.pixel(21, 20), kBlue);
  EXPECT_EQ(s.pixel(1, 1), kMap);  // corners of the box stay untouched
  for (int y = 1; y < 40; ++y) EXPECT_EQ(pic[y], std::string(pic[y].rbegin(), pic[y].rend())) << y;
}

TEST(RasterShape, RoundRectWithTenPixelCorners) {
  Surface s(20, 15, Depth::Color24, kMap);
  Canvas c(s);
  c.selectBrush(Brush{false, kBlue});
  c.roundRect(0, 0, 20, 14, 10, 10);
  const Rows outline = picture(s);
  EXPECT_EQ(outline[0], "...##############...");
  EXPECT_EQ(outline[1], "..#..............#..");
  EXPECT_EQ(outline[2], ".#................#.");
  EXPECT_EQ(outline[3], "#..................#");
  EXPECT_EQ(outline[10], "#..................#");
  EXPECT_EQ(outline[11], ".#................#.");
  EXPECT_EQ(outline[13], "...##############...");
  EXPECT_EQ(outline[14], std::string(20, '.'));
  EXPECT_EQ(picture(s, kBlue)[1], "...##############...");
  EXPECT_EQ(picture(s, kBlue)[5], ".##################.");
  EXPECT_EQ(s.pixel(0, 0), kMap);
  EXPECT_EQ(s.pixel(19, 13), kMap);
}

TEST(RasterShape, SmallCornersMakeARectangle) {
  Surface s(6, 5, Depth::Color24, kMap);
  Canvas c(s);
  c.selectBrush(Brush{false, kBlue});
  c.roundRect(0, 0, 5, 4, 2, 2);
  EXPECT_EQ(picture(s), (Rows{"#####.", "#...#.", "#...#.", "#####.", "......"}));
  EXPECT_EQ(picture(s, kBlue), (Rows{"......", ".###..", ".###..", "......", "......"}));
  // Empty boxes draw nothing.
  Surface e(3, 3, Depth::Color24, kMap);
  Canvas ce(e);
  ce.ellipse(1, 1, 1, 3);
  ce.roundRect(0, 2, 3, 2, 10, 10);
  EXPECT_EQ(picture(e, kMap), (Rows{"###", "###", "###"}));
}

TEST(RasterShape, HugeBoxesAreClippedWithoutWalkingThem) {
  Surface s(30, 20, Depth::Color24, kMap);
  Canvas c(s);
  c.selectBrush(Brush{false, kBlue});
  // A rounded box far larger than the surface: only its straight left edge shows.
  c.roundRect(5, INT_MIN, INT_MAX, INT_MAX, 10, 10);
  for (int y = 0; y < 20; ++y) {
    EXPECT_EQ(s.pixel(4, y), kMap);
    EXPECT_EQ(s.pixel(5, y), kBlack);
    EXPECT_EQ(s.pixel(6, y), kBlue);
  }
  // Ellipses of any size, even with corner sizes beyond the box.
  c.ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_EQ(s.pixel(15, 10), kBlue);
  c.ellipse(-2000000000, 5, 2000000000, 15);
  c.roundRect(INT_MAX, INT_MAX, INT_MIN, INT_MIN, INT_MIN, INT_MAX);
  c.selectPen(Pen{PenStyle::Dot, kRed});
  c.moveTo(INT_MIN, INT_MIN);
  c.lineTo(INT_MAX, INT_MAX);
  c.moveTo(INT_MAX, 3);
  c.lineTo(INT_MIN, 3);
  c.moveTo(-1, INT_MIN);
  c.lineTo(1, INT_MAX);
  SUCCEED();
}

}  // namespace
}  // namespace mdx
