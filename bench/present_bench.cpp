// Bringing the window's picture up to date after a typical second (hands, digits and the two
// sprites moved): change detection, the copy into the presented frame and the restretch of
// the changed client rectangles; beside it the whole stretch that every frame used to cost.
// The frames are composed beforehand, so only the presentation is timed.
#include <benchmark/benchmark.h>

#include <atomic>
#include <vector>

#include "bench/bench_scene.h"
#include "display/client_image.h"
#include "display/frame.h"

extern std::atomic<size_t> gAllocCount;  // counted by frame_bench.cpp

namespace {

using namespace mdx;

constexpr int kFrames = 60;

std::vector<Surface> composedSeconds(BenchScene& sc) {
  FrameContext ctx{sc.surfaces, sc.settings, sc.clock, sc.state};
  std::vector<Surface> frames;
  for (int i = 0; i < kFrames; ++i) {
    composeFrame(ctx, sc.clock.nowSeconds());
    sc.clock.advanceMillis(1000);
    frames.push_back(sc.surfaces.WorkSurface);
  }
  return frames;
}

void BM_PresentChanges(benchmark::State& st) {
  BenchScene sc;
  const int w = static_cast<int>(st.range(0)), h = static_cast<int>(st.range(1));
  sc.state.setClientSize(w, h);
  std::vector<Surface> frames = composedSeconds(sc);
  ClientImage image;
  sc.surfaces.WorkSurface = frames[0];
  image.update(sc.surfaces, w, h, true);
  // One pass over all the seconds first: the working lists grow to their largest once.
  for (const Surface& f : frames) {
    sc.surfaces.WorkSurface.data() = f.data();
    image.update(sc.surfaces, w, h, false);
  }
  size_t next = 0;
  int64_t rects = 0, pixels = 0;
  size_t allocs = 0;
  for (auto _ : st) {
    // The next second's frame, copied in untimed: in the program the compositor has just
    // written it, so it is in the cache as here.
    st.PauseTiming();
    sc.surfaces.WorkSurface.data() = frames[next].data();
    next = (next + 1) % frames.size();
    st.ResumeTiming();
    const size_t allocsBefore = gAllocCount.load(std::memory_order_relaxed);
    const std::vector<PixelRect>& changed = image.update(sc.surfaces, w, h, false);
    allocs += gAllocCount.load(std::memory_order_relaxed) - allocsBefore;
    rects += static_cast<int64_t>(changed.size());
    for (const PixelRect& r : changed) pixels += int64_t{r.width} * r.height;
    benchmark::DoNotOptimize(image.picture().data().data());
  }
  const double n = static_cast<double>(st.iterations());
  st.counters["rects/frame"] = static_cast<double>(rects) / n;
  st.counters["sent_share"] = static_cast<double>(pixels) / n / (static_cast<double>(w) * h);
  st.counters["allocs/frame"] = static_cast<double>(allocs) / n;
}
BENCHMARK(BM_PresentChanges)->Args({578, 341})->Args({1156, 680})->Unit(benchmark::kMicrosecond);

void BM_PresentWhole(benchmark::State& st) {
  BenchScene sc;
  const int w = static_cast<int>(st.range(0)), h = static_cast<int>(st.range(1));
  FrameContext ctx{sc.surfaces, sc.settings, sc.clock, sc.state};
  composeFrame(ctx, sc.clock.nowSeconds());
  Surface window;
  for (auto _ : st) {
    stretchFrame(sc.surfaces, w, h, window);
    benchmark::DoNotOptimize(window.data().data());
  }
}
BENCHMARK(BM_PresentWhole)->Args({578, 341})->Args({1156, 680})->Unit(benchmark::kMicrosecond);

}  // namespace
