#include "testsupport/synthetic_bitmaps.h"

#include <cmath>

#include "display/map_overlays.h"

namespace mdx {

namespace {

using Depth = Surface::Depth;

bool insideEllipse(int x, int y, double cx, double cy, double rx, double ry) {
  const double dx = (x + 0.5 - cx) / rx;
  const double dy = (y + 0.5 - cy) / ry;
  return dx * dx + dy * dy <= 1.0;
}

Surface worldMap() {
  Surface s(kMapWidth, kMapHeight, Depth::Color24, Rgb{38, 92, 170});
  // A few land masses as ovals, greener towards the equator, ochre in the dry bands.
  struct Land {
    double cx, cy, rx, ry;
  };
  static const Land kLands[] = {
      {95, 110, 70, 55},  {80, 250, 38, 70},  {175, 85, 120, 45}, {220, 140, 45, 40},
      {270, 290, 35, 22}, {470, 100, 80, 50}, {520, 250, 26, 60}, {300, 25, 150, 18},
  };
  for (int y = 0; y < kMapHeight; ++y)
    for (int x = 0; x < kMapWidth; ++x)
      for (const Land& l : kLands)
        if (insideEllipse(x, y, l.cx, l.cy, l.rx, l.ry)) {
          const int band = std::abs(y - 222) / 40;
          s.setPixel(x, y, band % 2 == 0 ? Rgb{60, 150, 60} : Rgb{190, 160, 90});
          break;
        }
  return s;
}

Surface nightMaskSheet() {
  Surface s(582, 335, Depth::Color24, Rgb{128, 128, 128});
  for (int hour = 0; hour < 24; ++hour) {
    const CellOrigin o = nightCellOrigin(hour);
    // The daylit oval moves west (left) by 4 pixels an hour, centred at hour 12.
    const double cx = std::fmod(48.0 - 4.0 * (hour - 12) + 96.0 * 4, 96.0);
    for (int y = 0; y < kNightCellHeight; ++y)
      for (int x = 0; x < kNightCellWidth; ++x) {
        bool day = false;
        for (int wrap = -1; wrap <= 1; ++wrap) day = day || insideEllipse(x, y, cx + 96.0 * wrap, 41, 21.5, 39);
        const Rgb night = ((x + y) % 4 == 0) ? Rgb{10, 70, 120} : kSyntheticNight;
        s.setPixel(o.x + x, o.y + y, day ? kWhite : night);
      }
  }
  return s;
}

Surface dialMask() {
  Surface s(40, 39, Depth::Mono1, kWhite);
  auto dot = [&](int x, int y) { s.setPixel(x, y, kBlack); };
  for (int i = 0; i < 12; ++i) {
    const double a = i * 3.14159265358979 / 6;
    const int x = static_cast<int>(std::lround(20 + 16 * std::sin(a)));
    const int y = static_cast<int>(std::lround(18 - 16 * std::cos(a)));
    dot(x, y);
    if (i % 3 == 0) {  // the numeral places 12, 3, 6, 9 as small bars
      dot(x + 1, y);
      dot(x, y + 1);
      dot(x + 1, y + 1);
    }
  }
  dot(20, 18);
  return s;
}

// Mask (black shape on white) and image (colour shape on black) of a sprite sheet.
void spriteSheets(int width, int height, int frameW, const int* origins, int frames, bool plane, Surface& mask,
                  Surface& image) {
  mask = Surface(width, height, Depth::Mono1, kWhite);
  image = Surface(width, height, Depth::Color24, kBlack);
  for (int f = 0; f < frames; ++f) {
    const int ox = origins[f];
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < frameW; ++x) {
        bool in;
        Rgb c;
        if (plane) {
          const bool vertical = f >= 2;
          const double cx = frameW / 2.0, cy = 16.5;
          in = vertical ? (insideEllipse(x, y, cx, cy, 5, 16) || insideEllipse(x, y, cx, cy + (f == 2 ? -2 : 2), 24, 3))
                        : (insideEllipse(x, y, cx, cy, 30, 5) || insideEllipse(x, y, cx + (f == 0 ? 4 : -4), cy, 5, 15));
          c = Rgb{235, 235, 240};
        } else {
          const double dx = x + 0.5 - frameW / 2.0, dy = y + 0.5 - frameW / 2.0;
          const double r = std::sqrt(dx * dx + dy * dy);
          const double arm = std::fmod(std::atan2(dy, dx) + r / 6.0 + f * 3.14159265358979 / 2 + 62.83, 3.14159265358979);
          in = r < 28 && (r < 6 || arm < 1.6);
          c = Rgb{220, 225, 230};
        }
        if (in) {
          mask.setPixel(ox + x, y, kBlack);
          image.setPixel(ox + x, y, c);
        }
      }
  }
}

}  // namespace

Surface SyntheticBitmapSource::load(int id) {
  static const int kPlaneFrames[4] = {0, 67, 134, 201};
  static const int kTyphoonFrames[4] = {0, 60, 120, 180};
  Surface mask, image;
  switch (id) {
    case kBitmapWorldMap:
      return worldMap();
    case kBitmapNightMaskSheet:
      return nightMaskSheet();
    case kBitmapNightOverlay:
      return Surface(kNightCellWidth, kNightCellHeight, Depth::Mono1, kBlack);
    case kBitmapDialMask:
      return dialMask();
    case kBitmapDialImage:
      return Surface(40, 39, Depth::Mono1, kBlack);
    case kBitmapPlaneMask:
    case kBitmapPlaneImage:
      spriteSheets(268, 35, kPlaneFrameWidth, kPlaneFrames, 4, true, mask, image);
      for (int x : {66, 133, 200, 267})
        for (int y = 0; y < 35; ++y) image.setPixel(x, y, Rgb{255, 0, 0});
      return id == kBitmapPlaneMask ? mask : image;
    case kBitmapTyphoonMask:
    case kBitmapTyphoonImage:
      spriteSheets(239, 59, kTyphoonFrameSize, kTyphoonFrames, 4, false, mask, image);
      return id == kBitmapTyphoonMask ? mask : image;
    default:
      return Surface();
  }
}

}  // namespace mdx
