#pragma once
// Rounding of floating-point hand coordinates to whole pixels. On Windows it is exported by
// mdxutil.dll; natively the same source is part of the core library.
#include <cstdint>

extern "C" {
// Nearest integer, halves away from zero (2.5 -> 3, -2.5 -> -3, -0.4 -> 0). Values beyond the
// 32-bit range (and infinities) are clamped to it; NaN gives 0.
int32_t ConvertI_D(double value);
}
