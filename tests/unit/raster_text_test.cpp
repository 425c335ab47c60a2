// The 12-dot font: glyph cells, advance widths, unknown and malformed text, and the
// code-page-932 byte count that sizes the AREA boxes.
#include <climits>
#include <string>

#include <gtest/gtest.h>

#include "raster/draw.h"
#include "raster/font.h"
#include "tests/unit/raster_test_util.h"

namespace mdx {
namespace {

using Depth = Surface::Depth;
const Rgb kBox{200, 220, 90};

TEST(RasterText, GlyphsHaveTheirCellWidths) {
  EXPECT_EQ(findGlyph(U'A').width, 6);
  EXPECT_NE(findGlyph(U'A').bits, nullptr);
  EXPECT_EQ(findGlyph(U'ｱ').width, 6);  // half-width katakana
  EXPECT_NE(findGlyph(U'ｱ').bits, nullptr);
  EXPECT_EQ(findGlyph(U'漢').width, 12);
  EXPECT_NE(findGlyph(U'漢').bits, nullptr);
  EXPECT_NE(findGlyph(U'ゴ').bits, nullptr);
  EXPECT_NE(findGlyph(U'１').bits, nullptr);  // full-width digit of the option texts
  // Both Unicode readings of JIS 0x2141 (EUC-JP's wave dash, code page 932's tilde).
  EXPECT_NE(findGlyph(U'\u301C').bits, nullptr);
  EXPECT_NE(findGlyph(U'\uFF5E').bits, nullptr);
  EXPECT_EQ(findGlyph(U'\U0001F600').bits, nullptr);
  EXPECT_EQ(findGlyph(U'\U0001F600').width, 12);
  EXPECT_EQ(findGlyph(U'\x01').width, 6);
}

TEST(RasterText, DrawsKnownGlyphPixelsTransparently) {
  Surface s(30, 16, Depth::Color24, kBox);
  Canvas c(s);
  c.textOut(1, 2, "A漢");
  // 'A': apex at column 2 of row 1, crossbar on row 6, nothing on row 0.
  EXPECT_EQ(s.pixel(1 + 2, 2 + 1), kBlack);
  EXPECT_EQ(s.pixel(1 + 2, 2 + 0), kBox);
  for (int x = 0; x < 5; ++x) EXPECT_EQ(s.pixel(1 + x, 2 + 6), kBlack) << x;
  EXPECT_EQ(s.pixel(1 + 5, 2 + 6), kBox);
  // '漢' starts 6 pixels later: row 0 begins with a dot, row 1 with a long stroke.
  EXPECT_EQ(s.pixel(7 + 0, 2 + 0), kBlack);
  EXPECT_EQ(s.pixel(7 + 1, 2 + 0), kBox);
  EXPECT_EQ(s.pixel(7 + 1, 2 + 1), kBlack);
  EXPECT_EQ(s.pixel(7 + 10, 2 + 1), kBlack);
  // Nothing outside the two cells, and the last text row 2 + 11 stays within the cells.
  for (int x = 0; x < 30; ++x) {
    EXPECT_EQ(s.pixel(x, 0), kBox);
    EXPECT_EQ(s.pixel(x, 14), kBox);
  }
  for (int y = 0; y < 16; ++y) EXPECT_EQ(s.pixel(19, y), kBox);
}

TEST(RasterText, ColourAndAdvanceAfterUnknownAndMalformedText) {
  // An unknown character leaves a blank full-width cell; so does each invalid byte.
  const std::string texts[] = {"\U0001F600B", "\xff" "B", "\xe6\x9d" "B"};
  const int bOffsets[] = {12, 12, 24};
  for (int i = 0; i < 3; ++i) {
    Surface s(40, 12, Depth::Color24, kBox);
    Canvas c(s);
    c.textOut(0, 0, texts[i], Rgb{255, 0, 0});
    for (int x = 0; x < bOffsets[i]; ++x)
      for (int y = 0; y < 12; ++y) ASSERT_EQ(s.pixel(x, y), kBox) << i;
    EXPECT_EQ(s.pixel(bOffsets[i], 2), (Rgb{255, 0, 0})) << i;  // 'B' has its stem at column 0
  }
}

TEST(RasterText, ClipsAtAnyPosition) {
  Surface s(20, 12, Depth::Color24, kBox);
  Canvas c(s);
  c.textOut(-3, -5, "AB漢字");
  c.textOut(INT_MAX, INT_MAX, "AB");
  c.textOut(INT_MIN, 0, std::string(1000, 'W'));
  c.textOut(INT_MAX - 5, 0, "漢字漢字");
  c.textOut(0, INT_MIN, "A");
  EXPECT_EQ(s.pixel(19, 11), kBox);
  EXPECT_EQ(s.pixel(-3 + 6 + 2, -5 + 5), kBlack);  // 'B' middle bar (glyph row 5) moved into view
}

TEST(RasterText, Cp932ByteLengthCountsHalfAndFullWidth) {
  EXPECT_EQ(cp932ByteLength(""), 0);
  EXPECT_EQ(cp932ByteLength("3:Paris"), 7);
  EXPECT_EQ(cp932ByteLength("東京"), 4);
  EXPECT_EQ(cp932ByteLength("ﾀｲﾏｰｱｸｼｮﾝ"), 9);
  EXPECT_EQ(cp932ByteLength("12/8 21:05"), 10);
  EXPECT_EQ(cp932ByteLength("ﾆｭｰﾖｰｸ（米）"), 12);
  EXPECT_EQ(cp932ByteLength("\xff\xfe"), 4);
  EXPECT_EQ(cp932ByteLength("\xe6\x9d"), 4);
  EXPECT_EQ(cp932ByteLength("\xed\xa0\x80"), 6);  // a UTF-8-encoded surrogate is malformed
  EXPECT_EQ(textWidth("3:東京"), 6 + 6 + 24);
}

TEST(RasterText, DecodesUtf8Strictly) {
  const std::string s = "a\xc3\xa9\xe6\xbc\xa2\xf0\x9f\x98\x80\xc0\xaf";
  size_t pos = 0;
  EXPECT_EQ(decodeUtf8(s, pos), U'a');
  EXPECT_EQ(decodeUtf8(s, pos), U'é');
  EXPECT_EQ(decodeUtf8(s, pos), U'漢');
  EXPECT_EQ(decodeUtf8(s, pos), U'\U0001F600');
  EXPECT_EQ(decodeUtf8(s, pos), U'\uFFFD');  // overlong '/'
  EXPECT_EQ(decodeUtf8(s, pos), U'\uFFFD');
  EXPECT_EQ(pos, s.size());
}

}  // namespace
}  // namespace mdx
