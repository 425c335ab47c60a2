// Reading and writing device-independent bitmaps. Every field of the input is checked
// before it is used, so truncated or hostile files yield an empty surface.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

#include "raster/little_endian.h"
#include "raster/surface.h"

namespace mdx {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kCoreHeaderSize = 12;
constexpr int64_t kMaxSide = 32768;
constexpr int64_t kMaxPixels = int64_t{1} << 26;
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;

// A palette colour on a 1-bit surface: white when it lies nearer to white than to black.
bool nearerWhite(const Rgb& c) {
  const int dr = 255 - c.r, dg = 255 - c.g, db = 255 - c.b;
  return dr * dr + dg * dg + db * db < c.r * c.r + c.g * c.g + c.b * c.b;
}

// Parses a DIB whose info header starts at `dib`. `bitsOffset` is the offset of the pixel
// array from `dib` as a file header gives it, or 0 to take it right after the colour table.
Surface parseDib(const uint8_t* dib, size_t size, size_t bitsOffset) {
  if (dib == nullptr || size < 4) return Surface();
  const uint32_t headerSize = readLe32(dib);
  int64_t width = 0, height = 0;
  unsigned bpp = 0;
  uint32_t compression = kBiRgb, clrUsed = 0;
  size_t paletteEntrySize = 4;
  if (headerSize == kCoreHeaderSize) {
    if (size < kCoreHeaderSize) return Surface();
    width = readLe16(dib + 4);
    height = readLe16(dib + 6);
    bpp = readLe16(dib + 10);
    paletteEntrySize = 3;
  } else if (headerSize >= kInfoHeaderSize && headerSize <= size) {
    width = static_cast<int32_t>(readLe32(dib + 4));
    height = static_cast<int32_t>(readLe32(dib + 8));
    bpp = readLe16(dib + 14);
    compression = readLe32(dib + 16);
    clrUsed = readLe32(dib + 32);
  } else {
    return Surface();
  }
  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide || width * height > kMaxPixels)
    return Surface();
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return Surface();
  if (compression != kBiRgb && !(compression == kBiBitfields && bpp == 32)) return Surface();

  size_t pos = headerSize;
  if (compression == kBiBitfields) {
    if (headerSize == kInfoHeaderSize) {
      if (size < pos + 12) return Surface();
      pos += 12;
    }
    const uint8_t* masks = dib + kInfoHeaderSize;
    if (size < kInfoHeaderSize + 12 || readLe32(masks) != 0xFF0000u || readLe32(masks + 4) != 0xFF00u ||
        readLe32(masks + 8) != 0xFFu)
      return Surface();
  }
  Rgb palette[256];
  size_t paletteCount = 0;
  if (bpp <= 8) {
    const size_t maxCount = size_t{1} << bpp;
    paletteCount = (clrUsed == 0 || clrUsed > maxCount) ? maxCount : clrUsed;
    if (size - pos < paletteCount * paletteEntrySize) return Surface();
    for (size_t i = 0; i < paletteCount; ++i) {
      const uint8_t* e = dib + pos + i * paletteEntrySize;
      palette[i] = Rgb{e[2], e[1], e[0]};
    }
    for (size_t i = paletteCount; i < 256; ++i) palette[i] = kBlack;
    pos += paletteCount * paletteEntrySize;
  }
  if (bitsOffset != 0 && bitsOffset >= pos && bitsOffset < size) pos = bitsOffset;

  const size_t stride = static_cast<size_t>(((width * bpp + 31) / 32) * 4);
  if (size < pos || (size - pos) / stride < static_cast<size_t>(height)) return Surface();

  const int w = static_cast<int>(width), h = static_cast<int>(height);
  Surface out(w, h, bpp == 1 ? Surface::Depth::Mono1 : Surface::Depth::Color24, kBlack);
  if (out.empty()) return Surface();
  std::vector<uint8_t>& px = out.data();
  bool monoWhite[2] = {nearerWhite(palette[0]), nearerWhite(palette[1])};
  for (int row = 0; row < h; ++row) {
    const uint8_t* src = dib + pos + static_cast<size_t>(row) * stride;
    const int y = topDown ? row : h - 1 - row;
    const size_t base = static_cast<size_t>(y) * static_cast<size_t>(w);
    for (int x = 0; x < w; ++x) {
      Rgb c;
      switch (bpp) {
        case 1: {
          const unsigned index = (src[x >> 3] >> (7 - (x & 7))) & 1;
          px[base + x] = monoWhite[index] ? 1 : 0;
          continue;
        }
        case 4:
          c = palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xF];
          break;
        case 8:
          c = palette[src[x]];
          break;
        case 24:
          c = Rgb{src[x * 3 + 2], src[x * 3 + 1], src[x * 3]};
          break;
        default:
          c = Rgb{src[x * 4 + 2], src[x * 4 + 1], src[x * 4]};
          break;
      }
      px[(base + x) * 3] = c.r;
      px[(base + x) * 3 + 1] = c.g;
      px[(base + x) * 3 + 2] = c.b;
    }
  }
  return out;
}

}  // namespace

Surface Surface::fromPackedDib(const uint8_t* bytes, size_t size) { return parseDib(bytes, size, 0); }

Surface Surface::fromBmp(const uint8_t* bytes, size_t size) {
  if (bytes == nullptr || size < kFileHeaderSize + 4 || bytes[0] != 'B' || bytes[1] != 'M') return Surface();
  const uint32_t offBits = readLe32(bytes + 10);
  const size_t dibOffset = offBits > kFileHeaderSize ? offBits - kFileHeaderSize : 0;
  return parseDib(bytes + kFileHeaderSize, size - kFileHeaderSize, dibOffset);
}

Surface Surface::fromBmp(const std::vector<uint8_t>& bytes) { return fromBmp(bytes.data(), bytes.size()); }

Surface Surface::loadBmpFile(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return Surface();
  std::vector<uint8_t> bytes;
  uint8_t buf[65536];
  size_t n;
  // Files larger than the largest acceptable bitmap are refused without reading them all.
  constexpr size_t kMaxFile = static_cast<size_t>(kMaxPixels) * 4 + (1u << 20);
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
    if (bytes.size() + n > kMaxFile) {
      std::fclose(f);
      return Surface();
    }
    bytes.insert(bytes.end(), buf, buf + n);
  }
  std::fclose(f);
  return fromBmp(bytes);
}

std::vector<uint8_t> Surface::toBmp() const {
  std::vector<uint8_t> out;
  if (empty()) return out;
  const bool mono = depth_ == Depth::Mono1;
  const unsigned bpp = mono ? 1 : 24;
  const size_t stride = ((static_cast<size_t>(width_) * bpp + 31) / 32) * 4;
  const size_t paletteSize = mono ? 8 : 0;
  const size_t offBits = kFileHeaderSize + kInfoHeaderSize + paletteSize;
  const size_t imageSize = stride * static_cast<size_t>(height_);
  out.reserve(offBits + imageSize);
  out.push_back('B');
  out.push_back('M');
  appendLe32(out, static_cast<uint32_t>(offBits + imageSize));
  appendLe32(out, 0);
  appendLe32(out, static_cast<uint32_t>(offBits));
  appendLe32(out, kInfoHeaderSize);
  appendLe32(out, static_cast<uint32_t>(width_));
  appendLe32(out, static_cast<uint32_t>(height_));
  appendLe16(out, 1);
  appendLe16(out, bpp);
  appendLe32(out, kBiRgb);
  appendLe32(out, static_cast<uint32_t>(imageSize));
  appendLe32(out, 2835);  // 72 dpi
  appendLe32(out, 2835);
  appendLe32(out, mono ? 2 : 0);
  appendLe32(out, 0);
  if (mono) {
    appendLe32(out, 0x00000000);  // black
    appendLe32(out, 0x00FFFFFF);  // white
  }
  for (int y = height_ - 1; y >= 0; --y) {
    const size_t rowStart = out.size();
    out.resize(rowStart + stride, 0);
    uint8_t* dst = out.data() + rowStart;
    const size_t base = static_cast<size_t>(y) * static_cast<size_t>(width_);
    for (int x = 0; x < width_; ++x) {
      if (mono) {
        if (data_[base + x]) dst[x >> 3] |= static_cast<uint8_t>(0x80 >> (x & 7));
      } else {
        dst[x * 3] = data_[(base + x) * 3 + 2];
        dst[x * 3 + 1] = data_[(base + x) * 3 + 1];
        dst[x * 3 + 2] = data_[(base + x) * 3];
      }
    }
  }
  return out;
}

bool Surface::saveBmpFile(const std::string& path) const {
  const std::vector<uint8_t> bytes = toBmp();
  if (bytes.empty()) return false;
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace mdx
