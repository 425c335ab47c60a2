#include "worldtime/solar_position.h"

#include <cmath>

namespace mdx {

// The formulas are those of the NOAA Global Monitoring Laboratory's solar calculator
// ("NOAA Solar Calculator", its spreadsheet's equations), which follow Jean Meeus,
// "Astronomical Algorithms" (2nd ed., 1998), chapters 25 and 28: the sun's mean longitude
// and anomaly as polynomials in Julian centuries since J2000.0, the equation of centre, the
// apparent longitude corrected for nutation and aberration, and the obliquity of the
// ecliptic. The difference between terrestrial and universal time (about 70 s) is ignored; it
// moves the sun by less than 0.001 degree.

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kRad = kPi / 180.0;
constexpr double kDeg = 180.0 / kPi;
constexpr double kUnixEpochJulianDay = 2440587.5;
constexpr double kJ2000JulianDay = 2451545.0;

double wrapDegrees(double d) {
  d = std::fmod(d, 360.0);
  return d < 0 ? d + 360.0 : d;
}
}  // namespace

SolarPosition solarPositionAt(int64_t utcMillis) {
  const double julianDay = static_cast<double>(utcMillis) / 86400000.0 + kUnixEpochJulianDay;
  const double t = (julianDay - kJ2000JulianDay) / 36525.0;  // Julian centuries since J2000.0

  const double meanLongitude = wrapDegrees(280.46646 + t * (36000.76983 + t * 0.0003032));
  const double meanAnomaly = 357.52911 + t * (35999.05029 - 0.0001537 * t);
  const double eccentricity = 0.016708634 - t * (0.000042037 + 0.0000001267 * t);
  const double m = meanAnomaly * kRad;
  const double centre = std::sin(m) * (1.914602 - t * (0.004817 + 0.000014 * t)) +
                        std::sin(2 * m) * (0.019993 - 0.000101 * t) + std::sin(3 * m) * 0.000289;
  const double trueLongitude = meanLongitude + centre;
  const double omega = (125.04 - 1934.136 * t) * kRad;  // the moon's ascending node
  const double apparentLongitude = trueLongitude - 0.00569 - 0.00478 * std::sin(omega);
  const double meanObliquity = 23.0 + (26.0 + (21.448 - t * (46.815 + t * (0.00059 - t * 0.001813))) / 60.0) / 60.0;
  const double obliquity = (meanObliquity + 0.00256 * std::cos(omega)) * kRad;

  SolarPosition sun;
  sun.declinationDeg = std::asin(std::sin(obliquity) * std::sin(apparentLongitude * kRad)) * kDeg;

  const double y = std::tan(obliquity / 2) * std::tan(obliquity / 2);
  const double l0 = meanLongitude * kRad;
  const double e = eccentricity;
  const double eotRadians = y * std::sin(2 * l0) - 2 * e * std::sin(m) + 4 * e * y * std::sin(m) * std::cos(2 * l0) -
                            0.5 * y * y * std::sin(4 * l0) - 1.25 * e * e * std::sin(2 * m);
  sun.equationOfTimeMinutes = 4.0 * eotRadians * kDeg;  // 4 minutes of time per degree

  // The sun stands over the meridian where apparent solar time is noon: 15 degrees of
  // longitude per hour away from Greenwich's true solar time.
  const double utcMinutesOfDay = static_cast<double>(((utcMillis % 86400000) + 86400000) % 86400000) / 60000.0;
  double lon = -(utcMinutesOfDay + sun.equationOfTimeMinutes - 720.0) / 4.0;
  lon = std::fmod(lon + 180.0, 360.0);
  if (lon <= 0) lon += 360.0;
  sun.subsolarLongitudeDeg = lon - 180.0;
  sun.subsolarLatitudeDeg = sun.declinationDeg;
  return sun;
}

double sunAltitudeDeg(const SolarPosition& sun, double latitudeDeg, double longitudeDeg) {
  const double lat = latitudeDeg * kRad;
  const double dec = sun.declinationDeg * kRad;
  const double hourAngle = (longitudeDeg - sun.subsolarLongitudeDeg) * kRad;
  const double s = std::sin(lat) * std::sin(dec) + std::cos(lat) * std::cos(dec) * std::cos(hourAngle);
  return std::asin(s < -1 ? -1 : (s > 1 ? 1 : s)) * kDeg;
}

}  // namespace mdx
