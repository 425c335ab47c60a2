#pragma once
// Pixel sizes at a display's DPI. Sizes are designed at 96 DPI (100 % scaling); a window that
// declares per-monitor awareness is given every pixel size as it asks, so it scales them itself.
#include <cstdint>

namespace mdx {

// The DPI at which every designed pixel size holds as it is.
constexpr unsigned kBaseDpi = 96;

// `designed` pixels at `dpi`, rounded to the nearest pixel (halves away from zero, as MulDiv
// rounds). A DPI of 0 (no answer from the platform) counts as the base DPI.
constexpr int scaleForDpi(int designed, unsigned dpi) {
  if (dpi == 0) dpi = kBaseDpi;
  const int64_t product = static_cast<int64_t>(designed) * dpi;
  const int64_t half = kBaseDpi / 2;
  return static_cast<int>(product >= 0 ? (product + half) / kBaseDpi : -((-product + half) / kBaseDpi));
}

}  // namespace mdx
