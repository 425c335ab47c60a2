#pragma once
// The picture the window shows: WorkSurface as it was last presented, stretched to the
// client size. Bringing it up to date with a new frame restretches only the parts of the
// map that changed and tells which client rectangles the window must receive; the picture
// is always pixel for pixel the full stretch of the frame (stretchFrame).
#include <cstdint>
#include <vector>

#include "display/map_surfaces.h"
#include "raster/pixel_rect.h"
#include "raster/surface.h"
#include "raster/surface_diff.h"

namespace mdx {

class ClientImage {
 public:
  // `whole`: the window has lost its picture (first frame, paint, restyle, restore) and gets
  // all of it. A changed client size or map size always counts as whole. Returns the client
  // rectangles to send, none when nothing changed. The returned list and all working memory
  // are kept, so a steady stream of frames allocates nothing.
  const std::vector<PixelRect>& update(const MapSurfaces& surfaces, int32_t clientWidth, int32_t clientHeight,
                                       bool whole);

  const Surface& picture() const { return picture_; }

 private:
  Surface presented_;  // WorkSurface at the last update
  Surface picture_;    // presented_ stretched onto the client area
  bool valid_ = false;
  ChangeFinder finder_;
  std::vector<PixelRect> mapChanges_;
  std::vector<PixelRect> clientChanges_;
};

}  // namespace mdx
