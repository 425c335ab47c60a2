#include "settings_ui/zone_page_model.h"

#include "display/time_texts.h"
#include "worldtime/area_time.h"

namespace mdx {

const char kZonePageCaption[] = "タイムゾーン";
const char kUseRugEntry[] = "時差（RUG）を使う";
const char kZonePageNote[] = "タイムゾーンを選ぶと、そのAREAには時差（RUG）の代わりにタイムゾーンの時刻が使われます。";

ZoneChoices zoneChoices(const ZoneRules* rules) {
  ZoneChoices c;
  c.labels.push_back(kUseRugEntry);
  c.keys.emplace_back();
  if (rules == nullptr) return c;
  for (const ZoneEntry& z : rules->zones()) {
    c.labels.push_back(z.displayName);
    c.keys.push_back(z.keyName);
  }
  return c;
}

int zoneChoiceIndex(const ZoneChoices& choices, const std::string& storedZone) {
  if (storedZone.empty()) return 0;
  for (size_t i = 1; i < choices.keys.size(); ++i)
    if (choices.keys[i] == storedZone) return static_cast<int>(i);
  return 0;
}

std::string zoneAfterChoice(const ZoneChoices& choices, const std::string& storedZone, int openedIndex,
                            int chosenIndex) {
  if (chosenIndex == openedIndex) return storedZone;
  if (chosenIndex <= 0 || static_cast<size_t>(chosenIndex) >= choices.keys.size()) return std::string();
  return choices.keys[static_cast<size_t>(chosenIndex)];
}

std::string zoneRowTime(const Clock& pc, const ZoneRules* rules, const std::string& zone, int32_t rug,
                        int64_t utcSeconds) {
  return clockText(areaTimeAt(pc, rules, zone, rug, utcSeconds), false);
}

std::string zoneRowLabel(int areaNumber) { return "AREA" + std::to_string(areaNumber); }

}  // namespace mdx
