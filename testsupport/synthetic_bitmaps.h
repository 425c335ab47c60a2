#pragma once
// Generated stand-ins for the graphics library's nine bitmaps, with their exact ids, sizes,
// depths, frame layouts and mask/image relations but simple pictures: for tests, benchmarks
// and the renderer when the real bitmaps are not at hand.
#include "display/map_surfaces.h"

namespace mdx {

class SyntheticBitmapSource final : public BitmapSource {
 public:
  Surface load(int id) override;
};

// The night-texture colour of the synthetic mask sheet.
constexpr Rgb kSyntheticNight{14, 84, 138};

}  // namespace mdx
