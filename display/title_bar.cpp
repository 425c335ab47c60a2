#include "display/title_bar.h"

#include "worldtime/world_time.h"
#include "worldtime/zoned_time.h"

namespace mdx {

const char* const kPlainTitle = "((((( Meridexa )))))";

namespace {

// A stored TITLE outside 1..7 names no AREA and is shown like 0.
bool titleNamesArea(int32_t n) { return n >= 1 && n <= kAreaCount; }

std::string areaTitle(const AreaSettings& a, std::string hourText, const std::string& minute) {
  if (isOn(a.D_24HOUR)) hourText = twelveHourLabel(hourText);
  return hourText + ":" + minute + " " + a.COUNTRY;
}

}  // namespace

std::string titleText(const SettingsRecords& settings, const std::string& hourField, const std::string& minuteField) {
  const int32_t n = settings.option.TITLE;
  if (!titleNamesArea(n)) return kPlainTitle;
  const AreaSettings& a = settings.area(n);
  return areaTitle(a, areaHour(hourField, a.RUG), minuteField);
}

TitleLine titleLineAt(const SettingsRecords& settings, const Clock& clock, int64_t utcSeconds,
                      const ZoneRules* zones) {
  const StampFields f = splitTimeStamp(formatTimeStamp(clock.toLocal(utcSeconds)));
  const int32_t n = settings.option.TITLE;
  if (titleNamesArea(n)) {
    const AreaSettings& a = settings.area(n);
    if (const auto zoned = zonedLocalTime(zones, a.ZONE, utcSeconds)) {
      const ZonedTexts t = zonedTexts(*zoned);
      return {areaTitle(a, t.hour, t.minute), t.minute};
    }
  }
  return {titleText(settings, f.hour, f.minute), f.minute};
}

void updateTitle(TitleWindow& window, TitleState& state, const SettingsRecords& settings, const Clock& clock,
                 bool callPending, const ZoneRules* zones) {
  if (callPending) {
    window.setTitle(settings.action.callText);
    if (isOn(settings.action.callFlash)) window.flash(true);
    return;
  }
  const TitleLine line = titleLineAt(settings, clock, clock.nowSeconds(), zones);
  if (state.titleRefreshDue == 0 && line.minute == state.lastTitleMinute) return;
  state.lastTitleMinute = line.minute;
  state.titleRefreshDue = 0;
  window.setTitle(std::string());
  window.setTitle(line.text);
}

}  // namespace mdx
