#include "display/true_sky.h"

#include <cmath>

#include "display/map_overlays.h"
#include "raster/ops.h"

namespace mdx {

namespace {
constexpr double kRad = 3.14159265358979323846 / 180.0;
// Upper bounds of the bands' altitudes, darkest band last.
constexpr double kDayAbove = -0.833, kCivilAbove = -6.0, kNauticalAbove = -12.0, kAstronomicalAbove = -18.0;
}  // namespace

SkyBand skyBandOfAltitude(double altitudeDeg) {
  if (altitudeDeg > kDayAbove) return SkyBand::Day;
  if (altitudeDeg > kCivilAbove) return SkyBand::CivilTwilight;
  if (altitudeDeg > kNauticalAbove) return SkyBand::NauticalTwilight;
  if (altitudeDeg > kAstronomicalAbove) return SkyBand::AstronomicalTwilight;
  return SkyBand::Night;
}

std::vector<SkyBand> skyBandsOf(const SolarPosition& sun, int width, int height) {
  std::vector<SkyBand> bands(static_cast<size_t>(width > 0 && height > 0 ? width * height : 0));
  if (bands.empty()) return bands;
  // sin(altitude) = sin(lat) sin(dec) + cos(lat) cos(dec) cos(hour angle): the hour angle's
  // cosine depends on the column only and the latitude's terms on the row only, so the band
  // is decided by comparing sines, without a trigonometric call per pixel.
  const double sinDec = std::sin(sun.declinationDeg * kRad), cosDec = std::cos(sun.declinationDeg * kRad);
  std::vector<double> cosHourAngle(static_cast<size_t>(width));
  for (int x = 0; x < width; ++x)
    cosHourAngle[static_cast<size_t>(x)] = std::cos((longitudeOfMapX(x + 0.5) - sun.subsolarLongitudeDeg) * kRad);
  const double limits[4] = {std::sin(kDayAbove * kRad), std::sin(kCivilAbove * kRad), std::sin(kNauticalAbove * kRad),
                            std::sin(kAstronomicalAbove * kRad)};
  for (int y = 0; y < height; ++y) {
    const double lat = latitudeOfMapY(y + 0.5) * kRad;
    const double a = std::sin(lat) * sinDec, b = std::cos(lat) * cosDec;
    SkyBand* row = &bands[static_cast<size_t>(y) * static_cast<size_t>(width)];
    for (int x = 0; x < width; ++x) {
      const double s = a + b * cosHourAngle[static_cast<size_t>(x)];
      int band = 0;
      while (band < 4 && s <= limits[band]) ++band;
      row[x] = static_cast<SkyBand>(band);
    }
  }
  return bands;
}

Surface nightTextureOf(const Surface& maskSheet, int width, int height) {
  Surface noon(width, height, Surface::Depth::Color24, kWhite), midnight = noon;
  for (auto [hour, target] : {std::pair<int, Surface*>{12, &noon}, {0, &midnight}}) {
    const CellOrigin cell = nightCellOrigin(hour);
    // One row taller than the map, as the hand-drawn shading stretches its cells.
    stretchBlt(*target, 0, 0, width, height + 1, maskSheet, cell.x, cell.y, kNightCellWidth, kNightCellHeight,
               Rop::SrcCopy);
  }
  Surface& texture = noon;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (texture.pixel(x, y) == kWhite) texture.setPixel(x, y, midnight.pixel(x, y));
  return texture;
}

Surface shadeMap(const Surface& base, const Surface& nightTexture, const std::vector<SkyBand>& bands) {
  Surface out = base;
  if (base.depth() != Surface::Depth::Color24 || nightTexture.width() != base.width() ||
      nightTexture.height() != base.height() || bands.size() != static_cast<size_t>(base.width() * base.height()))
    return out;
  std::vector<uint8_t>& px = out.data();
  const std::vector<uint8_t>& tex = nightTexture.data();
  for (size_t i = 0; i < bands.size(); ++i) {
    const unsigned quarters = static_cast<unsigned>(bands[i]);
    if (quarters == 0) continue;
    for (size_t c = 3 * i; c < 3 * i + 3; ++c) {
      const unsigned day = px[c], night = day & tex[c];
      px[c] = static_cast<uint8_t>(day - (day - night) * quarters / 4);
    }
  }
  return out;
}

void drawTrueSkyMap(const FrameContext& ctx, int64_t utcSeconds) {
  MapSurfaces& s = ctx.surfaces;
  TrueSkyCache& cache = ctx.state.trueSky;
  const Surface& base = s.BaseMapSurface;
  const bool sameMap = cache.baseMapPixels == base.data().data() && cache.baseWidth == base.width() &&
                       cache.baseHeight == base.height() && cache.maskSheetPixels == s.NightMaskSheetSurface.data().data();
  if (!sameMap) {
    cache.nightTexture = nightTextureOf(s.NightMaskSheetSurface, base.width(), base.height());
    cache.baseMapPixels = base.data().data();
    cache.maskSheetPixels = s.NightMaskSheetSurface.data().data();
    cache.baseWidth = base.width();
    cache.baseHeight = base.height();
  }
  const int64_t minute = floorDiv(utcSeconds, 60);
  if (!sameMap || minute != cache.utcMinute) {
    // The sky of the minute's start, so every frame of one minute is the same picture.
    const SolarPosition sun = solarPositionAt(minute * 60000);
    cache.shadedMap = shadeMap(base, cache.nightTexture, skyBandsOf(sun, base.width(), base.height()));
    cache.utcMinute = minute;
  }
  bitBlt(s.WorkSurface, 0, 0, s.mapWidth, s.mapHeight, cache.shadedMap, 0, 0, Rop::SrcCopy);
}

}  // namespace mdx
