#include "display/map_overlays.h"

#include "worldtime/area_time.h"
#include "raster/draw.h"
#include "raster/ops.h"

namespace mdx {

const int32_t kDateLine[kDateLinePointCount][2] = {
    {343, 0}, {343, 52}, {354, 79}, {317, 110}, {343, 145}, {343, 232}, {356, 246}, {356, 305}, {343, 318}, {343, 341},
};

void drawMapLines(const FrameContext& ctx) {
  const OptionSettings& o = ctx.settings.option;
  Canvas canvas(ctx.surfaces.WorkSurface);
  canvas.selectPen(Pen{PenStyle::Dot, Rgb{255, 0, 0}});
  if (isOn(o.D_SEKIDOU)) {
    canvas.moveTo(0, kEquatorY);
    canvas.lineTo(kMapWidth, kEquatorY);
  }
  canvas.selectPen(Pen{PenStyle::Solid, kBlack});
  if (isOn(o.D_DATELINE)) {
    canvas.moveTo(kDateLine[0][0], kDateLine[0][1]);
    for (int i = 1; i < kDateLinePointCount; ++i) canvas.lineTo(kDateLine[i][0], kDateLine[i][1]);
  }
}

CellOrigin nightCellOrigin(int hour) {
  static const int32_t kColumns[6] = {0, 98, 195, 292, 389, 486};
  // Rows by hour band: 0-5, 6-11, 12-17, 18-23.
  static const int32_t kRows[4] = {168, 252, 0, 84};
  const int h = static_cast<int>(floorMod(hour, 24));
  return CellOrigin{kColumns[h % 6], kRows[h / 6]};
}

void drawDayNight(const FrameContext& ctx, int64_t utcSeconds) {
  MapSurfaces& s = ctx.surfaces;
  const int hour = pcTimeAt(ctx.clock, utcSeconds).hour;
  const CellOrigin cell = nightCellOrigin(hour);
  // The target is one row taller than the map; the extra row falls outside the surface.
  stretchBlt(s.WorkSurface, 0, 0, kMapWidth, kMapHeight + 1, s.NightMaskSheetSurface, cell.x, cell.y,
             kNightCellWidth, kNightCellHeight, Rop::SrcAnd);
  stretchBlt(s.WorkSurface, 0, 0, kMapWidth, kMapHeight + 1, s.NightOverlaySurface, 0, 0, s.overlayWidth,
             s.overlayHeight, Rop::SrcPaint);
}

int32_t eventRandom(int64_t utcSeconds, int32_t n, int32_t k) {
  // srand(time * k) as the runtime takes it: the product truncated to 32 unsigned bits.
  const uint64_t seed = static_cast<uint64_t>(utcSeconds) * static_cast<uint64_t>(static_cast<int64_t>(k));
  const int64_t r = firstRandAfterSeed(static_cast<uint32_t>(seed));
  int64_t divisor = n == 0 ? 1 : n;
  if (divisor < 0) divisor = -divisor;  // the remainder of a non-negative r by a negative n
  const int64_t v = r % divisor;
  return v == 0 ? 1 : static_cast<int32_t>(v);
}

namespace {

// The sprite's mask punches its shape (SRCAND), the image fills it (SRCPAINT).
void drawSprite(Surface& work, const Surface& mask, const Surface& image, int32_t x, int32_t y, int32_t w, int32_t h,
                int32_t frameX) {
  bitBlt(work, x, y, w, h, mask, frameX, 0, Rop::SrcAnd);
  bitBlt(work, x, y, w, h, image, frameX, 0, Rop::SrcPaint);
}

}  // namespace

void drawPlane(const FrameContext& ctx, int64_t utcSeconds) {
  PlaneState& p = ctx.state.plane;
  const int64_t clientWidth = ctx.state.clientWidth;
  const int64_t clientHeight = ctx.state.clientHeight;

  if (p.stepCount == p.legLength) {
    p.x = eventRandom(utcSeconds, clampCoord(clientWidth - 50), 1);
    p.y = eventRandom(utcSeconds, clampCoord(clientHeight - 50), 1);
    p.legLength = eventRandom(utcSeconds, 200, 1);
    p.stepCount = 0;
    p.direction = eventRandom(utcSeconds, 8, 1);
  }

  // Direction -> move and frame: 67 flying right, 0 flying left, 201 nose down.
  static const int32_t kMoves[8][3] = {
      {0, 0, 0}, {1, 1, 67}, {-1, 1, 0}, {1, -1, 67}, {-1, -1, 0}, {1, 0, 67}, {-1, 0, 0}, {0, 1, 201},
  };
  const int d = (p.direction >= 1 && p.direction <= 7) ? p.direction : 0;
  p.x = clampCoord(int64_t{p.x} + kMoves[d][0]);
  p.y = clampCoord(int64_t{p.y} + kMoves[d][1]);
  const int32_t frameX = kMoves[d][2];

  if (p.x < 1 || int64_t{p.x} + kPlaneFrameWidth >= clientWidth) p.stepCount = p.legLength - 1;

  drawSprite(ctx.surfaces.WorkSurface, ctx.surfaces.PlaneMaskSurface, ctx.surfaces.PlaneImageSurface, p.x, p.y,
             kPlaneFrameWidth, kPlaneFrameHeight, frameX);
  p.stepCount += 1;
}

void drawTyphoon(const FrameContext& ctx, int64_t utcSeconds) {
  TyphoonState& t = ctx.state.typhoon;
  const int64_t clientWidth = ctx.state.clientWidth;
  const int64_t clientHeight = ctx.state.clientHeight;
  int32_t frameX = 0;

  if (t.stepCount == t.legLength) {
    t.x = eventRandom(utcSeconds, clampCoord(clientWidth - 70), 2);
    t.y = eventRandom(utcSeconds, clampCoord(clientHeight - 70), 2);
    t.legLength = eventRandom(utcSeconds, 200, 1);
    t.stepCount = 0;
    t.frameCounter = 1;
  }

  if (t.frameTick == t.frameHold) {
    // A twitch: one pixel and another rotation phase; eight twitches cancel out.
    static const int32_t kTwitches[9][3] = {
        {0, 0, 0},  {1, 1, 0},   {-1, 1, 60}, {1, -1, 120}, {-1, -1, 180},
        {1, 0, 0},  {-1, 0, 60}, {0, 1, 120}, {0, -1, 180},
    };
    t.frameHold = eventRandom(utcSeconds, 8, 1);
    const int c = (t.frameCounter >= 1 && t.frameCounter <= 8) ? t.frameCounter : 0;
    t.x = clampCoord(int64_t{t.x} + kTwitches[c][0]);
    t.y = clampCoord(int64_t{t.y} + kTwitches[c][1]);
    frameX = kTwitches[c][2];
    t.frameTick = 1;
  } else {
    t.frameTick += 1;
  }

  if (t.x <= 0 || int64_t{t.x} + kTyphoonFrameSize >= clientWidth || t.y <= 0 ||
      int64_t{t.y} + kTyphoonFrameSize >= clientHeight)
    t.stepCount = t.legLength - 1;

  drawSprite(ctx.surfaces.WorkSurface, ctx.surfaces.TyphoonMaskSurface, ctx.surfaces.TyphoonImageSurface, t.x, t.y,
             kTyphoonFrameSize, kTyphoonFrameSize, frameX);
  t.stepCount += 1;
  t.frameCounter += 1;
  if (t.frameCounter == 9) t.frameCounter = 1;
}

}  // namespace mdx
