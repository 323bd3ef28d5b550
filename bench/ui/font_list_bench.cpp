// The font list sheet: building the font table from the installed families
// (the first-show cost) and painting one screenful of samples.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

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
  void OpenHelp(const std::string&, std::function<void()> failed) override { failed(); }
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

// The real list, shown offscreen with `rows` rows of 18-point samples.
struct ShownSheet {
  explicit ShownSheet(int rows) : sheet(host) {
    const int h = sheet.ListBox1->ItemHeight();
    sheet.resize(500, rows * h + 4);
    sheet.show();
    QApplication::processEvents();
    bar = sheet.ListBox1->verticalScrollBar();
  }
  // Scrolls by `step` rows (round to the top at the end) and paints one frame.
  void Frame(int step) {
    const int next = bar->value() + step;
    bar->setValue(next > bar->maximum() ? next % (bar->maximum() + 1) : next);
    sheet.ListBox1->viewport()->repaint();
  }
  bool VisibleInFaces() const {
    const int h = sheet.ListBox1->ItemHeight();
    const int top = sheet.ListBox1->TopIndex();
    const int end =
        std::min(sheet.ListBox1->Count(), top + sheet.ListBox1->viewport()->height() / h + 1);
    for (int i = top; i < end; ++i)
      if (!sheet.RowCache().Contains(sheet.FontNameListBox1->ItemName(i))) return false;
    return true;
  }
  std::string Label(int step) const {
    return std::to_string(sheet.ListBox1->Count()) + " listed, " +
           std::to_string(sheet.ListBox1->viewport()->height() / sheet.ListBox1->ItemHeight()) +
           " rows of " + std::to_string(sheet.ListBox1->ItemHeight()) + " px, step " +
           std::to_string(step);
  }
  BenchHost host;
  TfrmFontList sheet;
  QScrollBar* bar;
};

// A jump to faces never drawn (opening the sheet, a thumb drag far down).
// Frame: the one paint, which draws new faces for a few milliseconds only;
// settled: until every row on show is in its own face.
void FirstView(benchmark::State& state, bool settle) {
  const int rows = int(state.range(0));
  ShownSheet s(rows);
  for (auto _ : state) {
    state.PauseTiming();
    s.sheet.ClearRowCache();
    state.ResumeTiming();
    s.Frame(3 * rows);  // beyond what the idle pass drew last time
    if (settle) {
      while (!s.VisibleInFaces()) QApplication::processEvents();
      QApplication::processEvents();  // the repaint with the new faces
    }
    state.PauseTiming();
    for (int i = 0; i < 200; ++i) QApplication::processEvents();
    state.ResumeTiming();
  }
  state.SetLabel(s.Label(3 * rows));
}
void BM_FirstViewFrame(benchmark::State& state) {
  FirstView(state, false);
}
BENCHMARK(BM_FirstViewFrame)->Arg(10)->Arg(30)->Unit(benchmark::kMillisecond);
void BM_FirstViewSettled(benchmark::State& state) {
  FirstView(state, true);
}
BENCHMARK(BM_FirstViewSettled)->Arg(10)->Arg(30)->Unit(benchmark::kMillisecond);

// Page down with idle time before it (the page ahead drawn while waiting).
void BM_PageScroll(benchmark::State& state) {
  const int rows = int(state.range(0));
  ShownSheet s(rows);
  for (auto _ : state) {
    state.PauseTiming();
    for (int i = 0; i < 200; ++i) QApplication::processEvents();
    state.ResumeTiming();
    s.Frame(rows);
  }
  state.SetLabel(s.Label(rows));
}
BENCHMARK(BM_PageScroll)->Arg(10)->Arg(30)->Unit(benchmark::kMillisecond);

// Wheel steps of three rows with no idle time at all between them.
void BM_WheelScrollNoIdle(benchmark::State& state) {
  ShownSheet s(int(state.range(0)));
  for (auto _ : state) s.Frame(3);
  state.SetLabel(s.Label(3));
}
BENCHMARK(BM_WheelScrollNoIdle)->Arg(30)->Unit(benchmark::kMillisecond);

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
