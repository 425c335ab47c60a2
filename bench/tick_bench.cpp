// One whole tick as the main window runs it: title, timed actions (every reservation and
// both chimes switched on, none due), and a composed frame, with the real bitmaps.
#include <benchmark/benchmark.h>

#include "actions/timed_action_engine.h"
#include "app/clock_tick.h"
#include "display/frame.h"
#include "display/title_bar.h"
#include "platform/fake_clock.h"
#include "testsupport/quiet_effects.h"

namespace {

using namespace mdx;

struct TickScene final : TickTargets, TickTimer, TitleWindow {
  MapSurfaces surfaces;
  SettingsRecords settings = defaultSettings();
  FakeClock clock{int64_t{1765432100} * 1000, 9 * 3600};
  DisplayState display;
  TitleState title;
  TimedActionState actionState;
  QuietEffects effects;
  std::string shownTitle;

  TickScene() {
    DirectoryBitmapSource dir(MDX_SOURCE_DIR "/libs/graphics/bitmaps", MDX_SOURCE_DIR "/libs/graphics/mdxgraph.rc");
    surfaces = loadMapSurfaces(dir);
    TimedAction& a = settings.action;
    a.exitReserved = a.soundReserved = a.programReserved = a.callReserved = a.userChimeOn = 1;
    a.exitTime = a.soundTime = a.programTime = a.callTime = "23:59";
    a.userChimeMinute = 59;
    settings.option.TITLE = 1;
  }

  void updateTitle(int64_t t) override {
    mdx::updateTitle(*this, title, settings, clock, nullptr, t, actionState.callPending == 1);
  }
  void checkTimedActions(int64_t t) override {
    mdx::checkTimedActions(clock, t, settings.action, settings.option, actionState, effects);
  }
  void composeFrame(int64_t t) override { mdx::composeFrame(FrameContext{surfaces, settings, clock, display}, t); }
  void stop() override {}
  void start(unsigned) override {}
  void setTitle(const std::string& t) override { shownTitle = t; }
  void flash(bool) override {}
};

void BM_WholeTick(benchmark::State& state) {
  TickScene scene;
  ClockTick tick(scene.clock, scene, scene, scene.display.firstFrameDue, scene.settings.option.INTERVAL);
  for (auto _ : state) {
    scene.clock.advanceMillis(1000);
    scene.title.titleRefreshDue = 1;  // rebuild the title every time, as at a new minute
    tick.onTimer(kTickTimerId);
    benchmark::DoNotOptimize(scene.shownTitle.data());
  }
}
BENCHMARK(BM_WholeTick)->Unit(benchmark::kMicrosecond);

}  // namespace
