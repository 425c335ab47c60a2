#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/clock_tick.h"
#include "display/frame.h"  // frameDue
#include "platform/fake_clock.h"

using namespace mdx;

namespace {

// Records the order of the tick's calls; composing a frame takes 40 ms and clears the switch.
struct Recorder : TickTargets, TickTimer {
  FakeClock& clock;
  int32_t& firstFrameDue;
  std::vector<std::string> calls;
  std::vector<int64_t> instants;  // what each callee was handed
  int64_t titleWork = 0;          // milliseconds the title takes
  explicit Recorder(FakeClock& c, int32_t& f) : clock(c), firstFrameDue(f) {}
  void updateTitle(int64_t t) override {
    calls.push_back("title");
    instants.push_back(t);
    clock.advanceMillis(titleWork);
  }
  void checkTimedActions(int64_t t) override {
    calls.push_back("actions");
    instants.push_back(t);
  }
  void composeFrame(int64_t t) override {
    calls.push_back("frame");
    instants.push_back(t);
    clock.advanceMillis(40);
    firstFrameDue = 0;
  }
  void stop() override { calls.push_back("stop"); }
  void start(unsigned ms) override { calls.push_back("start " + std::to_string(ms)); lastDelay = ms; }
  unsigned lastDelay = 0;
};

TEST(ClockTick, NextTickLandsJustAfterTheNextWholeSecond) {
  EXPECT_EQ(nextTickDelayMs(1000), 1000 + kTickLandingOffsetMs);
  EXPECT_EQ(nextTickDelayMs(1000 + kTickLandingOffsetMs + 50), 1000 - 50u);
  EXPECT_EQ(nextTickDelayMs(1999), 1 + kTickLandingOffsetMs);
  EXPECT_EQ(nextTickDelayMs(-1), 1 + kTickLandingOffsetMs);  // before 1970 still whole seconds
  for (int64_t t = 0; t < 3000; t += 7) {
    const int64_t landing = t + nextTickDelayMs(t);
    EXPECT_EQ(floorMod(landing, 1000), kTickLandingOffsetMs) << t;
    EXPECT_GT(landing / 1000, t / 1000);  // always a later second
  }
}

TEST(ClockTick, SimulatedRunVisitsEverySecondOnce) {
  FakeClock clock(1'700'000'000'123, 0);
  int32_t first = 1, interval = 0;
  Recorder rec(clock, first);
  ClockTick tick(clock, rec, rec, first, interval);
  tick.start();
  int64_t lastSecond = clock.nowSeconds();
  for (int i = 0; i < 600; ++i) {
    clock.advanceMillis(rec.lastDelay);
    ASSERT_EQ(clock.nowSeconds(), lastSecond + 1);
    lastSecond = clock.nowSeconds();
    tick.onTimer(1);
  }
}

TEST(ClockTick, OrderAndFrameRule) {
  FakeClock clock(0, 0);
  clock.setLocal(2026, 5, 1, 10, 20, 30);
  int32_t first = 1, interval = 1;
  Recorder rec(clock, first);
  ClockTick tick(clock, rec, rec, first, interval);

  ASSERT_TRUE(tick.onTimer(1));  // the first tick always composes
  EXPECT_EQ(rec.calls, (std::vector<std::string>{"stop", "title", "actions", "frame", "start 968"}));
  rec.calls.clear();
  clock.setLocal(2026, 5, 1, 10, 20, 31);
  tick.onTimer(1);  // INTERVAL on, second 31: no frame
  EXPECT_EQ(rec.calls, (std::vector<std::string>{"stop", "title", "actions", "start 1008"}));
  rec.calls.clear();
  clock.setLocal(2026, 5, 1, 10, 21, 0);
  tick.onTimer(1);
  EXPECT_EQ(rec.calls.at(3), "frame");
  rec.calls.clear();
  EXPECT_FALSE(tick.onTimer(2));  // other timers change nothing
  EXPECT_TRUE(rec.calls.empty());
}

TEST(ClockTick, FrameDueRule) {
  EXPECT_TRUE(frameDue(1, 1, 31));
  EXPECT_TRUE(frameDue(0, 0, 31));
  EXPECT_TRUE(frameDue(0, 5, 0));
  EXPECT_FALSE(frameDue(0, 1, 31));
  EXPECT_FALSE(frameDue(0, -1, 1));
  EXPECT_FALSE(frameDue(2, 1, 59));
}

TEST(ClockTick, EveryCalleeSeesTheOneInstantOfTheTick) {
  // The title's work carries the PC clock over into second 00; the tick still belongs to
  // second 59, so no frame is due and every callee sees 10:20:59.
  FakeClock clock(0, 0);
  clock.setLocal(2026, 5, 1, 10, 20, 59, 990);
  const int64_t second59 = clock.nowSeconds();
  int32_t first = 0, interval = 1;
  Recorder rec(clock, first);
  rec.titleWork = 30;
  ClockTick tick(clock, rec, rec, first, interval);
  tick.onTimer(1);
  EXPECT_EQ(rec.calls, (std::vector<std::string>{"stop", "title", "actions", "start 988"}));
  EXPECT_EQ(rec.instants, (std::vector<int64_t>{second59, second59}));
  clock.setLocal(2026, 5, 1, 10, 21, 0, 10);
  tick.onTimer(1);
  EXPECT_EQ(rec.instants, (std::vector<int64_t>{second59, second59, second59 + 1, second59 + 1, second59 + 1}));
}

}  // namespace
