#include "display/map_surfaces.h"

#include <utility>

namespace mdx {

MapSurfaces loadMapSurfaces(BitmapSource& source) {
  // In the library's order; the world map twice, as the base and as the frame being composed.
  using M = MapSurfaces;
  const std::pair<int, Surface M::*> loads[] = {
      {kBitmapWorldMap, &M::BaseMapSurface},         {kBitmapWorldMap, &M::WorkSurface},
      {kBitmapPlaneMask, &M::PlaneMaskSurface},      {kBitmapPlaneImage, &M::PlaneImageSurface},
      {kBitmapTyphoonMask, &M::TyphoonMaskSurface},  {kBitmapTyphoonImage, &M::TyphoonImageSurface},
      {kBitmapDialMask, &M::DialMaskSurface},        {kBitmapDialImage, &M::DialImageSurface},
      {kBitmapNightMaskSheet, &M::NightMaskSheetSurface}, {kBitmapNightOverlay, &M::NightOverlaySurface},
  };
  MapSurfaces s;
  for (const auto& [id, member] : loads) s.*member = source.load(id);
  s.mapWidth = s.BaseMapSurface.width();
  s.mapHeight = s.BaseMapSurface.height();
  s.dialWidth = s.DialMaskSurface.width();
  s.dialHeight = s.DialMaskSurface.height();
  s.overlayWidth = s.NightOverlaySurface.width();
  s.overlayHeight = s.NightOverlaySurface.height();
  return s;
}

}  // namespace mdx
