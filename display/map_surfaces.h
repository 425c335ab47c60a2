#pragma once
// The ten off-screen surfaces of the main window and their loading from the graphics
// library's bitmaps. The frame is composed on WorkSurface at the map's own size and only
// then stretched onto the window.
#include <cstdint>

#include "raster/surface.h"

namespace mdx {

// Bitmap resource ids of the graphics library.
enum BitmapId : int {
  kBitmapWorldMap = 162,
  kBitmapPlaneMask = 187,
  kBitmapPlaneImage = 188,
  kBitmapTyphoonMask = 130,
  kBitmapTyphoonImage = 129,
  kBitmapDialMask = 148,
  kBitmapDialImage = 149,
  kBitmapNightMaskSheet = 179,
  kBitmapNightOverlay = 180,
};

// Where the bitmaps come from: the resources of mdxgraph.dll on Windows; natively the source
// tree or generated pictures (testsupport/). A bitmap that cannot be had is an empty surface.
class BitmapSource {
 public:
  virtual ~BitmapSource() = default;
  virtual Surface load(int id) = 0;
};

struct MapSurfaces {
  Surface BaseMapSurface;         // 162, the world map; only ever read
  Surface WorkSurface;            // 162 again; the frame under composition
  Surface PlaneMaskSurface;       // 187
  Surface PlaneImageSurface;      // 188
  Surface TyphoonMaskSurface;     // 130
  Surface TyphoonImageSurface;    // 129
  Surface DialMaskSurface;        // 148
  Surface DialImageSurface;       // 149
  Surface NightMaskSheetSurface;  // 179
  Surface NightOverlaySurface;    // 180

  int32_t mapWidth = 0;  // size of the first load of 162
  int32_t mapHeight = 0;
  int32_t dialWidth = 0;  // size of 148
  int32_t dialHeight = 0;
  int32_t overlayWidth = 0;  // size of 180
  int32_t overlayHeight = 0;
};

// Loads the ten surfaces in their fixed order and records the sizes. Nothing is checked:
// a missing bitmap leaves its surface empty and every copy from it draws nothing.
MapSurfaces loadMapSurfaces(BitmapSource& source);

}  // namespace mdx
