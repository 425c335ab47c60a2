#pragma once
// The texts a time is shown in, made here and nowhere else: the AREA boxes, the title and the
// zone page all read their hours, minutes and dates as numbers (worldtime/area_time.h) and
// turn them into text only through these.
#include <string>

#include "worldtime/area_time.h"

namespace mdx {

// "05": two digits, a leading zero below 10.
std::string twoDigits(int value);

// The hour as shown: 0..23 without a leading zero, or with `twelveHour` the twelve-hour
// label: "AM0".."AM12" for 0..12 (noon carries AM), "PM1".."PM11" for 13..23.
std::string hourText(int hour, bool twelveHour);

// "month/day" without leading zeros ("1/5", "12/31").
std::string dateText(const AreaTime& t);

// "hour:minute" as the title and the digital box show it ("9:05", "PM9:05").
std::string clockText(const AreaTime& t, bool twelveHour);

}  // namespace mdx
