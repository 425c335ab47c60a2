#pragma once
// Moves the PC clock by a measured offset: the port through which the time-server dialog sets
// the clock, in this process or through an elevated helper.
#include <cstdint>

namespace mdx {

enum class ClockMoveResult {
  Moved,             // the clock now reads what it read plus the offset
  Failed,            // the system refused or the helper failed
  PrivilegeNotHeld,  // the process lacks the right to set the time (not elevated)
  Declined,          // the user declined the elevation prompt
};

class ClockMover {
 public:
  virtual ~ClockMover() = default;
  // Moves the clock by `offsetMillis` (negative: back), from the moment of the call.
  virtual ClockMoveResult moveClockBy(int64_t offsetMillis) = 0;
};

// Sets the clock in this process while it is believed to hold the right to, and through the
// elevated helper otherwise. A refusal for want of the right, which the check did not foresee,
// sends every later move through the helper.
class ClockMoveRoute final : public ClockMover {
 public:
  // `direct` and `elevated` must outlive the route; `privilegeHeld` is the process token's answer.
  ClockMoveRoute(ClockMover& direct, ClockMover& elevated, bool privilegeHeld)
      : direct_(direct), elevated_(elevated), elevate_(!privilegeHeld) {}

  // The next move goes through the helper (the button that starts it carries the shield).
  bool needsElevation() const { return elevate_; }

  ClockMoveResult moveClockBy(int64_t offsetMillis) override {
    if (elevate_) return elevated_.moveClockBy(offsetMillis);
    const ClockMoveResult result = direct_.moveClockBy(offsetMillis);
    if (result == ClockMoveResult::PrivilegeNotHeld) elevate_ = true;
    return result;
  }

 private:
  ClockMover& direct_;
  ClockMover& elevated_;
  bool elevate_;
};

}  // namespace mdx
