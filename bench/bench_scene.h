#pragma once
// The scene the display benchmarks draw: the library's bitmaps and every option on.
#include "display/display_state.h"
#include "display/map_surfaces.h"
#include "settings/settings.h"
#include "testsupport/directory_bitmap_source.h"
#include "testsupport/fake_clock.h"
#include "testsupport/synthetic_bitmaps.h"

namespace mdx {

struct BenchScene {
  MapSurfaces surfaces;
  SettingsRecords settings = defaultSettings();
  FakeClock clock{int64_t{1765432100} * 1000, 9 * 3600};
  DisplayState state;

  BenchScene() {
    // The library's bitmaps when they are in the tree, else their generated stand-ins.
    DirectoryBitmapSource dir(MDX_SOURCE_DIR "/libs/graphics/bitmaps", MDX_SOURCE_DIR "/libs/graphics/mdxgraph.rc");
    surfaces = loadMapSurfaces(dir);
    if (surfaces.BaseMapSurface.empty()) {
      SyntheticBitmapSource synthetic;
      surfaces = loadMapSurfaces(synthetic);
    }
    OptionSettings& o = settings.option;
    o.D_NIGHT = o.D_SEKIDOU = o.D_DATELINE = o.D_EVENT1 = o.D_AREA_NO = o.D_BAN_COLOR = 1;
    o.INTERVAL = 0;
    for (AreaSettings& a : settings.areas) a.D_ANALOG = a.D_COUNTRY = a.D_DIJITAL = a.D_DATE = a.D_24HOUR = 1;
  }
};

}  // namespace mdx
