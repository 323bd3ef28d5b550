// Costs on the user-interface thread: the contrast read-out (every colour
// change, including live drags), the CSS menu captions (each opening), the
// contrast command (one click) and the paste reading.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/Contrast.h"
#include "core/CssColor.h"

namespace tintorb {
namespace {

std::vector<TColor> Sample(int n) {
  std::vector<TColor> v;
  for (int i = 0; i < n; ++i) v.push_back(TColor((uint32_t(i) * 2654435u) & 0xFFFFFF));
  return v;
}

void BM_ReadoutAndTooltip(benchmark::State& state) {
  const auto sample = Sample(1024);
  size_t i = 0;
  for (auto _ : state) {
    const TColor c = sample[i++ % sample.size()];
    benchmark::DoNotOptimize(ContrastReadout(c, clWhite));
    benchmark::DoNotOptimize(ContrastTooltip(c, clWhite));
  }
}
BENCHMARK(BM_ReadoutAndTooltip);

void BM_CssMenuCaptions(benchmark::State& state) {
  const auto sample = Sample(1024);
  size_t i = 0;
  for (auto _ : state) {
    const TColor c = sample[i++ % sample.size()];
    for (TCssForm f : kCssForms) benchmark::DoNotOptimize(CssText(f, c));
  }
}
BENCHMARK(BM_CssMenuCaptions);

// Worst cases walk far: a light colour on white, a dark one on black, 7:1.
void BM_ReachContrast(benchmark::State& state) {
  const auto sample = Sample(256);
  size_t i = 0;
  for (auto _ : state) {
    const TColor c = sample[i++ % sample.size()];
    benchmark::DoNotOptimize(ReachContrast(c, (i & 1) ? clWhite : clBlack, 7.0, false));
  }
}
BENCHMARK(BM_ReachContrast)->Unit(benchmark::kMicrosecond);

void BM_PasteCssText(benchmark::State& state) {
  std::vector<std::string> texts;
  for (TColor c : Sample(256))
    for (TCssForm f : kCssForms) texts.push_back(CssText(f, c));
  size_t i = 0;
  TColor out = 0;
  for (auto _ : state) benchmark::DoNotOptimize(TryCssToColor(texts[i++ % texts.size()], out));
}
BENCHMARK(BM_PasteCssText);

}  // namespace
}  // namespace tintorb
