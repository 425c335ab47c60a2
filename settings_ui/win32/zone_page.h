#pragma once
// The AREA sheet's eighth page "都市とタイムゾーン": per AREA the button "都市…", which picks a
// city, a list of the PC's time zones headed by "時差（RUG）を使う" and the AREA's time under the
// choice, refreshed every second. The page holds copies of the seven ZONE values; only the
// sheet's OK copies them back. A taken city's name, place and time difference go to its AREA's
// page through `cityTaken`.
#include <windows.h>

#include <array>
#include <functional>
#include <string>

#include "dialogfw/win32/property_sheet.h"
#include "platform/clock.h"
#include "settings/settings.h"
#include "settings_ui/city_choice.h"
#include "settings_ui/zone_page_model.h"
#include "worldtime/zone_rules.h"

namespace mdx::win {

class ZonePage : public SheetPageImpl<ZonePage> {
 public:
  ZonePage(const ZoneRules* rules, const Clock& clock);

  static const CommandEntry<ZonePage> kCommands[2 * kAreaCount];  // each row's list and button

  // The page's copies of AREA1..AREA7's ZONE, filled by the opener.
  std::array<std::string, kAreaCount> zones;
  // The AREA pages' values, read for the place names and the time differences as they stand.
  std::array<const AreaSettings*, kAreaCount> areas{};

  // Applies a taken city to AREA n's values (and its page's controls, once it has them).
  std::function<void(int areaNumber, const CityChoice&)> cityTaken;

  void onChoice();  // a list's selection changed
  template <int N>
  void onCity() {  // row N's "都市…"
    chooseCity(N);
  }

 protected:
  BOOL onInitDialog() override;
  void onSetActive() override;
  bool onKillActive() override;
  void onTick() override;  // the AREAs' times

 private:
  int chosenIndex(int areaNumber) const;
  void chooseCity(int areaNumber);
  void showZoneOfCity(int areaNumber, const CityChoice& choice);
  void showNames();
  void showTimes();

  const ZoneRules* rules_;
  const Clock& clock_;
  ZoneChoices choices_;
  std::array<int, kAreaCount> openedIndex_{};
};

}  // namespace mdx::win
