#include "display/title_bar.h"

#include "display/time_texts.h"
#include "worldtime/area_time.h"

namespace mdx {

const char* const kPlainTitle = "((((( Meridexa )))))";

namespace {

// A stored TITLE outside 1..7 names no AREA and is shown like 0.
bool titleNamesArea(int32_t n) { return n >= 1 && n <= kAreaCount; }

}  // namespace

TitleLine titleLineAt(const SettingsRecords& settings, const Clock& pc, const ZoneRules* zones, int64_t utcSeconds) {
  const int32_t n = settings.option.TITLE;
  if (!titleNamesArea(n)) return {kPlainTitle, pcTimeAt(pc, utcSeconds).minute};
  const AreaSettings& a = settings.area(n);
  const AreaTime t = areaTimeAt(pc, zones, a.ZONE, a.RUG, utcSeconds);
  return {clockText(t, isOn(a.D_24HOUR)) + " " + a.COUNTRY, t.minute};
}

void updateTitle(TitleWindow& window, TitleState& state, const SettingsRecords& settings, const Clock& pc,
                 const ZoneRules* zones, int64_t utcSeconds, bool callPending) {
  if (callPending) {
    window.setTitle(settings.action.callText);
    if (isOn(settings.action.callFlash)) window.flash(true);
    return;
  }
  const TitleLine line = titleLineAt(settings, pc, zones, utcSeconds);
  if (state.titleRefreshDue == 0 && line.minute == state.lastTitleMinute) return;
  state.lastTitleMinute = line.minute;
  state.titleRefreshDue = 0;
  window.setTitle(std::string());
  window.setTitle(line.text);
}

}  // namespace mdx
