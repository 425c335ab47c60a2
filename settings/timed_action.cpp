#include "settings/timed_action.h"

#include <tuple>

namespace mdx {

namespace {
auto fields(const TimedAction& a) {
  return std::tie(a.exitReserved, a.exitKind, a.exitTime, a.soundReserved, a.soundFile, a.soundTime,
                  a.programReserved, a.programCommand, a.programTime, a.callReserved, a.callFlash,
                  a.callTopWindow, a.callText, a.callTime, a.userChimeOn, a.userChimeMinute,
                  a.userChimeFile);
}
}  // namespace

bool TimedAction::operator==(const TimedAction& o) const { return fields(*this) == fields(o); }

}  // namespace mdx
