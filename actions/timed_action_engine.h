#pragma once
// The once-a-tick check that runs the reservations of TimedAction and the two chimes, the
// call's firing and its reset. Nothing here touches Windows: every outside effect goes through
// TimedActionEffects, and the time is the PC's local time at the tick's instant.
#include <cstdint>
#include <optional>
#include <string>

#include "actions/sound.h"
#include "settings/timed_action.h"
#include "settings/settings.h"
#include "platform/clock.h"

namespace mdx {

// Run-time state of the check. One instance lives as long as the main window (all 0 at
// start, never stored). A fired switch is 1 from the first tick of the matching minute in
// which its action ran until the first tick at which the action no longer matches.
struct TimedActionState {
  int32_t soundFired = 0;
  int32_t programFired = 0;
  int32_t callFired = 0;
  int32_t hourlyChimeFired = 0;
  int32_t userChimeFired = 0;
  int32_t callPending = 0;  // a call has fired and the user has not reset it
};

// ExitWindowsEx flags for the three exit kinds.
constexpr uint32_t kExitLogOff = 0;    // EWX_LOGOFF
constexpr uint32_t kExitShutdown = 1;  // EWX_SHUTDOWN
constexpr uint32_t kExitReboot = 2;    // EWX_REBOOT

// Flags for exitKind 0 (log off), 1 (restart), 2 (shut down); nothing for any other kind.
std::optional<uint32_t> exitWindowsFlagsForKind(int32_t exitKind);
// Restart and shut down need the process's shutdown privilege enabled first; log off does not.
inline bool sessionEndNeedsShutdownPrivilege(uint32_t exitWindowsFlags) {
  return exitWindowsFlags != kExitLogOff;
}

// Everything the check and the call do to the outside world. The main window (app/world_clock)
// implements it: the save itself, the rest through its window port.
class TimedActionEffects {
 public:
  virtual ~TimedActionEffects() = default;
  // Writes every setting to the profile store (the same records the check works on).
  virtual void saveSettings() = 0;
  // Asks Windows to end the session with these ExitWindowsEx flags and reason 0, enabling the
  // shutdown privilege first when sessionEndNeedsShutdownPrivilege(flags). Result ignored.
  virtual void endSession(uint32_t exitWindowsFlags) = 0;
  // Posts WM_QUIT (both parameters 0) to the main window.
  virtual void postQuit() = 0;
  // Starts a sound; the shell forwards to mdx::playSound with its SoundDevice.
  virtual void playSound(const std::string& path, SoundKind kind) = 0;
  // Runs a whole command line as WinExec does (no shell interpretation), shown normally
  // (SW_SHOW). Result ignored.
  virtual void launch(const std::string& commandLine) = 0;
  // Main window operations.
  virtual bool isMinimised() = 0;
  virtual void restoreWindow() = 0;                 // ShowWindow(SW_RESTORE)
  virtual void setTopMost(bool topMost) = 0;        // SetWindowPos(HWND_TOPMOST / HWND_NOTOPMOST,
                                                    // SWP_NOSIZE | SWP_NOMOVE)
  virtual void flashWindow(bool invert) = 0;        // FlashWindow
};

// True when a reserved "HH:MM" time names this hour and minute: characters 1-2 are the hour's
// two digits and 4-5 the minute's; the character between is not examined. A time shorter than
// five characters (the empty text included) never matches.
bool reservedTimeMatches(const std::string& reservedTime, int hour, int minute);

// One tick's check at the PC's local time of `utcSeconds` (`pc` converts), in this order: Windows exit, sound, program, call, hourly chime (OPTION
// JIHOU), user chime. Every due action runs in the same tick. The sound reservation
// upper-cases action.soundFile (ASCII letters only) in place when it fires.
void checkTimedActions(const Clock& pc, int64_t utcSeconds, TimedAction& action, const OptionSettings& option,
                       TimedActionState& state, TimedActionEffects& effects);

// What a firing call does: when callTopWindow is 1, restore a minimised window and make it
// topmost; then callPending = 1.
void fireCall(const TimedAction& action, TimedActionState& state, TimedActionEffects& effects);

// The popup command "ｺｰﾙﾘｾｯﾄ": callPending = 0, z-order back to the always-on-top option
// (OPTION TOP_WINDOW), stop the flashing, and set titleRefreshDue to 1 so that the next tick
// rebuilds the title even within the same minute. titleRefreshDue is the title-bar switch the
// main window owns.
void resetCall(const OptionSettings& option, TimedActionState& state, TimedActionEffects& effects,
               int32_t& titleRefreshDue);

// The popup menu enables "ｺｰﾙﾘｾｯﾄ" exactly while a call is pending.
inline bool callResetEnabled(const TimedActionState& state) { return state.callPending == 1; }

}  // namespace mdx
