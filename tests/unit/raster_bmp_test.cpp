// Device-independent bitmap files: round trips and malformed input.
#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "raster/surface.h"

namespace mdx {
namespace {

using Depth = Surface::Depth;
using Bytes = std::vector<uint8_t>;

void put16(Bytes& b, size_t at, uint32_t v) {
  b[at] = static_cast<uint8_t>(v);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}
void put32(Bytes& b, size_t at, uint32_t v) {
  put16(b, at, v & 0xFFFF);
  put16(b, at + 2, v >> 16);
}

// A minimal file: headers, `palette` entries (B, G, R, 0), then `pixels` as given.
Bytes makeBmp(int32_t w, int32_t h, uint16_t bpp, const std::vector<uint32_t>& palette, const Bytes& pixels,
              uint32_t compression = 0) {
  Bytes b(54 + palette.size() * 4, 0);
  b[0] = 'B';
  b[1] = 'M';
  put32(b, 10, static_cast<uint32_t>(b.size()));
  put32(b, 14, 40);
  put32(b, 18, static_cast<uint32_t>(w));
  put32(b, 22, static_cast<uint32_t>(h));
  put16(b, 26, 1);
  put16(b, 28, bpp);
  put32(b, 30, compression);
  put32(b, 46, static_cast<uint32_t>(palette.size()));
  for (size_t i = 0; i < palette.size(); ++i) put32(b, 54 + i * 4, palette[i]);
  b.insert(b.end(), pixels.begin(), pixels.end());
  put32(b, 2, static_cast<uint32_t>(b.size()));
  return b;
}

Surface sample(Depth depth) {
  Surface s(5, 3, depth);  // odd width: rows need padding
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      s.setPixel(x, y, depth == Depth::Mono1 ? ((x + y) % 2 ? kWhite : kBlack)
                                             : Rgb{static_cast<uint8_t>(x * 50), static_cast<uint8_t>(y * 80), 7});
  return s;
}

TEST(RasterBmp, ColourAndMonoRoundTrip) {
  for (Depth depth : {Depth::Color24, Depth::Mono1}) {
    const Surface s = sample(depth);
    const Bytes file = s.toBmp();
    ASSERT_GE(file.size(), 54u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[28], depth == Depth::Mono1 ? 1 : 24);
    EXPECT_EQ(file.size(), depth == Depth::Mono1 ? 62u + 3 * 4 : 54u + 3 * 16);
    const Surface back = Surface::fromBmp(file);
    ASSERT_EQ(back.width(), 5);
    ASSERT_EQ(back.height(), 3);
    EXPECT_EQ(back.depth(), depth);
    EXPECT_EQ(back.data(), s.data());
  }
}

TEST(RasterBmp, FileRoundTripAndMissingFile) {
  const std::string path = ::testing::TempDir() + "raster_bmp_test.bmp";
  const Surface s = sample(Depth::Color24);
  ASSERT_TRUE(s.saveBmpFile(path));
  EXPECT_EQ(Surface::loadBmpFile(path).data(), s.data());
  std::remove(path.c_str());
  EXPECT_TRUE(Surface::loadBmpFile(path).empty());
  EXPECT_FALSE(Surface().saveBmpFile(path));
  EXPECT_TRUE(Surface().toBmp().empty());
}

TEST(RasterBmp, ReadsPaletteTopDownAndThirtyTwoBitFiles) {
  // 8-bit, 2 x 2, bottom-up: the first stored row is the bottom one.
  const Bytes eight = makeBmp(2, 2, 8, {0x000000FF, 0x0000FF00}, {1, 0, 0, 0, 0, 1, 0, 0});
  const Surface a = Surface::fromBmp(eight);
  ASSERT_EQ(a.width(), 2);
  EXPECT_EQ(a.pixel(0, 1), (Rgb{0, 255, 0}));
  EXPECT_EQ(a.pixel(1, 1), (Rgb{0, 0, 255}));
  EXPECT_EQ(a.pixel(0, 0), (Rgb{0, 0, 255}));
  EXPECT_EQ(a.pixel(1, 0), (Rgb{0, 255, 0}));
  // 32-bit top-down (negative height).
  const Surface b = Surface::fromBmp(makeBmp(1, -2, 32, {}, {1, 2, 3, 0, 4, 5, 6, 0}));
  ASSERT_EQ(b.height(), 2);
  EXPECT_EQ(b.pixel(0, 0), (Rgb{3, 2, 1}));
  EXPECT_EQ(b.pixel(0, 1), (Rgb{6, 5, 4}));
  // 1-bit with an inverted palette (white, black): colours follow the palette.
  const Surface c = Surface::fromBmp(makeBmp(2, 1, 1, {0x00FFFFFF, 0}, {0x40, 0, 0, 0}));
  ASSERT_EQ(c.depth(), Depth::Mono1);
  EXPECT_EQ(c.pixel(0, 0), kWhite);
  EXPECT_EQ(c.pixel(1, 0), kBlack);
  // A packed DIB (resource form) without the file header.
  const Bytes file = sample(Depth::Color24).toBmp();
  EXPECT_EQ(Surface::fromPackedDib(file.data() + 14, file.size() - 14).data(), sample(Depth::Color24).data());
}

TEST(RasterBmp, MalformedInputGivesAnEmptySurface) {
  const Bytes good = sample(Depth::Color24).toBmp();
  for (size_t n = 0; n < good.size(); ++n) {
    const Bytes cut(good.begin(), good.begin() + static_cast<long>(n));
    ASSERT_TRUE(Surface::fromBmp(cut).empty()) << n;
  }
  const Bytes px(64, 0);
  EXPECT_TRUE(Surface::fromBmp(makeBmp(0, 2, 24, {}, px)).empty());
  EXPECT_TRUE(Surface::fromBmp(makeBmp(-2, 2, 24, {}, px)).empty());
  EXPECT_TRUE(Surface::fromBmp(makeBmp(2, INT_MIN, 24, {}, px)).empty());
  EXPECT_TRUE(Surface::fromBmp(makeBmp(INT_MAX, INT_MAX, 24, {}, px)).empty());
  EXPECT_TRUE(Surface::fromBmp(makeBmp(100000, 1, 24, {}, px)).empty());
  EXPECT_TRUE(Surface::fromBmp(makeBmp(2, 2, 16, {}, px)).empty());
  EXPECT_TRUE(Surface::fromBmp(makeBmp(2, 2, 0, {}, px)).empty());
  EXPECT_TRUE(Surface::fromBmp(makeBmp(2, 2, 8, {}, px, 1)).empty());  // RLE
  Bytes badHeader = good;
  put32(badHeader, 14, 0x7FFFFFFF);
  EXPECT_TRUE(Surface::fromBmp(badHeader).empty());
  Bytes notBmp = good;
  notBmp[0] = 'X';
  EXPECT_TRUE(Surface::fromBmp(notBmp).empty());
  EXPECT_TRUE(Surface::fromBmp(nullptr, 100).empty());
  EXPECT_TRUE(Surface::fromPackedDib(nullptr, 0).empty());
  // A pixel offset beyond the file falls back to the data after the headers.
  Bytes farOffset = good;
  put32(farOffset, 10, 0xFFFFFFF0u);
  EXPECT_EQ(Surface::fromBmp(farOffset).data(), sample(Depth::Color24).data());
  // Absurd sizes for a new surface leave it empty as well.
  EXPECT_TRUE(Surface(INT_MAX, INT_MAX, Depth::Color24).empty());
  EXPECT_TRUE(Surface(-5, 5, Depth::Mono1).empty());
}

}  // namespace
}  // namespace mdx
