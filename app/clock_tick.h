#pragma once
// The one-second tick of the main window: title, timed actions, and a new map frame when one
// is due, never overlapping (the timer is stopped for the tick's whole duration).
#include <cstdint>
#include <string>

#include "platform/clock.h"

namespace mdx {

constexpr unsigned kTickTimerId = 1;

// What the tick drives, in its order. Every callee gets the tick's one instant (seconds since
// 1970-01-01 UTC) and reads no clock of its own.
class TickTargets {
 public:
  virtual ~TickTargets() = default;
  virtual void updateTitle(int64_t utcSeconds) = 0;
  virtual void checkTimedActions(int64_t utcSeconds) = 0;
  virtual void composeFrame(int64_t utcSeconds) = 0;  // clears firstFrameDue
};

// The main window's timer.
class TickTimer {
 public:
  virtual ~TickTimer() = default;
  virtual void stop() = 0;
  virtual void start(unsigned delayMs) = 0;
};

// Delay from `nowMillis` to the next tick, chosen so that the tick lands a few milliseconds
// after the next whole second of the PC clock: no second is skipped and second 00 is never
// missed, whatever the tick's own work took.
unsigned nextTickDelayMs(int64_t nowMillis);
constexpr unsigned kTickLandingOffsetMs = 8;

class ClockTick {
 public:
  ClockTick(const Clock& clock, TickTargets& targets, TickTimer& timer, const int32_t& firstFrameDue,
            const int32_t& interval)
      : clock_(clock), targets_(targets), timer_(timer), firstFrameDue_(firstFrameDue), interval_(interval) {}

  // Starts the timer for the first tick.
  void start();
  // A timer message; only id 1 is a tick. Returns whether it was one.
  bool onTimer(unsigned timerId);

 private:
  const Clock& clock_;
  TickTargets& targets_;
  TickTimer& timer_;
  const int32_t& firstFrameDue_;
  const int32_t& interval_;
};

}  // namespace mdx
