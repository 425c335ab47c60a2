#pragma once
// The main window's title: the program title, or the time and name of the AREA chosen by
// OPTION TITLE, rebuilt once a minute or on request; while a call is pending, the call text,
// flashing if the call asks for it.
#include <cstdint>
#include <string>

#include "platform/clock.h"
#include "settings/settings.h"
#include "worldtime/zone_rules.h"

namespace mdx {

// The window the title is shown on (the shell converts to UTF-16 and calls SetWindowTextW
// and FlashWindow).
class TitleWindow {
 public:
  virtual ~TitleWindow() = default;
  virtual void setTitle(const std::string& utf8) = 0;
  // Toggles the caption's active look (invert) or returns it to normal (false).
  virtual void flash(bool invert) = 0;
};

extern const char* const kPlainTitle;  // "((((( Meridexa )))))"

struct TitleState {
  int lastTitleMinute = -1;     // the minute the title was last built for; -1 before the first
  int32_t titleRefreshDue = 1;  // set by dialogs and the call reset; cleared by a rebuild
};

// One tick's title work at the tick's instant `utcSeconds`. `callPending` is the timed
// actions' call switch; the call's text and flash switch are `settings.action.callText` and
// `callFlash`. The title is rebuilt when its minute (the chosen AREA's, else the PC's)
// differs from the last one built or a refresh is due.
void updateTitle(TitleWindow& window, TitleState& state, const SettingsRecords& settings, const Clock& pc,
                 const ZoneRules* zones, int64_t utcSeconds, bool callPending);

// The title at `utcSeconds`: kPlainTitle when TITLE names no AREA (0, and any value outside
// 1..7), else "<hour>:<minute> <COUNTRY>" at that AREA's time; `minute` is the minute it was
// built for.
struct TitleLine {
  std::string text;
  int minute = 0;
};
TitleLine titleLineAt(const SettingsRecords& settings, const Clock& pc, const ZoneRules* zones, int64_t utcSeconds);

}  // namespace mdx
