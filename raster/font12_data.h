#pragma once
// The 12-dot font's glyph tables, from the Shinonome fonts (public domain, Debian
// xfonts-shinonome): tools/fontconv/fontconv.py writes them as raster/generated/font12.txt,
// which the build makes into C++ (cmake/font_table.cmake).
#include <cstddef>
#include <cstdint>

namespace mdx {
namespace font12 {

// Half-width glyphs (6 x 12): 12 bytes each, one row per byte, pixels in bits 7..2.
extern const std::size_t kHalfCount;
extern const uint16_t kHalfCodes[];  // sorted Unicode code points
extern const uint8_t kHalfBits[];    // kHalfCount * 12 bytes

// Full-width glyphs (12 x 12): 18 bytes each, 12 rows of 12 bits, most significant first.
extern const std::size_t kFullCount;
extern const uint16_t kFullCodes[];  // sorted Unicode code points
extern const uint8_t kFullBits[];    // kFullCount * 18 bytes

}  // namespace font12
}  // namespace mdx
