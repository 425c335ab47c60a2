#pragma once
// Block transfers with the semantics of GDI's BitBlt and StretchBlt.
// Colour conversions follow a memory DC with black text colour and white background colour:
//  - 1-bit source onto colour destination: 0 -> black, 1 -> white;
//  - colour source onto 1-bit destination: pixels equal to white -> 1, all others -> 0.
// Every call clips to both surfaces and accepts any 32-bit coordinates and sizes.
#include <cstdint>

#include "raster/pixel_rect.h"
#include "raster/surface.h"

namespace mdx {

enum class Rop { SrcCopy, SrcAnd, SrcPaint };

void bitBlt(Surface& dst, int32_t x, int32_t y, int32_t w, int32_t h, const Surface& src, int32_t sx,
            int32_t sy, Rop rop);

// StretchBlt in the default stretch mode (BLACKONWHITE): when shrinking, the source pixels
// that fall onto one destination pixel are combined with AND; when enlarging, pixels are
// repeated. Negative sizes mirror as GDI does.
void stretchBlt(Surface& dst, int32_t x, int32_t y, int32_t w, int32_t h, const Surface& src, int32_t sx,
                int32_t sy, int32_t sw, int32_t sh, Rop rop);

// The same stretch, writing only the destination pixels inside `clip`; those come out exactly
// as the unclipped stretch makes them, so a picture can be brought up to date piece by piece.
void stretchBltClipped(Surface& dst, const PixelRect& clip, int32_t x, int32_t y, int32_t w, int32_t h,
                       const Surface& src, int32_t sx, int32_t sy, int32_t sw, int32_t sh, Rop rop);

}  // namespace mdx
