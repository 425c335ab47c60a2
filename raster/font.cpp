#include "raster/font.h"

#include <algorithm>
#include <climits>

#include "raster/draw.h"
#include "raster/font12_data.h"

namespace mdx {

char32_t decodeUtf8(const std::string& text, size_t& pos) {
  constexpr char32_t kBad = 0xFFFD;
  const size_t n = text.size();
  if (pos >= n) return kBad;
  const auto b0 = static_cast<uint8_t>(text[pos]);
  if (b0 < 0x80) {
    ++pos;
    return b0;
  }
  int len;
  char32_t c;
  char32_t min;
  if ((b0 & 0xE0) == 0xC0) {
    len = 2, c = b0 & 0x1F, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3, c = b0 & 0x0F, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4, c = b0 & 0x07, min = 0x10000;
  } else {
    ++pos;
    return kBad;
  }
  if (n - pos < static_cast<size_t>(len)) {
    ++pos;
    return kBad;
  }
  for (int i = 1; i < len; ++i) {
    const auto b = static_cast<uint8_t>(text[pos + i]);
    if ((b & 0xC0) != 0x80) {
      ++pos;
      return kBad;
    }
    c = (c << 6) | (b & 0x3F);
  }
  if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++pos;
    return kBad;
  }
  pos += static_cast<size_t>(len);
  return c;
}

bool isHalfWidth(char32_t c) { return c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F); }

bool Glyph::pixel(int x, int y) const {
  if (bits == nullptr || x < 0 || y < 0 || x >= width || y >= kFontHeight) return false;
  return (row(y) >> (width - 1 - x)) & 1;
}

unsigned Glyph::row(int y) const {
  if (bits == nullptr || y < 0 || y >= kFontHeight) return 0;
  if (width == kHalfGlyphWidth) return static_cast<unsigned>(bits[y] >> 2);
  const uint8_t* p = bits + (y / 2) * 3;
  return (y & 1) ? (((p[1] & 0x0Fu) << 8) | p[2]) : ((static_cast<unsigned>(p[0]) << 4) | (p[1] >> 4));
}

namespace {
const uint8_t* lookup(const uint16_t* codes, size_t count, const uint8_t* bits, size_t glyphBytes, char32_t c) {
  if (c > 0xFFFF) return nullptr;
  const uint16_t* end = codes + count;
  const uint16_t* it = std::lower_bound(codes, end, static_cast<uint16_t>(c));
  if (it == end || *it != c) return nullptr;
  return bits + static_cast<size_t>(it - codes) * glyphBytes;
}
}  // namespace

Glyph findGlyph(char32_t c) {
  Glyph g;
  if (isHalfWidth(c)) {
    g.width = kHalfGlyphWidth;
    g.bits = lookup(font12::kHalfCodes, font12::kHalfCount, font12::kHalfBits, 12, c);
  } else {
    g.width = kFullGlyphWidth;
    g.bits = lookup(font12::kFullCodes, font12::kFullCount, font12::kFullBits, 18, c);
  }
  return g;
}

int cp932ByteLength(const std::string& utf8) {
  int64_t total = 0;
  for (size_t pos = 0; pos < utf8.size();) total += isHalfWidth(decodeUtf8(utf8, pos)) ? 1 : 2;
  return static_cast<int>(std::min<int64_t>(total, INT_MAX));
}

int64_t textWidth(const std::string& utf8) {
  int64_t total = 0;
  for (size_t pos = 0; pos < utf8.size();) total += isHalfWidth(decodeUtf8(utf8, pos)) ? kHalfGlyphWidth : kFullGlyphWidth;
  return total;
}

}  // namespace mdx
