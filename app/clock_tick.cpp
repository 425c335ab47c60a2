#include "app/clock_tick.h"

#include "display/frame.h"  // frameDue
#include "worldtime/area_time.h"

namespace mdx {

unsigned nextTickDelayMs(int64_t nowMillis) {
  const int64_t intoSecond = floorMod(nowMillis, 1000);
  return static_cast<unsigned>(1000 - intoSecond + kTickLandingOffsetMs);
}

void ClockTick::start() { timer_.start(nextTickDelayMs(clock_.nowMillis())); }

bool ClockTick::onTimer(unsigned timerId) {
  if (timerId != kTickTimerId) return false;
  timer_.stop();
  // The PC clock is read once for the whole tick's work; the second read below only schedules
  // the next tick after that work.
  const int64_t now = floorDiv(clock_.nowMillis(), 1000);
  targets_.updateTitle(now);
  targets_.checkTimedActions(now);
  if (frameDue(firstFrameDue_, interval_, pcTimeAt(clock_, now).second)) targets_.composeFrame(now);
  timer_.start(nextTickDelayMs(clock_.nowMillis()));
  return true;
}

}  // namespace mdx
