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
  int32_t exitFired = 0;  // a Windows exit was asked for (and refused) in this minute
  int32_t soundFired = 0;
  int32_t programFired = 0;
  int32_t callFired = 0;
  int32_t hourlyChimeFired = 0;
  int32_t userChimeFired = 0;
  int32_t callPending = 0;  // a call has fired and the user has not reset it
};

// ExitWindowsEx flags as Windows numbers them.
constexpr uint32_t kEwxLogOff = 0x0, kEwxShutdown = 0x1, kEwxReboot = 0x2, kEwxPowerOff = 0x8,
                   kEwxForceIfHung = 0x10;
// The three exit kinds. A timed exit runs unattended, so a program that does not answer the
// end-of-session messages is ended rather than left to hold the session up all night; shut
// down turns the power off (EWX_SHUTDOWN alone leaves it on).
constexpr uint32_t kExitLogOff = kEwxLogOff | kEwxForceIfHung;
constexpr uint32_t kExitReboot = kEwxReboot | kEwxForceIfHung;
constexpr uint32_t kExitShutdown = kEwxPowerOff | kEwxForceIfHung;
// The reason given with every exit: SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_MINOR_OTHER |
// SHTDN_REASON_FLAG_PLANNED. Reason 0 would be logged as an unplanned shut-down.
constexpr uint32_t kExitReasonPlannedOther = 0x80000000u;

// Flags for exitKind 0 (log off), 1 (restart), 2 (shut down); nothing for any other kind.
std::optional<uint32_t> exitWindowsFlagsForKind(int32_t exitKind);
// Restart and shut down need the process's shutdown privilege enabled first; log off does not.
inline bool sessionEndNeedsShutdownPrivilege(uint32_t exitWindowsFlags) {
  return (exitWindowsFlags & (kEwxShutdown | kEwxReboot | kEwxPowerOff)) != 0;
}

// Everything the check and the call do to the outside world. The main window (app/world_clock)
// implements it: the save itself, the rest through its window port.
class TimedActionEffects {
 public:
  virtual ~TimedActionEffects() = default;
  // Writes every setting to the profile store (the same records the check works on).
  virtual void saveSettings() = 0;
  // Asks Windows to end the session with these ExitWindowsEx flags and reason, enabling the
  // shutdown privilege first when sessionEndNeedsShutdownPrivilege(flags). True when Windows
  // took the request (the end then goes on without the program), false when it refused.
  virtual bool endSession(uint32_t exitWindowsFlags, uint32_t reason) = 0;
  // Posts WM_QUIT (both parameters 0) to the main window.
  virtual void postQuit() = 0;
  // Starts a sound; the shell forwards to mdx::playSound with its SoundDevice.
  virtual void playSound(const std::string& path, SoundKind kind) = 0;
  // Starts a whole command line as WinExec reads it (no shell interpretation), shown normally
  // (SW_SHOW), in the program's own folder. Result ignored.
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

// One tick's check at the PC's local time of `utcSeconds` (`pc` converts), in this order:
// Windows exit, sound, program, call, hourly chime (OPTION JIHOU), user chime. Every due action
// runs in the same tick. A Windows exit saves the settings and quits once Windows has taken it
// (an unknown kind only quits); one that Windows refuses leaves the program running and is not
// asked again in that minute. The sound reservation
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
