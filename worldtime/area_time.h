#pragma once
// An AREA's local time at one instant, as numbers: the one place that decides between the
// AREA's time zone (ZONE, through the zone rules) and its whole-hour time difference (RUG,
// relative to the PC clock). Callers take the instant once (one PC-clock read per tick) and
// hand the same instant to every AREA, the title and the timed actions; the texts shown
// (leading zeros, AM/PM, "month/day") are made by the display, not here.
#include <cstdint>
#include <string>

#include "platform/clock.h"
#include "worldtime/zone_rules.h"

namespace mdx {

struct AreaTime {
  int hour = 0;    // 0..23
  int minute = 0;  // 0..59
  int second = 0;  // 0..59, always the PC's second
  int month = 1;   // 1..12, the AREA's calendar date
  int day = 1;     // 1..31
};

// The AREA's time at `utcSeconds`. With a zone the rules know, the zone's wall clock at that
// instant. Otherwise (no zone, no rules, or a name the rules do not know) the PC's local time
// (`pc.toLocal`) with the hour moved by `rug` and wrapped into 0..23, and the PC's date moved
// by as many whole days as the AREA's hour lies beyond the PC's day. `pc` only converts; it is
// never read for "now".
AreaTime areaTimeAt(const Clock& pc, const ZoneRules* zones, const std::string& zone, int64_t rug,
                    int64_t utcSeconds);

// The PC's own local time: an AREA with no zone and no difference.
inline AreaTime pcTimeAt(const Clock& pc, int64_t utcSeconds) { return areaTimeAt(pc, nullptr, {}, 0, utcSeconds); }

}  // namespace mdx
