#pragma once
// The cities a user can pick for an AREA: one row per place of the time-zone database, with
// its Japanese and English names, where it lies and its Windows zone. The table is generated
// by tools/citygen/citygen.py from tzdata and Unicode CLDR as settings_ui/generated/city_table.tsv,
// which the build makes into C++ (cmake/city_table.cmake), and ordered west to east.
#include <cstddef>

namespace mdx {

struct CityRow {
  const char* name;       // Japanese city name, as CLDR gives it ("ニューヨーク")
  const char* country;    // Japanese country or territory name ("アメリカ合衆国")
  const char* english;    // English city name ("New York")
  double latitude;        // degrees north
  double longitude;       // degrees east
  const char* windowsZone;  // Windows zone key name; "" when there is none
  const char* ianaZone;     // "America/New_York"
};

extern const CityRow kCityTable[];
extern const size_t kCityCount;

}  // namespace mdx
