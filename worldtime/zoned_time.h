#pragma once
// An AREA's local time from its time zone: the current UTC time moved by the zone's offset
// at that instant. An AREA without a zone, or with a zone the PC does not know, has none and
// follows its whole-hour time difference instead.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/clock.h"
#include "worldtime/zone_rules.h"

namespace mdx {

// The zone's wall-clock time at `utcSeconds`; nothing for an empty name, no rules or a name
// the rules do not know.
std::optional<CivilTime> zonedLocalTime(const ZoneRules* rules, const std::string& zone, int64_t utcSeconds);

// The texts an AREA shows from such a time, in the forms the RUG path uses: hour without a
// leading zero, two-digit minute, "month/day" without leading zeros.
struct ZonedTexts {
  std::string hour;
  std::string minute;
  std::string date;
};
ZonedTexts zonedTexts(const CivilTime& local);

}  // namespace mdx
