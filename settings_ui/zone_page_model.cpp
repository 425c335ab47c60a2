#include "settings_ui/zone_page_model.h"

#include "display/time_texts.h"
#include "worldtime/area_time.h"

namespace mdx {

const char kZonePageCaption[] = "都市とタイムゾーン";
const char kCityButtonText[] = "都市…";
const char kUseRugEntry[] = "時差（RUG）を使う";
const char kZonePageNote[] = "「都市…」で名前・位置・時差・タイムゾーンをまとめて設定。タイムゾーンは時差（RUG）より優先されます。";

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

std::string zoneRowLabelText(int areaNumber) { return "AREA&" + std::to_string(areaNumber); }

std::string zoneRowButtonName(int areaNumber) { return zoneRowLabel(areaNumber) + " " + kCityButtonText; }

std::string zoneRowListName(int areaNumber) { return zoneRowLabel(areaNumber) + " タイムゾーン"; }

std::string unavailableZoneEntry(const std::string& zone) {
  if (zone.empty()) return "タイムゾーンなし（時差を使う）";
  return zone + "：このPCにありません（時差を使う）";
}

}  // namespace mdx
