#pragma once
// Windows binding of the display: bitmaps from a module's RT_BITMAP resources (or from an
// HBITMAP) into surfaces, and the composed frame onto a window's drawing context.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "settings/settings.h"
#include "display/map_surfaces.h"

namespace mdx::win {

// The bitmap resource `id` of `module` (FindResourceW / LoadResource), parsed from its packed
// DIB; an empty surface when the resource is missing or malformed.
Surface loadBitmapResource(HMODULE module, int id);

// The pixels of a GDI bitmap (GetDIBits); 1-bit bitmaps become 1-bit surfaces.
Surface surfaceFromBitmap(HBITMAP bitmap);

// The graphics library's bitmaps, from the module instance that Inst_Grp hands out.
class ResourceBitmapSource final : public BitmapSource {
 public:
  explicit ResourceBitmapSource(HMODULE module) : module_(module) {}
  Surface load(int id) override { return loadBitmapResource(module_, id); }

 private:
  HMODULE module_;
};

// Copies a surface 1:1 to (x, y) of a drawing context (SetDIBitsToDevice).
void blitSurface(HDC dc, int x, int y, const Surface& surface, std::vector<uint8_t>& scratch);

// Stretches (0, 0, srcWidth, srcHeight) of a surface onto (x, y, width, height) with StretchDIBits,
// SRCCOPY, in the default BLACKONWHITE stretch mode.
void stretchSurface(HDC dc, const Surface& surface, int srcWidth, int srcHeight, int x, int y, int width, int height,
                    std::vector<uint8_t>& scratch);

// Presents WorkSurface on the whole client area. The stretch to the client size is made by
// the raster engine (stretchFrame, the same pixels as on every platform and in the native
// tests) and then copied 1:1; the stretched picture and the DIB buffer are kept between
// frames and reallocated only when the client size changes.
class FramePainter {
 public:
  void present(HDC dc, const MapSurfaces& surfaces, int32_t clientWidth, int32_t clientHeight);

 private:
  Surface stretched_;
  std::vector<uint8_t> scratch_;
};

}  // namespace mdx::win
