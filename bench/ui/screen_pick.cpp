// One step of the screen pick: grab the square under the pointer and average
// it. Needs a real display: run under xvfb-run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPalette>
#include <QWidget>

#include "app/ColorWellLayout.h"
#include "platform/ui/QtDesktop.h"

namespace {

QPoint g_centre;

void BM_PickStep(benchmark::State& state) {
  tintorb::TQtDesktop desktop;
  const int r = int(state.range(0));
  tintorb::TColor last = 0;
  for (auto _ : state) {
    const auto px = desktop.ScreenRect(g_centre.x() - r, g_centre.y() - r, 2 * r + 1, 2 * r + 1);
    last = tintorb::AverageColor(px);
    benchmark::DoNotOptimize(last);
  }
  state.SetLabel(std::to_string(2 * r + 1) + "x" + std::to_string(2 * r + 1) + " -> " +
                 tintorb::ColorToHex(last));
}
BENCHMARK(BM_PickStep)->Arg(0)->Arg(5)->Unit(benchmark::kMicrosecond);

// The same square read one pixel at a time, as a pixel-reading desktop would.
void BM_PickStepPixelByPixel(benchmark::State& state) {
  tintorb::TQtDesktop desktop;
  const int r = int(state.range(0));
  for (auto _ : state) {
    std::vector<tintorb::TColor> px;
    for (int y = -r; y <= r; ++y)
      for (int x = -r; x <= r; ++x)
        px.push_back(desktop.ScreenPixel(g_centre.x() + x, g_centre.y() + y));
    benchmark::DoNotOptimize(tintorb::AverageColor(px));
  }
}
BENCHMARK(BM_PickStepPixelByPixel)->Arg(5)->Unit(benchmark::kMicrosecond);

void BM_Average121(benchmark::State& state) {
  std::vector<tintorb::TColor> px(121);
  for (int i = 0; i < 121; ++i) px[i] = tintorb::RGB(i, 2 * i, 255 - i);
  for (auto _ : state) benchmark::DoNotOptimize(tintorb::AverageColor(px));
}
BENCHMARK(BM_Average121);

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Something known on the screen to pick from.
  QWidget w;
  w.setWindowFlag(Qt::FramelessWindowHint);
  w.setAutoFillBackground(true);
  QPalette pal = w.palette();
  pal.setColor(QPalette::Window, QColor(0x12, 0x34, 0x56));
  w.setPalette(pal);
  w.setGeometry(100, 100, 200, 200);
  w.show();
  for (int i = 0; i < 20; ++i) app.processEvents();
  g_centre = w.mapToGlobal(QPoint(100, 100));
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
