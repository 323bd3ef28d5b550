// Writing large RGB pictures: the encoder's heap use must not grow with the
// height. Every allocation of the program is counted here (zlib's buffers
// included, since the writer hands them to operator new); the counters report
// the peak of live heap bytes the save added on top of the bitmap.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "controls/GLDPNG.h"

namespace {

std::atomic<size_t> liveBytes{0}, peakBytes{0}, allocations{0};

void* CountedAlloc(size_t n) {
  // A size header in front of each block, so delete knows what it frees.
  void* p = std::malloc(n + 16);
  if (!p) throw std::bad_alloc();
  *static_cast<size_t*>(p) = n;
  const size_t now = liveBytes += n;
  size_t peak = peakBytes.load();
  while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) {
  }
  ++allocations;
  return static_cast<char*>(p) + 16;
}

void CountedFree(void* p) noexcept {
  if (!p) return;
  char* base = static_cast<char*>(p) - 16;
  liveBytes -= *reinterpret_cast<size_t*>(base);
  std::free(base);
}

}  // namespace

void* operator new(size_t n) {
  return CountedAlloc(n);
}
void* operator new[](size_t n) {
  return CountedAlloc(n);
}
void* operator new(size_t n, const std::nothrow_t&) noexcept {
  try {
    return CountedAlloc(n);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](size_t n, const std::nothrow_t&) noexcept {
  try {
    return CountedAlloc(n);
  } catch (...) {
    return nullptr;
  }
}
void operator delete(void* p) noexcept {
  CountedFree(p);
}
void operator delete[](void* p) noexcept {
  CountedFree(p);
}
void operator delete(void* p, size_t) noexcept {
  CountedFree(p);
}
void operator delete[](void* p, size_t) noexcept {
  CountedFree(p);
}

namespace {

using namespace tintorb;

// Counts the bytes and drops them: measures the encoder alone.
class TCountingSink : public TGLDByteSink {
 public:
  uint64_t bytes = 0;
  void Write(const uint8_t*, size_t size) override { bytes += size; }
};

TGLDBitmap Gradient(int width, int height) {
  TGLDBitmap b(width, height, TGLDPixelFormat::pf24bit);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = b.ScanLine(y);
    for (int x = 0; x < width; ++x) {
      row[x * 3] = uint8_t(x ^ y);
      row[x * 3 + 1] = uint8_t(y * 3);
      row[x * 3 + 2] = uint8_t(x + (x * y >> 7));
    }
  }
  return b;
}

void Report(benchmark::State& state, size_t before, size_t allocsBefore, uint64_t out) {
  state.counters["heap_peak_KiB"] = double(peakBytes - before) / 1024.0;
  state.counters["allocations"] = double(allocations - allocsBefore);
  state.counters["file_MiB"] = double(out) / (1024.0 * 1024.0);
  state.counters["bitmap_MiB"] = double(state.range(0)) * double(state.range(1)) * 3 / 1048576.0;
}

// 4000 wide, heights 500 .. 4000: heap_peak_KiB stays flat.
void BM_WriteRgbToSink(benchmark::State& state) {
  TGLDPNG png;
  png.Assign(Gradient(int(state.range(0)), int(state.range(1))));
  size_t before = 0, allocsBefore = 0;
  uint64_t out = 0;
  for (auto _ : state) {
    before = liveBytes;
    peakBytes = before;
    allocsBefore = allocations;
    TCountingSink sink;
    png.SaveToSink(sink);
    out = sink.bytes;
  }
  Report(state, before, allocsBefore, out);
  state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0) * state.range(1) * 3);
}
BENCHMARK(BM_WriteRgbToSink)
    ->Args({4000, 500})
    ->Args({4000, 1000})
    ->Args({4000, 2000})
    ->Args({4000, 4000})
    ->Unit(benchmark::kMillisecond);

// The real path: temporary file, fsync, rename.
void BM_WriteRgbToFile(benchmark::State& state) {
  TGLDPNG png;
  png.Assign(Gradient(int(state.range(0)), int(state.range(1))));
  const std::string path = "/tmp/tintorb-bench-" + std::to_string(getpid()) + ".png";
  size_t before = 0, allocsBefore = 0;
  for (auto _ : state) {
    before = liveBytes;
    peakBytes = before;
    allocsBefore = allocations;
    png.SaveToFile(path);
  }
  Report(state, before, allocsBefore, 0);
  state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0) * state.range(1) * 3);
  ::unlink(path.c_str());
}
BENCHMARK(BM_WriteRgbToFile)->Args({4000, 1000})->Args({4000, 4000})->Unit(benchmark::kMillisecond);

// The size the program actually writes.
void BM_WriteGlyph(benchmark::State& state) {
  TGLDBitmap b(12, 12, TGLDPixelFormat::pf1bit);
  b.SetPalette({{0, 0, 0}, {255, 255, 255}});
  TGLDPNG png;
  png.Assign(b);
  png.SetBackgroundColor(0xFFFFFF);
  png.SetTransparentColor(0xFFFFFF);
  for (auto _ : state) {
    TCountingSink sink;
    png.SaveToSink(sink);
    benchmark::DoNotOptimize(sink.bytes);
  }
}
BENCHMARK(BM_WriteGlyph);

}  // namespace
