#pragma once
// The PC's own time zones: Windows' dynamic time-zone data, kept current by its updates. The
// list is read once; each offset comes from the zone's year-specific rules at that instant.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "worldtime/zone_rules.h"

namespace mdx::win {

class WindowsZoneRules final : public ZoneRules {
 public:
  WindowsZoneRules();
  std::optional<int32_t> offsetMinutes(const std::string& keyName, int64_t utcSeconds) const override;
  std::vector<ZoneEntry> zones() const override { return entries_; }

 private:
  std::map<std::string, DYNAMIC_TIME_ZONE_INFORMATION> byKey_;
  std::vector<ZoneEntry> entries_;
};

// The one instance the program uses, enumerated at first use.
const ZoneRules& windowsZoneRules();

}  // namespace mdx::win
