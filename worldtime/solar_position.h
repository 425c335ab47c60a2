#pragma once
// Where the sun stands for a UTC instant: its declination, the equation of time and the point
// of the earth that has it overhead, and its altitude seen from any place. Pure arithmetic on
// the instant; accurate to about 0.01 degree and a few seconds of time between 1900 and 2100.
#include <cstdint>

namespace mdx {

struct SolarPosition {
  double declinationDeg = 0;         // north positive
  double equationOfTimeMinutes = 0;  // apparent minus mean solar time
  double subsolarLatitudeDeg = 0;    // equals the declination
  double subsolarLongitudeDeg = 0;   // east positive, in (-180, 180]
};

// The sun's position at `utcMillis` (milliseconds since 1970-01-01 00:00 UTC).
SolarPosition solarPositionAt(int64_t utcMillis);

// Geometric altitude of the sun's centre above the horizon (degrees, no refraction) at a place.
double sunAltitudeDeg(const SolarPosition& sun, double latitudeDeg, double longitudeDeg);

}  // namespace mdx
