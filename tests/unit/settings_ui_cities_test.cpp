// Choosing a city for an AREA: the search over the city table, the dial placed on the city by
// the map's projection, the name in half-width katakana and the whole-hour time difference.
#include <gtest/gtest.h>

#include <cmath>

#include "display/map_projection.h"
#include "settings_ui/city_choice.h"
#include "settings_ui/city_search.h"
#include "settings_ui/city_text.h"
#include "tests/unit/display_test_support.h"
#include "worldtime/fixed_zone_rules.h"

using namespace mdx;

namespace {

const CityRow* cityByZone(const char* iana) {
  for (size_t i = 0; i < kCityCount; ++i)
    if (std::string(kCityTable[i].ianaZone) == iana) return &kCityTable[i];
  return nullptr;
}

std::vector<std::string> zonesFound(const std::string& query) {
  std::vector<std::string> zones;
  for (size_t i : searchCities(query)) zones.push_back(kCityTable[i].ianaZone);
  return zones;
}

bool finds(const std::string& query, const char* iana) {
  const auto zones = zonesFound(query);
  return std::find(zones.begin(), zones.end(), iana) != zones.end();
}

}  // namespace

TEST(SettingsUiCities, SearchMatchesKanaKanjiEnglishAndCountry) {
  // Kana in every form the user may type: katakana, hiragana, half-width.
  EXPECT_EQ(zonesFound("ニューヨーク"), std::vector<std::string>{"America/New_York"});
  EXPECT_EQ(zonesFound("にゅーよーく"), std::vector<std::string>{"America/New_York"});
  EXPECT_EQ(zonesFound("ﾆｭｰﾖｰｸ"), std::vector<std::string>{"America/New_York"});
  EXPECT_TRUE(finds("ヨーク", "America/New_York"));  // part of a name
  EXPECT_EQ(zonesFound("東京"), std::vector<std::string>{"Asia/Tokyo"});
  // English, in either case, full-width letters too.
  EXPECT_TRUE(finds("new york", "America/New_York"));
  EXPECT_TRUE(finds("TOKYO", "Asia/Tokyo"));
  EXPECT_TRUE(finds("ｌｏｎｄｏｎ", "Europe/London"));
  // Country: every city of the country.
  const auto us = zonesFound("アメリカ合衆国");
  EXPECT_GT(us.size(), 20u);
  EXPECT_TRUE(finds("アメリカ合衆国", "America/New_York"));
  EXPECT_TRUE(finds("日本", "Asia/Tokyo"));
  EXPECT_TRUE(zonesFound("Atlantis").empty());
}

TEST(SettingsUiCities, EmptyQueryListsEveryCityInTableOrderWestToEast) {
  ASSERT_GE(kCityCount, 350u);
  for (const std::string q : {"", "  ", "　"}) {
    const std::vector<size_t> all = searchCities(q);
    ASSERT_EQ(all.size(), kCityCount) << q;
    for (size_t i = 0; i < all.size(); ++i) ASSERT_EQ(all[i], i);
  }
  for (size_t i = 1; i < kCityCount; ++i) EXPECT_LE(kCityTable[i - 1].longitude, kCityTable[i].longitude);
}

TEST(SettingsUiCities, EntryShowsCityCountryAndCurrentOffset) {
  const CityRow& ny = *cityByZone("America/New_York");
  EXPECT_EQ(cityEntryLabel(ny, -300), "ニューヨーク（アメリカ合衆国）UTC−5");
  EXPECT_EQ(cityEntryLabel(ny, std::nullopt), "ニューヨーク（アメリカ合衆国）");
  EXPECT_EQ(utcOffsetLabel(330), "UTC+5:30");
  EXPECT_EQ(utcOffsetLabel(-210), "UTC−3:30");
  EXPECT_EQ(utcOffsetLabel(345), "UTC+5:45");
  EXPECT_EQ(utcOffsetLabel(0), "UTC+0");
}

TEST(SettingsUiCities, ProjectionAgreesWithTheMapGeneratorAndCentresTheDial) {
  // Pixels of the map generator's own formulas (tools/mapgen/worldmap.js) for these places;
  // New York lies left of the map's left edge and wraps round to its right.
  struct Known {
    const char* zone;
    double x, y;
  };
  for (const Known& k : {Known{"Asia/Tokyo", 278.37, 160.66}, Known{"Europe/London", 53.80, 125.20},
                         Known{"America/New_York", 513.18, 150.31}, Known{"Australia/Sydney", 296.79, 279.85}}) {
    const CityRow& c = *cityByZone(k.zone);
    const MapPoint p = mapPointOf(c.latitude, c.longitude);
    EXPECT_NEAR(p.x, k.x, 1.0) << k.zone;
    EXPECT_NEAR(p.y, k.y, 1.0) << k.zone;
    // The dial's centre (X + 20, Y + 18) is the pixel holding the place.
    const DialOrigin d = dialOriginAt(c.latitude, c.longitude);
    EXPECT_EQ(d.x + 20, static_cast<int32_t>(std::floor(p.x))) << k.zone;
    EXPECT_EQ(d.y + 18, static_cast<int32_t>(std::floor(p.y))) << k.zone;
  }
  // Beyond the map's latitudes: the nearest edge row.
  EXPECT_EQ(dialOriginAt(84.0, 0).y, 0 - 18);
  EXPECT_EQ(dialOriginAt(-77.8, 166.7).y, kMapHeight - 1 - 18);
}

TEST(SettingsUiCities, NamesBecomeHalfWidthKatakana) {
  EXPECT_EQ(halfWidthKatakana("ニューヨーク"), "ﾆｭｰﾖｰｸ");
  EXPECT_EQ(halfWidthKatakana("サンパウロ"), "ｻﾝﾊﾟｳﾛ");
  EXPECT_EQ(halfWidthKatakana("セントジョンズ"), "ｾﾝﾄｼﾞｮﾝｽﾞ");
  EXPECT_EQ(halfWidthKatakana("ヴァドゥーツ・ヴェ"), "ｳﾞｧﾄﾞｩｰﾂ･ｳﾞｪ");
  EXPECT_EQ(halfWidthKatakana("東京"), "東京");               // kanji stay
  EXPECT_EQ(halfWidthKatakana("トロル基地"), "ﾄﾛﾙ基地");
  EXPECT_EQ(halfWidthKatakana("ﾋﾟｯﾂﾊﾞｰｸﾞ"), "ﾋﾟｯﾂﾊﾞｰｸﾞ");  // already half-width
}

TEST(SettingsUiCities, RugIsTheWholeHourDifferenceKeptInTheRange) {
  EXPECT_EQ(rugBetween(-300, 540), -14);  // New York in winter from Japan
  EXPECT_EQ(rugBetween(-240, 540), -13);  // in summer
  EXPECT_EQ(rugBetween(0, 0), 0);
  EXPECT_EQ(rugBetween(330, 540), -3);    // India: half hours round up
  EXPECT_EQ(rugBetween(345, 540), -3);    // Nepal: to the nearest hour
  EXPECT_EQ(rugBetween(840, 540), -19);   // Kiritimati, a day earlier: the same hour
  EXPECT_EQ(rugBetween(-660, 840), -1);   // from Kiritimati to Samoa's neighbour Niue

  // From the zone rules and the PC clock: January in Japan.
  const FakeClock clock = mdx::testing::clockAt(2026, 1, 15, 9, 5, 40);
  EXPECT_EQ(pcOffsetMinutes(clock, clock.nowSeconds()), 540);
  const CityChoice ny = cityChoice(*cityByZone("America/New_York"), &builtinFixedZoneRules(), clock);
  EXPECT_EQ(ny.country, "ﾆｭｰﾖｰｸ");
  EXPECT_EQ(ny.zone, "Eastern Standard Time");
  EXPECT_TRUE(ny.zoneAvailable);
  ASSERT_TRUE(ny.rug.has_value());
  EXPECT_EQ(*ny.rug, -14);

  AreaSettings area;
  area.RUG = 3;
  applyCityChoice(ny, area);
  EXPECT_EQ(area.COUNTRY, "ﾆｭｰﾖｰｸ");
  EXPECT_EQ(area.RUG, -14);
  EXPECT_EQ(area.X, ny.dial.x);
  EXPECT_EQ(area.Y, ny.dial.y);

  // A zone the PC does not offer: name and place, the time difference kept.
  const CityChoice troll = cityChoice(*cityByZone("Antarctica/Troll"), &builtinFixedZoneRules(), clock);
  EXPECT_FALSE(troll.zoneAvailable);
  EXPECT_FALSE(troll.rug.has_value());
  applyCityChoice(troll, area);
  EXPECT_EQ(area.COUNTRY, "ﾄﾛﾙ基地");
  EXPECT_EQ(area.RUG, -14);
  EXPECT_EQ(area.Y, kMapHeight - 1 - 18);
}
