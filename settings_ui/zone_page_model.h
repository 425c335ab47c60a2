#pragma once
// The AREA sheet's eighth page "タイムゾーン" without Windows: one row per AREA with its label,
// its place name, a choice of the PC's time zones headed by "時差（RUG）を使う", and the AREA's
// current time under the row's choice.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/settings.h"
#include "platform/clock.h"
#include "worldtime/zone_rules.h"

namespace mdx {

extern const char kZonePageCaption[];  // "タイムゾーン"
extern const char kUseRugEntry[];      // "時差（RUG）を使う", the list's first entry
extern const char kZonePageNote[];     // the page's note: a chosen zone replaces 時差

// The page's template and the controls of each row, AREA1 first.
constexpr int kZonePageTemplate = 112;
constexpr int kZonePageNoteId = 1400;
struct ZoneRowIds {
  int label, country, list, time;
};
constexpr std::array<ZoneRowIds, kAreaCount> kZoneRowIds = {{
    {1401, 1411, 1421, 1431},
    {1402, 1412, 1422, 1432},
    {1403, 1413, 1423, 1433},
    {1404, 1414, 1424, 1434},
    {1405, 1415, 1425, 1435},
    {1406, 1416, 1426, 1436},
    {1407, 1417, 1427, 1437},
}};

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

// The AREA's current time under a row's choice ("21:35", hour without a leading zero): the
// zone's when it is known, else the PC's time moved by RUG.
std::string zoneRowTime(const ZoneRules* rules, const std::string& zone, int32_t rug, const Clock& clock);

// The label of row n: "AREA1" ... "AREA7".
std::string zoneRowLabel(int areaNumber);

}  // namespace mdx
