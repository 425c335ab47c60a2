// Whole frames with the graphics library's real bitmaps, compared byte for byte with the
// reference frames in tests/golden/ (24-bit BMP files, viewable as they are).
//
// After an intended change to the picture, regenerate the references with
//   MDX_UPDATE_GOLDEN=1 ./unit_tests --gtest_filter='DisplayGolden*'
// look at every changed file, and commit them. A mismatch writes the frame that was drawn
// next to the test binary as golden_<name>.actual.bmp.
#include <climits>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "display/frame.h"
#include "display/map_surfaces.h"
#include "display/title_bar.h"
#include "platform/fake_clock.h"
#include "worldtime/fixed_zone_rules.h"

namespace mdx {
namespace {

const std::string kGoldenDir = MDX_SOURCE_DIR "/tests/golden/";

MapSurfaces realSurfaces() {
  DirectoryBitmapSource dir(MDX_SOURCE_DIR "/libs/graphics/bitmaps", MDX_SOURCE_DIR "/libs/graphics/mdxgraph.rc");
  return loadMapSurfaces(dir);
}

FakeClock japanClock(int y, int mo, int d, int h, int mi, int s) {
  FakeClock c(0, 9 * 3600);
  c.setLocal(y, mo, d, h, mi, s);
  return c;
}

// Composes `frames` frames one second apart (the sprites walk a step each) and returns the
// last one.
Surface compose(const SettingsRecords& settings, FakeClock clock, int frames, const ZoneRules* zones = nullptr) {
  MapSurfaces surfaces = realSurfaces();
  DisplayState state;
  FrameContext ctx{surfaces, settings, clock, state, zones};
  for (int i = 0; i < frames; ++i) {
    if (i > 0) clock.advanceMillis(1000);
    composeFrame(ctx, clock.nowSeconds());
  }
  return surfaces.WorkSurface;
}

bool updating() {
  const char* v = std::getenv("MDX_UPDATE_GOLDEN");
  return v != nullptr && std::string(v) == "1";
}

void expectGolden(const std::string& name, const Surface& frame) {
  ASSERT_EQ(frame.width(), kMapWidth);
  ASSERT_EQ(frame.height(), kMapHeight);
  const std::string path = kGoldenDir + name + ".bmp";
  if (updating()) {
    ASSERT_TRUE(frame.saveBmpFile(path)) << path;
    return;
  }
  const Surface expected = Surface::loadBmpFile(path);
  ASSERT_FALSE(expected.empty()) << "missing reference " << path << " (MDX_UPDATE_GOLDEN=1 makes it)";
  ASSERT_EQ(expected.width(), frame.width());
  ASSERT_EQ(expected.height(), frame.height());
  if (expected.data() == frame.data()) return;
  int differing = 0, firstX = -1, firstY = -1;
  for (int y = 0; y < frame.height(); ++y)
    for (int x = 0; x < frame.width(); ++x)
      if (expected.pixel(x, y) != frame.pixel(x, y)) {
        if (differing++ == 0) firstX = x, firstY = y;
      }
  frame.saveBmpFile("golden_" + name + ".actual.bmp");
  ADD_FAILURE() << name << ": " << differing << " pixels differ from " << path << ", the first at (" << firstX
                << ", " << firstY << "); the frame drawn is in golden_" << name << ".actual.bmp";
}

class RecordingTitle final : public TitleWindow {
 public:
  void setTitle(const std::string& utf8) override { title = utf8; }
  void flash(bool) override {}
  std::string title;
};

// The settings as installed, a December morning in Japan: night over the Americas and the
// Atlantic, every AREA with dial, hands, name and digital time with date.
TEST(DisplayGolden, DefaultsOnAWinterMorning) {
  expectGolden("defaults_0930", compose(defaultSettings(), japanClock(2026, 12, 8, 9, 30, 45), 6));
}

// Once-a-minute frames (no second hand), no night shading, 24-hour digital times without
// AM/PM, coloured dial faces.
TEST(DisplayGolden, MinuteFramesWithColouredDials) {
  SettingsRecords s = defaultSettings();
  s.option.INTERVAL = 1;
  s.option.D_NIGHT = 0;
  s.option.D_BAN_COLOR = 1;
  s.option.D_MOJIBAN_R = 255;
  s.option.D_MOJIBAN_G = 230;
  s.option.D_MOJIBAN_B = 120;
  for (AreaSettings& a : s.areas) a.D_24HOUR = 0;
  expectGolden("interval_colour_dials_2105", compose(s, japanClock(2026, 6, 21, 21, 5, 0), 1));
}

// Every AREA switched off: the bare map with its lines, sprites and the night side of a
// summer evening; the title still shows the chosen AREA's time.
TEST(DisplayGolden, AreasOffWithTitle) {
  SettingsRecords s = defaultSettings();
  for (AreaSettings& a : s.areas) a.D_ANALOG = a.D_COUNTRY = a.D_DIJITAL = 0;
  s.option.TITLE = 3;
  s.areas[2].COUNTRY = "Paris";
  s.areas[2].RUG = -8;
  s.areas[2].D_24HOUR = 0;  // "15:05", not "PM3:05"
  const FakeClock clock = japanClock(2026, 7, 14, 23, 5, 30);
  expectGolden("areas_off_2305", compose(s, clock, 3));

  RecordingTitle window;
  TitleState title;
  updateTitle(window, title, s, clock, nullptr, clock.nowSeconds(), false);
  EXPECT_EQ(window.title, "15:05 Paris");
}

// Three AREAs on time zones on a December evening in Japan: Pittsburgh on US Eastern time
// (14 hours behind: 7:35 in the morning), Ayers Rock on Darwin's +9:30 and Mumbai on +5:30,
// their half-hour minutes on the hands and in the digital boxes; the others on RUG.
TEST(DisplayGolden, ThreeZonedAreas) {
  SettingsRecords s = defaultSettings();
  s.area(2).ZONE = "Eastern Standard Time";
  s.area(4).ZONE = "AUS Central Standard Time";
  s.area(5).ZONE = "India Standard Time";
  s.area(5).COUNTRY = "ﾑﾝﾊﾞｲ(ｲﾝﾄﾞ)";
  s.area(5).D_24HOUR = 0;
  s.option.TITLE = 5;
  const FakeClock clock = japanClock(2026, 12, 9, 21, 35, 20);
  expectGolden("zoned_areas_2135", compose(s, clock, 2, &builtinFixedZoneRules()));

  RecordingTitle window;
  TitleState title;
  updateTitle(window, title, s, clock, &builtinFixedZoneRules(), clock.nowSeconds(), false);
  EXPECT_EQ(window.title, "18:05 ﾑﾝﾊﾞｲ(ｲﾝﾄﾞ)");
}

// Stored values at their limits: AREAs far outside the map and at its edges, margins of
// -2147483648, huge time differences, colours above 255, long full-width names, the date
// at a month's turn.
TEST(DisplayGolden, ExtremeValues) {
  SettingsRecords s = defaultSettings();
  AreaSettings* a = s.areas.data();
  a[0].X = INT32_MAX;
  a[0].Y = INT32_MAX;
  a[1].ﾏｰｼﾞﾝ1X = INT32_MIN;
  a[1].ﾏｰｼﾞﾝ2Y = INT32_MIN;
  a[1].RUG = INT32_MAX;
  a[2].X = -30;  // half off the left edge
  a[2].Y = 320;  // and the bottom
  a[2].R = 256 + 255;
  a[2].G = -1;
  a[2].B = 0x12345678;
  a[3].X = 560;  // boxes running off the right edge
  a[3].Y = -10;
  a[3].COUNTRY = "ロンドン・グリニッジ天文台";
  a[3].RUG = INT32_MIN;
  a[4].COUNTRY = std::string(40, 'W');
  a[4].RUG = 1000001;
  a[5].ﾏｰｼﾞﾝ1X = -200;
  a[5].ﾏｰｼﾞﾝ1Y = 150;
  a[6].D_24HOUR = 7;  // only 1 counts as on
  s.option.D_MOJIBAN_R = 1000;
  s.option.D_BAN_COLOR = 1;
  s.option.D_AREA_NO = 1;
  expectGolden("extreme_values", compose(s, japanClock(2026, 12, 31, 23, 59, 59), 4));
}

// The true sky at the seasons of 2026, each at its almanac instant, composed on a PC in Japan
// with the installed settings: the June solstice (polar day over the Arctic, the night side
// over the Americas), the December solstice (the Arctic dark, the Antarctic lit, Japan's
// morning) and noon UTC at the March equinox (a terminator of two straight meridians).
// Twilight lies between day and night in three steps; every box keeps its own colours.
TEST(DisplayGolden, TrueSkyAtTheSeasons) {
  struct Case {
    const char* name;
    int y, mo, d, h, mi;  // Japan's local time of the instant
  };
  const Case cases[] = {{"true_sky_june_solstice", 2026, 6, 21, 17, 24},
                        {"true_sky_december_solstice", 2026, 12, 22, 5, 50},
                        {"true_sky_march_equinox", 2026, 3, 20, 21, 0}};
  SettingsRecords s = defaultSettings();
  s.option.D_TAIYOU = 1;
  for (const Case& c : cases) expectGolden(c.name, compose(s, japanClock(c.y, c.mo, c.d, c.h, c.mi, 0), 2));
}

}  // namespace
}  // namespace mdx
