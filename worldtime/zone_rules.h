#pragma once
// Time zones as the platform keeps them: each zone is named by its Windows key name
// ("India Standard Time") and gives its UTC offset at any instant. The program bundles no
// zone data of its own; Windows supplies the rules, native tests a fixed table.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mdx {

// One zone as the choice list shows it.
struct ZoneEntry {
  std::string keyName;      // the registry key name, stored in an AREA's ZONE
  std::string displayName;  // "(UTC+05:30) ..." as the platform words it
  int32_t standardOffsetMinutes = 0;  // east of UTC, without daylight saving; the list's order
};

class ZoneRules {
 public:
  virtual ~ZoneRules() = default;
  // Minutes east of UTC of the zone at `utcSeconds` (seconds since 1970-01-01 00:00 UTC),
  // daylight saving included; nothing when the platform knows no zone of that name.
  virtual std::optional<int32_t> offsetMinutes(const std::string& keyName, int64_t utcSeconds) const = 0;
  // Every zone the platform offers, ordered by standard offset (west to east), then by name.
  virtual std::vector<ZoneEntry> zones() const = 0;
};

// Orders a zone list the way the choice list shows it.
void sortZoneEntries(std::vector<ZoneEntry>& entries);

}  // namespace mdx
