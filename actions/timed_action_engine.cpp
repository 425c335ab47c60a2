#include "actions/timed_action_engine.h"

#include "worldtime/world_time.h"

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

bool reservedTimeMatches(const std::string& reservedTime, const std::string& hour, const std::string& minute) {
  if (reservedTime.size() < 5) return false;
  return reservedTime.compare(0, 2, hour) == 0 && reservedTime.compare(3, 2, minute) == 0;
}

namespace {

// The minute field as a number; anything but two digits (which the stamp always has) is -1 so
// it can never equal a chime minute.
int32_t minuteValue(const std::string& minute) {
  if (minute.size() != 2 || minute[0] < '0' || minute[0] > '9' || minute[1] < '0' || minute[1] > '9') return -1;
  return (minute[0] - '0') * 10 + (minute[1] - '0');
}

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

void checkTimedActions(const Clock& clock, TimedAction& action, const OptionSettings& option,
                       TimedActionState& state, TimedActionEffects& effects) {
  const StampFields now = splitTimeStamp(makeTimeStamp(clock));
  const std::string& h = now.hour;
  const std::string& m = now.minute;
  oncePerMatch(isOn(action.exitReserved) && reservedTimeMatches(action.exitTime, h, m), state.exitFired,
               [&] { runExit(action, effects); });
  oncePerMatch(isOn(action.soundReserved) && reservedTimeMatches(action.soundTime, h, m), state.soundFired,
               [&] { playReservedSound(action, effects); });
  oncePerMatch(isOn(action.programReserved) && reservedTimeMatches(action.programTime, h, m), state.programFired,
               [&] { effects.launch(action.programCommand); });
  oncePerMatch(isOn(action.callReserved) && reservedTimeMatches(action.callTime, h, m), state.callFired,
               [&] { fireCall(action, state, effects); });
  oncePerMatch(isOn(option.JIHOU) && m == "00", state.hourlyChimeFired,
               [&] { effects.playSound(std::string(), SoundKind::BuiltInChime); });
  oncePerMatch(isOn(action.userChimeOn) && minuteValue(m) == action.userChimeMinute, state.userChimeFired,
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
