// Every one of the 16,777,216 colours, written in each CSS form and pasted
// back, must come back as itself. One pass per form (too slow for ctest);
// the counter "wrong" is the number of colours that did not, and the first
// of them is named in the error.
#include <benchmark/benchmark.h>

#include <string>

#include "core/ColorText.h"
#include "core/CssColor.h"

namespace tintorb {
namespace {

void BM_AllColoursPasteBack(benchmark::State& state) {
  const TCssForm form = kCssForms[size_t(state.range(0))];
  state.SetLabel(std::string(CssFormName(form)));
  long wrong = 0;
  std::string first;
  for (auto _ : state) {
    for (TColor c = 0; c <= 0xFFFFFF; ++c) {
      const std::string text = CssText(form, c);
      TColor back = -1;
      if (TryCssToColor(text, back) && back == c) continue;
      if (wrong++ == 0) first = ColorToHex(c) + " -> " + text;
    }
  }
  state.counters["wrong"] = double(wrong);
  if (wrong) state.SkipWithError(("pastes back wrong: " + first).c_str());
}
// The name form exists for a few colours only.
BENCHMARK(BM_AllColoursPasteBack)
    ->DenseRange(0, int(kCssForms.size()) - 2)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace
}  // namespace tintorb
