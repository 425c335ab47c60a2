#pragma once
// The day/night shading where the sun really stands (OPTION D_TAIYOU with D_NIGHT): every map
// pixel is placed on the earth through the map's projection, the sun's altitude there for the
// frame's UTC minute picks one of five bands, and the band darkens the base map towards the
// night texture of the hand-drawn cells. The shaded map replaces the base map at the start of
// the frame, so lines, AREAs and sprites are drawn over it in their own colours.
#include <cstdint>
#include <vector>

#include "display/display_state.h"
#include "worldtime/solar_position.h"

namespace mdx {

// Day above -0.833 degrees (the sun's upper limb on the refracted horizon), then civil
// (to -6), nautical (to -12) and astronomical (to -18) twilight, night below. The value is
// also the band's darkness in quarters of the way from the day map to the night texture.
enum class SkyBand : uint8_t { Day = 0, CivilTwilight = 1, NauticalTwilight = 2, AstronomicalTwilight = 3, Night = 4 };
SkyBand skyBandOfAltitude(double altitudeDeg);

// The band of every pixel of a width x height map (row by row), each judged at its centre.
std::vector<SkyBand> skyBandsOf(const SolarPosition& sun, int width, int height);

// The night texture over a width x height map: the night cells of local hours 12 and 0
// stretched over the map as the hand-drawn shading stretches them, each pixel taken from the
// cell that is night there (their daylight ovals lie on opposite sides of the earth).
Surface nightTextureOf(const Surface& maskSheet, int width, int height);

// `base` darkened band by band: a night pixel is the base ANDed with the texture (the colour
// the hand-drawn shading gives it), a twilight pixel lies 1/4, 2/4 or 3/4 of the way there.
Surface shadeMap(const Surface& base, const Surface& nightTexture, const std::vector<SkyBand>& bands);

// The frame's first step with the true sky: the shaded map onto WorkSurface, worked out again
// only when the UTC minute of the frame's instant `utcSeconds` or the map surfaces changed
// since the last frame.
void drawTrueSkyMap(const FrameContext& ctx, int64_t utcSeconds);

}  // namespace mdx
