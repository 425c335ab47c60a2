#pragma once
// Helpers for the raster tests: surfaces from and to text pictures.
#include <string>
#include <vector>

#include "raster/surface.h"

namespace mdx::rastertest {

// '#' is black, '.' is white; all rows the same length.
inline Surface monoFrom(const std::vector<std::string>& rows) {
  Surface s(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), Surface::Depth::Mono1);
  for (size_t y = 0; y < rows.size(); ++y)
    for (size_t x = 0; x < rows[y].size(); ++x)
      s.setPixel(static_cast<int>(x), static_cast<int>(y), rows[y][x] == '#' ? kBlack : kWhite);
  return s;
}

// One character per pixel: '#' where the pixel equals `ink`, '.' otherwise.
inline std::vector<std::string> picture(const Surface& s, Rgb ink = kBlack) {
  std::vector<std::string> rows;
  for (int y = 0; y < s.height(); ++y) {
    std::string row;
    for (int x = 0; x < s.width(); ++x) row += s.pixel(x, y) == ink ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

}  // namespace mdx::rastertest
