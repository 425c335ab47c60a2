// Frame composition at the map's 578 x 340 with every option on (the hand-drawn shading, and
// the true sky instead of it), and a whole frame plus the stretch to a 1156 x 680 client area.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "bench/bench_scene.h"
#include "display/frame.h"
#include "testsupport/fixed_zone_rules.h"

// Heap use is counted so that the frame benchmark can show what a frame allocates: small
// texts, never a surface or pixel buffer.
std::atomic<size_t> gAllocCount{0};
std::atomic<size_t> gLargestAlloc{0};

namespace {

void noteAllocation(size_t n) {
  gAllocCount.fetch_add(1, std::memory_order_relaxed);
  size_t seen = gLargestAlloc.load(std::memory_order_relaxed);
  while (n > seen && !gLargestAlloc.compare_exchange_weak(seen, n, std::memory_order_relaxed)) {
  }
}

}  // namespace

void* operator new(size_t n) {
  noteAllocation(n);
  if (void* p = std::malloc(n == 0 ? 1 : n)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

namespace {

using namespace mdx;

void BM_ComposeFrame(benchmark::State& st) {
  BenchScene sc;
  FrameContext ctx{sc.surfaces, sc.settings, sc.clock, sc.state};
  composeFrame(ctx, sc.clock.nowSeconds());  // the first frame sizes the raster engine's scratch memory
  sc.clock.advanceMillis(1000);
  const size_t allocsBefore = gAllocCount.load();
  gLargestAlloc.store(0);
  for (auto _ : st) {
    composeFrame(ctx, sc.clock.nowSeconds());
    sc.clock.advanceMillis(1000);
    benchmark::DoNotOptimize(sc.surfaces.WorkSurface.data().data());
  }
  st.counters["allocs/frame"] =
      benchmark::Counter(static_cast<double>(gAllocCount.load() - allocsBefore) / static_cast<double>(st.iterations()));
  st.counters["largest_alloc_bytes"] = static_cast<double>(gLargestAlloc.load());
}
BENCHMARK(BM_ComposeFrame)->Unit(benchmark::kMicrosecond);

// Frames with the true sky (D_TAIYOU) instead of the hand-drawn shading, `stepMs` apart.
void composeTrueSkyFrames(benchmark::State& st, int64_t stepMs) {
  BenchScene sc;
  sc.settings.option.D_TAIYOU = 1;
  FrameContext ctx{sc.surfaces, sc.settings, sc.clock, sc.state};
  for (auto _ : st) {
    composeFrame(ctx, sc.clock.nowSeconds());
    sc.clock.advanceMillis(stepMs);
    benchmark::DoNotOptimize(sc.surfaces.WorkSurface.data().data());
  }
}

// Frames a second apart: the shading is worked out again at every 60th frame and reused between.
void BM_ComposeFrameTrueSky(benchmark::State& st) { composeTrueSkyFrames(st, 1000); }
BENCHMARK(BM_ComposeFrameTrueSky)->Unit(benchmark::kMicrosecond);

// Working the shading out for a new minute: the sun, every pixel's band and the shaded map.
void BM_TrueSkyNewMinute(benchmark::State& st) { composeTrueSkyFrames(st, 60000); }
BENCHMARK(BM_TrueSkyNewMinute)->Unit(benchmark::kMicrosecond);

// The same frame with every AREA on a time zone (daylight-saving and half-hour zones).
void BM_ComposeFrameZoned(benchmark::State& st) {
  BenchScene sc;
  const char* const zones[] = {"Tokyo Standard Time", "Eastern Standard Time", "E. South America Standard Time",
                               "AUS Central Standard Time", "India Standard Time", "GMT Standard Time",
                               "Chatham Islands Standard Time"};
  for (int n = 1; n <= kAreaCount; ++n) sc.settings.area(n).ZONE = zones[n - 1];
  FrameContext ctx{sc.surfaces, sc.settings, sc.clock, sc.state, &builtinFixedZoneRules()};
  for (auto _ : st) {
    composeFrame(ctx, sc.clock.nowSeconds());
    sc.clock.advanceMillis(1000);
    benchmark::DoNotOptimize(sc.surfaces.WorkSurface.data().data());
  }
}
BENCHMARK(BM_ComposeFrameZoned)->Unit(benchmark::kMicrosecond);

void BM_ComposeAndStretch(benchmark::State& st) {
  BenchScene sc;
  sc.state.setClientSize(1156, 680);
  FrameContext ctx{sc.surfaces, sc.settings, sc.clock, sc.state};
  Surface window;
  for (auto _ : st) {
    composeFrame(ctx, sc.clock.nowSeconds());
    stretchFrame(sc.surfaces, sc.state.clientWidth, sc.state.clientHeight, window);
    sc.clock.advanceMillis(1000);
    benchmark::DoNotOptimize(window.data().data());
  }
}
BENCHMARK(BM_ComposeAndStretch)->Unit(benchmark::kMicrosecond);

}  // namespace
