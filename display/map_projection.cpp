#include "display/map_projection.h"

#include <algorithm>
#include <cmath>

namespace mdx {

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kPixelsPerDegree = kMapWidth / 360.0;
// Longitude of the map's left edge: the date line lies kMapDateLineX pixels to its east.
constexpr double kLeftLongitude = 180.0 - kMapDateLineX / kPixelsPerDegree;
// The Mercator scale in pixels per radian of longitude.
constexpr double kRadius = kPixelsPerDegree * 180.0 / kPi;
}  // namespace

double mapXOfLongitude(double longitudeDeg) {
  double x = std::fmod((longitudeDeg - kLeftLongitude) * kPixelsPerDegree, static_cast<double>(kMapWidth));
  if (x < 0) x += kMapWidth;
  return x;
}

double mapYOfLatitude(double latitudeDeg) {
  const double phi = std::clamp(latitudeDeg, -85.0, 85.0) * kPi / 180.0;
  return kMapEquatorY - kRadius * std::log(std::tan(kPi / 4 + phi / 2));
}

MapPoint mapPointOf(double latitudeDeg, double longitudeDeg) {
  return MapPoint{mapXOfLongitude(longitudeDeg), mapYOfLatitude(latitudeDeg)};
}

double longitudeOfMapX(double x) {
  double lon = kLeftLongitude + x / kPixelsPerDegree;
  lon = std::fmod(lon + 180.0, 360.0);
  if (lon <= 0) lon += 360.0;
  return lon - 180.0;
}

double latitudeOfMapY(double y) {
  return (2 * std::atan(std::exp((kMapEquatorY - y) / kRadius)) - kPi / 2) * 180.0 / kPi;
}

}  // namespace mdx
