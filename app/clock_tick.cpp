#include "app/clock_tick.h"

#include "display/frame.h"  // frameDue
#include "worldtime/world_time.h"

namespace mdx {

unsigned nextTickDelayMs(int64_t nowMillis) {
  const int64_t intoSecond = floorMod(nowMillis, 1000);
  return static_cast<unsigned>(1000 - intoSecond + kTickLandingOffsetMs);
}

void ClockTick::start() { timer_.start(nextTickDelayMs(clock_.nowMillis())); }

bool ClockTick::onTimer(unsigned timerId) {
  if (timerId != kTickTimerId) return false;
  timer_.stop();
  targets_.updateTitle();
  targets_.checkTimedActions();
  const std::string seconds = splitTimeStamp(makeTimeStamp(clock_)).second;
  if (frameDue(firstFrameDue_, interval_, seconds)) targets_.composeFrame();
  timer_.start(nextTickDelayMs(clock_.nowMillis()));
  return true;
}

}  // namespace mdx
