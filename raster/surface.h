#pragma once
// Off-screen surfaces for composing the map picture: 24-bit colour or 1-bit, addressed
// top-down in pixels. Operations on them live in raster/ops.h and raster/draw.h.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace mdx {

// A colour as GDI's COLORREF holds it: red, green, blue (low 8 bits of each component used).
struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
  bool operator!=(const Rgb& o) const { return !(*this == o); }
};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
// RGB(r, g, b) from settings values: only the low 8 bits of each count.
inline Rgb rgbFromSettings(int32_t r, int32_t g, int32_t b) {
  return Rgb{static_cast<uint8_t>(r & 0xFF), static_cast<uint8_t>(g & 0xFF), static_cast<uint8_t>(b & 0xFF)};
}

class Surface {
 public:
  enum class Depth { Mono1, Color24 };

  Surface() = default;
  Surface(int width, int height, Depth depth, Rgb fill = kWhite);

  int width() const { return width_; }
  int height() const { return height_; }
  Depth depth() const { return depth_; }
  bool empty() const { return width_ <= 0 || height_ <= 0; }

  // Pixel access; out-of-range reads give black, writes are ignored. A 1-bit surface stores
  // white (bit 1) or black (bit 0); a colour written to it becomes white only if it is white.
  Rgb pixel(int x, int y) const;
  void setPixel(int x, int y, Rgb c);
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  // Raw storage: 3 bytes (r, g, b) per pixel for colour, 1 byte (0 or 1) per pixel for mono.
  const std::vector<uint8_t>& data() const { return data_; }
  std::vector<uint8_t>& data() { return data_; }

  // Device-independent bitmap file (BITMAPFILEHEADER + 40-byte BITMAPINFOHEADER, bottom-up,
  // uncompressed; 1-bit files with the palette black, white). Loading accepts 1, 4, 8, 24
  // and 32 bits per pixel and returns an empty surface on any malformed input.
  static Surface fromBmp(const std::vector<uint8_t>& bytes);
  static Surface fromBmp(const uint8_t* bytes, size_t size);
  // A packed DIB without the file header (BITMAPINFOHEADER, colour table, pixels), as a
  // bitmap resource of a module holds it.
  static Surface fromPackedDib(const uint8_t* bytes, size_t size);
  static Surface loadBmpFile(const std::string& path);
  // An empty surface gives an empty vector (and saveBmpFile fails).
  std::vector<uint8_t> toBmp() const;
  bool saveBmpFile(const std::string& path) const;

 private:
  int width_ = 0;
  int height_ = 0;
  Depth depth_ = Depth::Color24;
  std::vector<uint8_t> data_;
};

}  // namespace mdx
