#include "worldtime/area_time.h"

#include <optional>

namespace mdx {

namespace {

std::optional<CivilTime> zonedLocalTime(const ZoneRules* rules, const std::string& zone, int64_t utcSeconds) {
  if (rules == nullptr || zone.empty()) return std::nullopt;
  const std::optional<int32_t> offset = rules->offsetMinutes(zone, utcSeconds);
  if (!offset) return std::nullopt;
  return civilFromLocalSeconds(utcSeconds + int64_t{*offset} * 60);
}

}  // namespace

AreaTime areaTimeAt(const Clock& pc, const ZoneRules* zones, const std::string& zone, int64_t rug,
                    int64_t utcSeconds) {
  const CivilTime local = pc.toLocal(utcSeconds);
  if (const auto zoned = zonedLocalTime(zones, zone, utcSeconds))
    return {zoned->hour, zoned->minute, local.second, zoned->month, zoned->day};
  // The PC's local time converted again a whole number of days later or earlier, so month and
  // year roll over (and leap days fall) as the PC's calendar has them.
  const int64_t dayShift = floorDiv(int64_t{local.hour} + rug, 24);
  const CivilTime date = dayShift == 0 ? local : pc.toLocal(utcSeconds + dayShift * 86400);
  return {static_cast<int>(floorMod(int64_t{local.hour} + rug, 24)), local.minute, local.second, date.month, date.day};
}

}  // namespace mdx
