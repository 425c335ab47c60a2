#include "display/title_bar.h"

#include "worldtime/world_time.h"

namespace mdx {

const char* const kPlainTitle = "((((( Meridexa )))))";

std::string titleText(const SettingsRecords& settings, const std::string& hourField, const std::string& minuteField) {
  const int32_t n = settings.option.TITLE;
  // A stored TITLE outside 1..7 names no AREA and is shown like 0.
  if (n < 1 || n > kAreaCount) return kPlainTitle;
  const AreaSettings& a = settings.area(n);
  std::string hourText = areaHour(hourField, a.RUG);
  if (isOn(a.D_24HOUR)) hourText = twelveHourLabel(hourText);
  return hourText + ":" + minuteField + " " + a.COUNTRY;
}

void updateTitle(TitleWindow& window, TitleState& state, const SettingsRecords& settings, const Clock& clock,
                 bool callPending) {
  if (callPending) {
    window.setTitle(settings.action.callText);
    if (isOn(settings.action.callFlash)) window.flash(true);
    return;
  }
  const StampFields f = splitTimeStamp(makeTimeStamp(clock));
  if (state.titleRefreshDue == 0 && f.minute == state.lastTitleMinute) return;
  state.lastTitleMinute = f.minute;
  state.titleRefreshDue = 0;
  window.setTitle(std::string());
  window.setTitle(titleText(settings, f.hour, f.minute));
}

}  // namespace mdx
