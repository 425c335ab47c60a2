#include "worldtime/zoned_time.h"

#include <cstdio>

namespace mdx {

std::optional<CivilTime> zonedLocalTime(const ZoneRules* rules, const std::string& zone, int64_t utcSeconds) {
  if (rules == nullptr || zone.empty()) return std::nullopt;
  const std::optional<int32_t> offset = rules->offsetMinutes(zone, utcSeconds);
  if (!offset) return std::nullopt;
  return civilFromLocalSeconds(utcSeconds + int64_t{*offset} * 60);
}

ZonedTexts zonedTexts(const CivilTime& local) {
  char minute[8];
  std::snprintf(minute, sizeof minute, "%02d", local.minute);
  return {std::to_string(local.hour), minute, std::to_string(local.month) + "/" + std::to_string(local.day)};
}

}  // namespace mdx
