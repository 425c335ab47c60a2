#pragma once
// Composition of one map frame on WorkSurface and its stretch to the window's client size.
#include <cstdint>

#include "display/display_state.h"

namespace mdx {

// Shows WorkSurface on the window (the shell's job); called at the end of every frame.
class FramePresenter {
 public:
  virtual ~FramePresenter() = default;
  virtual void presentFrame() = 0;
};

// In this fixed order, each step over the earlier ones: base map onto WorkSurface (shaded
// where the sun has set when D_NIGHT and D_TAIYOU are 1), map lines, the seven AREAs,
// aeroplane and typhoon (D_EVENT1 = 1), the hand-drawn day/night shading (D_NIGHT = 1 and
// D_TAIYOU not 1, last, so it darkens everything on the night side); then the presenter, if
// any, shows the frame, and firstFrameDue becomes 0. Everything is drawn at `utcSeconds`, the
// tick's one instant.
void composeFrame(const FrameContext& ctx, int64_t utcSeconds, FramePresenter* presenter = nullptr);

// A frame is due on the first tick, every tick while INTERVAL is 0, and at the PC's second 0.
bool frameDue(int32_t firstFrameDue, int32_t interval, int pcSecond);

// WorkSurface (mapWidth x mapHeight from (0, 0)) stretched onto the whole of `target`, sized
// clientWidth x clientHeight, in one SRCCOPY stretch in the default stretch mode, exactly
// what the window shows. `target` is reallocated only when the size changes. Sizes are
// capped at kMaxPresentSide so that no stored or reported size can exhaust memory.
void stretchFrame(const MapSurfaces& surfaces, int32_t clientWidth, int32_t clientHeight, Surface& target);
constexpr int32_t kMaxPresentSide = 8192;
inline int32_t presentSide(int32_t v) { return v < 1 ? 1 : (v > kMaxPresentSide ? kMaxPresentSide : v); }

}  // namespace mdx
