// Raster operations with any 32-bit coordinates and sizes on small surfaces of both depths:
// block copies and stretches with every raster operation (a surface onto itself included),
// lines with every pen, ellipses, rounded rectangles and text.
//
// Properties: nothing crashes, reads or writes out of bounds, or runs long (libFuzzer's
// timeout); the optimised transfers give exactly the pixels of the per-pixel reference; a
// shape, line or text changes no pixel outside the rectangle it covers.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include "fuzz_check.h"
#include "raster/draw.h"
#include "raster/font.h"
#include "raster/ops.h"
#include "raster/surface.h"
#include "testsupport/ops_reference.h"

namespace {

using namespace mdx;

// Surfaces stay this small so that a run is quick; the coordinates are what is fuzzed.
constexpr int kMaxSide = 40;

int32_t coord(FuzzedDataProvider& in) {
  // Mostly near the surface, where clipping edges are, the rest anything at all.
  switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: return in.ConsumeIntegralInRange<int32_t>(-3 * kMaxSide, 3 * kMaxSide);
    case 1: {
      static const int32_t kEdges[] = {std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(),
                                       std::numeric_limits<int32_t>::min() + 1,
                                       std::numeric_limits<int32_t>::max() - 1, 0, 1, -1, 2, -2};
      return in.PickValueInArray(kEdges);
    }
    default: return in.ConsumeIntegral<int32_t>();
  }
}

Rgb colour(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: return kBlack;
    case 1: return kWhite;
    default: return Rgb{in.ConsumeIntegral<uint8_t>(), in.ConsumeIntegral<uint8_t>(), in.ConsumeIntegral<uint8_t>()};
  }
}

Surface surface(FuzzedDataProvider& in) {
  const int w = in.ConsumeIntegralInRange<int>(1, kMaxSide), h = in.ConsumeIntegralInRange<int>(1, kMaxSide);
  const bool mono = in.ConsumeBool();
  Surface s(w, h, mono ? Surface::Depth::Mono1 : Surface::Depth::Color24, colour(in));
  // A little texture, so that transfers have something to get wrong.
  const int dots = in.ConsumeIntegralInRange<int>(0, 32);
  for (int i = 0; i < dots; ++i)
    s.setPixel(in.ConsumeIntegralInRange<int>(0, w - 1), in.ConsumeIntegralInRange<int>(0, h - 1), colour(in));
  return s;
}

Rop rop(FuzzedDataProvider& in) {
  static const Rop kRops[] = {Rop::SrcCopy, Rop::SrcAnd, Rop::SrcPaint};
  return in.PickValueInArray(kRops);
}

// Every pixel outside [l, r) x [t, b) is as it was.
void checkUntouchedOutside(const Surface& before, const Surface& after, int64_t l, int64_t t, int64_t r, int64_t b,
                           const char* what) {
  for (int y = 0; y < after.height(); ++y)
    for (int x = 0; x < after.width(); ++x)
      if (x < l || x >= r || y < t || y >= b) FUZZ_CHECK(after.pixel(x, y) == before.pixel(x, y), what);
}

void transfer(FuzzedDataProvider& in, Surface& a, Surface& b) {
  Surface& dst = in.ConsumeBool() ? a : b;
  const Surface& src = in.ConsumeBool() ? a : b;  // may be dst itself
  const bool stretch = in.ConsumeBool();
  const int32_t x = coord(in), y = coord(in), w = coord(in), h = coord(in), sx = coord(in), sy = coord(in);
  const Rop op = rop(in);
  Surface expected = dst;
  const Surface& refSrc = &src == &dst ? expected : src;
  if (stretch) {
    const int32_t sw = coord(in), sh = coord(in);
    reference::stretchBlt(expected, x, y, w, h, refSrc, sx, sy, sw, sh, op);
    stretchBlt(dst, x, y, w, h, src, sx, sy, sw, sh, op);
  } else {
    reference::bitBlt(expected, x, y, w, h, refSrc, sx, sy, op);
    bitBlt(dst, x, y, w, h, src, sx, sy, op);
  }
  FUZZ_CHECK(dst.data() == expected.data(), "a transfer gives the reference's pixels");
}

void draw(FuzzedDataProvider& in, Surface& s) {
  Canvas canvas(s);
  static const PenStyle kStyles[] = {PenStyle::Solid, PenStyle::Dot, PenStyle::Null};
  canvas.selectPen(Pen{in.PickValueInArray(kStyles), colour(in)});
  canvas.selectBrush(Brush{in.ConsumeBool(), colour(in)});
  const Surface before = s;
  switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0: {
      const int32_t x0 = coord(in), y0 = coord(in), x1 = coord(in), y1 = coord(in);
      canvas.moveTo(x0, y0);
      canvas.lineTo(x1, y1);
      FUZZ_CHECK(canvas.currentX() == x1 && canvas.currentY() == y1, "the position moves to the end point");
      checkUntouchedOutside(before, s, std::min(x0, x1), std::min(y0, y1), int64_t{std::max(x0, x1)} + 1,
                            int64_t{std::max(y0, y1)} + 1, "a line stays between its end points");
      break;
    }
    case 1:
    case 2: {
      const int32_t l = coord(in), t = coord(in), r = coord(in), b = coord(in);
      if (in.ConsumeBool())
        canvas.ellipse(l, t, r, b);
      else
        canvas.roundRect(l, t, r, b, coord(in), coord(in));
      checkUntouchedOutside(before, s, std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b),
                            "a shape stays inside its bounding box");
      break;
    }
    default: {
      const int32_t x = coord(in), y = coord(in);
      const std::string text = in.ConsumeRandomLengthString(64);
      canvas.textOut(x, y, text, colour(in));
      checkUntouchedOutside(before, s, x, y, int64_t{x} + textWidth(text), int64_t{y} + kFontHeight,
                            "text stays inside its cells");
      break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  Surface a = surface(in);
  Surface b = surface(in);
  const int steps = in.ConsumeIntegralInRange<int>(1, 8);
  for (int i = 0; i < steps && in.remaining_bytes() > 0; ++i) {
    if (in.ConsumeBool())
      transfer(in, a, b);
    else
      draw(in, in.ConsumeBool() ? a : b);
  }
  return 0;
}
