#pragma once
// Plain surfaces and quiet settings for the display tests: every AREA and every overlay off,
// a uniform base map, white dial mask (no marks), white sprite masks and black images.
#include "display/display_state.h"
#include "raster/surface.h"
#include "settings/settings.h"
#include "testsupport/fake_clock.h"

namespace mdx::testing {

constexpr Rgb kBase{100, 150, 200};

inline MapSurfaces plainSurfaces(Rgb base = kBase) {
  using D = Surface::Depth;
  MapSurfaces s;
  s.BaseMapSurface = Surface(578, 340, D::Color24, base);
  s.WorkSurface = Surface(578, 340, D::Color24, kBlack);
  s.PlaneMaskSurface = Surface(268, 35, D::Mono1, kWhite);
  s.PlaneImageSurface = Surface(268, 35, D::Color24, kBlack);
  s.TyphoonMaskSurface = Surface(239, 59, D::Mono1, kWhite);
  s.TyphoonImageSurface = Surface(239, 59, D::Color24, kBlack);
  s.DialMaskSurface = Surface(40, 39, D::Mono1, kWhite);
  s.DialImageSurface = Surface(40, 39, D::Mono1, kBlack);
  s.NightMaskSheetSurface = Surface(582, 335, D::Color24, kWhite);
  s.NightOverlaySurface = Surface(96, 82, D::Mono1, kBlack);
  s.mapWidth = 578;
  s.mapHeight = 340;
  s.dialWidth = 40;
  s.dialHeight = 39;
  s.overlayWidth = 96;
  s.overlayHeight = 82;
  return s;
}

inline SettingsRecords quietSettings() {
  SettingsRecords r = defaultSettings();
  for (AreaSettings& a : r.areas) {
    a.D_ANALOG = a.D_COUNTRY = a.D_DIJITAL = 0;
    a.D_DATE = 0;
    a.D_24HOUR = 0;
    a.RUG = 0;
  }
  OptionSettings& o = r.option;
  o.D_NIGHT = o.D_SEKIDOU = o.D_DATELINE = o.D_EVENT1 = o.D_AREA_NO = o.D_BAN_COLOR = 0;
  o.INTERVAL = 0;
  return r;
}

inline FakeClock clockAt(int y, int mo, int d, int h, int mi, int s) {
  FakeClock c(0, 9 * 3600);
  c.setLocal(y, mo, d, h, mi, s);
  return c;
}

// A scene bundling what a frame needs.
struct Scene {
  MapSurfaces surfaces = plainSurfaces();
  SettingsRecords settings = quietSettings();
  FakeClock clock = clockAt(2026, 12, 8, 3, 0, 0);
  DisplayState state;
  FrameContext ctx{surfaces, settings, clock, state};
  Surface& work() { return surfaces.WorkSurface; }
  Rgb at(int x, int y) { return surfaces.WorkSurface.pixel(x, y); }
};

}  // namespace mdx::testing
