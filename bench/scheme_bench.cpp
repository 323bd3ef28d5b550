// Recalculate must stay linear in the count: every entry finds its position
// and the count in constant time.
#include <benchmark/benchmark.h>

#include "collections/Scheme.h"

namespace {

using namespace tintorb;

void Recalculate(benchmark::State& state, TSchemeTemplate t) {
  TScheme scheme;
  ApplySchemeTemplate(scheme, t, static_cast<int>(state.range(0)));
  RandSeed(1);
  for (auto _ : state) {
    scheme.Recalculate(RGB(200, 100, 50), RGB(10, 250, 99));
    benchmark::DoNotOptimize(scheme.Items(scheme.Count() - 1).Color);
  }
  state.SetComplexityN(state.range(0));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_RecalculateForeToBack(benchmark::State& s) {
  Recalculate(s, TSchemeTemplate::ForeToBack);
}
void BM_RecalculateGradHue(benchmark::State& s) {
  Recalculate(s, TSchemeTemplate::GradHue);
}
void BM_RecalculateRandomSV(benchmark::State& s) {
  Recalculate(s, TSchemeTemplate::RandomSV);
}

BENCHMARK(BM_RecalculateForeToBack)->Arg(10)->Arg(1000)->Arg(kMaxSchemeCount)->Complexity();
BENCHMARK(BM_RecalculateGradHue)->Arg(10)->Arg(1000)->Arg(kMaxSchemeCount)->Complexity();
BENCHMARK(BM_RecalculateRandomSV)->Arg(10)->Arg(1000)->Arg(kMaxSchemeCount)->Complexity();

// Building the list at the cap, as a template does before the first refresh.
void BM_ApplyTemplateAtCap(benchmark::State& state) {
  TScheme scheme;
  for (auto _ : state) {
    ApplySchemeTemplate(scheme, TSchemeTemplate::GradValue, kMaxSchemeCount);
    benchmark::DoNotOptimize(scheme.Count());
  }
}
BENCHMARK(BM_ApplyTemplateAtCap);

}  // namespace
