#include "worldtime/zone_rules.h"

#include <algorithm>

namespace mdx {

void sortZoneEntries(std::vector<ZoneEntry>& entries) {
  std::stable_sort(entries.begin(), entries.end(), [](const ZoneEntry& a, const ZoneEntry& b) {
    if (a.standardOffsetMinutes != b.standardOffsetMinutes) return a.standardOffsetMinutes < b.standardOffsetMinutes;
    return a.displayName < b.displayName;
  });
}

}  // namespace mdx
