#include "display/win32/surface_bridge.h"

#include "display/frame.h"

namespace mdx::win {

namespace {

// The header of a top-down 32-bit DIB of w x h (blue, green, red, unused per pixel).
BITMAPINFO topDown32BitDib(int w, int h) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// A surface as a top-down 32-bit DIB.
const void* toDib(const Surface& surface, std::vector<uint8_t>& scratch, BITMAPINFO& info) {
  const int w = surface.width(), h = surface.height();
  info = topDown32BitDib(w, h);
  const size_t pixels = static_cast<size_t>(w) * static_cast<size_t>(h);
  if (scratch.size() != pixels * 4) scratch.resize(pixels * 4);
  const std::vector<uint8_t>& src = surface.data();
  uint8_t* out = scratch.data();
  if (surface.depth() == Surface::Depth::Color24) {
    for (size_t i = 0; i < pixels; ++i) {
      out[4 * i + 0] = src[3 * i + 2];
      out[4 * i + 1] = src[3 * i + 1];
      out[4 * i + 2] = src[3 * i + 0];
      out[4 * i + 3] = 0;
    }
  } else {
    for (size_t i = 0; i < pixels; ++i) {
      const uint8_t v = src[i] ? 255 : 0;
      out[4 * i + 0] = out[4 * i + 1] = out[4 * i + 2] = v;
      out[4 * i + 3] = 0;
    }
  }
  return scratch.data();
}

}  // namespace

Surface loadBitmapResource(HMODULE module, int id) {
  HRSRC res = FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2) /* RT_BITMAP */);
  if (res == nullptr) return Surface();
  HGLOBAL global = LoadResource(module, res);
  const DWORD size = SizeofResource(module, res);
  const void* bytes = global != nullptr ? LockResource(global) : nullptr;
  if (bytes == nullptr || size == 0) return Surface();
  return Surface::fromPackedDib(static_cast<const uint8_t*>(bytes), size);
}

Surface surfaceFromBitmap(HBITMAP bitmap) {
  BITMAP bm{};
  if (bitmap == nullptr || GetObjectW(bitmap, sizeof bm, &bm) == 0 || bm.bmWidth <= 0 || bm.bmHeight <= 0)
    return Surface();
  const int w = bm.bmWidth, h = bm.bmHeight;
  BITMAPINFO info = topDown32BitDib(w, h);
  std::vector<uint8_t> bits(static_cast<size_t>(w) * static_cast<size_t>(h) * 4);
  HDC screen = GetDC(nullptr);
  const int lines = GetDIBits(screen, bitmap, 0, static_cast<UINT>(h), bits.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (lines != h) return Surface();
  const bool mono = bm.bmBitsPixel == 1;
  Surface s(w, h, mono ? Surface::Depth::Mono1 : Surface::Depth::Color24, kBlack);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint8_t* p = &bits[(static_cast<size_t>(y) * w + x) * 4];
      s.setPixel(x, y, Rgb{p[2], p[1], p[0]});
    }
  return s;
}

void blitSurface(HDC dc, int x, int y, const Surface& surface, std::vector<uint8_t>& scratch) {
  if (surface.empty()) return;
  BITMAPINFO info;
  const void* bits = toDib(surface, scratch, info);
  SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(surface.width()), static_cast<DWORD>(surface.height()), 0, 0, 0,
                    static_cast<UINT>(surface.height()), bits, &info, DIB_RGB_COLORS);
}

void stretchSurface(HDC dc, const Surface& surface, int srcWidth, int srcHeight, int x, int y, int width, int height,
                    std::vector<uint8_t>& scratch) {
  if (surface.empty()) return;
  BITMAPINFO info;
  const void* bits = toDib(surface, scratch, info);
  const int oldMode = SetStretchBltMode(dc, BLACKONWHITE);
  StretchDIBits(dc, x, y, width, height, 0, 0, srcWidth, srcHeight, bits, &info, DIB_RGB_COLORS, SRCCOPY);
  if (oldMode != 0) SetStretchBltMode(dc, oldMode);
}

void FramePainter::present(HDC dc, const MapSurfaces& surfaces, int32_t clientWidth, int32_t clientHeight) {
  if (clientWidth <= kMaxPresentSide && clientHeight <= kMaxPresentSide) {
    stretchFrame(surfaces, clientWidth, clientHeight, stretched_);
    blitSurface(dc, 0, 0, stretched_, scratch_);
  } else {
    // Larger than any screen: let GDI stretch rather than hold such a picture in memory.
    stretchSurface(dc, surfaces.WorkSurface, surfaces.mapWidth, surfaces.mapHeight, 0, 0, clientWidth, clientHeight,
                   scratch_);
  }
}

}  // namespace mdx::win
