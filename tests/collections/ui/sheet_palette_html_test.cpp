// The palette and HTML colour-name sheets driven with real mouse and key
// events against a fake main window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QColor>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "app/IniFile.h"
#include "collections/ui/SheetHTML.h"
#include "collections/ui/SheetPalette.h"
#include "support/Fakes.h"
#include "support/ui/FakeSheetHost.h"

namespace tintorb {
namespace {

using testing::FakeSheetHost;

QRgb Rgb(TColor c) {
  const TColor r = ResolveColor(c);
  return qRgb(GetRValue(r), GetGValue(r), GetBValue(r)) & 0xFFFFFF;
}

QImage Shot(TColorListBox* list) {
  return list->viewport()->grab().toImage();
}

class PaletteSheet : public ::testing::Test {
 protected:
  std::unique_ptr<TfrmPalette> Make(int w = 300, int h = 320) {
    auto f = std::make_unique<TfrmPalette>(host);
    f->resize(w, h);
    f->show();
    QApplication::processEvents();
    return f;
  }
  static void Press(TfrmPalette& f, int row, Qt::MouseButton b) {
    QTest::mousePress(f.ListBox1->viewport(), b, {}, f.ListBox1->ItemRect(row).center());
    QTest::mouseRelease(f.ListBox1->viewport(), b, {}, f.ListBox1->ItemRect(row).center());
  }
  // Makes the list's client area `w` pixels wide.
  static void SetClientWidth(TfrmPalette& f, int w) {
    f.resize(f.width() + w - f.ListBox1->viewport()->width(), f.height());
    QApplication::processEvents();
    ASSERT_EQ(f.ListBox1->viewport()->width(), w);
  }
  FakeSheetHost host;
};

TEST_F(PaletteSheet, ToolBarGroupPicksThePalette) {
  auto f = Make();
  EXPECT_TRUE(f->tlbWebSafe->isChecked());
  EXPECT_EQ(f->ListBox1->Count(), 216);
  EXPECT_EQ(f->tlbWebSafe->toolTip().toStdString(), "Webセーフカラー");
  EXPECT_EQ(f->tlbSystem->toolTip().toStdString(), "Windowsシステムカラー");
  EXPECT_EQ(f->tlbRGB332->toolTip().toStdString(), "RGB332形式（携帯端末など）");
  auto* bSystem = qobject_cast<QToolButton*>(f->ToolBar1->widgetForAction(f->tlbSystem));
  ASSERT_TRUE(bSystem);
  EXPECT_EQ(f->ToolBar1->width(), bSystem->sizeHint().width() + 2);

  QTest::mouseClick(bSystem, Qt::LeftButton);
  EXPECT_TRUE(f->tlbSystem->isChecked());
  EXPECT_FALSE(f->tlbWebSafe->isChecked());
  EXPECT_EQ(f->ListBox1->Count(), 43);
  QTest::mouseClick(f->ToolBar1->widgetForAction(f->tlbRGB332), Qt::LeftButton);
  EXPECT_EQ(f->ListBox1->Count(), 256);
  EXPECT_EQ(f->Entries()[4], "002400");
}

TEST_F(PaletteSheet, PressesSetForegroundOrBackgroundUnchanged) {
  host.webSafe = true;  // snapping is the main window's business
  auto f = Make();
  Press(*f, 6, Qt::LeftButton);
  ASSERT_EQ(host.foreCalls.size(), 1u);
  EXPECT_EQ(host.foreCalls[0].color, RGB(0, 255, 0x33));
  EXPECT_EQ(host.foreCalls[0].sender, f.get());
  EXPECT_TRUE(host.backCalls.empty());

  Press(*f, 36, Qt::RightButton);  // not selected first; only the background
  ASSERT_EQ(host.backCalls.size(), 1u);
  EXPECT_EQ(host.backCalls[0].color, RGB(0, 0xCC, 0));
  EXPECT_EQ(host.foreCalls.size(), 1u);
  Press(*f, 0, Qt::MiddleButton);
  EXPECT_EQ(host.foreCalls.back().color, RGB(0, 255, 0));

  // Below the last row nothing happens.
  f->resize(300, 1000);
  QApplication::processEvents();
  QTest::mouseClick(f->ToolBar1->widgetForAction(f->tlbSystem), Qt::LeftButton);
  const QPoint below(5, f->ListBox1->ItemRect(42).bottom() + 5);
  ASSERT_LT(below.y(), f->ListBox1->viewport()->height());
  QTest::mouseClick(f->ListBox1->viewport(), Qt::LeftButton, {}, below);
  QTest::mouseClick(f->ListBox1->viewport(), Qt::RightButton, {}, below);
  EXPECT_EQ(host.foreCalls.size(), 2u);
  EXPECT_EQ(host.backCalls.size(), 1u);

  // A system entry goes over as the reference to the system colour.
  Press(*f, 31, Qt::LeftButton);
  EXPECT_EQ(host.foreCalls.back().color, clBtnFace);
}

TEST_F(PaletteSheet, RowsShowCodeAndLabelInListStyle) {
  host.settings.WriteBool("Palette", "WebSafePalette", false);
  host.settings.WriteBool("Palette", "SystemPalette", true);
  auto f = Make(300, 900);
  ASSERT_EQ(f->ListBox1->Count(), 43);
  const QImage img = Shot(f->ListBox1);
  const QRect r1 = f->ListBox1->ItemRect(1);                                   // 茶色 800000
  EXPECT_EQ(img.pixel(r1.left() + 5, r1.center().y()) & 0xFFFFFF, 0xFFFFFFu);  // white strip
  EXPECT_EQ(img.pixel(r1.left() + 17, r1.top() + 2) & 0xFFFFFF, 0x800000u);
  // The window colour row shows the resolved desktop colour.
  const QRect r5 = f->ListBox1->ItemRect(21);
  EXPECT_EQ(img.pixel(r5.left() + 17, r5.top() + 2) & 0xFFFFFF, Rgb(clWindow));
}

TEST_F(PaletteSheet, GridStyleHasAColumnPerTwentyPixels) {
  auto f = Make();
  f->SetPaletteStyle(1);
  SetClientWidth(*f, 200);
  EXPECT_EQ(f->ListBox1->Columns(), 10);
  SetClientWidth(*f, 219);
  EXPECT_EQ(f->ListBox1->Columns(), 10);
  SetClientWidth(*f, 240);
  EXPECT_EQ(f->ListBox1->Columns(), 12);

  // Cells run down a column and then on to the next; each is a swatch with a
  // white frame and no text.
  const int rows = f->ListBox1->viewport()->height() / 20;
  const QRect next = f->ListBox1->ItemRect(rows);
  EXPECT_EQ(next.topLeft(), QPoint(20, 0));
  const QImage img = Shot(f->ListBox1);
  const TColor expected = ReadPaletteEntry(WebSafePalette()[size_t(rows)]).Color;
  EXPECT_EQ(img.pixel(next.center()) & 0xFFFFFF, Rgb(expected));
  EXPECT_EQ(img.pixel(next.topLeft()) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(img.pixel(next.right(), next.bottom()) & 0xFFFFFF, 0xFFFFFFu);
  Press(*f, rows, Qt::LeftButton);
  EXPECT_EQ(host.foreCalls.back().color, expected);

  f->SetPaletteStyle(0);
  EXPECT_EQ(f->ListBox1->Columns(), 0);
}

TEST_F(PaletteSheet, StyleMenuAndSettingsRoundTrip) {
  host.settings.WriteBool("Palette", "RGB332Palette", true);
  host.settings.WriteInteger("Palette", "PaletteStyle", 1);
  {
    auto f = Make();
    EXPECT_TRUE(f->tlbRGB332->isChecked());
    EXPECT_FALSE(f->tlbWebSafe->isChecked());  // the later down wins
    EXPECT_EQ(f->ListBox1->Count(), 256);
    EXPECT_EQ(f->PaletteStyle(), 1);
    // Set by the first resize, from the list's width once shown.
    EXPECT_EQ(f->ListBox1->Columns(), f->ListBox1->viewport()->width() / 20);
    EXPECT_GT(f->ListBox1->Columns(), 5);
    emit f->PopupMenu1->aboutToShow();
    EXPECT_TRUE(f->mnuPaletteStyleIcon->isChecked());
    f->mnuPaletteStyleList->trigger();
    EXPECT_EQ(f->PaletteStyle(), 0);
    QTest::mouseClick(f->ToolBar1->widgetForAction(f->tlbSystem), Qt::LeftButton);
  }
  EXPECT_FALSE(host.settings.ReadBool("Palette", "WebSafePalette", true));
  EXPECT_TRUE(host.settings.ReadBool("Palette", "SystemPalette", false));
  EXPECT_FALSE(host.settings.ReadBool("Palette", "RGB332Palette", true));
  EXPECT_EQ(host.settings.ReadInteger("Palette", "PaletteStyle", -1), 0);
}

class HtmlSheet : public ::testing::Test {
 protected:
  void SetUp() override {
    sheet = std::make_unique<TfrmHTML>(host);
    sheet->resize(300, 300);
    sheet->show();
    QApplication::processEvents();
  }
  void Type(QLineEdit* e, const QString& text) {
    e->clear();
    QTest::keyClicks(e, text);
    QTest::keyClick(e, Qt::Key_Return);
  }
  QPoint Row(int i) { return sheet->ListBox1->ItemRect(i).center(); }
  FakeSheetHost host;
  std::unique_ptr<TfrmHTML> sheet;
};

TEST_F(HtmlSheet, TableAgreesWithTheStandardColourKeywords) {
  const auto& t = sheet->Table();
  ASSERT_EQ(sheet->ListBox1->Count(), 140);
  for (int i = 0; i < t.Count(); ++i) {
    const QColor q = QColor::fromString(QString::fromStdString(t.Names[i]).toLower());
    ASSERT_TRUE(q.isValid()) << t.Names[i];
    EXPECT_EQ(q.name().toUpper().mid(1).toStdString(), t.Codes[i]) << t.Names[i];
  }
}

TEST_F(HtmlSheet, NameLookupSelectsAndSetsTheColour) {
  Type(sheet->edtName, "cyan");
  EXPECT_EQ(sheet->ListBox1->ItemIndex(), 50);
  EXPECT_EQ(sheet->edtName->text(), "Cyan");
  EXPECT_EQ(sheet->edtHex->text(), "00FFFF");
  ASSERT_EQ(host.foreCalls.size(), 1u);
  EXPECT_EQ(host.foreCalls[0].color, RGB(0, 255, 255));
  EXPECT_EQ(host.foreCalls[0].sender, sheet.get());

  Type(sheet->edtName, "no such colour");
  EXPECT_EQ(sheet->ListBox1->ItemIndex(), 50);
  EXPECT_EQ(sheet->edtHex->text(), "00FFFF");
  EXPECT_EQ(host.foreCalls.size(), 1u);

  // Typing alone searches nothing.
  sheet->edtName->clear();
  QTest::keyClicks(sheet->edtName, "red");
  EXPECT_EQ(host.foreCalls.size(), 1u);
}

TEST_F(HtmlSheet, CodeLookupPrefersTheFirstMatchOrTakesTheColour) {
  Type(sheet->edtHex, "00ffff");
  EXPECT_EQ(sheet->ListBox1->ItemIndex(), 50);  // Cyan, not Aqua
  EXPECT_EQ(sheet->edtName->text(), "Cyan");
  EXPECT_EQ(sheet->edtHex->text(), "00FFFF");

  Type(sheet->edtHex, "123456");
  EXPECT_EQ(sheet->ListBox1->ItemIndex(), -1);
  EXPECT_EQ(sheet->edtName->text(), "Cyan");
  EXPECT_EQ(host.foreCalls.back().color, RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(host.foreCalls.size(), 2u);

  Type(sheet->edtHex, "12G456");  // not a colour: nothing
  EXPECT_EQ(host.foreCalls.size(), 2u);
  EXPECT_EQ(sheet->edtHex->maxLength(), 6);

  host.webSafe = true;
  Type(sheet->edtHex, "123456");
  EXPECT_EQ(host.foreCalls.back().color, RGB(0x00, 0x33, 0x66));
}

TEST_F(HtmlSheet, ClicksKeysAndRightButton) {
  QTest::mouseClick(sheet->ListBox1->viewport(), Qt::LeftButton, {}, Row(1));
  EXPECT_EQ(sheet->edtName->text(), "Snow");
  EXPECT_EQ(host.foreCalls.back().color, RGB(0xFF, 0xFA, 0xFA));
  QTest::keyClick(sheet->ListBox1, Qt::Key_Down);
  EXPECT_EQ(sheet->edtName->text(), "GhostWhite");
  EXPECT_EQ(host.foreCalls.size(), 2u);

  QTest::mouseClick(sheet->ListBox1->viewport(), Qt::RightButton, {}, Row(5));
  ASSERT_EQ(host.backCalls.size(), 1u);
  EXPECT_EQ(host.backCalls[0].color, RGB(0xFA, 0xF0, 0xE6));  // Linen
  EXPECT_EQ(sheet->ListBox1->ItemIndex(), 2);
  EXPECT_EQ(sheet->edtName->text(), "GhostWhite");
  EXPECT_EQ(host.foreCalls.size(), 2u);

  host.webSafe = true;
  QTest::mouseClick(sheet->ListBox1->viewport(), Qt::RightButton, {}, Row(4));
  EXPECT_EQ(host.backCalls.back().color, WebSafeColor(RGB(0xFF, 0xFA, 0xF0)));
}

TEST_F(HtmlSheet, CopyAppliesTheOptionsWithoutSharp) {
  QTest::mouseClick(sheet->btnCopy, Qt::LeftButton);
  EXPECT_TRUE(host.copied.isEmpty());  // empty name box copies nothing

  Type(sheet->edtName, "darkred");
  host.sharp = true;
  host.quote = true;
  host.lower = true;
  QTest::mouseClick(sheet->btnCopy, Qt::LeftButton);
  host.colorTag = true;
  QTest::mouseClick(sheet->btnCopy, Qt::LeftButton);
  EXPECT_EQ(host.copied, (QStringList{"\"darkred\"", "COLOR=\"darkred\""}));
}

TEST_F(HtmlSheet, TopBarLayout) {
  const int top = (25 - sheet->edtName->height()) / 2;
  EXPECT_EQ(sheet->Panel1->height(), 25);
  EXPECT_EQ(sheet->edtHex->width(), 65);
  EXPECT_EQ(sheet->edtHex->geometry().right() + 1, sheet->Panel1->width() - top);
  EXPECT_EQ(sheet->lblHex->geometry().right() + 1, sheet->edtHex->x());
  EXPECT_EQ(sheet->btnCopy->geometry().right() + 1 + 8, sheet->lblHex->x());
  EXPECT_EQ(sheet->btnCopy->size(), QSize(30, 20));
  EXPECT_EQ(sheet->lblName->x(), top);
  EXPECT_EQ(sheet->edtName->geometry().right() + 1, sheet->btnCopy->x());
  EXPECT_EQ(sheet->edtName->y(), top);
  const int nameWidth = sheet->edtName->width();
  sheet->resize(400, 300);
  QApplication::processEvents();
  EXPECT_EQ(sheet->edtName->width(), nameWidth + 100);
  EXPECT_FALSE(sheet->edtName->testAttribute(Qt::WA_InputMethodEnabled));
  EXPECT_FALSE(sheet->edtHex->testAttribute(Qt::WA_InputMethodEnabled));
}

}  // namespace
}  // namespace tintorb
