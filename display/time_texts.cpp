#include "display/time_texts.h"

#include <cstdio>

namespace mdx {

std::string twoDigits(int value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", value);
  return buf;
}

std::string hourText(int hour, bool twelveHour) {
  if (!twelveHour) return std::to_string(hour);
  return hour >= 13 ? "PM" + std::to_string(hour - 12) : "AM" + std::to_string(hour);
}

std::string dateText(const AreaTime& t) { return std::to_string(t.month) + "/" + std::to_string(t.day); }

std::string clockText(const AreaTime& t, bool twelveHour) {
  return hourText(t.hour, twelveHour) + ":" + twoDigits(t.minute);
}

}  // namespace mdx
