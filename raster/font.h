#pragma once
// The 12-dot bitmap font behind Canvas::textOut: glyph lookup and UTF-8 decoding.
#include <cstddef>
#include <cstdint>
#include <string>

namespace mdx {

constexpr int kFontHeight = 12;
constexpr int kHalfGlyphWidth = 6;
constexpr int kFullGlyphWidth = 12;

// Decodes the character at `pos` and advances `pos` past it. Malformed, overlong,
// surrogate or out-of-range sequences yield U+FFFD and advance by one byte.
char32_t decodeUtf8(const std::string& text, size_t& pos);

// Half-width characters: ASCII and the half-width katakana U+FF61..U+FF9F (one byte in
// code page 932); every other character is full-width.
bool isHalfWidth(char32_t c);

struct Glyph {
  int width = kFullGlyphWidth;  // 6 or 12
  const uint8_t* bits = nullptr;  // nullptr: blank cell (character not in the font)
  bool pixel(int x, int y) const;
  // Row y (0 .. 11) as `width` bits, the leftmost pixel in the highest bit; 0 for a blank cell.
  unsigned row(int y) const;
};

Glyph findGlyph(char32_t c);

}  // namespace mdx
