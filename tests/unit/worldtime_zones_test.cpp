// AREAs with a time zone: the fixed rules against known offsets and transition instants, the
// hour, minute and date the map and the title take from them, the fall-back to RUG, and the
// ZONE key in the store.
#include <gtest/gtest.h>

#include "settings/memory_profile_store.h"
#include "settings/settings_io.h"
#include "display/area_clocks.h"
#include "display/title_bar.h"
#include "tests/unit/display_test_support.h"
#include "worldtime/fixed_zone_rules.h"
#include "display/time_texts.h"

using namespace mdx;
using namespace mdx::testing;

namespace {

const ZoneRules& rules() { return builtinFixedZoneRules(); }

int64_t utc(int y, int mo, int d, int h, int mi, int s = 0) {
  return daysFromCivil(y, static_cast<unsigned>(mo), static_cast<unsigned>(d)) * 86400 + h * 3600 + mi * 60 + s;
}

int32_t offset(const char* zone, int64_t t) { return rules().offsetMinutes(zone, t).value_or(-99999); }

TEST(WorldTimeZones, FixedRulesGiveTheOffsetsWindowsGives) {
  // New York: EST in winter, EDT from the second Sunday of March 02:00 local to the first
  // Sunday of November 02:00 local daylight time.
  EXPECT_EQ(offset("Eastern Standard Time", utc(2026, 1, 15, 0, 0)), -300);
  EXPECT_EQ(offset("Eastern Standard Time", utc(2026, 7, 15, 0, 0)), -240);
  EXPECT_EQ(offset("Eastern Standard Time", utc(2026, 3, 8, 6, 59, 59)), -300);
  EXPECT_EQ(offset("Eastern Standard Time", utc(2026, 3, 8, 7, 0, 0)), -240);
  EXPECT_EQ(offset("Eastern Standard Time", utc(2026, 11, 1, 5, 59, 59)), -240);
  EXPECT_EQ(offset("Eastern Standard Time", utc(2026, 11, 1, 6, 0, 0)), -300);
  // London: both changes at 01:00 UTC on the last Sundays of March and October.
  EXPECT_EQ(offset("GMT Standard Time", utc(2026, 3, 29, 0, 59, 59)), 0);
  EXPECT_EQ(offset("GMT Standard Time", utc(2026, 3, 29, 1, 0, 0)), 60);
  EXPECT_EQ(offset("GMT Standard Time", utc(2026, 10, 25, 0, 59, 59)), 60);
  EXPECT_EQ(offset("GMT Standard Time", utc(2026, 10, 25, 1, 0, 0)), 0);
  // A March with five Sundays (2027: the 28th is the last) and one with four weeks' worth.
  EXPECT_EQ(offset("GMT Standard Time", utc(2027, 3, 28, 0, 59, 59)), 0);
  EXPECT_EQ(offset("GMT Standard Time", utc(2027, 3, 28, 1, 0, 0)), 60);
  // Southern hemisphere: Chatham is +13:45 in January, +12:45 in July; summer time ends on
  // the first Sunday of April 03:45 local (14:00 UTC the day before).
  EXPECT_EQ(offset("Chatham Islands Standard Time", utc(2026, 1, 15, 3, 0)), 825);
  EXPECT_EQ(offset("Chatham Islands Standard Time", utc(2026, 7, 15, 3, 0)), 765);
  EXPECT_EQ(offset("Chatham Islands Standard Time", utc(2026, 4, 4, 13, 59, 59)), 825);
  EXPECT_EQ(offset("Chatham Islands Standard Time", utc(2026, 4, 4, 14, 0, 0)), 765);
  EXPECT_EQ(offset("Chatham Islands Standard Time", utc(2026, 12, 31, 23, 0)), 825);  // over New Year
  EXPECT_EQ(offset("Cen. Australia Standard Time", utc(2026, 7, 1, 0, 0)), 570);
  EXPECT_EQ(offset("Cen. Australia Standard Time", utc(2026, 1, 1, 0, 0)), 630);
  // Zones without daylight saving.
  EXPECT_EQ(offset("India Standard Time", utc(2026, 7, 1, 0, 0)), 330);
  EXPECT_EQ(offset("Nepal Standard Time", utc(2026, 1, 1, 0, 0)), 345);
  EXPECT_FALSE(rules().offsetMinutes("Atlantis Standard Time", 0).has_value());
}

TEST(WorldTimeZones, ZoneListIsSortedByOffsetWithDisplayNames) {
  const std::vector<ZoneEntry> list = rules().zones();
  ASSERT_GE(list.size(), 10u);
  for (size_t i = 1; i < list.size(); ++i)
    EXPECT_LE(list[i - 1].standardOffsetMinutes, list[i].standardOffsetMinutes) << list[i].keyName;
  const auto india = std::find_if(list.begin(), list.end(), [](const ZoneEntry& e) {
    return e.keyName == "India Standard Time";
  });
  ASSERT_NE(india, list.end());
  EXPECT_EQ(india->displayName, "(UTC+05:30) チェンナイ、コルカタ、ムンバイ、ニューデリー");
  EXPECT_EQ(india->standardOffsetMinutes, 330);
}

// A JST PC clock and a scene whose AREA1 is zoned.
struct ZonedScene {
  Scene scene;
  ZonedScene(const char* zone) {
    scene.ctx.zones = &rules();
    scene.settings.area(1).ZONE = zone;
    scene.settings.area(1).RUG = 5;  // must be ignored while the zone is known
  }
  AreaTime at(int y, int mo, int d, int h, int mi, int s = 0) {
    scene.clock = clockAt(y, mo, d, h, mi, s);
    return areaTime(scene.ctx, 1, scene.clock.nowSeconds());
  }
  std::string digital(const AreaTime& t, int32_t twelveHour, int32_t date) {
    AreaSettings a = scene.settings.area(1);
    a.D_24HOUR = twelveHour;
    a.D_DATE = date;
    return digitalBoxText(a, t).text;
  }
};

std::string hm(const AreaTime& t) { return dateText(t) + " " + clockText(t, false) + ":" + twoDigits(t.second); }

TEST(WorldTimeZones, NewYorkFromAJapanClockSummerAndWinter) {
  ZonedScene z("Eastern Standard Time");
  EXPECT_EQ(hm(z.at(2026, 1, 15, 9, 0, 7)), "1/14 19:00:07");  // 14 hours behind
  EXPECT_EQ(hm(z.at(2026, 7, 15, 9, 0, 7)), "7/14 20:00:07");  // 13 hours behind
  EXPECT_EQ(z.digital(z.at(2026, 1, 15, 9, 0), 1, 1), "1/14 PM7:00");
  EXPECT_EQ(z.digital(z.at(2026, 7, 15, 9, 0), 0, 0), "20:00");
}

TEST(WorldTimeZones, HalfAndQuarterHourZonesCarryIntoHourAndDate) {
  ZonedScene india("India Standard Time");
  EXPECT_EQ(hm(india.at(2026, 5, 10, 10, 45, 30)), "5/10 7:15:30");  // minute +30 carries an hour
  EXPECT_EQ(hm(india.at(2027, 1, 1, 2, 0)), "12/31 22:30:00");      // behind the PC's new year
  EXPECT_EQ(hm(india.at(2026, 12, 31, 4, 0)), "12/31 0:30:00");     // past midnight from UTC's 12/30
  EXPECT_EQ(india.digital(india.at(2026, 12, 31, 4, 0), 1, 1), "12/31 AM0:30");
  EXPECT_EQ(india.digital(india.at(2026, 5, 10, 20, 5), 1, 0), "PM4:35");

  ZonedScene nepal("Nepal Standard Time");
  EXPECT_EQ(hm(nepal.at(2026, 5, 10, 12, 0)), "5/10 8:45:00");
  EXPECT_EQ(nepal.digital(nepal.at(2026, 5, 10, 3, 14), 0, 1), "5/9 23:59");

  ZonedScene chatham("Chatham Islands Standard Time");
  EXPECT_EQ(hm(chatham.at(2026, 7, 15, 12, 0)), "7/15 15:45:00");  // +12:45
  EXPECT_EQ(hm(chatham.at(2026, 1, 15, 12, 0)), "1/15 16:45:00");  // +13:45
  EXPECT_EQ(hm(chatham.at(2026, 1, 15, 23, 30)), "1/16 4:15:00");  // a day ahead of the PC
}

TEST(WorldTimeZones, UnknownOrMissingZoneFollowsRug) {
  ZonedScene z("Atlantis Standard Time");
  EXPECT_EQ(hm(z.at(2026, 5, 10, 20, 15)), "5/11 1:15:00");  // RUG +5
  z.scene.settings.area(1).ZONE.clear();
  EXPECT_EQ(hm(z.at(2026, 5, 10, 20, 15)), "5/11 1:15:00");
  z.scene.settings.area(1).ZONE = "India Standard Time";
  z.scene.ctx.zones = nullptr;  // a platform without zone data
  EXPECT_EQ(hm(z.at(2026, 5, 10, 20, 15)), "5/11 1:15:00");
}

struct Title : TitleWindow {
  std::string text;
  int sets = 0;
  void setTitle(const std::string& t) override { text = t, ++sets; }
  void flash(bool) override {}
};

TEST(WorldTimeZones, TitleShowsTheZonedTimeAndFollowsItsMinute) {
  SettingsRecords s = defaultSettings();
  s.option.TITLE = 2;
  s.area(2).COUNTRY = "Mumbai";
  s.area(2).ZONE = "India Standard Time";
  s.area(2).D_24HOUR = 0;
  FakeClock clock = clockAt(2026, 5, 10, 10, 45, 58);
  Title window;
  TitleState state;
  updateTitle(window, state, s, clock, &rules(), clock.nowSeconds(), false);
  EXPECT_EQ(window.text, "7:15 Mumbai");
  clock.advanceMillis(1000);  // same minute: left alone
  updateTitle(window, state, s, clock, &rules(), clock.nowSeconds(), false);
  EXPECT_EQ(window.sets, 2);  // the empty text, then the title
  clock.advanceMillis(1000);  // 10:46:00 in Japan, 7:16 in India
  updateTitle(window, state, s, clock, &rules(), clock.nowSeconds(), false);
  EXPECT_EQ(window.text, "7:16 Mumbai");

  s.area(2).D_24HOUR = 1;
  s.area(2).ZONE = "Chatham Islands Standard Time";
  state.titleRefreshDue = 1;
  updateTitle(window, state, s, clock, &rules(), clock.nowSeconds(), false);
  EXPECT_EQ(window.text, "PM2:31 Mumbai");  // 01:46 UTC + 12:45 in May
  s.area(2).ZONE = "Atlantis Standard Time";
  s.area(2).RUG = -1;
  state.titleRefreshDue = 1;
  updateTitle(window, state, s, clock, &rules(), clock.nowSeconds(), false);
  EXPECT_EQ(window.text, "AM9:46 Mumbai");
}

TEST(WorldTimeZones, StoreKeepsZoneOnlyWhenSetAndUnknownNamesUnchanged) {
  MemoryProfileStore store;
  SettingsRecords r = defaultSettings();
  r.area(3).ZONE = "India Standard Time";
  r.area(5).ZONE = "Atlantis Standard Time";  // unknown here, still kept as it is
  saveSettings(store, r, WindowRect{});
  EXPECT_EQ(store.valueCount(), static_cast<size_t>(kSavedValueCount + 2));
  EXPECT_EQ(std::get<std::string>(store.sections().at("AREA3").at("ZONE")), "India Standard Time");

  SettingsRecords back;
  WindowRect rect;
  loadSettings(store, back, rect);
  EXPECT_EQ(back.area(3).ZONE, "India Standard Time");
  EXPECT_EQ(back.area(5).ZONE, "Atlantis Standard Time");
  EXPECT_EQ(back.area(1).ZONE, "");

  // Clearing both zones removes the values: the profile holds the classic values again.
  back.area(3).ZONE.clear();
  back.area(5).ZONE.clear();
  saveSettings(store, back, rect);
  EXPECT_EQ(store.valueCount(), static_cast<size_t>(kSavedValueCount));
  EXPECT_EQ(store.sections().at("AREA3").count("ZONE"), 0u);
  EXPECT_EQ(store.sections().at("AREA3").size(), 16u);
}

}  // namespace
