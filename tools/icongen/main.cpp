// icongen: writes the program icons resources/icons/meridexa.ico (icon 128)
// and resources/icons/meridexa_alt.ico (icon 129).
//
// Each icon is a shaded globe seen over Asia and the Pacific with the letters
// "MX" across it, in 32 x 32 and 16 x 16 pixels and the standard 16-colour
// VGA palette. The picture is first worked out as a map of roles (ocean in
// light or shade, land, graticule, rim, lettering); the two icons paint the
// same roles with different colours, so they differ only in their colouring
// and alternate smoothly as an animation.
//
// Usage: icongen [output dir]   (default: <source dir>/resources/icons)

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "raster/little_endian.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180.0;

// The land map: 2-degree cells, rows from 90N, columns from 180W.
const char* const kLandRows[] = {
#include "tools/icongen/land_mask.inc"
};
constexpr int kLandCols = 180;
constexpr int kLandRowCount = static_cast<int>(sizeof(kLandRows) / sizeof(kLandRows[0]));

bool isLand(double latDeg, double lonDeg) {
  int row = static_cast<int>(std::floor((90.0 - latDeg) / 2.0));
  double lon = std::fmod(lonDeg + 180.0, 360.0);
  if (lon < 0) lon += 360.0;
  int col = static_cast<int>(std::floor(lon / 2.0));
  row = std::clamp(row, 0, kLandRowCount - 1);
  col = std::clamp(col, 0, kLandCols - 1);
  return kLandRows[row][col] == '#';
}

// Standard VGA / Windows 16-colour palette, index order as Windows uses it.
struct Rgb {
  uint8_t r, g, b;
};
constexpr Rgb kPalette[16] = {
    {0x00, 0x00, 0x00}, {0x80, 0x00, 0x00}, {0x00, 0x80, 0x00}, {0x80, 0x80, 0x00},
    {0x00, 0x00, 0x80}, {0x80, 0x00, 0x80}, {0x00, 0x80, 0x80}, {0xC0, 0xC0, 0xC0},
    {0x80, 0x80, 0x80}, {0xFF, 0x00, 0x00}, {0x00, 0xFF, 0x00}, {0xFF, 0xFF, 0x00},
    {0x00, 0x00, 0xFF}, {0xFF, 0x00, 0xFF}, {0x00, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF},
};
enum Vga : uint8_t {
  Black, Maroon, Green, Olive, Navy, Purple, Teal, Silver,
  Gray, Red, Lime, Yellow, Blue, Fuchsia, Aqua, White,
};

// What a pixel shows; each icon gives every role its own colour.
enum Role : uint8_t {
  Transparent,
  Rim,
  OceanShade,
  OceanLit,
  OceanGlint,
  LandShade,
  LandLit,
  Graticule,
  Letter,
  LetterEdge,
  kRoleCount,
};

// Colours of the roles in icon 128 (day) and icon 129 (dusk).
constexpr uint8_t kDayColours[kRoleCount] = {
    Black, Black, Navy, Blue, Aqua, Green, Lime, Teal, White, Black,
};
constexpr uint8_t kDuskColours[kRoleCount] = {
    Black, Navy, Teal, Aqua, White, Olive, Yellow, Blue, Yellow, Black,
};

// Glyphs of the lettering on the 32-pixel icon, 7 x 9 each.
const char* const kGlyphM[9] = {
    "##...##", "###.###", "#######", "##.#.##", "##...##",
    "##...##", "##...##", "##...##", "##...##",
};
const char* const kGlyphX[9] = {
    "##...##", "##...##", ".##.##.", "..###..", "..###..",
    ".##.##.", "##...##", "##...##", "##...##",
};

struct View {
  double lat0 = 24.0 * kDeg;  // centre of the visible hemisphere
  double lon0 = 128.0 * kDeg;
};

// Inverse orthographic projection of a point of the unit disc (y up).
// Returns false outside the globe.
bool toLatLon(const View& v, double x, double y, double& lat, double& lon) {
  const double rho2 = x * x + y * y;
  if (rho2 > 1.0) return false;
  const double z = std::sqrt(1.0 - rho2);
  // Rotate the view vector back to the globe's frame.
  const double sinLat = y * std::cos(v.lat0) + z * std::sin(v.lat0);
  lat = std::asin(std::clamp(sinLat, -1.0, 1.0));
  lon = v.lon0 + std::atan2(x, z * std::cos(v.lat0) - y * std::sin(v.lat0));
  return true;
}

using RoleMap = std::vector<uint8_t>;  // size * size roles, rows top-down

RoleMap drawGlobe(int size, bool lettering) {
  const View view;
  const double radius = size / 2.0 - 0.5;
  const double cx = size / 2.0, cy = size / 2.0;
  // Light from the upper left, in front.
  const double lx = -0.55, ly = 0.6, lz = 0.58;
  const double ll = std::sqrt(lx * lx + ly * ly + lz * lz);

  RoleMap roles(static_cast<size_t>(size * size), Transparent);
  std::vector<double> latC(roles.size()), lonC(roles.size());
  std::vector<bool> inside(roles.size());

  constexpr int kSub = 4;  // 4 x 4 samples per pixel
  for (int py = 0; py < size; ++py) {
    for (int px = 0; px < size; ++px) {
      int in = 0, land = 0;
      double light = 0;
      for (int sy = 0; sy < kSub; ++sy) {
        for (int sx = 0; sx < kSub; ++sx) {
          const double x = (px + (sx + 0.5) / kSub - cx) / radius;
          const double y = (cy - (py + (sy + 0.5) / kSub)) / radius;
          double lat, lon;
          if (!toLatLon(view, x, y, lat, lon)) continue;
          ++in;
          if (isLand(lat / kDeg, lon / kDeg)) ++land;
          const double z = std::sqrt(std::max(0.0, 1.0 - x * x - y * y));
          light += (x * lx + y * ly + z * lz) / ll;
        }
      }
      const size_t i = static_cast<size_t>(py * size + px);
      inside[i] = in * 2 > kSub * kSub;
      if (!inside[i]) continue;
      light /= in;
      const bool isLandPixel = land * 2 >= in;
      if (isLandPixel) {
        roles[i] = light > 0.45 ? LandLit : LandShade;
      } else if (light > 0.93 && size >= 32) {
        roles[i] = OceanGlint;
      } else {
        roles[i] = light > 0.45 ? OceanLit : OceanShade;
      }
      const double x = (px + 0.5 - cx) / radius, y = (cy - py - 0.5) / radius;
      double lat = 0, lon = 0;
      toLatLon(view, std::clamp(x, -1.0, 1.0) * 0.999, std::clamp(y, -1.0, 1.0) * 0.999, lat, lon);
      latC[i] = lat / kDeg;
      lonC[i] = lon / kDeg;
    }
  }

  // Graticule over the ocean (the equator and meridians every 45 degrees): a
  // pixel is on a line when the line passes between its centre and its right
  // or lower neighbour's.
  if (size >= 32) {
    auto band = [](double v, double step) { return static_cast<int>(std::floor(v / step)); };
    for (int py = 0; py < size - 1; ++py) {
      for (int px = 0; px < size - 1; ++px) {
        const size_t i = static_cast<size_t>(py * size + px);
        const size_t r = i + 1, d = i + static_cast<size_t>(size);
        if (!inside[i] || !inside[r] || !inside[d]) continue;
        if (roles[i] != OceanLit && roles[i] != OceanShade) continue;
        const bool crossLat = band(latC[i], 180) != band(latC[d], 180) || band(latC[i], 180) != band(latC[r], 180);
        const bool crossLon = band(lonC[i], 45) != band(lonC[r], 45) || band(lonC[i], 45) != band(lonC[d], 45);
        if (crossLat || crossLon) roles[i] = Graticule;
      }
    }
  }

  // A dark rim: globe pixels with a transparent 4-neighbour.
  RoleMap rimmed = roles;
  for (int py = 0; py < size; ++py) {
    for (int px = 0; px < size; ++px) {
      const size_t i = static_cast<size_t>(py * size + px);
      if (roles[i] == Transparent) continue;
      auto out = [&](int x, int y) {
        return x < 0 || y < 0 || x >= size || y >= size || roles[static_cast<size_t>(y * size + x)] == Transparent;
      };
      if (out(px - 1, py) || out(px + 1, py) || out(px, py - 1) || out(px, py + 1)) rimmed[i] = Rim;
    }
  }
  roles = rimmed;

  if (lettering) {
    // "MX" below the middle, outlined on its four sides.
    const int glyphW = 7, glyphH = 9, gap = 2;
    const int textW = 2 * glyphW + gap;
    const int left = (size - textW) / 2, top = size / 2 + 1;
    std::vector<bool> ink(roles.size(), false);
    for (int g = 0; g < 2; ++g) {
      const char* const* glyph = g == 0 ? kGlyphM : kGlyphX;
      for (int y = 0; y < glyphH; ++y)
        for (int x = 0; x < glyphW; ++x)
          if (glyph[y][x] == '#') {
            const int px = left + g * (glyphW + gap) + x, py = top + y;
            if (px >= 0 && py >= 0 && px < size && py < size) ink[static_cast<size_t>(py * size + px)] = true;
          }
    }
    for (int py = 0; py < size; ++py) {
      for (int px = 0; px < size; ++px) {
        const size_t i = static_cast<size_t>(py * size + px);
        if (ink[i]) {
          roles[i] = Letter;
          continue;
        }
        bool near = false;
        const int dxs[] = {-1, 1, 0, 0}, dys[] = {0, 0, -1, 1};
        for (int k = 0; k < 4; ++k) {
          const int x = px + dxs[k], y = py + dys[k];
          if (x >= 0 && y >= 0 && x < size && y < size && ink[static_cast<size_t>(y * size + x)]) near = true;
        }
        if (near) roles[i] = LetterEdge;
      }
    }
  }
  return roles;
}


// One icon image: BITMAPINFOHEADER (height doubled for the two masks),
// the 16-entry palette, the 4-bit colour (XOR) rows and the 1-bit AND mask
// rows, both bottom-up with rows padded to 4 bytes.
std::vector<uint8_t> iconImage(const RoleMap& roles, int size, const uint8_t* colours) {
  const int xorStride = ((size * 4 + 31) / 32) * 4;
  const int andStride = ((size + 31) / 32) * 4;
  std::vector<uint8_t> b;
  mdx::appendLe32(b, 40);
  mdx::appendLe32(b, static_cast<uint32_t>(size));
  mdx::appendLe32(b, static_cast<uint32_t>(size * 2));
  mdx::appendLe16(b, 1);  // planes
  mdx::appendLe16(b, 4);  // bits per pixel
  mdx::appendLe32(b, 0);  // BI_RGB
  mdx::appendLe32(b, static_cast<uint32_t>((xorStride + andStride) * size));
  mdx::appendLe32(b, 0);
  mdx::appendLe32(b, 0);
  mdx::appendLe32(b, 0);  // all 16 colours used
  mdx::appendLe32(b, 0);
  for (const Rgb& c : kPalette) {
    b.push_back(c.b);
    b.push_back(c.g);
    b.push_back(c.r);
    b.push_back(0);
  }
  for (int y = size - 1; y >= 0; --y) {
    std::vector<uint8_t> row(static_cast<size_t>(xorStride), 0);
    for (int x = 0; x < size; ++x) {
      const uint8_t role = roles[static_cast<size_t>(y * size + x)];
      // Transparent pixels are black in the colour image, so that the AND
      // mask alone decides what shows through.
      const uint8_t index = role == Transparent ? 0 : colours[role];
      row[static_cast<size_t>(x / 2)] |= static_cast<uint8_t>(x % 2 == 0 ? index << 4 : index);
    }
    b.insert(b.end(), row.begin(), row.end());
  }
  for (int y = size - 1; y >= 0; --y) {
    std::vector<uint8_t> row(static_cast<size_t>(andStride), 0);
    for (int x = 0; x < size; ++x)
      if (roles[static_cast<size_t>(y * size + x)] == Transparent)
        row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

// ICONDIR, one ICONDIRENTRY per image, then the images in order.
std::vector<uint8_t> icoFile(const uint8_t* colours) {
  const int sizes[] = {32, 16};
  std::vector<std::vector<uint8_t>> images;
  for (int s : sizes) images.push_back(iconImage(drawGlobe(s, s >= 32), s, colours));
  std::vector<uint8_t> b;
  mdx::appendLe16(b, 0);  // reserved
  mdx::appendLe16(b, 1);  // icon
  mdx::appendLe16(b, static_cast<uint32_t>(images.size()));
  uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
  for (size_t k = 0; k < images.size(); ++k) {
    b.push_back(static_cast<uint8_t>(sizes[k]));
    b.push_back(static_cast<uint8_t>(sizes[k]));
    b.push_back(16);  // colours
    b.push_back(0);
    mdx::appendLe16(b, 1);  // planes
    mdx::appendLe16(b, 4);  // bits per pixel
    mdx::appendLe32(b, static_cast<uint32_t>(images[k].size()));
    mdx::appendLe32(b, offset);
    offset += static_cast<uint32_t>(images[k].size());
  }
  for (const auto& img : images) b.insert(b.end(), img.begin(), img.end());
  return b;
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& data) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) {
    std::perror(path.c_str());
    return false;
  }
  const bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
  if (std::fclose(f) != 0 || !ok) {
    std::fprintf(stderr, "icongen: could not write %s\n", path.c_str());
    return false;
  }
  std::printf("icongen: wrote %s (%zu bytes)\n", path.c_str(), data.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string dir = argc > 1 ? argv[1] : std::string(MDX_SOURCE_DIR) + "/resources/icons";
  const bool ok = writeFile(dir + "/meridexa.ico", icoFile(kDayColours)) &&
                  writeFile(dir + "/meridexa_alt.ico", icoFile(kDuskColours));
  return ok ? 0 : 1;
}
