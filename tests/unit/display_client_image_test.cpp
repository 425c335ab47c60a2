// The window's picture after a run of frames, each presented only where it changed, is
// exactly the full stretch of the last frame, at whole and non-integer scales.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "display/client_image.h"
#include "display/frame.h"
#include "testsupport/synthetic_bitmaps.h"
#include "raster/ops.h"
#include "tests/unit/display_test_support.h"

using namespace mdx;

namespace {

MapSurfaces busySurfaces() {
  DirectoryBitmapSource dir(MDX_SOURCE_DIR "/libs/graphics/bitmaps", MDX_SOURCE_DIR "/libs/graphics/mdxgraph.rc");
  MapSurfaces s = loadMapSurfaces(dir);
  if (s.BaseMapSurface.empty()) {
    SyntheticBitmapSource synthetic;
    s = loadMapSurfaces(synthetic);
  }
  return s;
}

// Every option on: clocks with second hands, digital boxes, both sprites and the shading.
SettingsRecords busySettings() {
  SettingsRecords r = defaultSettings();
  OptionSettings& o = r.option;
  o.D_NIGHT = o.D_SEKIDOU = o.D_DATELINE = o.D_EVENT1 = o.D_AREA_NO = o.D_BAN_COLOR = 1;
  o.INTERVAL = 0;
  for (AreaSettings& a : r.areas) a.D_ANALOG = a.D_COUNTRY = a.D_DIJITAL = a.D_DATE = a.D_24HOUR = 1;
  return r;
}

// What the window holds: starts as garbage and receives only the rectangles handed out.
struct FakeWindow {
  Surface shown;
  int64_t pixelsSent = 0;
  void receive(const ClientImage& image, const std::vector<PixelRect>& rects) {
    const Surface& pic = image.picture();
    if (shown.width() != pic.width() || shown.height() != pic.height())
      shown = Surface(pic.width(), pic.height(), Surface::Depth::Color24, Rgb{255, 0, 255});
    for (const PixelRect& r : rects) {
      bitBlt(shown, r.x, r.y, r.width, r.height, pic, r.x, r.y, Rop::SrcCopy);
      pixelsSent += int64_t{r.width} * r.height;
    }
  }
};

struct PresentRun {
  MapSurfaces surfaces = busySurfaces();
  SettingsRecords settings = busySettings();
  FakeClock clock = mdx::testing::clockAt(2026, 12, 8, 21, 59, 50);
  DisplayState state;
  FrameContext ctx{surfaces, settings, clock, state};
  ClientImage image;
  FakeWindow window;

  void frame(bool whole = false) {
    composeFrame(ctx, clock.nowSeconds());
    clock.advanceMillis(1000);
    window.receive(image, image.update(surfaces, state.clientWidth, state.clientHeight, whole));
  }
  void expectFullStretch(const char* when) {
    Surface expected;
    stretchFrame(surfaces, state.clientWidth, state.clientHeight, expected);
    ASSERT_EQ(window.shown.width(), expected.width()) << when;
    ASSERT_EQ(window.shown.height(), expected.height()) << when;
    ASSERT_TRUE(window.shown.data() == expected.data())
        << when << " at " << state.clientWidth << "x" << state.clientHeight;
  }
};

TEST(ClientImage, PartialPresentsAddUpToTheFullStretch) {
  const std::pair<int, int> sizes[] = {{578, 341}, {578, 340}, {1156, 680}, {800, 450},
                                       {1000, 333}, {300, 170}, {577, 339}, {1, 1}};
  for (auto [w, h] : sizes) {
    PresentRun run;
    run.state.setClientSize(w, h);
    run.frame(true);  // the first frame goes out whole
    run.expectFullStretch("first frame");
    const int64_t afterFirst = run.window.pixelsSent;
    // Ten seconds across a minute and an hour: hands, digits, sprites and shading all change.
    for (int i = 0; i < 10; ++i) {
      run.frame();
      run.expectFullStretch("partial frame");
    }
    if (w * h > 10000) {
      // A second moves hands and sprites only; far less than the picture goes out.
      EXPECT_LT(run.window.pixelsSent - afterFirst, int64_t{10} * w * h / 2) << w << "x" << h;
    }
  }
}

TEST(ClientImage, ResizeAndRepaintSendTheWholePicture) {
  PresentRun run;
  run.frame(true);
  run.state.setClientSize(913, 517);  // a resize: everything, at the new scale
  run.frame();
  run.expectFullStretch("after resize");
  const std::vector<PixelRect>& resized = run.image.update(run.surfaces, 640, 400, false);
  ASSERT_EQ(resized.size(), 1u);
  EXPECT_EQ(resized[0], (PixelRect{0, 0, 640, 400}));
  // A paint asks for all of it even when nothing changed.
  const std::vector<PixelRect>& repaint = run.image.update(run.surfaces, 640, 400, true);
  ASSERT_EQ(repaint.size(), 1u);
  EXPECT_EQ(repaint[0], (PixelRect{0, 0, 640, 400}));
  // Minimised (1 x 1) and restored.
  run.state.setClientSize(0, 0);
  run.frame();
  run.state.setClientSize(640, 400);
  run.frame();
  run.expectFullStretch("after restore");
}

TEST(ClientImage, AnUnchangedFrameSendsNothing) {
  PresentRun run;
  run.settings.option.D_EVENT1 = 0;  // no sprites, so the same second composes the same frame
  run.state.setClientSize(800, 450);
  run.frame(true);
  run.clock.advanceMillis(-1000);
  composeFrame(run.ctx, run.clock.nowSeconds());
  EXPECT_TRUE(run.image.update(run.surfaces, 800, 450, false).empty());
  // A changed map outside any client pixel is impossible; a changed WorkSurface pixel shows.
  run.surfaces.WorkSurface.setPixel(577, 339, Rgb{1, 2, 3});
  const std::vector<PixelRect>& one = run.image.update(run.surfaces, 800, 450, false);
  ASSERT_FALSE(one.empty());
  run.window.receive(run.image, one);
  run.expectFullStretch("single pixel");
}

}  // namespace
