#pragma once
// Zone rules from a fixed table in the form Windows stores them (a bias and two yearly
// transition dates), so that native tests and tools see the same arithmetic the platform
// applies. One rule set per zone: the rules in force today.
#include <cstdint>
#include <string>
#include <vector>

#include "worldtime/zone_rules.h"

namespace mdx {

// A yearly transition: the `week`-th (5 = last) `dayOfWeek` (0 = Sunday) of `month`, at the
// given wall-clock time. month 0 means the zone has no daylight saving.
struct TransitionRule {
  int month = 0;
  int week = 0;
  int dayOfWeek = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// The Windows time-zone record: UTC = local time + bias (minutes). Daylight saving starts at
// `daylightDate` in local standard time and ends at `standardDate` in local daylight time.
struct FixedZone {
  std::string keyName;
  std::string displayName;
  int32_t bias = 0;
  int32_t standardBias = 0;
  int32_t daylightBias = -60;
  TransitionRule standardDate;
  TransitionRule daylightDate;
};

class FixedZoneRules final : public ZoneRules {
 public:
  explicit FixedZoneRules(std::vector<FixedZone> zones);
  std::optional<int32_t> offsetMinutes(const std::string& keyName, int64_t utcSeconds) const override;
  std::vector<ZoneEntry> zones() const override;

 private:
  std::vector<FixedZone> zones_;
};

// Seconds since 1970-01-01 00:00 of the transition's wall-clock time in `year`.
int64_t transitionLocalSeconds(const TransitionRule& rule, int64_t year);
// Minutes east of UTC of `zone` at `utcSeconds`.
int32_t fixedZoneOffsetMinutes(const FixedZone& zone, int64_t utcSeconds);

// A table of well-known zones (Tokyo, New York, London, India, Nepal, Chatham, ...) with the
// rules Windows carries for them, for tests and the native renderer.
const FixedZoneRules& builtinFixedZoneRules();

}  // namespace mdx
