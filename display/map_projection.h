#pragma once
// The world map's projection: Mercator over the 578 x 340 map, the whole circle of longitude
// across its width, the 180th meridian at x = 343 and the equator at y = 222 (so the left edge
// lies at 33.63 W, the top near 79.8 N and the bottom near 59 S). These numbers are written here
// only: the map generator (tools/mapgen) reads them from this file, and the program places cities
// and shades the night side with the functions below. Coordinates are continuous: pixel column i
// covers [i, i + 1), so its centre is at i + 0.5.

namespace mdx {

constexpr int kMapWidth = 578;
constexpr int kMapHeight = 340;
constexpr int kMapDateLineX = 343;
constexpr int kMapEquatorY = 222;

struct MapPoint {
  double x = 0;
  double y = 0;
};

// Longitude (degrees east, any value) to x in [0, kMapWidth); latitude (degrees north, clamped to
// +-85) to y, which may lie outside the map for places beyond its top or bottom.
double mapXOfLongitude(double longitudeDeg);
double mapYOfLatitude(double latitudeDeg);
MapPoint mapPointOf(double latitudeDeg, double longitudeDeg);

// The inverse: longitude in (-180, 180] of a map x, latitude of a map y.
double longitudeOfMapX(double x);
double latitudeOfMapY(double y);

}  // namespace mdx
