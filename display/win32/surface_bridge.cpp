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

// Part of a surface as a top-down 32-bit DIB. `part` lies inside the surface. The buffer only
// grows, so repeated presents allocate nothing.
const void* toDib(const Surface& surface, const PixelRect& part, std::vector<uint8_t>& scratch, BITMAPINFO& info) {
  const int w = part.width, h = part.height;
  info = topDown32BitDib(w, h);
  const size_t pixels = static_cast<size_t>(w) * static_cast<size_t>(h);
  if (scratch.size() < pixels * 4) scratch.resize(pixels * 4);
  const std::vector<uint8_t>& data = surface.data();
  const bool colour = surface.depth() == Surface::Depth::Color24;
  const size_t bpp = colour ? 3 : 1;
  uint8_t* out = scratch.data();
  for (int y = 0; y < h; ++y) {
    const uint8_t* src = data.data() + (static_cast<size_t>(part.y + y) * surface.width() + part.x) * bpp;
    if (colour) {
      for (int x = 0; x < w; ++x, out += 4, src += 3) {
        out[0] = src[2];
        out[1] = src[1];
        out[2] = src[0];
        out[3] = 0;
      }
    } else {
      for (int x = 0; x < w; ++x, out += 4, ++src) {
        out[0] = out[1] = out[2] = *src ? 255 : 0;
        out[3] = 0;
      }
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
  blitPart(dc, x, y, surface, PixelRect{0, 0, surface.width(), surface.height()}, scratch);
}

void blitPart(HDC dc, int x, int y, const Surface& surface, const PixelRect& part, std::vector<uint8_t>& scratch) {
  const PixelRect r = part.intersect(PixelRect{0, 0, surface.width(), surface.height()});
  if (r.empty()) return;
  BITMAPINFO info;
  const void* bits = toDib(surface, r, scratch, info);
  SetDIBitsToDevice(dc, x + (r.x - part.x), y + (r.y - part.y), static_cast<DWORD>(r.width),
                    static_cast<DWORD>(r.height), 0, 0, 0, static_cast<UINT>(r.height), bits, &info, DIB_RGB_COLORS);
}

void stretchSurface(HDC dc, const Surface& surface, int srcWidth, int srcHeight, int x, int y, int width, int height,
                    std::vector<uint8_t>& scratch) {
  if (surface.empty()) return;
  BITMAPINFO info;
  const void* bits = toDib(surface, PixelRect{0, 0, surface.width(), surface.height()}, scratch, info);
  const int oldMode = SetStretchBltMode(dc, BLACKONWHITE);
  StretchDIBits(dc, x, y, width, height, 0, 0, srcWidth, srcHeight, bits, &info, DIB_RGB_COLORS, SRCCOPY);
  if (oldMode != 0) SetStretchBltMode(dc, oldMode);
}

void FramePainter::present(HWND window, const MapSurfaces& surfaces, int32_t clientWidth, int32_t clientHeight,
                           bool whole) {
  if (clientWidth > kMaxPresentSide || clientHeight > kMaxPresentSide) {
    // Larger than any screen: let GDI stretch rather than hold such a picture in memory.
    HDC dc = GetDC(window);
    stretchSurface(dc, surfaces.WorkSurface, surfaces.mapWidth, surfaces.mapHeight, 0, 0, clientWidth, clientHeight,
                   scratch_);
    ReleaseDC(window, dc);
    image_ = ClientImage{};  // the next present in range starts over with the whole picture
    return;
  }
  const std::vector<PixelRect>& changes = image_.update(surfaces, clientWidth, clientHeight, whole);
  if (changes.empty()) return;  // nothing moved: the window already shows this frame
  HDC dc = GetDC(window);
  for (const PixelRect& r : changes) blitPart(dc, r.x, r.y, image_.picture(), r, scratch_);
  ReleaseDC(window, dc);
}

}  // namespace mdx::win
