#include "display/frame.h"

#include "display/area_clocks.h"
#include "display/map_overlays.h"
#include "display/true_sky.h"
#include "raster/ops.h"

namespace mdx {

void composeFrame(const FrameContext& ctx, int64_t utcSeconds, FramePresenter* presenter) {
  MapSurfaces& s = ctx.surfaces;
  const OptionSettings& o = ctx.settings.option;
  // The true sky shades the map itself, under everything drawn on it; the hand-drawn
  // shading goes over the finished frame.
  const bool trueSky = isOn(o.D_NIGHT) && isOn(o.D_TAIYOU);
  if (trueSky)
    drawTrueSkyMap(ctx, utcSeconds);
  else
    bitBlt(s.WorkSurface, 0, 0, s.mapWidth, s.mapHeight, s.BaseMapSurface, 0, 0, Rop::SrcCopy);
  drawMapLines(ctx);
  drawAreas(ctx, utcSeconds);
  if (isOn(o.D_EVENT1)) {
    drawPlane(ctx, utcSeconds);
    drawTyphoon(ctx, utcSeconds);
  }
  if (isOn(o.D_NIGHT) && !trueSky) drawDayNight(ctx, utcSeconds);
  if (presenter != nullptr) presenter->presentFrame();
  ctx.state.firstFrameDue = 0;
}

bool frameDue(int32_t firstFrameDue, int32_t interval, int pcSecond) {
  return firstFrameDue == 1 || interval == 0 || pcSecond == 0;
}

void stretchFrame(const MapSurfaces& surfaces, int32_t clientWidth, int32_t clientHeight, Surface& target) {
  const int w = presentSide(clientWidth);
  const int h = presentSide(clientHeight);
  if (target.width() != w || target.height() != h || target.depth() != Surface::Depth::Color24)
    target = Surface(w, h, Surface::Depth::Color24, kBlack);
  stretchBlt(target, 0, 0, w, h, surfaces.WorkSurface, 0, 0, surfaces.mapWidth, surfaces.mapHeight, Rop::SrcCopy);
}

}  // namespace mdx
