#include "settings_ui/city_choice.h"

#include <algorithm>
#include <cmath>

#include "display/area_clocks.h"
#include "display/map_projection.h"
#include "settings_ui/area_sheet_model.h"
#include "settings_ui/city_text.h"

namespace mdx {

namespace {
constexpr int32_t kDayHours = 24;
}  // namespace

DialOrigin dialOriginAt(double latitudeDeg, double longitudeDeg) {
  const MapPoint p = mapPointOf(latitudeDeg, longitudeDeg);
  const int32_t column = static_cast<int32_t>(std::floor(p.x));
  const int32_t row = std::clamp(static_cast<int32_t>(std::floor(p.y)), 0, kMapHeight - 1);
  return DialOrigin{column - kDialCentreX, row - kDialCentreY};
}

int32_t rugBetween(int32_t cityOffsetMinutes, int32_t pcOffsetMinutes) {
  const int64_t minutes = static_cast<int64_t>(cityOffsetMinutes) - pcOffsetMinutes;
  int64_t hours = floorDiv(minutes + 30, 60);
  while (hours > kRugMax) hours -= kDayHours;
  while (hours < kRugMin) hours += kDayHours;
  return static_cast<int32_t>(hours);
}

int32_t pcOffsetMinutes(const Clock& clock, int64_t utcSeconds) {
  const CivilTime t = clock.toLocal(utcSeconds);
  const int64_t localSeconds = daysFromCivil(t.year, static_cast<unsigned>(t.month), static_cast<unsigned>(t.day)) * 86400 +
                               t.hour * 3600 + t.minute * 60 + t.second;
  return static_cast<int32_t>(floorDiv(localSeconds - utcSeconds, 60));
}

CityChoice cityChoice(const CityRow& city, const ZoneRules* rules, const Clock& clock) {
  CityChoice c;
  c.country = halfWidthKatakana(city.name);
  c.zone = city.windowsZone;
  c.dial = dialOriginAt(city.latitude, city.longitude);
  const int64_t now = clock.nowSeconds();
  const std::optional<int32_t> offset =
      (rules != nullptr && !c.zone.empty()) ? rules->offsetMinutes(c.zone, now) : std::nullopt;
  c.zoneAvailable = offset.has_value();
  if (offset) c.rug = rugBetween(*offset, pcOffsetMinutes(clock, now));
  return c;
}

void applyCityChoice(const CityChoice& choice, AreaSettings& area) {
  area.COUNTRY = choice.country;
  area.X = choice.dial.x;
  area.Y = choice.dial.y;
  if (choice.rug) area.RUG = *choice.rug;
}

}  // namespace mdx
