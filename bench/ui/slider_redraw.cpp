// One Redraw of the Qt slider control: composition and the copy to the
// screen (painted into an image of the control's size), per style and size.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "sheets/ui/TintorbColorSlider.h"

namespace {

using tintorb::TTintorbColorPanelStyle;

const char* const kNames[] = {"Horizontal", "Vertical",     "Quadrangle", "HsvHue", "HsvSV",
                              "HlsHS",      "HlsLightness", "YuvY",       "YuvUV"};

void BM_Redraw(benchmark::State& state) {
  const int style = int(state.range(0));
  const int w = int(state.range(1)), h = int(state.range(2));
  tintorb::TTintorbColorSlider slider;
  slider.SetStyle(TTintorbColorPanelStyle(style));
  slider.SetHSV(tintorb::MakeHSV(200, 128, 200));
  slider.resize(w, h);
  QImage screen(w, h, QImage::Format_RGB32);
  for (auto _ : state) {
    slider.Compose();
    QPainter p(&screen);
    p.drawImage(0, 0, slider.Composition());
  }
  state.SetLabel(std::string(kNames[style]) + " " + std::to_string(w) + "x" + std::to_string(h));
}
BENCHMARK(BM_Redraw)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6, 7, 8}, {258}, {258}})
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6, 7, 8}, {362}, {258}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
