#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

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

  int paints = 0;
  struct Counter : QObject {
    int* n;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::Paint) ++*n;
      return false;
    }
  } counter;
  counter.n = &paints;
  sheet.ListBox1->viewport()->installEventFilter(&counter);
  QApplication::processEvents();
  paints = 0;
  sheet.PreviewTextChanged("iiii");
  QApplication::processEvents();
  EXPECT_GT(paints, 0);
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
