#include "actions/timed_action_engine.h"

#include "worldtime/area_time.h"

namespace mdx {

std::optional<uint32_t> exitWindowsFlagsForKind(int32_t exitKind) {
  switch (exitKind) {
    case 0:
      return kExitLogOff;
    case 1:
      return kExitReboot;
    case 2:
      return kExitShutdown;
    default:
      return std::nullopt;
  }
}

namespace {

// Two decimal digits at `pos` as a number; -1 when either character is not a digit.
int twoDigitValue(const std::string& text, size_t pos) {
  const char a = text[pos], b = text[pos + 1];
  if (a < '0' || a > '9' || b < '0' || b > '9') return -1;
  return (a - '0') * 10 + (b - '0');
}

}  // namespace

bool reservedTimeMatches(const std::string& reservedTime, int hour, int minute) {
  if (reservedTime.size() < 5) return false;
  return twoDigitValue(reservedTime, 0) == hour && twoDigitValue(reservedTime, 3) == minute;
}

namespace {

// Runs `run` once per matching stretch of ticks: on the first tick at which `matches` holds.
// `fired` stays 1 while it holds and drops back to 0 at the first tick at which it does not.
template <class Run>
void oncePerMatch(bool matches, int32_t& fired, Run&& run) {
  if (!matches) {
    fired = 0;
    return;
  }
  if (fired == 0) run();
  fired = 1;
}

void playReservedSound(TimedAction& action, TimedActionEffects& effects) {
  // The stored path stays upper-case from now on and is saved so.
  action.soundFile = toUpperAscii(action.soundFile);
  if (endsWithWav(action.soundFile)) effects.playSound(action.soundFile, SoundKind::WaveFile);
  if (endsWithMid(action.soundFile)) effects.playSound(action.soundFile, SoundKind::MidiFile);
}

void runExit(const TimedAction& action, TimedActionEffects& effects) {
  if (const auto flags = exitWindowsFlagsForKind(action.exitKind)) {
    effects.saveSettings();
    // A refused exit keeps the clock running: vanishing having ended nothing is worse. The
    // settings are saved either way.
    if (!effects.endSession(*flags, kExitReasonPlannedOther)) return;
  }
  effects.postQuit();
}

}  // namespace

void checkTimedActions(const Clock& pc, int64_t utcSeconds, TimedAction& action, const OptionSettings& option,
                       TimedActionState& state, TimedActionEffects& effects) {
  const AreaTime now = pcTimeAt(pc, utcSeconds);
  const int h = now.hour;
  const int m = now.minute;
  oncePerMatch(isOn(action.exitReserved) && reservedTimeMatches(action.exitTime, h, m), state.exitFired,
               [&] { runExit(action, effects); });
  oncePerMatch(isOn(action.soundReserved) && reservedTimeMatches(action.soundTime, h, m), state.soundFired,
               [&] { playReservedSound(action, effects); });
  oncePerMatch(isOn(action.programReserved) && reservedTimeMatches(action.programTime, h, m), state.programFired,
               [&] { effects.launch(action.programCommand); });
  oncePerMatch(isOn(action.callReserved) && reservedTimeMatches(action.callTime, h, m), state.callFired,
               [&] { fireCall(action, state, effects); });
  oncePerMatch(isOn(option.JIHOU) && m == 0, state.hourlyChimeFired,
               [&] { effects.playSound(std::string(), SoundKind::BuiltInChime); });
  oncePerMatch(isOn(action.userChimeOn) && m == action.userChimeMinute, state.userChimeFired,
               [&] { effects.playSound(action.userChimeFile, SoundKind::WaveFile); });
}

void fireCall(const TimedAction& action, TimedActionState& state, TimedActionEffects& effects) {
  if (isOn(action.callTopWindow)) {
    if (effects.isMinimised()) effects.restoreWindow();
    effects.setTopMost(true);
  }
  state.callPending = 1;
}

void resetCall(const OptionSettings& option, TimedActionState& state, TimedActionEffects& effects,
               int32_t& titleRefreshDue) {
  state.callPending = 0;
  effects.setTopMost(isOn(option.TOP_WINDOW));
  effects.flashWindow(false);
  titleRefreshDue = 1;
}

}  // namespace mdx
