#pragma once
// The PC's own time zones: Windows' dynamic time-zone data, kept current by its updates. Each
// offset comes from the zone's year-specific rules at that instant. Reading every zone with its
// display names takes Windows a registry walk and hundreds of resource loads, so nothing is read
// before it is needed: a zone's record is enumerated when an AREA first asks for it (and only as
// far as that zone), the names when the list is first shown. Used on the window's thread only.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "worldtime/zone_rules.h"

namespace mdx::win {

class WindowsZoneRules final : public ZoneRules {
 public:
  std::optional<int32_t> offsetMinutes(const std::string& keyName, int64_t utcSeconds) const override;
  std::vector<ZoneEntry> zones() const override;

 private:
  // Enumerates on until `keyName` is among the records (empty: to the end); false when the
  // platform has no such zone.
  bool enumerateUntil(const std::string& keyName) const;

  mutable std::map<std::string, DYNAMIC_TIME_ZONE_INFORMATION> byKey_;
  mutable DWORD nextIndex_ = 0;  // the next index to ask the enumeration for
  mutable bool exhausted_ = false;
  mutable std::vector<ZoneEntry> entries_;  // the list with names, made at first use
};

// The one instance the program uses.
const ZoneRules& windowsZoneRules();

}  // namespace mdx::win
