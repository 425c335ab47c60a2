#pragma once
// The main window's title: the program title, or the time and name of the AREA chosen by
// OPTION TITLE, rebuilt once a minute or on request; while a call is pending, the call text,
// flashing if the call asks for it.
#include <cstdint>
#include <string>

#include "settings/settings.h"
#include "platform/clock.h"
#include "worldtime/zone_rules.h"

namespace mdx {

// The window the title is shown on (the shell converts to UTF-16 and calls SetWindowTextW
// and FlashWindow).
class TitleWindow {
 public:
  virtual ~TitleWindow() = default;
  virtual void setTitle(const std::string& utf8) = 0;
  virtual void flash(bool invert) = 0;
};

extern const char* const kPlainTitle;  // "((((( Meridexa )))))"

struct TitleState {
  std::string lastTitleMinute;  // the minute field the title was last built for
  int32_t titleRefreshDue = 1;  // set by dialogs and the call reset; cleared by a rebuild
};

// One tick's title work. `callPending` is the timed actions' call switch; the call's text and
// flash switch are `settings.action.callText` and `callFlash`. When the title's AREA has a
// zone known to `zones`, its hour and minute come from that zone and the title is rebuilt
// when the AREA's minute changes.
void updateTitle(TitleWindow& window, TitleState& state, const SettingsRecords& settings, const Clock& clock,
                 bool callPending, const ZoneRules* zones = nullptr);

// The title for a stamp's hour and minute fields: kPlainTitle when TITLE names no AREA
// (0, and any value outside 1..7), else "<hour>:<minute> <COUNTRY>".
std::string titleText(const SettingsRecords& settings, const std::string& hourField, const std::string& minuteField);

// The title at `utcSeconds` with the chosen AREA's zone applied when it has a known one;
// `minute` is the minute field the title was built for.
struct TitleLine {
  std::string text;
  std::string minute;
};
TitleLine titleLineAt(const SettingsRecords& settings, const Clock& clock, int64_t utcSeconds,
                      const ZoneRules* zones);

}  // namespace mdx
