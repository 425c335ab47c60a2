#include "worldtime/world_time.h"

#include <cstdio>
#include <limits>

namespace mdx {

std::string formatTimeStamp(const CivilTime& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d%02d%02d%02d%02d%02d", static_cast<int>(floorMod(t.year, 100)),
                t.month, t.day, t.hour, t.minute, t.second);
  return buf;
}

std::string makeTimeStamp(const Clock& clock) { return formatTimeStamp(clock.toLocal(clock.nowSeconds())); }

StampFields splitTimeStamp(const std::string& stamp) {
  auto at = [&](size_t pos) { return pos < stamp.size() ? stamp.substr(pos, 2) : std::string(); };
  return {at(0), at(2), at(4), at(6), at(8), at(10)};
}

int32_t parseLeadingInt(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r' ||
                             text[i] == '\v' || text[i] == '\f'))
    ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > int64_t{std::numeric_limits<int32_t>::max()} + 1) value = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) value = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(value);
}

std::string areaHour(const std::string& hourField, int64_t timeDifference) {
  const int64_t h = parseLeadingInt(hourField);
  return std::to_string(floorMod(h + floorMod(timeDifference, 24), 24));
}

std::string twelveHourLabel(const std::string& hourText) {
  static const char* const kAfternoon[] = {"PM1", "PM2", "PM3", "PM4",  "PM5", "PM6",
                                           "PM7", "PM8", "PM9", "PM10", "PM11"};
  for (int h = 13; h <= 23; ++h)
    if (hourText == std::to_string(h)) return kAfternoon[h - 13];
  return "AM" + hourText;
}

std::string areaDateText(const Clock& clock, int64_t timeDifference) {
  // The AREA's date is the PC's date moved by as many whole days as the AREA's hour
  // (PC hour + difference) lies beyond the PC's day.
  const int64_t pcHour = parseLeadingInt(splitTimeStamp(makeTimeStamp(clock)).hour);
  const int64_t dayShift = floorDiv(pcHour + timeDifference, 24);
  const CivilTime t = clock.toLocal(clock.nowSeconds() + dayShift * 86400);
  return std::to_string(t.month) + "/" + std::to_string(t.day);
}

}  // namespace mdx
