#include "display/client_image.h"

#include "display/frame.h"
#include "raster/ops.h"
#include "raster/stretch_map.h"

namespace mdx {

const std::vector<PixelRect>& ClientImage::update(const MapSurfaces& surfaces, int32_t clientWidth,
                                                  int32_t clientHeight, bool whole) {
  const Surface& work = surfaces.WorkSurface;
  const int32_t w = presentSide(clientWidth), h = presentSide(clientHeight);
  clientChanges_.clear();
  const bool sameShape = valid_ && picture_.width() == w && picture_.height() == h &&
                         presented_.width() == work.width() && presented_.height() == work.height() &&
                         presented_.depth() == work.depth();
  if (whole || !sameShape) {
    presented_ = work;  // reuses presented_'s storage when the sizes match
    stretchFrame(surfaces, w, h, picture_);
    valid_ = true;
    clientChanges_.push_back(PixelRect{0, 0, w, h});
    return clientChanges_;
  }

  finder_.find(work, presented_, mapChanges_);
  // All changes are copied before any restretch: when shrinking, one client pixel can draw
  // on map pixels of two changed tiles.
  for (const PixelRect& m : mapChanges_)
    bitBlt(presented_, m.x, m.y, m.width, m.height, work, m.x, m.y, Rop::SrcCopy);
  for (const PixelRect& m : mapChanges_) {
    // Only the map's presented part (mapWidth x mapHeight) reaches the window.
    const PixelRect c = stretchedRect(m, surfaces.mapWidth, surfaces.mapHeight, w, h);
    if (c.empty()) continue;
    stretchBltClipped(picture_, c, 0, 0, w, h, presented_, 0, 0, surfaces.mapWidth, surfaces.mapHeight,
                      Rop::SrcCopy);
    clientChanges_.push_back(c);
  }
  return clientChanges_;
}

}  // namespace mdx
