// Drawing through the colour-vision simulation against drawing without it:
// a full redraw of the favourites sheet with 390 rows, and the RGB sheet's
// gradients composed and copied, as they are repainted (Redraw) and after a
// colour change with 現在の色でグラデーション on, which builds every gradient
// again (NewColour). Arg 0: no simulation; 1:
// deuteranopia (cache warm from the previous redraw); 2: a new simulation every redraw (cold cache,
// the first redraw after a menu choice).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "app/IniFile.h"
#include "app/ui/ColorVisionView.h"
#include "collections/Favorites.h"
#include "collections/ui/ColorListBox.h"
#include "collections/ui/SheetFavorite.h"
#include "sheets/ui/SheetRGB.h"
#include "sheets/ui/TintorbColorSlider.h"

namespace {

using namespace tintorb;

class BenchHost : public TSheetHost {
 public:
  void SetForeColor(QObject*, TColor) override {}
  void SetBackColor(QObject*, TColor) override {}
  TColor GetForeColor() const override { return fore; }
  TColor GetBackColor() const override { return 0xFFFFFF; }
  bool IsWebSafe() const override { return false; }
  TIniGT& GetSettingsFile() override { return ini; }
  TFavorites& GetFavorites() override { return favorites; }
  void NotifyFavoritesChanged() override {}
  void CopyText(const QString&) override {}
  QString ApplyCopyOptions(const QString& t, bool) const override { return t; }
  void SetPreviewFontName(const QString&) override {}
  QString GetPreviewText() const override { return "Tintorb"; }
  bool CheckEditRange(int, int, QLineEdit*) override { return false; }
  TIniGT ini;
  TFavorites favorites;
  TColor fore = RGB(200, 100, 50);
};

void Simulation(int mode, int frame) {
  if (mode == 0) SetShownFilter(TCvdType::None, 100);
  if (mode == 1 && ShownType() != TCvdType::Deutan) SetShownFilter(TCvdType::Deutan, 100);
  if (mode == 2) SetShownFilter(frame % 2 ? TCvdType::Deutan : TCvdType::Protan, 100);
}

const char* const kModes[] = {"none", "deutan, warm", "new simulation each redraw"};

void BM_FavoritesRedraw(benchmark::State& state) {
  BenchHost host;
  TNamedColorList& group = host.favorites.Group(host.favorites.AddGroup("bench"));
  char hex[8];
  for (int i = 0; i < 390; ++i) {
    std::snprintf(hex, sizeof hex, "%02X%02X%02X", (i * 37) & 255, (i * 91) & 255, (i * 13) & 255);
    group.Add(hex, "row " + std::to_string(i));
  }
  TfrmFavorite sheet(host);
  sheet.FavoritesChanged();
  sheet.resize(500, 390 * 20 + 8);
  sheet.show();
  QApplication::processEvents();
  QWidget* list = sheet.lstColors->viewport();
  QImage image(list->size(), QImage::Format_RGB32);
  int frame = 0;
  for (auto _ : state) {
    Simulation(int(state.range(0)), frame++);
    list->render(&image);
  }
  SetShownFilter(TCvdType::None, 100);
  state.SetLabel(std::string(kModes[state.range(0)]) + ", " + std::to_string(list->height() / 20) +
                 " rows on show");
}
BENCHMARK(BM_FavoritesRedraw)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void RgbGradients(benchmark::State& state, bool newColour) {
  BenchHost host;
  TfrmRGB sheet(host);
  sheet.chkRealColor->setChecked(newColour);
  sheet.resize(500, 330);
  sheet.show();
  sheet.ColorChanged(2);
  QApplication::processEvents();
  const auto sliders = sheet.findChildren<TTintorbColorSlider*>();
  QImage screen(600, 40, QImage::Format_RGB32);
  int frame = 0;
  for (auto _ : state) {
    Simulation(int(state.range(0)), frame);
    if (newColour) {
      host.fore = RGB(frame % 256, (frame * 7) % 256, (frame * 13) % 256);
      sheet.ColorChanged(2);  // draws the gradients through the colour shown
    }
    ++frame;
    QPainter p(&screen);
    for (TTintorbColorSlider* s : sliders) {
      s->Compose();
      p.drawImage(0, 0, s->Composition());
    }
  }
  SetShownFilter(TCvdType::None, 100);
  state.SetLabel(std::string(kModes[state.range(0)]) + ", " + std::to_string(sliders.size()) +
                 " sliders of " + std::to_string(sliders.value(0)->width()) + "x" +
                 std::to_string(sliders.value(0)->height()));
}
void BM_RgbGradientsRedraw(benchmark::State& state) {
  RgbGradients(state, false);
}
BENCHMARK(BM_RgbGradientsRedraw)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);
void BM_RgbGradientsNewColour(benchmark::State& state) {
  RgbGradients(state, true);
}
BENCHMARK(BM_RgbGradientsNewColour)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
