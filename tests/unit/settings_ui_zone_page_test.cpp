// The AREA sheet's zone page without Windows: the list's entries, which entry a stored ZONE
// selects, what a row hands back, and the time shown beside each row.
#include <gtest/gtest.h>

#include "settings_ui/zone_page_model.h"
#include "tests/unit/display_test_support.h"
#include "worldtime/fixed_zone_rules.h"

using namespace mdx;

namespace {

const ZoneRules* rules() { return &builtinFixedZoneRules(); }

int indexOf(const ZoneChoices& c, const std::string& key) {
  for (size_t i = 0; i < c.keys.size(); ++i)
    if (c.keys[i] == key) return static_cast<int>(i);
  return -1;
}

TEST(SettingsUiZonePage, ListIsHeadedByRugAndFollowsThePlatformsOrder) {
  const ZoneChoices c = zoneChoices(rules());
  const std::vector<ZoneEntry> zones = rules()->zones();
  ASSERT_EQ(c.labels.size(), zones.size() + 1);
  ASSERT_EQ(c.keys.size(), c.labels.size());
  EXPECT_EQ(c.labels[0], "時差（RUG）を使う");
  EXPECT_EQ(c.keys[0], "");
  for (size_t i = 0; i < zones.size(); ++i) {
    EXPECT_EQ(c.labels[i + 1], zones[i].displayName);
    EXPECT_EQ(c.keys[i + 1], zones[i].keyName);
  }
  // Without zone data the list offers 時差 alone.
  EXPECT_EQ(zoneChoices(nullptr).labels, std::vector<std::string>{"時差（RUG）を使う"});
}

TEST(SettingsUiZonePage, StoredZoneSelectsItsEntryAndUnknownNamesSurviveAnUntouchedRow) {
  const ZoneChoices c = zoneChoices(rules());
  const int india = indexOf(c, "India Standard Time");
  ASSERT_GT(india, 0);
  EXPECT_EQ(zoneChoiceIndex(c, "India Standard Time"), india);
  EXPECT_EQ(zoneChoiceIndex(c, ""), 0);
  EXPECT_EQ(zoneChoiceIndex(c, "Atlantis Standard Time"), 0);  // shown as 時差, since it acts as 時差

  // Untouched rows hand back exactly what was stored.
  EXPECT_EQ(zoneAfterChoice(c, "Atlantis Standard Time", 0, 0), "Atlantis Standard Time");
  EXPECT_EQ(zoneAfterChoice(c, "India Standard Time", india, india), "India Standard Time");
  // A new choice stores its key; 時差（RUG）を使う clears the value.
  EXPECT_EQ(zoneAfterChoice(c, "", 0, india), "India Standard Time");
  EXPECT_EQ(zoneAfterChoice(c, "India Standard Time", india, 0), "");
  EXPECT_EQ(zoneAfterChoice(c, "Atlantis Standard Time", 0, india), "India Standard Time");
  // An index outside the list (no selection) counts as 時差.
  EXPECT_EQ(zoneAfterChoice(c, "India Standard Time", india, -1), "");
  EXPECT_EQ(zoneAfterChoice(c, "India Standard Time", india, static_cast<int>(c.keys.size())), "");
}

TEST(SettingsUiZonePage, RowTimeFollowsTheChoiceOrRug) {
  const FakeClock clock = mdx::testing::clockAt(2026, 1, 15, 9, 5, 40);  // 00:05 UTC
  EXPECT_EQ(zoneRowTime(clock, rules(), "India Standard Time", 0, clock.nowSeconds()), "5:35");
  EXPECT_EQ(zoneRowTime(clock, rules(), "Eastern Standard Time", 0, clock.nowSeconds()), "19:05");
  EXPECT_EQ(zoneRowTime(clock, rules(), "", -14, clock.nowSeconds()), "19:05");
  EXPECT_EQ(zoneRowTime(clock, rules(), "Atlantis Standard Time", 3, clock.nowSeconds()), "12:05");
  EXPECT_EQ(zoneRowTime(clock, nullptr, "India Standard Time", -9, clock.nowSeconds()), "0:05");
  EXPECT_EQ(zoneRowLabel(1), "AREA1");
  EXPECT_EQ(zoneRowLabel(7), "AREA7");
}

}  // namespace
