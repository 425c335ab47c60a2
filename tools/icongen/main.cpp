// icongen: writes the program icons resources/icons/meridexa.ico (icon 128)
// and resources/icons/meridexa_alt.ico (icon 129).
//
// Each icon is a shaded globe seen over Asia and the Pacific with the letters
// "MX" across it: a 32 x 32 image in the standard 16-colour VGA palette and
// 16, 24, 48 and 256 pixel images in 32-bit colour with alpha, painted with
// the same palette colours. The picture is first worked out as a map of roles (ocean in
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

// How the globe is drawn at one pixel size. The 16-colour images are drawn
// at their own size with 1-pixel strokes; the 32-bit images are drawn four
// times larger with every stroke scaled to match, then averaged down.
struct Style {
  bool graticule = true;
  bool glint = true;
  int letterScale = 1;  // pixels per glyph dot; 0 draws no lettering
  int stroke = 1;       // width of the rim and the graticule in pixels
};

// True when some pixel within `radius` of (px, py) passes `test`.
template <typename Test>
bool anyWithin(int px, int py, int radius, Test test) {
  for (int dy = -radius; dy <= radius; ++dy)
    for (int dx = -radius; dx <= radius; ++dx)
      if ((dx || dy) && dx * dx + dy * dy <= radius * radius && test(px + dx, py + dy)) return true;
  return false;
}

RoleMap drawGlobe(int size, const Style& style) {
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
      } else if (light > 0.93 && style.glint) {
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
  if (style.graticule) {
    auto band = [](double v, double step) { return static_cast<int>(std::floor(v / step)); };
    std::vector<bool> line(roles.size(), false);
    for (int py = 0; py < size - 1; ++py) {
      for (int px = 0; px < size - 1; ++px) {
        const size_t i = static_cast<size_t>(py * size + px);
        const size_t r = i + 1, d = i + static_cast<size_t>(size);
        if (!inside[i] || !inside[r] || !inside[d]) continue;
        if (roles[i] != OceanLit && roles[i] != OceanShade) continue;
        const bool crossLat = band(latC[i], 180) != band(latC[d], 180) || band(latC[i], 180) != band(latC[r], 180);
        const bool crossLon = band(lonC[i], 45) != band(lonC[r], 45) || band(lonC[i], 45) != band(lonC[d], 45);
        if (crossLat || crossLon) line[i] = true;
      }
    }
    // Wider strokes grow each line to the right and downwards, over the ocean only.
    for (int py = 0; py < size; ++py) {
      for (int px = 0; px < size; ++px) {
        const size_t i = static_cast<size_t>(py * size + px);
        if (roles[i] != OceanLit && roles[i] != OceanShade) continue;
        bool on = false;
        for (int dy = 0; dy < style.stroke && !on; ++dy)
          for (int dx = 0; dx < style.stroke && !on; ++dx)
            on = px >= dx && py >= dy && line[static_cast<size_t>((py - dy) * size + px - dx)];
        if (on) roles[i] = Graticule;
      }
    }
  }

  // A dark rim: globe pixels with a transparent pixel within the stroke width
  // (for 1-pixel strokes: a transparent 4-neighbour).
  RoleMap rimmed = roles;
  auto out = [&](int x, int y) {
    return x < 0 || y < 0 || x >= size || y >= size || roles[static_cast<size_t>(y * size + x)] == Transparent;
  };
  for (int py = 0; py < size; ++py) {
    for (int px = 0; px < size; ++px) {
      const size_t i = static_cast<size_t>(py * size + px);
      if (roles[i] == Transparent) continue;
      if (anyWithin(px, py, style.stroke, out)) rimmed[i] = Rim;
    }
  }
  roles = rimmed;

  if (style.letterScale > 0) {
    // "MX" below the middle, outlined on its four sides.
    const int k = style.letterScale;
    const int glyphW = 7 * k, glyphH = 9 * k, gap = 2 * k;
    const int textW = 2 * glyphW + gap;
    const int left = (size - textW) / 2, top = size / 2 + k;
    std::vector<bool> ink(roles.size(), false);
    for (int g = 0; g < 2; ++g) {
      const char* const* glyph = g == 0 ? kGlyphM : kGlyphX;
      for (int y = 0; y < glyphH; ++y)
        for (int x = 0; x < glyphW; ++x)
          if (glyph[y / k][x / k] == '#') {
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
        auto inked = [&](int x, int y) {
          return x >= 0 && y >= 0 && x < size && y < size && ink[static_cast<size_t>(y * size + x)];
        };
        if (anyWithin(px, py, k, inked)) roles[i] = LetterEdge;
      }
    }
  }
  return roles;
}

// BITMAPINFOHEADER of an icon image: the height counts the colour image and
// the AND mask, one above the other.
void putImageHeader(std::vector<uint8_t>& b, int size, int bits, size_t bytes) {
  mdx::appendLe32(b, 40);
  mdx::appendLe32(b, static_cast<uint32_t>(size));
  mdx::appendLe32(b, static_cast<uint32_t>(size * 2));
  mdx::appendLe16(b, 1);  // planes
  mdx::appendLe16(b, static_cast<uint32_t>(bits));
  mdx::appendLe32(b, 0);  // BI_RGB
  mdx::appendLe32(b, static_cast<uint32_t>(bytes));
  mdx::appendLe32(b, 0);
  mdx::appendLe32(b, 0);
  mdx::appendLe32(b, 0);  // all palette colours used
  mdx::appendLe32(b, 0);
}

// The 1-bit AND mask rows, bottom-up, padded to 4 bytes; set bits show the
// background.
void putAndMask(std::vector<uint8_t>& b, int size, const std::vector<bool>& clear) {
  const int andStride = ((size + 31) / 32) * 4;
  for (int y = size - 1; y >= 0; --y) {
    std::vector<uint8_t> row(static_cast<size_t>(andStride), 0);
    for (int x = 0; x < size; ++x)
      if (clear[static_cast<size_t>(y * size + x)]) row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
    b.insert(b.end(), row.begin(), row.end());
  }
}

// One 16-colour icon image: header, the 16-entry palette, the 4-bit colour
// (XOR) rows bottom-up with rows padded to 4 bytes, and the AND mask.
std::vector<uint8_t> indexedImage(const RoleMap& roles, int size, const uint8_t* colours) {
  const int xorStride = ((size * 4 + 31) / 32) * 4;
  const int andStride = ((size + 31) / 32) * 4;
  std::vector<uint8_t> b;
  putImageHeader(b, size, 4, static_cast<size_t>((xorStride + andStride) * size));
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
  std::vector<bool> clear(roles.size());
  for (size_t i = 0; i < roles.size(); ++i) clear[i] = roles[i] == Transparent;
  putAndMask(b, size, clear);
  return b;
}

// One 32-bit image with alpha: the globe drawn at four times the size, each
// 4 x 4 block averaged into one pixel (colour over the globe's part of the
// block, alpha from how much of the block the globe covers), so the edge and
// the strokes are smooth at every size.
constexpr int kOversample = 4;

Style smoothStyle(int size) {
  Style style;
  style.graticule = style.glint = size >= 32;
  style.letterScale = size >= 32 ? kOversample * size / 32 : 0;
  style.stroke = std::max(kOversample, size / 16);
  return style;
}

std::vector<uint8_t> alphaImage(int size, const uint8_t* colours) {
  const int big = size * kOversample;
  const RoleMap roles = drawGlobe(big, smoothStyle(size));
  std::vector<uint8_t> b;
  putImageHeader(b, size, 32, static_cast<size_t>(size) * size * 4 + static_cast<size_t>(((size + 31) / 32) * 4) * size);
  std::vector<bool> clear(static_cast<size_t>(size * size));
  for (int y = size - 1; y >= 0; --y) {
    for (int x = 0; x < size; ++x) {
      int covered = 0, r = 0, g = 0, bl = 0;
      for (int sy = 0; sy < kOversample; ++sy)
        for (int sx = 0; sx < kOversample; ++sx) {
          const uint8_t role = roles[static_cast<size_t>((y * kOversample + sy) * big + x * kOversample + sx)];
          if (role == Transparent) continue;
          const Rgb& c = kPalette[colours[role]];
          ++covered;
          r += c.r;
          g += c.g;
          bl += c.b;
        }
      const int samples = kOversample * kOversample;
      const auto avg = [covered](int sum) { return static_cast<uint8_t>(covered ? (sum + covered / 2) / covered : 0); };
      b.push_back(avg(bl));
      b.push_back(avg(g));
      b.push_back(avg(r));
      b.push_back(static_cast<uint8_t>((covered * 255 + samples / 2) / samples));
      clear[static_cast<size_t>(y * size + x)] = covered == 0;
    }
  }
  putAndMask(b, size, clear);
  return b;
}

// The images of one icon: the 16-colour 32 x 32 image that the time-server
// dialog animates, then 32-bit images for the shell at 100 % to 200 %.
struct IconImage {
  int size;
  int bits;
  std::vector<uint8_t> data;
};

std::vector<IconImage> iconImages(const uint8_t* colours) {
  std::vector<IconImage> images;
  images.push_back({32, 4, indexedImage(drawGlobe(32, Style{}), 32, colours)});
  for (int s : {16, 24, 48, 256}) images.push_back({s, 32, alphaImage(s, colours)});
  return images;
}

// ICONDIR, one ICONDIRENTRY per image, then the images in order.
std::vector<uint8_t> icoFile(const uint8_t* colours) {
  const std::vector<IconImage> images = iconImages(colours);
  std::vector<uint8_t> b;
  mdx::appendLe16(b, 0);  // reserved
  mdx::appendLe16(b, 1);  // icon
  mdx::appendLe16(b, static_cast<uint32_t>(images.size()));
  uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
  for (const IconImage& img : images) {
    b.push_back(static_cast<uint8_t>(img.size & 0xFF));  // 256 is written as 0
    b.push_back(static_cast<uint8_t>(img.size & 0xFF));
    b.push_back(img.bits == 4 ? 16 : 0);  // palette colours
    b.push_back(0);
    mdx::appendLe16(b, 1);  // planes
    mdx::appendLe16(b, static_cast<uint32_t>(img.bits));
    mdx::appendLe32(b, static_cast<uint32_t>(img.data.size()));
    mdx::appendLe32(b, offset);
    offset += static_cast<uint32_t>(img.data.size());
  }
  for (const IconImage& img : images) b.insert(b.end(), img.data.begin(), img.data.end());
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
