// The font list sheet: building the font table from the installed families
// (the first-show cost) and painting one screenful of samples.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>

#include "app/IniFile.h"
#include "collections/FontTable.h"
#include "collections/ui/SheetFontList.h"
#include "platform/Desktop.h"

namespace {

using namespace tintorb;

// The installed families the way the desktop reports them.
class BenchDesktop : public TDesktop {
 public:
  TColor ScreenPixel(int, int) override { return 0; }
  TPoint CursorPos() override { return {}; }
  TColor SysColor(int) override { return 0; }
  std::string ClipboardText() override { return {}; }
  void SetClipboardText(const std::string&) override {}
  void Beep() override {}
  bool OpenHelp(const std::string&) override { return false; }
  uint64_t PhysicalMemoryAvailable() override { return 0; }
  std::vector<TFontFamilyInfo> FontFamilies() override {
    std::vector<TFontFamilyInfo> out;
    for (const QString& family : QFontDatabase::families()) {
      TFontFamilyInfo f;
      f.name = family.toStdString();
      f.scalable = QFontDatabase::isSmoothlyScalable(family);
      const auto ws = QFontDatabase::writingSystems(family);
      f.japanese = ws.contains(QFontDatabase::Japanese);
      f.symbol = ws.contains(QFontDatabase::Symbol);
      f.fixedPitch = QFontDatabase::isFixedPitch(family);
      out.push_back(f);
    }
    return out;
  }
  bool PrinterExists() override { return false; }
};

class BenchHost : public TSheetHost {
 public:
  void SetForeColor(QObject*, TColor) override {}
  void SetBackColor(QObject*, TColor) override {}
  TColor GetForeColor() const override { return 0x400000; }
  TColor GetBackColor() const override { return 0xF0FFFF; }
  bool IsWebSafe() const override { return false; }
  TIniGT& GetSettingsFile() override { return ini; }
  TFavorites& GetFavorites() override { std::abort(); }
  void NotifyFavoritesChanged() override {}
  void CopyText(const QString&) override {}
  QString ApplyCopyOptions(const QString& t, bool) const override { return t; }
  void SetPreviewFontName(const QString&) override {}
  QString GetPreviewText() const override { return QString::fromUtf8("だってTintorbなんだもん！"); }
  bool CheckEditRange(int, int, QLineEdit*) override { return true; }
  TIniGT ini;
};

BenchDesktop desktop;

void BM_BuildFontTable(benchmark::State& state) {
  size_t n = 0;
  for (auto _ : state) {
    QFontDatabase::families();  // warm: the toolkit caches its own scan
    ResetFontTable();
    n = FontTable().size();
  }
  state.SetLabel(std::to_string(n) + " families");
}
BENCHMARK(BM_BuildFontTable)->Unit(benchmark::kMillisecond);

// One screen of rows (each a different face, as when scrolling), 18 points.
void BM_PaintScreenful(benchmark::State& state) {
  BenchHost host;
  TfrmFontList sheet(host);
  sheet.FillFontList();
  const int rows = int(state.range(0));
  const int h = sheet.ListBox1->ItemHeight();
  const int count = sheet.ListBox1->Count();
  QImage screen(360, rows * h, QImage::Format_RGB32);
  int top = 0;
  for (auto _ : state) {
    QPainter p(&screen);
    for (int r = 0; r < rows && count > 0; ++r)
      sheet.ListBox1DrawItem(p, QRect(0, r * h, 360, h), (top + r) % count, {});
    top += rows;  // next screenful: new faces, like a page scroll
  }
  state.SetLabel(std::to_string(count) + " listed, " + std::to_string(rows) + " rows of " +
                 std::to_string(h) + " px");
}
BENCHMARK(BM_PaintScreenful)->Arg(10)->Arg(30)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  InstallDesktop(&desktop);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
