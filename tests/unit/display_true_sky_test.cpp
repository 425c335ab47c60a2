// The true sky's shading: each pixel's band from the sun's altitude at its place on the map,
// the polar day and night, the colours of the bands, the reuse within a minute, and a frame
// that depends on the UTC instant only, whatever zone the PC is set to.
#include <gtest/gtest.h>

#include "display/frame.h"
#include "display/true_sky.h"
#include "platform/fake_clock.h"
#include "tests/unit/display_test_support.h"
#include "worldtime/fixed_zone_rules.h"

namespace mdx {
namespace {

int64_t utcMillis(int y, unsigned mo, unsigned d, int h, int mi, int s = 0) {
  return (daysFromCivil(y, mo, d) * 86400 + h * 3600 + mi * 60 + s) * 1000;
}

TEST(TrueSky, BandsFollowTheAltitudeLimits) {
  EXPECT_EQ(skyBandOfAltitude(10), SkyBand::Day);
  EXPECT_EQ(skyBandOfAltitude(-0.8), SkyBand::Day);
  EXPECT_EQ(skyBandOfAltitude(-0.9), SkyBand::CivilTwilight);
  EXPECT_EQ(skyBandOfAltitude(-6.1), SkyBand::NauticalTwilight);
  EXPECT_EQ(skyBandOfAltitude(-12.1), SkyBand::AstronomicalTwilight);
  EXPECT_EQ(skyBandOfAltitude(-18.1), SkyBand::Night);
}

TEST(TrueSky, EveryPixelTakesTheBandOfTheSunAtItsCentre) {
  const SolarPosition sun = solarPositionAt(utcMillis(2026, 9, 30, 18, 45));
  const std::vector<SkyBand> bands = skyBandsOf(sun, kMapWidth, kMapHeight);
  ASSERT_EQ(bands.size(), static_cast<size_t>(kMapWidth * kMapHeight));
  int seen[5] = {};
  for (int y = 0; y < kMapHeight; y += 3)
    for (int x = 0; x < kMapWidth; x += 5) {
      const double alt = sunAltitudeDeg(sun, latitudeOfMapY(y + 0.5), longitudeOfMapX(x + 0.5));
      const SkyBand band = bands[static_cast<size_t>(y * kMapWidth + x)];
      ASSERT_EQ(band, skyBandOfAltitude(alt)) << x << "," << y << " altitude " << alt;
      ++seen[static_cast<int>(band)];
    }
  for (int b = 0; b < 5; ++b) EXPECT_GT(seen[b], 0) << "band " << b;
  // The subsolar point's pixel is in the day; its antipode in the night.
  const MapPoint noon = mapPointOf(sun.subsolarLatitudeDeg, sun.subsolarLongitudeDeg);
  const MapPoint midnight = mapPointOf(-sun.subsolarLatitudeDeg, sun.subsolarLongitudeDeg + 180);
  EXPECT_EQ(bands[static_cast<size_t>(int(noon.y) * kMapWidth + int(noon.x))], SkyBand::Day);
  EXPECT_EQ(bands[static_cast<size_t>(int(midnight.y) * kMapWidth + int(midnight.x))], SkyBand::Night);
}

TEST(TrueSky, PolarDayAndNightAtTheSolstices) {
  const auto row = [](const std::vector<SkyBand>& bands, int y) {
    return std::vector<SkyBand>(bands.begin() + y * kMapWidth, bands.begin() + (y + 1) * kMapWidth);
  };
  // June: the map's top row (near 80 N) keeps the sun all day.
  const auto june = skyBandsOf(solarPositionAt(utcMillis(2026, 6, 21, 8, 24)), kMapWidth, kMapHeight);
  for (SkyBand b : row(june, 0)) ASSERT_EQ(b, SkyBand::Day);
  // December: the top row never sees the sun; at midnight there it is night (sun below -18).
  const auto december = skyBandsOf(solarPositionAt(utcMillis(2026, 12, 21, 20, 50)), kMapWidth, kMapHeight);
  int night = 0;
  for (SkyBand b : row(december, 0)) {
    ASSERT_NE(b, SkyBand::Day);
    night += b == SkyBand::Night;
  }
  EXPECT_GT(night, 0);
}

// Night is the base ANDed with the texture, exactly the hand-drawn shading's night colour;
// the twilights lie a quarter, a half and three quarters of the way there; day is untouched.
TEST(TrueSky, BandsDarkenTowardsTheNightTexture) {
  Surface base(5, 1, Surface::Depth::Color24, Rgb{200, 120, 255});
  Surface texture(5, 1, Surface::Depth::Color24, Rgb{14, 84, 138});
  const std::vector<SkyBand> bands = {SkyBand::Day, SkyBand::CivilTwilight, SkyBand::NauticalTwilight,
                                      SkyBand::AstronomicalTwilight, SkyBand::Night};
  const Surface out = shadeMap(base, texture, bands);
  const Rgb night{200 & 14, 120 & 84, 255 & 138};  // (8, 80, 138)
  EXPECT_EQ(out.pixel(0, 0), base.pixel(0, 0));
  EXPECT_EQ(out.pixel(1, 0), (Rgb{152, 110, 226}));
  EXPECT_EQ(out.pixel(2, 0), (Rgb{104, 100, 197}));
  EXPECT_EQ(out.pixel(3, 0), (Rgb{56, 90, 168}));
  EXPECT_EQ(out.pixel(4, 0), night);
}

// The texture comes from the night parts of two cells, so no pixel of it is daylight white.
TEST(TrueSky, NightTextureOfTheLibraryCellsHasNoDaylight) {
  DirectoryBitmapSource dir(MDX_SOURCE_DIR "/libs/graphics/bitmaps", MDX_SOURCE_DIR "/libs/graphics/mdxgraph.rc");
  const Surface sheet = dir.load(kBitmapNightMaskSheet);
  ASSERT_FALSE(sheet.empty());
  const Surface texture = nightTextureOf(sheet, kMapWidth, kMapHeight);
  for (int y = 0; y < kMapHeight; ++y)
    for (int x = 0; x < kMapWidth; ++x) ASSERT_NE(texture.pixel(x, y), kWhite) << x << "," << y;
}

SettingsRecords trueSkySettings() {
  SettingsRecords s = testing::quietSettings();
  s.option.D_NIGHT = 1;
  s.option.D_TAIYOU = 1;
  return s;
}

TEST(TrueSky, WorkedOutOncePerMinuteAndAgainForAnotherMap) {
  MapSurfaces surfaces = testing::plainSurfaces();
  surfaces.NightMaskSheetSurface = Surface(582, 335, Surface::Depth::Color24, Rgb{14, 84, 138});
  const SettingsRecords s = trueSkySettings();
  FakeClock clock(utcMillis(2026, 12, 9, 19, 40, 5));
  DisplayState state;
  FrameContext ctx{surfaces, s, clock, state};
  composeFrame(ctx, clock.nowSeconds());
  const Surface first = surfaces.WorkSurface;
  const uint8_t* made = state.trueSky.shadedMap.data().data();
  clock.setMillis(utcMillis(2026, 12, 9, 19, 40, 59));
  composeFrame(ctx, clock.nowSeconds());
  EXPECT_EQ(state.trueSky.shadedMap.data().data(), made) << "the same minute reuses the shading";
  EXPECT_EQ(surfaces.WorkSurface.data(), first.data());
  clock.setMillis(utcMillis(2026, 12, 9, 19, 41, 0));
  composeFrame(ctx, clock.nowSeconds());
  EXPECT_EQ(state.trueSky.utcMinute, utcMillis(2026, 12, 9, 19, 41) / 60000);
  EXPECT_NE(surfaces.WorkSurface.data(), first.data()) << "the terminator moved";

  // Another base map within the same minute is shaded at once.
  surfaces.BaseMapSurface = Surface(578, 340, Surface::Depth::Color24, Rgb{255, 255, 255});
  composeFrame(ctx, clock.nowSeconds());
  EXPECT_EQ(state.trueSky.baseMapPixels, surfaces.BaseMapSurface.data().data());
  const SolarPosition sun = solarPositionAt(utcMillis(2026, 12, 9, 19, 41));
  const MapPoint noon = mapPointOf(sun.subsolarLatitudeDeg, sun.subsolarLongitudeDeg);
  EXPECT_EQ(surfaces.WorkSurface.pixel(int(noon.x), int(noon.y)), kWhite);
}

// Japan, UTC and New York at one instant: the same picture, AREAs on zones included.
TEST(TrueSky, SameInstantSameFrameOnPcsInAnyZone) {
  DirectoryBitmapSource dir(MDX_SOURCE_DIR "/libs/graphics/bitmaps", MDX_SOURCE_DIR "/libs/graphics/mdxgraph.rc");
  SettingsRecords s = defaultSettings();
  s.option.D_TAIYOU = 1;
  s.option.D_EVENT1 = 0;
  const char* zones[] = {"Tokyo Standard Time",      "Eastern Standard Time", "E. South America Standard Time",
                         "AUS Central Standard Time", "India Standard Time",  "GMT Standard Time",
                         "Russian Standard Time"};
  for (int n = 1; n <= kAreaCount; ++n) s.area(n).ZONE = zones[n - 1];
  const int64_t at = utcMillis(2026, 12, 9, 18, 43, 0);
  Surface frames[3];
  const int offsets[3] = {9 * 3600, 0, -5 * 3600};
  for (int i = 0; i < 3; ++i) {
    MapSurfaces surfaces = loadMapSurfaces(dir);
    FakeClock clock(at, offsets[i]);
    DisplayState state;
    composeFrame(FrameContext{surfaces, s, clock, state, &builtinFixedZoneRules()}, clock.nowSeconds());
    frames[i] = surfaces.WorkSurface;
  }
  EXPECT_EQ(frames[0].data(), frames[1].data());
  EXPECT_EQ(frames[0].data(), frames[2].data());
}

// The option counts only at 1 and only under D_NIGHT: otherwise the frame is today's.
TEST(TrueSky, OffOrWithoutNightTheFrameIsUnchanged) {
  DirectoryBitmapSource dir(MDX_SOURCE_DIR "/libs/graphics/bitmaps", MDX_SOURCE_DIR "/libs/graphics/mdxgraph.rc");
  const auto frame = [&](int32_t night, int32_t taiyou) {
    SettingsRecords s = defaultSettings();
    s.option.D_NIGHT = night;
    s.option.D_TAIYOU = taiyou;
    MapSurfaces surfaces = loadMapSurfaces(dir);
    FakeClock clock(utcMillis(2026, 12, 9, 19, 40, 0), 9 * 3600);
    DisplayState state;
    composeFrame(FrameContext{surfaces, s, clock, state}, clock.nowSeconds());
    return surfaces.WorkSurface;
  };
  EXPECT_EQ(frame(0, 1).data(), frame(0, 0).data());
  EXPECT_EQ(frame(1, 2).data(), frame(1, 0).data());
  EXPECT_NE(frame(1, 1).data(), frame(1, 0).data());
}

}  // namespace
}  // namespace mdx
