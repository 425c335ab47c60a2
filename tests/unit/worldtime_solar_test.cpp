// The sun's position against published almanac values for 2026 and against the altitude that
// a different, independent textbook formula gives at a few cities.
#include <cmath>

#include <gtest/gtest.h>

#include "platform/clock.h"
#include "worldtime/solar_position.h"

namespace mdx {
namespace {

constexpr double kRad = 3.14159265358979323846 / 180.0;

int64_t utcMillis(int y, unsigned mo, unsigned d, int h, int mi) {
  return (daysFromCivil(y, mo, d) * 86400 + h * 3600 + mi * 60) * 1000;
}

// The seasons of 2026 at the instants the almanacs give (UTC), where the declination is 0 or
// +-the obliquity (23.44), and the equation of time on those days and at its four turning
// points (Astronomical Almanac / Nautical Almanac daily values, rounded to 0.1 min, 0.1 deg).
TEST(SolarPosition, DeclinationAndEquationOfTimeMatchTheAlmanac) {
  struct Case {
    const char* what;
    int64_t at;
    double declination, equationOfTime;
  };
  const Case cases[] = {
      {"March equinox", utcMillis(2026, 3, 20, 14, 46), 0.0, -7.4},
      {"June solstice", utcMillis(2026, 6, 21, 8, 24), 23.44, -1.8},
      {"September equinox", utcMillis(2026, 9, 23, 0, 5), 0.0, 7.5},
      {"December solstice", utcMillis(2026, 12, 21, 20, 50), -23.44, 1.7},
      {"February minimum", utcMillis(2026, 2, 11, 12, 0), -13.9, -14.2},
      {"May maximum", utcMillis(2026, 5, 14, 12, 0), 18.7, 3.6},
      {"July minimum", utcMillis(2026, 7, 26, 12, 0), 19.4, -6.5},
      {"November maximum", utcMillis(2026, 11, 3, 12, 0), -15.15, 16.4},
  };
  for (const Case& c : cases) {
    const SolarPosition sun = solarPositionAt(c.at);
    EXPECT_NEAR(sun.declinationDeg, c.declination, 0.1) << c.what;
    EXPECT_NEAR(sun.equationOfTimeMinutes, c.equationOfTime, 0.5) << c.what;
    EXPECT_EQ(sun.subsolarLatitudeDeg, sun.declinationDeg) << c.what;
  }
}

TEST(SolarPosition, SubsolarPointAtTheMarchEquinoxNoon) {
  const SolarPosition sun = solarPositionAt(utcMillis(2026, 3, 20, 12, 0));
  EXPECT_NEAR(sun.subsolarLatitudeDeg, -0.04, 0.02);
  EXPECT_NEAR(sun.subsolarLongitudeDeg, 1.9, 0.1);
  // Twelve hours later the sun stands over the other side of the earth, across the date line.
  const SolarPosition night = solarPositionAt(utcMillis(2026, 3, 21, 0, 0));
  EXPECT_NEAR(night.subsolarLongitudeDeg, -178.1, 0.1);
  EXPECT_GT(night.subsolarLongitudeDeg, -180.0);
}

// The U.S. Naval Observatory's approximate solar coordinates (accurate to about 1 arcminute),
// with the hour angle from Greenwich mean sidereal time: none of the program's terms.
double textbookAltitude(int64_t utcMs, double latDeg, double lonDeg) {
  const double d = static_cast<double>(utcMs) / 86400000.0 + 2440587.5 - 2451545.0;
  const double g = (357.529 + 0.98560028 * d) * kRad;
  const double q = 280.459 + 0.98564736 * d;
  const double l = (q + 1.915 * std::sin(g) + 0.020 * std::sin(2 * g)) * kRad;
  const double e = (23.439 - 0.00000036 * d) * kRad;
  const double ra = std::atan2(std::cos(e) * std::sin(l), std::cos(l)) / kRad;
  const double dec = std::asin(std::sin(e) * std::sin(l));
  const double gmstDeg = (18.697374558 + 24.06570982441908 * d) * 15.0;
  const double h = (gmstDeg + lonDeg - ra) * kRad;
  const double lat = latDeg * kRad;
  return std::asin(std::sin(lat) * std::sin(dec) + std::cos(lat) * std::cos(dec) * std::cos(h)) / kRad;
}

TEST(SolarPosition, AltitudeAtCitiesAgreesWithTheTextbookFormula) {
  struct City {
    const char* name;
    double lat, lon;
  };
  const City cities[] = {{"Tokyo", 35.68, 139.69},     {"New York", 40.71, -74.01}, {"London", 51.51, -0.13},
                         {"Sydney", -33.87, 151.21},   {"Reykjavik", 64.15, -21.94}, {"Quito", -0.18, -78.47},
                         {"Longyearbyen", 78.22, 15.65}};
  const int64_t instants[] = {utcMillis(2026, 1, 15, 3, 0), utcMillis(2026, 6, 21, 8, 24),
                              utcMillis(2026, 9, 30, 18, 45), utcMillis(2026, 12, 9, 19, 40)};
  for (const int64_t t : instants) {
    const SolarPosition sun = solarPositionAt(t);
    for (const City& c : cities)
      EXPECT_NEAR(sunAltitudeDeg(sun, c.lat, c.lon), textbookAltitude(t, c.lat, c.lon), 0.1) << c.name << " at " << t;
  }
  // The subsolar point has the sun overhead.
  const SolarPosition sun = solarPositionAt(instants[2]);
  EXPECT_NEAR(sunAltitudeDeg(sun, sun.subsolarLatitudeDeg, sun.subsolarLongitudeDeg), 90.0, 1e-6);
}

}  // namespace
}  // namespace mdx
