#pragma once
// What taking a city does to an AREA: the name in half-width katakana, the city's Windows
// zone, the dial placed so that its centre lies on the city on the map, and the whole-hour
// time difference between the city's zone and the PC's zone now. A city whose zone the PC
// lacks keeps the AREA's time difference.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/clock.h"
#include "settings/settings.h"
#include "settings_ui/city_table.h"
#include "worldtime/zone_rules.h"

namespace mdx {

// The dial's top-left corner (X, Y) that puts its centre on the map pixel of the place. A place
// north or south of the map is put on its top or bottom row.
struct DialOrigin {
  int32_t x = 0;
  int32_t y = 0;
};
DialOrigin dialOriginAt(double latitudeDeg, double longitudeDeg);

// Whole hours from the PC's offset to the city's, to the nearest hour (half hours up); moved
// by a day into the AREA page's range -20 to 4 where needed, which keeps the hour.
int32_t rugBetween(int32_t cityOffsetMinutes, int32_t pcOffsetMinutes);

// Minutes east of UTC of the PC's local time at `utcSeconds`.
int32_t pcOffsetMinutes(const Clock& clock, int64_t utcSeconds);

struct CityChoice {
  std::string country;        // COUNTRY: the Japanese name, katakana half-width
  std::string zone;           // ZONE: the city's Windows zone ("" when it has none)
  bool zoneAvailable = false; // the PC offers that zone
  DialOrigin dial;            // X, Y
  std::optional<int32_t> rug; // RUG, when the PC offers the zone
};
CityChoice cityChoice(const CityRow& city, const ZoneRules* rules, const Clock& clock);

// The city's name, place and time difference into an AREA's values (ZONE is the zone page's).
void applyCityChoice(const CityChoice& choice, AreaSettings& area);

}  // namespace mdx
