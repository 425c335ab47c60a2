#pragma once
// Overlays over the map: the equator and the date line, the wandering aeroplane and typhoon,
// and the day/night shading chosen by the PC's local hour.
#include <cstdint>

#include "display/display_state.h"

namespace mdx {

// The equator (D_SEKIDOU, red dotted, y = 222) and the date line (D_DATELINE, black polyline).
void drawMapLines(const FrameContext& ctx);

// The date line's vertices, top to bottom.
constexpr int kDateLinePointCount = 10;
extern const int32_t kDateLine[kDateLinePointCount][2];
constexpr int32_t kEquatorY = kMapEquatorY;

// Origin of the 96 x 82 day/night cell of a local hour (0..23) on the mask sheet.
struct CellOrigin {
  int32_t x = 0, y = 0;
};
CellOrigin nightCellOrigin(int hour);
constexpr int32_t kNightCellWidth = 96;
constexpr int32_t kNightCellHeight = 82;

// Darkens the night side: the PC's local hour at `utcSeconds` picks the cell; the hour's cell stretched over the frame with SRCAND, then the night
// overlay with SRCPAINT, both to 578 x 341.
void drawDayNight(const FrameContext& ctx, int64_t utcSeconds);

// The first value (0..32767) of the classic C runtime generator after srand(seed).
inline int32_t firstRandAfterSeed(uint32_t seed) {
  const uint32_t next = seed * 214013u + 2531011u;
  return static_cast<int32_t>((next >> 16) & 0x7FFF);
}

// The sprites' draw: reseeded from (the frame's calendar seconds x k) each time; result in
// 1..|n|-1, 1 when |n| <= 1.
int32_t eventRandom(int64_t utcSeconds, int32_t n, int32_t k);

// One step of each sprite, drawn with its mask (SRCAND) and image (SRCPAINT). Their ranges
// and edge tests use the window's client size, their drawing map pixels.
void drawPlane(const FrameContext& ctx, int64_t utcSeconds);
void drawTyphoon(const FrameContext& ctx, int64_t utcSeconds);

constexpr int32_t kPlaneFrameWidth = 65;
constexpr int32_t kPlaneFrameHeight = 33;
constexpr int32_t kTyphoonFrameSize = 59;

}  // namespace mdx
