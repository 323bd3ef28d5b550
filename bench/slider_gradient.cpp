// Gradient builds at model resolution, and the composition of the whole
// control, for every slider style.
#include <benchmark/benchmark.h>

#include "sheets/ColorSlider.h"

namespace {

using tintorb::TTintorbColorPanelStyle;

const char* const kNames[] = {"Horizontal", "Vertical",     "Quadrangle", "HsvHue", "HsvSV",
                              "HlsHS",      "HlsLightness", "YuvY",       "YuvUV"};

tintorb::TColorSliderModel Make(int style, int w, int h) {
  tintorb::TColorSliderModel m;
  m.SetStyle(TTintorbColorPanelStyle(style));
  m.SetColor1(tintorb::RGB(12, 200, 40));
  m.SetColor2(tintorb::RGB(250, 3, 99));
  m.SetColor3(tintorb::RGB(0, 0, 255));
  m.SetHSV(tintorb::MakeHSV(200, 128, 200));
  m.SetHLS(tintorb::MakeHLS(30, 100, 200));
  m.SetYUV(tintorb::MakeYUV(128, -20, 40));
  m.SetSize(w, h);
  return m;
}

void BM_UpdateGradient(benchmark::State& state) {
  const int style = int(state.range(0));
  const bool webSafe = state.range(1) != 0;
  tintorb::TColorSliderModel m = Make(style, 258, 258);
  m.SetWebSafe(webSafe);
  for (auto _ : state) {
    m.UpdateGradient();
    benchmark::DoNotOptimize(m.Gradient().bits.data());
  }
  state.SetLabel(std::string(kNames[style]) + (webSafe ? " websafe" : ""));
}
BENCHMARK(BM_UpdateGradient)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6, 7, 8}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

void BM_Compose(benchmark::State& state) {
  const int style = int(state.range(0));
  const int w = int(state.range(1)), h = int(state.range(2));
  tintorb::TColorSliderModel m = Make(style, w, h);
  tintorb::TBitmap24 out;
  for (auto _ : state) {
    m.Compose(out, 0x808080, 0xFFFFFF);
    benchmark::DoNotOptimize(out.bits.data());
  }
  state.SetLabel(std::string(kNames[style]) + " " + std::to_string(w) + "x" + std::to_string(h));
}
BENCHMARK(BM_Compose)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6, 7, 8}, {258}, {258}})
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6, 7, 8}, {362}, {258}})
    ->Unit(benchmark::kMicrosecond);

// A drag step: mouse mapping plus composition, never a gradient build.
void BM_DragStep(benchmark::State& state) {
  tintorb::TColorSliderModel m = Make(int(TTintorbColorPanelStyle::cpsHlsHS), 362, 258);
  tintorb::TBitmap24 out;
  m.OnRedraw = [&] { m.Compose(out, 0x808080, 0xFFFFFF); };
  int x = 0;
  const int builds = m.GradientBuilds();
  for (auto _ : state) {
    m.MouseDrag(x, x % 258);
    x = (x + 7) % 362;
  }
  if (m.GradientBuilds() != builds) state.SkipWithError("a drag rebuilt the gradient");
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMicrosecond);

}  // namespace
