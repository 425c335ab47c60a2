// Pixel checks of composed frames: map lines, analog clocks, AREA boxes, day/night shading,
// the composition order and the frame-due rule, and settings at the 32-bit extremes.
#include <gtest/gtest.h>

#include <climits>

#include "display/area_clocks.h"
#include "display/frame.h"
#include "display/map_overlays.h"
#include "raster/draw.h"
#include "tests/unit/display_test_support.h"

using namespace mdx;
using namespace mdx::testing;

namespace {

constexpr Rgb kRed{255, 0, 0};

struct CountingPresenter : FramePresenter {
  int calls = 0;
  int firstFrameDueSeen = -1;
  const DisplayState* state = nullptr;
  void presentFrame() override {
    ++calls;
    if (state) firstFrameDueSeen = state->firstFrameDue;
  }
};

TEST(DisplayMapLines, DottedRedEquatorAndBlackDateLine) {
  Scene sc;
  sc.settings.option.D_SEKIDOU = 1;
  sc.settings.option.D_DATELINE = 1;
  composeFrame(sc.ctx, sc.clock.nowSeconds());

  int red = 0;
  for (int x = 0; x < 578; ++x) {
    const Rgb c = sc.at(x, 222);
    if (x == 343) continue;  // the date line crosses here
    EXPECT_TRUE(c == kRed || c == kBase) << "x=" << x;
    red += c == kRed;
    EXPECT_EQ(sc.at(x, 221), x == 343 ? kBlack : kBase) << "x=" << x;
    EXPECT_EQ(sc.at(x, 223), x == 343 ? kBlack : kBase) << "x=" << x;
  }
  EXPECT_GT(red, 100);  // dotted: the map shows between the dots
  EXPECT_LT(red, 500);

  // The date line lies over the equator at their crossing.
  EXPECT_EQ(sc.at(343, 222), kBlack);
  for (int y : {0, 51, 146, 231, 319, 339}) EXPECT_EQ(sc.at(343, y), kBlack) << "y=" << y;
  // Vertices in the middle of the polyline are drawn (only the last end point is excluded).
  for (auto p : {std::pair<int, int>{354, 79}, {317, 110}, {343, 145}, {356, 246}, {356, 305}})
    EXPECT_EQ(sc.at(p.first, p.second), kBlack) << p.first << "," << p.second;
  // Off the polyline: the Bering bend leaves x = 343 between y 52 and 145.
  EXPECT_EQ(sc.at(343, 90), kBase);
  EXPECT_EQ(sc.at(343, 280), kBase);
}

TEST(DisplayMapLines, EachLineFollowsItsOption) {
  Scene sc;
  sc.settings.option.D_DATELINE = 1;
  composeFrame(sc.ctx, sc.clock.nowSeconds());
  for (int x = 0; x < 578; ++x) EXPECT_NE(sc.at(x, 222), kRed);
  EXPECT_EQ(sc.at(343, 222), kBlack);

  Scene off;
  composeFrame(off.ctx, off.clock.nowSeconds());
  EXPECT_EQ(off.work().data(), off.surfaces.BaseMapSurface.data());  // no lines at all
}

TEST(DisplayClock, HandsAtThreeOClock) {
  Scene sc;  // 03:00:00
  AreaSettings& a = sc.settings.area(1);
  a.D_ANALOG = 1;
  a.X = 100;
  a.Y = 100;
  composeFrame(sc.ctx, sc.clock.nowSeconds());
  // Hour hand from the centre (120, 118) to (132, 118), the end point excluded.
  for (int x = 121; x <= 131; ++x) EXPECT_EQ(sc.at(x, 118), kBlack) << "x=" << x;
  EXPECT_EQ(sc.at(132, 118), kBase);
  // Minute hand to (120, 100), with the red second hand drawn over it.
  for (int y = 101; y <= 117; ++y) EXPECT_EQ(sc.at(120, y), kRed) << "y=" << y;
  EXPECT_EQ(sc.at(120, 100), kBase);
  EXPECT_EQ(sc.at(119, 110), kBase);
  EXPECT_EQ(sc.at(121, 110), kBase);
}

TEST(DisplayClock, IntervalHidesTheSecondHand) {
  Scene sc;
  sc.clock = clockAt(2026, 12, 8, 3, 0, 15);  // second hand would point at 3
  AreaSettings& a = sc.settings.area(2);
  a.D_ANALOG = 1;
  a.X = 200;
  a.Y = 50;
  sc.settings.option.INTERVAL = 1;
  composeFrame(sc.ctx, sc.clock.nowSeconds());
  for (int y = 51; y <= 67; ++y) EXPECT_EQ(sc.at(220, y), kBlack) << "y=" << y;
  for (int x = 221; x <= 231; ++x) EXPECT_EQ(sc.at(x, 68), kBlack);  // hour hand only
  for (int y = 0; y < 340; ++y)
    for (int x = 0; x < 578; ++x) ASSERT_NE(sc.at(x, y), kRed);

  sc.settings.option.INTERVAL = 0;
  composeFrame(sc.ctx, sc.clock.nowSeconds());
  for (int x = 232; x <= 237; ++x) EXPECT_EQ(sc.at(x, 68), kRed) << "x=" << x;  // 18 px second hand
  EXPECT_EQ(sc.at(238, 68), kBase);
}

TEST(DisplayClock, HandAngles) {
  EXPECT_EQ(hourHandDegrees(9, 30), 285);
  EXPECT_EQ(hourHandDegrees(21, 59), 299);  // advances a degree every two minutes
  EXPECT_EQ(hourHandDegrees(0, 0), 0);
  const HandOffset h = handOffset(285, 12);
  EXPECT_EQ(h.dx, -12);
  EXPECT_EQ(h.dy, -3);
  const HandOffset m = handOffset(0, 18);  // the factor is a little under pi/180: still 0
  EXPECT_EQ(m.dx, 0);
  EXPECT_EQ(m.dy, -18);
  const HandOffset s = handOffset(180, 18);
  EXPECT_EQ(s.dx, 0);
  EXPECT_EQ(s.dy, 18);
  const HandOffset q = handOffset(270, 12);
  EXPECT_EQ(q.dx, -12);
  EXPECT_EQ(q.dy, 0);
}

TEST(DisplayClock, DialFillAndMarks) {
  Scene sc;
  sc.surfaces.DialMaskSurface.setPixel(5, 5, kBlack);  // one mark
  AreaSettings& a = sc.settings.area(1);
  a.D_ANALOG = 1;
  a.X = 10;
  a.Y = 10;
  sc.settings.option.D_MOJIBAN_R = 256 + 1;  // only the low 8 bits count
  sc.settings.option.D_MOJIBAN_G = 2;
  sc.settings.option.D_MOJIBAN_B = 3;
  composeFrame(sc.ctx, sc.clock.nowSeconds());
  EXPECT_EQ(sc.at(15, 15), kBlack);
  EXPECT_EQ(sc.at(25, 35), kBase);  // no fill without D_BAN_COLOR

  sc.settings.option.D_BAN_COLOR = 1;
  composeFrame(sc.ctx, sc.clock.nowSeconds());
  EXPECT_EQ(sc.at(15, 15), kBlack);
  EXPECT_EQ(sc.at(25, 35), (Rgb{1, 2, 3}));   // inside the ellipse
  EXPECT_EQ(sc.at(10, 10), kBase);             // the corner lies outside it
  EXPECT_EQ(sc.at(30, 10), kBlack);            // outline at the top
  EXPECT_EQ(sc.at(30, 48), kBlack);            // and at the bottom (Y + 39 - 1)
  EXPECT_EQ(sc.at(30, 49), kBase);
}

// Width of the box whose outline starts at (left, top): scans the box's middle row.
int boxWidth(Scene& sc, int left, int top) {
  const int y = top + 7;
  if (sc.at(left, y) != kBlack || sc.at(left - 1, y) != kBase) return -1;
  int right = left + 1;
  while (right < 578 && sc.at(right, y) != kBase) ++right;
  return right - left;
}

TEST(DisplayBoxes, NameBoxWidthsCountCp932Bytes) {
  struct Case {
    const char* name;
    int32_t areaNo;
    int width;
  };
  const Case cases[] = {{"Paris", 0, 35}, {"東京都", 0, 42}, {"Paris", 1, 49}, {"ﾊﾟﾘ", 0, 21}};
  for (const Case& c : cases) {
    Scene sc;
    AreaSettings& a = sc.settings.area(3);
    a.COUNTRY = c.name;
    a.D_COUNTRY = 1;
    a.X = 100;
    a.Y = 100;
    a.ﾏｰｼﾞﾝ1X = 5;
    a.ﾏｰｼﾞﾝ1Y = -3;
    a.R = 10;
    a.G = 200 + 512;
    a.B = 30;
    sc.settings.option.D_AREA_NO = c.areaNo;
    composeFrame(sc.ctx, sc.clock.nowSeconds());
    EXPECT_EQ(boxWidth(sc, 105, 147), c.width) << c.name;
    EXPECT_EQ(sc.at(106, 147 + 7), (Rgb{10, 200, 30})) << c.name;  // box colour, low 8 bits
    EXPECT_EQ(sc.at(112, 147 + 13), kBlack);                        // 14 px high
    EXPECT_EQ(sc.at(112, 147 + 14), kBase);
  }
  EXPECT_EQ(nameBoxText([] {
              SettingsRecords r = quietSettings();
              r.area(3).COUNTRY = "Paris";
              r.option.D_AREA_NO = 1;
              return r;
            }(),
                        3),
            "3:Paris");
}

TEST(DisplayBoxes, DigitalBoxTextsAndWidths) {
  AreaSettings a;
  a.D_24HOUR = 0;
  a.D_DATE = 0;
  AreaTime t;
  t.hour = 21, t.minute = 5, t.month = 12, t.day = 8;
  AreaTime nine = t;
  nine.hour = 9;
  EXPECT_EQ(digitalBoxText(a, t).text, "21:05");
  EXPECT_EQ(digitalBoxText(a, t).units, 5);
  EXPECT_EQ(digitalBoxText(a, nine).text, "9:05");
  a.D_DATE = 1;
  EXPECT_EQ(digitalBoxText(a, t).text, "12/8 21:05");
  EXPECT_EQ(digitalBoxText(a, t).units, 9);
  a.D_24HOUR = 1;
  EXPECT_EQ(digitalBoxText(a, nine).text, "12/8 AM9:05");
  a.D_DATE = 0;
  EXPECT_EQ(digitalBoxText(a, t).text, "PM9:05");

  Scene sc;
  sc.clock = clockAt(2026, 12, 8, 21, 5, 0);
  AreaSettings& b = sc.settings.area(5);
  b.D_DIJITAL = 1;
  b.X = 300;
  b.Y = 20;
  b.ﾏｰｼﾞﾝ2X = -10;
  b.ﾏｰｼﾞﾝ2Y = 4;
  b.R = 250;
  b.G = 250;
  b.B = 0;
  composeFrame(sc.ctx, sc.clock.nowSeconds());
  EXPECT_EQ(boxWidth(sc, 290, 94), 35);
  b.D_DATE = 1;
  composeFrame(sc.ctx, sc.clock.nowSeconds());
  EXPECT_EQ(boxWidth(sc, 290, 94), 63);
  // The text sits inside at (left + 3, top + 1): glyph pixels are black, none outside.
  int ink = 0;
  for (int y = 95; y < 107; ++y)
    for (int x = 293; x < 350; ++x) ink += sc.at(x, y) == kBlack;
  EXPECT_GT(ink, 20);
}

TEST(DisplayBoxes, DateFollowsTheAreaDifference) {
  Scene sc;
  sc.clock = clockAt(2026, 12, 31, 23, 40, 0);
  sc.settings.area(1).RUG = 4;
  sc.settings.area(1).D_DATE = 1;
  EXPECT_EQ(digitalBoxText(sc.settings.area(1), areaTime(sc.ctx, 1, sc.clock.nowSeconds())).text, "1/1 3:40");
}

TEST(DisplayNight, CellChosenByLocalHour) {
  EXPECT_EQ(nightCellOrigin(12).x, 0);
  EXPECT_EQ(nightCellOrigin(12).y, 0);
  EXPECT_EQ(nightCellOrigin(0).y, 168);
  EXPECT_EQ(nightCellOrigin(23).x, 486);
  EXPECT_EQ(nightCellOrigin(23).y, 84);
  EXPECT_EQ(nightCellOrigin(7).x, 98);
  EXPECT_EQ(nightCellOrigin(7).y, 252);

  // A sheet whose cells are each one colour: the frame takes the colour of the hour's cell.
  auto cellColour = [](int hour) { return Rgb{static_cast<uint8_t>(hour * 10), 255, static_cast<uint8_t>(200 - hour)}; };
  for (int hour : {0, 7, 12, 17, 23}) {
    Scene sc;
    sc.surfaces = plainSurfaces(kWhite);
    Surface& sheet = sc.surfaces.NightMaskSheetSurface;
    sheet = Surface(582, 335, Surface::Depth::Color24, kBlack);
    for (int h = 0; h < 24; ++h) {
      const CellOrigin o = nightCellOrigin(h);
      for (int y = 0; y < 82; ++y)
        for (int x = 0; x < 96; ++x) sheet.setPixel(o.x + x, o.y + y, cellColour(h));
    }
    sc.clock = clockAt(2026, 6, 1, hour, 30, 0);
    sc.settings.option.D_NIGHT = 1;
    composeFrame(sc.ctx, sc.clock.nowSeconds());
    for (auto p : {std::pair<int, int>{0, 0}, {577, 339}, {300, 170}, {577, 0}, {0, 339}})
      EXPECT_EQ(sc.at(p.first, p.second), cellColour(hour)) << "hour " << hour;
  }
}

TEST(DisplayNight, ShadingCoversEverythingDrawnBefore) {
  Scene sc;
  sc.clock = clockAt(2026, 6, 1, 12, 0, 0);
  // Cell of hour 12: left half daylight (white), right half night.
  Surface& sheet = sc.surfaces.NightMaskSheetSurface;
  for (int y = 0; y < 82; ++y)
    for (int x = 48; x < 96; ++x) sheet.setPixel(x, y, Rgb{14, 84, 138});
  AreaSettings& a = sc.settings.area(1);
  a.D_COUNTRY = 1;
  a.COUNTRY = "Night";
  a.X = 400;
  a.Y = 100;
  a.R = 255;
  a.G = 255;
  a.B = 255;
  sc.settings.option.D_NIGHT = 1;
  sc.settings.option.D_SEKIDOU = 1;
  composeFrame(sc.ctx, sc.clock.nowSeconds());
  EXPECT_EQ(sc.at(401, 157), (Rgb{14, 84, 138}));  // white box AND night
  EXPECT_EQ(sc.at(10, 10), kBase);                  // daylight leaves the map untouched
  EXPECT_EQ(sc.at(500, 10), (Rgb{100 & 14, 150 & 84, 200 & 138}));

  // A non-black overlay is added to the whole frame.
  sc.surfaces.NightOverlaySurface = Surface(96, 82, Surface::Depth::Mono1, kWhite);
  composeFrame(sc.ctx, sc.clock.nowSeconds());
  EXPECT_EQ(sc.at(10, 10), kWhite);
  EXPECT_EQ(sc.at(500, 300), kWhite);
}

TEST(DisplayFrame, PresentsOnceAndClearsFirstFrameDue) {
  Scene sc;
  CountingPresenter p;
  p.state = &sc.state;
  EXPECT_EQ(sc.state.firstFrameDue, 1);
  composeFrame(sc.ctx, sc.clock.nowSeconds(), &p);
  EXPECT_EQ(p.calls, 1);
  EXPECT_EQ(p.firstFrameDueSeen, 1);  // presented before the switch is cleared
  EXPECT_EQ(sc.state.firstFrameDue, 0);
  // The base map is copied first: earlier drawing never survives into the next frame.
  sc.work().setPixel(5, 5, kRed);
  composeFrame(sc.ctx, sc.clock.nowSeconds(), &p);
  EXPECT_EQ(sc.at(5, 5), kBase);
}

TEST(DisplayFrame, FrameDueRule) {
  Scene sc;
  sc.clock = clockAt(2026, 1, 1, 10, 0, 17);
  sc.settings.option.INTERVAL = 1;
  auto frameDueNow = [&sc] {
    return frameDue(sc.state.firstFrameDue, sc.settings.option.INTERVAL,
                    pcTimeAt(sc.clock, sc.clock.nowSeconds()).second);
  };
  EXPECT_TRUE(frameDueNow());  // first frame
  composeFrame(sc.ctx, sc.clock.nowSeconds());
  EXPECT_FALSE(frameDueNow());
  sc.clock = clockAt(2026, 1, 1, 10, 1, 0);
  EXPECT_TRUE(frameDueNow());
  sc.clock = clockAt(2026, 1, 1, 10, 1, 1);
  EXPECT_FALSE(frameDueNow());
  sc.settings.option.INTERVAL = 0;
  EXPECT_TRUE(frameDueNow());
  sc.settings.option.INTERVAL = -5;  // on whenever not 0
  EXPECT_FALSE(frameDueNow());
}

TEST(DisplayFrame, ClientSizeNeverBelowOne) {
  DisplayState st;
  EXPECT_EQ(st.clientWidth, 578);
  EXPECT_EQ(st.clientHeight, 341);
  st.setClientSize(0, -7);
  EXPECT_EQ(st.clientWidth, 1);
  EXPECT_EQ(st.clientHeight, 1);
}

TEST(DisplayFrame, StretchToTheClientArea) {
  Scene sc;
  sc.settings.option.D_SEKIDOU = 1;
  sc.settings.option.D_DATELINE = 1;
  composeFrame(sc.ctx, sc.clock.nowSeconds());
  Surface window;
  stretchFrame(sc.surfaces, 578, 340, window);
  EXPECT_EQ(window.data(), sc.work().data());  // 1:1 at the map's own size

  stretchFrame(sc.surfaces, 1156, 680, window);
  ASSERT_EQ(window.width(), 1156);
  ASSERT_EQ(window.height(), 680);
  const uint8_t* buffer = window.data().data();
  for (int y = 0; y < 340; y += 7)
    for (int x = 0; x < 578; x += 3) ASSERT_EQ(window.pixel(2 * x + 1, 2 * y + 1), sc.at(x, y));
  stretchFrame(sc.surfaces, 1156, 680, window);
  EXPECT_EQ(window.data().data(), buffer);  // same size: no new buffer

  stretchFrame(sc.surfaces, 0, 0, window);  // minimised
  EXPECT_EQ(window.width(), 1);
  stretchFrame(sc.surfaces, INT_MAX, 3, window);
  EXPECT_EQ(window.width(), kMaxPresentSide);
  EXPECT_EQ(window.height(), 3);
}

TEST(DisplayExtremes, ThirtyTwoBitSettingsNeverCrash) {
  const int32_t values[] = {INT_MAX, INT_MIN, INT_MAX - 20, INT_MIN + 30, -1, 0, 600};
  for (int32_t v : values) {
    Scene sc;
    sc.surfaces = plainSurfaces();
    sc.settings = defaultSettings();
    OptionSettings& o = sc.settings.option;
    o.D_NIGHT = o.D_SEKIDOU = o.D_DATELINE = o.D_EVENT1 = o.D_AREA_NO = o.D_BAN_COLOR = 1;
    o.D_MOJIBAN_R = o.D_MOJIBAN_G = o.D_MOJIBAN_B = v;
    for (AreaSettings& a : sc.settings.areas) {
      a.D_ANALOG = a.D_COUNTRY = a.D_DIJITAL = a.D_DATE = a.D_24HOUR = 1;
      a.X = v;
      a.Y = static_cast<int32_t>(0x7FFFFFFFu - static_cast<uint32_t>(v));  // any value
      a.ﾏｰｼﾞﾝ1X = INT_MIN;
      a.ﾏｰｼﾞﾝ1Y = v;
      a.ﾏｰｼﾞﾝ2X = INT_MAX;
      a.ﾏｰｼﾞﾝ2Y = INT_MIN;
      a.RUG = v;
      a.R = a.G = a.B = v;
    }
    sc.state.setClientSize(v, v);
    for (int i = 0; i < 5; ++i) {
      composeFrame(sc.ctx, sc.clock.nowSeconds());
      sc.clock.advanceMillis(1000);
    }
    EXPECT_EQ(sc.work().width(), 578);
  }
}

TEST(DisplayExtremes, FarAnchorWithOppositeMarginStillShowsTheBox) {
  // X at the top of the range and a margin at the bottom add up to a place on the map.
  Scene sc;
  AreaSettings& a = sc.settings.area(1);
  a.D_COUNTRY = 1;
  a.D_ANALOG = 1;  // the dial itself lies far outside
  a.COUNTRY = "Far";
  a.X = INT_MAX;
  a.ﾏｰｼﾞﾝ1X = INT_MIN + 101;  // left = 100
  a.Y = 10;
  a.R = 0;
  a.G = 255;
  a.B = 0;
  composeFrame(sc.ctx, sc.clock.nowSeconds());
  EXPECT_EQ(boxWidth(sc, 100, 60), 21);
  EXPECT_EQ(sc.at(101, 67), (Rgb{0, 255, 0}));
}

TEST(DisplayExtremes, MissingBitmapsDrawNothing) {
  struct Empty : BitmapSource {
    Surface load(int) override { return Surface(); }
  } empty;
  MapSurfaces s = loadMapSurfaces(empty);
  SettingsRecords settings = defaultSettings();
  FakeClock clock = clockAt(2026, 1, 1, 0, 0, 0);
  DisplayState state;
  FrameContext ctx{s, settings, clock, state};
  composeFrame(ctx, clock.nowSeconds());
  Surface window;
  stretchFrame(s, 800, 600, window);
  EXPECT_EQ(state.firstFrameDue, 0);
}

}  // namespace
