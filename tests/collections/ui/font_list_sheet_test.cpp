#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTest>

#include "app/IniFile.h"
#include "collections/FontTable.h"
#include "collections/ui/SheetFontList.h"
#include "support/Fakes.h"
#include "support/ui/FakeSheetHost.h"

namespace tintorb {
namespace {

using testing::FakeDesktop;
using testing::FakeSheetHost;

TFontFamilyInfo Fam(std::string name, bool jp = false, bool fixed = false, bool symbol = false,
                    bool printer = false, bool screen = true) {
  return {std::move(name), true, jp, fixed, symbol, printer, screen};
}

// Counts the paint events a widget receives.
struct PaintCounter : QObject {
  explicit PaintCounter(QWidget* w) { w->installEventFilter(this); }
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++n;
    return false;
  }
  int n = 0;
};

class FontListSheetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto& d = dynamic_cast<FakeDesktop&>(Desktop());
    d.fonts = {Fam("DejaVu Sans"),
               Fam("Noto Sans CJK JP", true),
               Fam("@Noto Sans CJK JP", true),
               Fam("DejaVu Sans Mono", false, true),
               Fam("Printer Gothic", false, false, false, true, false),
               Fam("Symbols", false, false, true),
               Fam("Bitmap Fixed", false, true)};
    d.fonts.back().scalable = false;
    d.printer = true;
    ResetFontTable();
  }
  void TearDown() override {
    dynamic_cast<FakeDesktop&>(Desktop()).printer = false;
    ResetFontTable();
  }
  static QStringList Rows(TfrmFontList& s) {
    QStringList out;
    for (int i = 0; i < s.ListBox1->Count(); ++i) out << s.FontNameListBox1->ItemName(i);
    return out;
  }
  // Runs the event loop until `done` holds (or five seconds have passed).
  template <class F>
  static bool IdleUntil(F done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 5000) QApplication::processEvents();
    return done();
  }
  static bool AllCached(TfrmFontList& s, int first, int last) {
    for (int i = first; i < last; ++i)
      if (!s.RowCache().Contains(s.FontNameListBox1->ItemName(i))) return false;
    return true;
  }
  static QImage PaintRow(TfrmFontList& s, int index) {
    QImage img(300, s.ListBox1->ItemHeight(), QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    s.ListBox1DrawItem(p, img.rect(), index, {});
    return img;
  }
  FakeSheetHost host;
};

TEST_F(FontListSheetTest, FontsEnumeratedOnFirstShowAndFiltered) {
  TfrmFontList sheet(host);
  EXPECT_EQ(sheet.Caption(), QString::fromUtf8("フォント"));
  // Its own toolbar picture, not the letter-on-a-swatch stand-in.
  const QImage icon = sheet.SheetIcon().pixmap(16, 16).toImage();
  EXPECT_EQ(icon.size(), QSize(16, 16));
  EXPECT_NE(icon, sheet.TColorSheetForm::SheetIcon().pixmap(16, 16).toImage());
  EXPECT_FALSE(FontTableBuilt());  // creating the sheet costs no enumeration
  EXPECT_EQ(sheet.ListBox1->Count(), 0);
  sheet.show();
  EXPECT_TRUE(FontTableBuilt());
  // No "@" face, no printer-only family, no bitmap font.
  EXPECT_EQ(Rows(sheet),
            (QStringList{"DejaVu Sans", "DejaVu Sans Mono", "Noto Sans CJK JP", "Symbols"}));
  sheet.cmbListFilter->setCurrentIndex(1);
  EXPECT_EQ(Rows(sheet), (QStringList{"Noto Sans CJK JP"}));
  sheet.cmbListFilter->setCurrentIndex(2);
  EXPECT_EQ(Rows(sheet), (QStringList{"DejaVu Sans Mono"}));
  sheet.cmbListFilter->setCurrentIndex(3);
  EXPECT_EQ(Rows(sheet), (QStringList{"Symbols"}));
  sheet.cmbListFilter->setCurrentIndex(0);
  EXPECT_EQ(sheet.ListBox1->Count(), 4);
}

TEST_F(FontListSheetTest, RowHeightFollowsSizeAndSizeIsStored) {
  {
    TfrmFontList sheet(host);
    EXPECT_EQ(sheet.FontSize(), 18);
    EXPECT_EQ(sheet.ListBox1->ItemHeight(), 32);
    emit sheet.UpDown1->Click(sheet.UpDown1, -1);
    EXPECT_EQ(sheet.ListBox1->ItemHeight(), 30);  // 17 * 18 / 10
    EXPECT_EQ(sheet.LabeledEdit1->text(), "17");
  }
  EXPECT_EQ(host.settings.ReadInteger("ColorSheet_FontList", "FontSize", 0), 17);
  host.settings.WriteInteger("ColorSheet_FontList", "FontSize", 1);
  {
    TfrmFontList sheet(host);
    EXPECT_EQ(sheet.ListBox1->ItemHeight(), 1);
    emit sheet.UpDown1->Click(sheet.UpDown1, -1);  // stays at the bottom
    EXPECT_EQ(sheet.FontSize(), 1);
  }
  host.settings.WriteString("ColorSheet_FontList", "FontSize", "5000");
  TfrmFontList sheet(host);
  EXPECT_EQ(sheet.FontSize(), 99);
}

// A size typed into the box applies when it is left; one out of range gets the
// range message and the nearer bound.
TEST_F(FontListSheetTest, TypedSizeAppliesOrIsBroughtIntoRange) {
  auto& dialogs = dynamic_cast<testing::FakeDialogs&>(Dialogs());
  TfrmFontList sheet(host);
  sheet.show();
  struct Case {
    const char* typed;
    int size;
    bool message;
  };
  for (const Case& c : {Case{"30", 30, false}, Case{"1", 1, false}, Case{"150", 99, true},
                        Case{"99", 99, false}, Case{"0", 1, true}, Case{"12", 12, false}}) {
    dialogs.log.clear();
    sheet.LabeledEdit1->selectAll();
    QTest::keyClicks(sheet.LabeledEdit1, c.typed);
    QTest::keyClick(sheet.LabeledEdit1, Qt::Key_Return);
    EXPECT_EQ(sheet.FontSize(), c.size) << c.typed;
    EXPECT_EQ(sheet.ListBox1->ItemHeight(), c.size * 18 / 10) << c.typed;
    EXPECT_EQ(sheet.LabeledEdit1->text(), QString::number(c.size)) << c.typed;
    const auto errors = dialogs.Of("Error");
    ASSERT_EQ(errors.size(), c.message ? 1u : 0u) << c.typed;
    if (c.message) {
      EXPECT_EQ(errors[0], "1 ～ 99 の範囲で入力してたも。\r近い方にしとくでおじゃる。");
    }
  }
}

// With the colours followed, the part of the list below the last row is the
// background colour too.
TEST_F(FontListSheetTest, EmptyAreaBelowTheRowsTakesTheBackgroundColour) {
  host.back = RGB(0, 0, 0xC0);
  TfrmFontList sheet(host);
  sheet.resize(400, 500);
  sheet.show();
  QApplication::processEvents();
  QWidget* vp = sheet.ListBox1->viewport();
  ASSERT_GT(vp->height(), sheet.ListBox1->Count() * sheet.ListBox1->ItemHeight() + 10);
  const QPoint below(5, vp->height() - 3);
  EXPECT_EQ(QColor(vp->grab().toImage().pixel(below)), QColor(0, 0, 0xC0));
  sheet.chkUseColor->click();
  QApplication::processEvents();
  EXPECT_EQ(QColor(vp->grab().toImage().pixel(below)), sheet.palette().color(QPalette::Base));
}

TEST_F(FontListSheetTest, SettingsRoundTrip) {
  host.settings.WriteBool("ColorSheet_FontList", "Face", false);
  host.settings.WriteBool("ColorSheet_FontList", "Style.Italic", true);
  {
    TfrmFontList sheet(host);
    EXPECT_TRUE(sheet.chkFontName->isChecked());
    EXPECT_FALSE(sheet.chkFace->isChecked());
    EXPECT_EQ(sheet.lstStyle->item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(sheet.lstStyle->item(0)->checkState(), Qt::Unchecked);
    sheet.chkUseColor->setChecked(false);
    sheet.lstStyle->item(2)->setCheckState(Qt::Checked);
    sheet.cmbListFilter->setCurrentIndex(1);
  }
  auto& ini = host.settings;
  EXPECT_FALSE(ini.ReadBool("ColorSheet_FontList", "UseColor", true));
  EXPECT_TRUE(ini.ReadBool("ColorSheet_FontList", "Style.Underline", false));
  EXPECT_TRUE(ini.ReadBool("ColorSheet_FontList", "Style.Italic", false));
  EXPECT_FALSE(ini.ReadBool("ColorSheet_FontList", "Style.Bold", true));
  TfrmFontList again(host);
  EXPECT_EQ(again.cmbListFilter->currentIndex(), 0);  // the filter is not kept
}

TEST_F(FontListSheetTest, PreviewTextShownAndRepaintedWhenNamesAreOff) {
  TfrmFontList sheet(host);
  sheet.resize(400, 300);
  sheet.show();
  host.previewText = "iiii";
  const QImage narrow = PaintRow(sheet, 0);
  host.previewText = "WWWWWWWWWW";
  EXPECT_EQ(PaintRow(sheet, 0), narrow);  // names shown: the preview text does not matter
  sheet.chkFontName->click();
  const QImage wide = PaintRow(sheet, 0);
  EXPECT_NE(wide, narrow);
  host.previewText = "iiii";
  EXPECT_NE(PaintRow(sheet, 0), wide);

  PaintCounter paints(sheet.ListBox1->viewport());
  QApplication::processEvents();
  paints.n = 0;
  sheet.PreviewTextChanged("iiii");
  QApplication::processEvents();
  EXPECT_GT(paints.n, 0);
}

TEST_F(FontListSheetTest, BackgroundOnlyChangeRecoloursTheList) {
  host.fore = 0x000000;
  host.back = 0xFFFFFF;
  TfrmFontList sheet(host);
  EXPECT_EQ(sheet.ListBackColor(), QColor(255, 255, 255));
  host.back = 0x0000FF;  // red
  sheet.ColorChanged(1);
  EXPECT_EQ(sheet.ListBackColor(), QColor(255, 0, 0));
  EXPECT_EQ(sheet.ListFontColor(), QColor(0, 0, 0));
  sheet.show();
  const QImage img = PaintRow(sheet, 0);
  EXPECT_EQ(QColor(img.pixel(img.width() - 1, 0)), QColor(255, 0, 0));
  sheet.chkUseColor->click();
  EXPECT_EQ(sheet.ListBackColor(), sheet.palette().color(QPalette::Base));
  host.back = 0x00FF00;
  sheet.ColorChanged(1);  // not following the colours now
  EXPECT_EQ(sheet.ListBackColor(), sheet.palette().color(QPalette::Base));
}

// Rows come from a cache of images; whatever changes a row's look must not
// leave old pixels behind.
TEST_F(FontListSheetTest, CachedRowsFollowEveryChangeOfLook) {
  host.fore = 0x000000;
  host.back = 0xFFFFFF;
  TfrmFontList sheet(host);
  sheet.resize(400, 300);
  sheet.show();
  const QImage plain = PaintRow(sheet, 0);
  EXPECT_EQ(PaintRow(sheet, 0), plain);  // second paint from the cache
  EXPECT_GT(sheet.RowCache().Count(), 0);

  sheet.lstStyle->item(0)->setCheckState(Qt::Checked);  // bold
  const QImage bold = PaintRow(sheet, 0);
  EXPECT_NE(bold, plain);
  sheet.lstStyle->item(0)->setCheckState(Qt::Unchecked);
  EXPECT_EQ(PaintRow(sheet, 0), plain);

  host.fore = 0x0000FF;  // red text
  sheet.ColorChanged(0);
  const QImage red = PaintRow(sheet, 0);
  bool sawRed = false;
  for (int y = 0; y < red.height(); ++y)
    for (int x = 0; x < red.width(); ++x) sawRed |= QColor(red.pixel(x, y)) == QColor(255, 0, 0);
  EXPECT_TRUE(sawRed);

  emit sheet.UpDown1->Click(sheet.UpDown1, 1);  // taller rows
  EXPECT_EQ(PaintRow(sheet, 0).height(), 34);

  // The selected row shows the highlight, never a cached plain row.
  QImage sel(300, sheet.ListBox1->ItemHeight(), QImage::Format_RGB32);
  {
    QPainter p(&sel);
    sheet.ListBox1DrawItem(p, sel.rect(), 0, {true, true});
  }
  EXPECT_EQ(QColor(sel.pixel(sel.width() - 1, 0)), sheet.palette().color(QPalette::Highlight));
}

TEST_F(FontListSheetTest, RowsAPageAwayAreDrawnWhileIdle) {
  auto& d = dynamic_cast<FakeDesktop&>(Desktop());
  d.fonts.clear();
  for (int i = 0; i < 60; ++i)
    d.fonts.push_back(Fam(QString("Face %1").arg(i, 2, 10, QChar('0')).toStdString()));
  ResetFontTable();
  TfrmFontList sheet(host);
  sheet.resize(400, 200);
  sheet.show();
  sheet.ListBox1->viewport()->repaint();
  const int page = sheet.ListBox1->viewport()->height() / sheet.ListBox1->ItemHeight() + 1;
  ASSERT_LT(3 * page, 60);
  EXPECT_TRUE(IdleUntil([&] { return AllCached(sheet, 0, 2 * page); }));
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  EXPECT_FALSE(sheet.RowCache().Contains(sheet.FontNameListBox1->ItemName(2 * page + 1)));

  // After a page down the next page is drawn ahead, and the previous one kept.
  sheet.ListBox1->verticalScrollBar()->setValue(page);
  sheet.ListBox1->viewport()->repaint();
  EXPECT_TRUE(IdleUntil([&] { return AllCached(sheet, 0, 3 * page); }));
}

TEST_F(FontListSheetTest, AFrameOverItsBudgetShowsStandInsUntilIdle) {
  TfrmFontList sheet(host);
  sheet.resize(400, 300);
  sheet.show();
  QApplication::processEvents();
  sheet.ClearRowCache();
  sheet.SetFrameBudgetMs(0);  // every face not cached is over budget
  PaintCounter paints(sheet.ListBox1->viewport());
  sheet.ListBox1->viewport()->repaint();
  EXPECT_EQ(sheet.RowCache().Count(), 0);
  EXPECT_EQ(paints.n, 1);
  // The idle pass draws them and repaints.
  EXPECT_TRUE(
      IdleUntil([&] { return AllCached(sheet, 0, sheet.ListBox1->Count()) && paints.n > 1; }));
  const int settled = paints.n;
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  EXPECT_EQ(paints.n, settled);  // nothing left to draw: no further repaints
}

TEST_F(FontListSheetTest, AFaceTallerThanItsRowStartsInsideTheRow) {
  host.fore = 0x000000;
  host.back = 0xFFFFFF;
  host.previewText = "I";  // one stem, seen at any height of the line
  TfrmFontList sheet(host);
  sheet.chkFontName->setChecked(false);
  sheet.show();
  const auto firstInk = [&](int height) {
    QImage img(300, height, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
      QPainter p(&img);
      sheet.ListBox1DrawItem(p, img.rect(), 0, {});
    }
    int x0 = img.width();
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x)
        if (qGray(img.pixel(x, y)) < 160) x0 = std::min(x0, x);
    return x0;
  };
  const int normal = firstInk(sheet.ListBox1->ItemHeight());
  ASSERT_LT(normal, 10);
  // Far lower than an 18-point line: the centring offset is negative, yet the
  // text starts where it does in a normal row instead of off the left edge.
  EXPECT_NEAR(firstInk(4), normal, 2);
}

TEST_F(FontListSheetTest, ClickSetsThePreviewFace) {
  TfrmFontList sheet(host);
  sheet.resize(400, 300);
  sheet.show();
  QWidget* vp = sheet.ListBox1->viewport();
  const QPoint at = sheet.ListBox1->ItemRect(1).center();
  QMouseEvent press(QEvent::MouseButtonPress, at, vp->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(vp, &press);
  EXPECT_EQ(host.previewFonts, (QStringList{"DejaVu Sans Mono"}));
}

TEST_F(FontListSheetTest, FontNameListBoxValueAndChangeControl) {
  TFontNameListBox box;
  QWidget target;
  int clicks = 0;
  box.OnClick = [&] { ++clicks; };
  box.SetValue("dejavu sans mono");
  EXPECT_EQ(box.Value(), "dejavu sans mono");  // kept until the items exist
  // Every kind but "@" by default, printer-only and bitmap families included.
  EXPECT_EQ(box.ItemCount(), 6);
  EXPECT_EQ(box.Value(), "DejaVu Sans Mono");
  EXPECT_EQ(clicks, 0);
  QFont f = target.font();
  f.setFamily("Noto Sans CJK JP");
  target.setFont(f);
  box.SetChangeControl(&target);  // takes the control's face
  EXPECT_EQ(box.Value(), "Noto Sans CJK JP");
  EXPECT_EQ(clicks, 1);
  box.SetValue("no such face");
  EXPECT_EQ(box.Value(), "Bitmap Fixed");  // item 0
  EXPECT_EQ(clicks, 2);
  box.SetValue("Symbols");
  EXPECT_EQ(target.font().family(), "Symbols");
  EXPECT_EQ(clicks, 3);
  box.SetValue("SYMBOLS");
  EXPECT_EQ(clicks, 3);
  box.SetExclusiveFilters({fnfJapanese});
  EXPECT_EQ(box.Count(), 1);
  EXPECT_EQ(box.Value(), "Noto Sans CJK JP");
}

}  // namespace
}  // namespace tintorb
