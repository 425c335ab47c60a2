// Raster engine speed: the presentation stretch of a frame onto a window twice the map's
// size, the day/night stretch, and full-surface block copies.
#include <benchmark/benchmark.h>

#include "raster/draw.h"
#include "raster/ops.h"

namespace mdx {
namespace {

Surface patterned(int w, int h) {
  Surface s(w, h, Surface::Depth::Color24);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      s.setPixel(x, y, Rgb{static_cast<uint8_t>(x * 7), static_cast<uint8_t>(y * 3), static_cast<uint8_t>(x ^ y)});
  return s;
}

void BM_StretchPresentDouble(benchmark::State& state) {
  const Surface frame = patterned(578, 340);
  Surface window(1156, 680, Surface::Depth::Color24);
  for (auto _ : state) {
    stretchBlt(window, 0, 0, 1156, 680, frame, 0, 0, 578, 340, Rop::SrcCopy);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 1156 * 680);
}
BENCHMARK(BM_StretchPresentDouble);

void BM_StretchNightCell(benchmark::State& state) {
  const Surface sheet = patterned(582, 335);
  Surface frame = patterned(578, 340);
  for (auto _ : state) {
    stretchBlt(frame, 0, 0, 578, 341, sheet, 98, 84, 96, 82, Rop::SrcAnd);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_StretchNightCell);

void BM_BitBltFullSurface(benchmark::State& state) {
  const Surface base = patterned(578, 340);
  Surface work(578, 340, Surface::Depth::Color24);
  for (auto _ : state) {
    bitBlt(work, 0, 0, 578, 340, base, 0, 0, Rop::SrcCopy);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 578 * 340);
}
BENCHMARK(BM_BitBltFullSurface);

void BM_BitBltMaskAndSprite(benchmark::State& state) {
  Surface mask(268, 35, Surface::Depth::Mono1);
  const Surface image = patterned(268, 35);
  Surface work = patterned(578, 340);
  for (auto _ : state) {
    bitBlt(work, 100, 100, 65, 33, mask, 67, 0, Rop::SrcAnd);
    bitBlt(work, 100, 100, 65, 33, image, 67, 0, Rop::SrcPaint);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BitBltMaskAndSprite);

void BM_AreaBoxes(benchmark::State& state) {
  Surface work = patterned(578, 340);
  for (auto _ : state) {
    Canvas c(work);
    for (int i = 0; i < 7; ++i) {
      c.selectBrush(Brush{false, Rgb{200, 200, 120}});
      c.ellipse(40 + i * 70, 40, 80 + i * 70, 79);
      c.roundRect(40 + i * 70, 90, 103 + i * 70, 104, 10, 10);
      c.textOut(43 + i * 70, 91, "12/8 21:05");
    }
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_AreaBoxes);

}  // namespace
}  // namespace mdx
