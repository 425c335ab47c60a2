#pragma once
// The display's process-wide values and the context every drawing step works in.
#include <cstdint>

#include "settings/settings.h"
#include "display/map_projection.h"
#include "display/map_surfaces.h"
#include "platform/clock.h"
#include "worldtime/zone_rules.h"

namespace mdx {

// The map picture that every drawing coordinate refers to is kMapWidth x kMapHeight
// (display/map_projection.h).
// The client size assumed before the window's first size notification.
constexpr int32_t kInitialClientWidth = 578;
constexpr int32_t kInitialClientHeight = 341;

// The aeroplane's walk. Everything starts at 0, so the first step starts a leg.
struct PlaneState {
  int32_t x = 0, y = 0;
  int32_t stepCount = 0;
  int32_t legLength = 0;
  int32_t direction = 0;  // 1..7
};

// The typhoon's walk and its rotation twitches.
struct TyphoonState {
  int32_t x = 0, y = 0;
  int32_t stepCount = 0;
  int32_t legLength = 0;
  int32_t frameCounter = 0;  // 1..8 once a leg has started
  int32_t frameTick = 0;
  int32_t frameHold = 0;
};

// The true sky's shaded map, kept between frames: the sun moves a quarter of a degree a
// minute, so the shading is worked out once for each UTC minute and again only when the map
// or the night texture it was made from is another.
struct TrueSkyCache {
  int64_t utcMinute = INT64_MIN;  // minutes since 1970-01-01 00:00 UTC of `shadedMap`
  const void* baseMapPixels = nullptr;  // what the cache was made from
  const void* maskSheetPixels = nullptr;
  int baseWidth = 0, baseHeight = 0;
  Surface nightTexture;  // the night cells' texture over the whole map
  Surface shadedMap;     // the base map with the sun's night side shaded
};

struct DisplayState {
  int32_t firstFrameDue = 1;  // forces the first tick's frame; cleared by every frame
  int32_t clientWidth = kInitialClientWidth;
  int32_t clientHeight = kInitialClientHeight;
  PlaneState plane;
  TyphoonState typhoon;
  TrueSkyCache trueSky;

  // The window's size notification: a size of 0 or less (minimised) counts as 1.
  void setClientSize(int32_t width, int32_t height) {
    clientWidth = width < 1 ? 1 : width;
    clientHeight = height < 1 ? 1 : height;
  }
};

// What one frame is drawn from and onto. The main window owns all four for its lifetime.
struct FrameContext {
  MapSurfaces& surfaces;
  const SettingsRecords& settings;
  const Clock& clock;  // the PC's local-time conversion; the frame's instant is passed along
  DisplayState& state;
  const ZoneRules* zones = nullptr;  // the PC's time zones; none: every AREA follows RUG
};

// A coordinate computed in 64 bits, brought back to the 32-bit range that drawing takes.
// Values beyond the range lie far outside every surface on the same side either way.
inline int32_t clampCoord(int64_t v) {
  return v > INT32_MAX ? INT32_MAX : (v < INT32_MIN ? INT32_MIN : static_cast<int32_t>(v));
}

}  // namespace mdx
