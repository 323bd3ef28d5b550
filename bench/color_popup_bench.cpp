// A slider drag rebuilds the comb on every pointer move, and opening the popup
// matches the colour against every cell: both must stay far below a frame.
#include <benchmark/benchmark.h>

#include "controls/ColorPopupModel.h"

namespace {

using namespace tintorb;

TColorPopupModel Model() {
  TPopupOptions o;
  o.edge = 2;
  o.spacing = 2;
  o.showSystemColors = true;
  o.defaultText = "D";
  o.customText = "C";
  o.defaultTextSize = o.customTextSize = {40, 13};
  TColorPopupModel m;
  m.SetOptions(o);
  return m;
}

void BM_SliderDragStep(benchmark::State& state) {
  TColorPopupModel m = Model();
  m.MatchSelection(RGB(0xE1, 0xE1, 0xE1));  // comb view open
  const TPopupRect s = m.Layout().sliderRect;
  m.MouseDown(s.left + 2, s.top);
  int y = s.top;
  for (auto _ : state) {
    y = y + 1 < s.bottom ? y + 1 : s.top;
    benchmark::DoNotOptimize(m.MouseMove(s.left + 2, y, true));
  }
}
BENCHMARK(BM_SliderDragStep);

void BM_MatchSelectionNoMatch(benchmark::State& state) {
  TColorPopupModel m = Model();
  for (auto _ : state) {
    m.MatchSelection(RGB(1, 2, 3));  // walks basic, system, grey and comb cells
    benchmark::DoNotOptimize(m.SelectedIndex);
  }
}
BENCHMARK(BM_MatchSelectionNoMatch);

void BM_CombHitDrag(benchmark::State& state) {
  TColorPopupModel m = Model();
  m.MatchSelection(RGB(0xE1, 0xE1, 0xE1));
  const int cx = m.Layout().CombCenterX(), cy = m.Layout().CombCenterY();
  m.MouseDown(cx, cy);
  int dx = -60;
  for (auto _ : state) {
    dx = dx < 60 ? dx + 1 : -60;
    benchmark::DoNotOptimize(m.MouseMove(cx + dx, cy + dx / 3, true));
  }
}
BENCHMARK(BM_CombHitDrag);

}  // namespace
