#pragma once
// The straightforward per-pixel form of bitBlt and stretchBlt (raster/ops.h), with the same
// results. It exists so that the optimised transfers can be compared against it.
#include <cstdint>

#include "raster/ops.h"

namespace mdx::reference {

void bitBlt(Surface& dst, int32_t x, int32_t y, int32_t w, int32_t h, const Surface& src, int32_t sx, int32_t sy,
            Rop rop);
void stretchBlt(Surface& dst, int32_t x, int32_t y, int32_t w, int32_t h, const Surface& src, int32_t sx,
                int32_t sy, int32_t sw, int32_t sh, Rop rop);

}  // namespace mdx::reference
