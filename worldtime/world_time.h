#pragma once
// World time: the PC clock's local time as a twelve-digit stamp, and each AREA's hour and
// date derived from it by a whole-hour time difference. Everything travels as text.
#include <cstdint>
#include <string>

#include "platform/clock.h"

namespace mdx {

// The local time as "%y%m%d%H%M%S" (twelve digits).
std::string makeTimeStamp(const Clock& clock);
std::string formatTimeStamp(const CivilTime& t);

// The fields of a stamp, two characters each.
struct StampFields {
  std::string year, month, day, hour, minute, second;
};
StampFields splitTimeStamp(const std::string& stamp);

// The AREA's hour of day (0..23, no leading zero) for a two-digit hour field and a time
// difference in hours.
std::string areaHour(const std::string& hourField, int64_t timeDifference);

// "AM" + hour for 0..12 and any other text, "PM1".."PM11" for 13..23.
std::string twelveHourLabel(const std::string& hourText);

// "month/day" of the AREA's calendar date, without leading zeros.
std::string areaDateText(const Clock& clock, int64_t timeDifference);

// Decimal value of a text as the C library's atoi reads it (leading blanks, sign, digits;
// 0 when there are none). Saturates instead of overflowing.
int32_t parseLeadingInt(const std::string& text);

}  // namespace mdx
