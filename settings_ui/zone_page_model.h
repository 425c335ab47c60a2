#pragma once
// The AREA sheet's eighth page "都市とタイムゾーン" without Windows: one row per AREA with its
// label, its place name, the button "都市…" that picks a city, a choice of the PC's time zones
// headed by "時差（RUG）を使う", and the AREA's current time under the row's choice.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "resources/zone_page_ids.h"
#include "settings/settings.h"
#include "worldtime/zone_rules.h"

namespace mdx {

extern const char kZonePageCaption[];  // "都市とタイムゾーン"
extern const char kCityButtonText[];   // "都市…", each row's button
extern const char kUseRugEntry[];      // "時差（RUG）を使う", the list's first entry
extern const char kZonePageNote[];     // the page's note: a chosen zone replaces 時差

// The page's template and the controls of each row, AREA1 first, from the resource header.
constexpr int kZonePageTemplate = IDD_AREA_ZONES;
constexpr int kZonePageNoteId = IDC_ZONE_NOTE;
struct ZoneRowIds {
  int label, country, list, time, city;
};
#define MDX_ZONE_ROW_IDS(n) \
  {IDC_ZONE##n##_LABEL, IDC_ZONE##n##_COUNTRY, IDC_ZONE##n##_LIST, IDC_ZONE##n##_TIME, IDC_ZONE##n##_CITY}
constexpr std::array<ZoneRowIds, kAreaCount> kZoneRowIds = {{
    MDX_ZONE_ROW_IDS(1), MDX_ZONE_ROW_IDS(2), MDX_ZONE_ROW_IDS(3), MDX_ZONE_ROW_IDS(4),
    MDX_ZONE_ROW_IDS(5), MDX_ZONE_ROW_IDS(6), MDX_ZONE_ROW_IDS(7),
}};
#undef MDX_ZONE_ROW_IDS

// The entries of every row's list: index 0 is kUseRugEntry (no zone), then the PC's zones in
// the order the platform's list gives them (by offset).
struct ZoneChoices {
  std::vector<std::string> labels;  // what the list shows
  std::vector<std::string> keys;    // the ZONE each entry stores; "" for index 0
};
ZoneChoices zoneChoices(const ZoneRules* rules);

// The entry a stored ZONE selects: its zone, or 0 when it is empty or unknown to the PC.
int zoneChoiceIndex(const ZoneChoices& choices, const std::string& storedZone);

// The ZONE a row hands back: the chosen entry's key, except that a row whose choice the user
// left where it was opened keeps the stored text, so a name the PC does not know survives.
std::string zoneAfterChoice(const ZoneChoices& choices, const std::string& storedZone, int openedIndex,
                            int chosenIndex);

// The AREA's time at `utcSeconds` under a row's choice ("21:35", hour without a leading zero):
// the zone's when it is known, else the PC's time moved by RUG.
std::string zoneRowTime(const Clock& pc, const ZoneRules* rules, const std::string& zone, int32_t rug,
                        int64_t utcSeconds);

// The label of row n: "AREA1" ... "AREA7".
std::string zoneRowLabel(int areaNumber);
// The label as the page shows it, its digit the mnemonic that reaches the row's "都市…" (Alt+1).
std::string zoneRowLabelText(int areaNumber);
// What screen readers call row n's button and list: "AREA2 都市…", "AREA2 タイムゾーン".
std::string zoneRowButtonName(int areaNumber);
std::string zoneRowListName(int areaNumber);

// The entry a row's list gains after a city whose Windows zone the PC does not offer (or that
// has none) was taken: it says so, and the AREA keeps following its time difference.
std::string unavailableZoneEntry(const std::string& zone);

}  // namespace mdx
