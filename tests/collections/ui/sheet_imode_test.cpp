// The pictogram sheet driven with real mouse and key events against a fake
// main window; pictures are read back from the list's own painting.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <ctime>
#include <filesystem>

#include "collections/ui/Sheetimode.h"
#include "core/TextFile.h"
#include "support/Fakes.h"
#include "support/PngFile.h"
#include "support/ui/FakeSheetHost.h"

namespace tintorb {
namespace {

using testing::FakeDialogs;
using testing::FakeSheetHost;
using testing::TempDir;

FakeDialogs& Fake() {
  return static_cast<FakeDialogs&>(Dialogs());
}

QRgb Rgb(TColor c) {
  const TColor r = ResolveColor(c);
  return qRgb(GetRValue(r), GetGValue(r), GetBValue(r));
}

class ImodeSheet : public ::testing::Test {
 protected:
  void SetUp() override {
    Fake().log.clear();
    Fake().saveAnswers.clear();
    Fake().saveRequests.clear();
  }
  std::unique_ptr<Tfrmimode> Make(int w = 360, int h = 300) {
    auto f = std::make_unique<Tfrmimode>(host);
    f->resize(w, h);
    f->show();
    QApplication::processEvents();
    return f;
  }
  static QModelIndex Index(Tfrmimode& f, int row) { return f.ListBox1->model()->index(row, 0); }
  static QRect Cell(Tfrmimode& f, int row) {
    f.ListBox1->scrollTo(Index(f, row));
    QApplication::processEvents();
    return f.ListBox1->visualRect(Index(f, row));
  }
  static QImage Shot(Tfrmimode& f) { return f.ListBox1->viewport()->grab().toImage(); }
  static void Click(Tfrmimode& f, int row) {
    QTest::mouseClick(f.ListBox1->viewport(), Qt::LeftButton, {}, Cell(f, row).center());
  }
  // Every glyph pixel of `row` as painted in the list: set pixels must show
  // `ink`, clear ones `paper`.
  static void ExpectGlyph(Tfrmimode& f, int row, TColor ink, TColor paper) {
    const QRect cell = Cell(f, row);
    const QImage img = Shot(f);
    const int scale = f.GlyphSide() / 12;
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 12; ++x) {
        const QPoint p = cell.topLeft() + QPoint(2 + x * scale, 2 + y * scale);
        ASSERT_EQ(img.pixel(p), GlyphPixel(PictogramGlyph(row), x, y) ? Rgb(ink) : Rgb(paper))
            << "row " << row << " pixel " << x << "," << y;
      }
  }

  FakeSheetHost host;
};

TEST_F(ImodeSheet, StartsOnRowZeroLaidOutAsAForm) {
  auto f = Make();
  EXPECT_EQ(f->Caption(), QString::fromUtf8("iモード絵文字"));
  EXPECT_EQ(f->SelectedRow(), 0);
  EXPECT_EQ(f->Edit1->text(), "&#63647;");
  EXPECT_TRUE(f->Edit1->isReadOnly());
  EXPECT_EQ(f->Label1->text(), QString::fromUtf8("晴れ"));
  EXPECT_TRUE(f->chkZoom->isChecked());
  EXPECT_EQ(f->ItemHeight(), 28);
  EXPECT_EQ(f->GlyphSide(), 24);
  EXPECT_FALSE(f->ListStyle());
  EXPECT_EQ(f->EmojiColor(), 0);
  EXPECT_EQ(f->ListColor(), ResolveColor(clWindow));
  EXPECT_EQ(f->btnCopy->text(), QString::fromUtf8("コピー"));
  EXPECT_EQ(f->btnCopy->toolTip(), QString::fromUtf8("クリップボードへコピー"));
  EXPECT_EQ(f->chkZoom->text(), QString::fromUtf8("拡大"));

  // Top-right cluster, glyph and name at the left, the list 22 pixels down.
  EXPECT_EQ(f->btnCopy->geometry().right(), f->width() - 1);
  EXPECT_EQ(f->btnCopy->y(), 0);
  EXPECT_EQ(f->Edit1->geometry().right(), f->btnCopy->x() - 3);
  EXPECT_EQ(f->Edit1->y(), 0);
  EXPECT_EQ(f->chkZoom->geometry().right(), f->Edit1->x() - 1);
  EXPECT_EQ(f->Image1->geometry(), QRect(2, (f->Edit1->height() - 12) / 2, 12, 12));
  EXPECT_EQ(f->Label1->x(), 22);
  EXPECT_EQ(f->ListBox1->geometry(), QRect(0, f->Edit1->y() + 22, f->width(), f->height() - 22));
  f->resize(500, 400);
  EXPECT_EQ(f->btnCopy->geometry().right(), 499);
  EXPECT_EQ(f->ListBox1->geometry(), QRect(0, 22, 500, 378));

  // The preview: row 0 in black on the face colour, at its own size.
  const QImage preview = f->Image1->pixmap().toImage();
  ASSERT_EQ(preview.size(), QSize(12, 12));
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x)
      EXPECT_EQ(preview.pixel(x, y),
                GlyphPixel(PictogramGlyph(0), x, y) ? Rgb(clBlack) : Rgb(clBtnFace));
  EXPECT_EQ(f->SheetIcon().pixmap(16, 16).size(), QSize(16, 16));
}

TEST_F(ImodeSheet, SettingsAreReadAtCreationAndWrittenAtDestruction) {
  TIniFile& ini = host.settings.IniFile();
  ini.WriteString("ColorSheet_imode", "Zoom", "0");
  ini.WriteString("ColorSheet_imode", "EmojiColor", "1");
  ini.WriteString("ColorSheet_imode", "ListStyle", "1");
  ini.WriteString("ColorSheet_imode", "Gray504Emoji", "1");
  {
    auto f = Make();
    EXPECT_FALSE(f->chkZoom->isChecked());
    EXPECT_EQ(f->ItemHeight(), 16);
    EXPECT_EQ(f->EmojiColor(), 1);
    EXPECT_TRUE(f->ListStyle());
    EXPECT_TRUE(f->Gray504Emoji());
    QTest::mouseClick(f->chkZoom, Qt::LeftButton);
    f->ApplyEmojiColor(2);
    f->mnuListStyle->trigger();
    f->mnuGray504Emoji->trigger();
  }
  EXPECT_EQ(ini.ReadString("ColorSheet_imode", "Zoom", ""), "1");
  EXPECT_EQ(ini.ReadString("ColorSheet_imode", "EmojiColor", ""), "2");
  EXPECT_EQ(ini.ReadString("ColorSheet_imode", "ListStyle", ""), "0");
  EXPECT_EQ(ini.ReadString("ColorSheet_imode", "Gray504Emoji", ""), "0");

  // Damaged values: the defaults, and no colour mode outside the three.
  ini.WriteString("ColorSheet_imode", "Zoom", "yes please");
  ini.WriteString("ColorSheet_imode", "EmojiColor", "7");
  {
    auto f = Make();
    EXPECT_TRUE(f->chkZoom->isChecked());
    EXPECT_EQ(f->EmojiColor(), 0);
    ExpectGlyph(*f, 0, RGB(255, 0, 0), ResolveColor(clWindow));
  }
  EXPECT_EQ(ini.ReadString("ColorSheet_imode", "EmojiColor", ""), "0");
}

TEST_F(ImodeSheet, ClickingARowShowsItsReferenceNameAndUndimmedGlyph) {
  auto f = Make();
  f->mnuGray504Emoji->trigger();
  Click(*f, 176);
  EXPECT_EQ(f->SelectedRow(), 176);
  EXPECT_EQ(f->Edit1->text(), "&#xE70C;");
  EXPECT_EQ(f->Label1->text(), QString::fromUtf8("iアプリ"));
  const QImage preview = f->Image1->pixmap().toImage();
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x)
      ASSERT_EQ(preview.pixel(x, y),
                GlyphPixel(PictogramGlyph(176), x, y) ? Rgb(clBlack) : Rgb(clBtnFace));
  Click(*f, 37);
  EXPECT_EQ(f->Edit1->text(), "&#63684;");
  EXPECT_EQ(f->Label1->text(), QString::fromUtf8("家"));
}

TEST_F(ImodeSheet, KeysMoveDownAColumnAndAcrossColumns) {
  auto f = Make();
  f->ListBox1->setFocus();
  QTest::keyClick(f->ListBox1, Qt::Key_Down);
  EXPECT_EQ(f->SelectedRow(), 1);
  EXPECT_EQ(f->Edit1->text(), "&#63648;");
  const int perColumn = f->ListBox1->viewport()->height() / f->ItemHeight();
  QTest::keyClick(f->ListBox1, Qt::Key_Right);
  EXPECT_EQ(f->SelectedRow(), 1 + perColumn);
  QTest::keyClick(f->ListBox1, Qt::Key_End);
  EXPECT_EQ(f->SelectedRow(), 251);
  EXPECT_EQ(f->Edit1->text(), "&#xE757;");
}

TEST_F(ImodeSheet, CopyButtonAndDoubleClickCopyTheReference) {
  auto f = Make();
  QTest::mouseClick(f->btnCopy, Qt::LeftButton);
  EXPECT_EQ(host.copied, QStringList{"&#63647;"});
  const QPoint p = Cell(*f, 200).center();
  QTest::mouseClick(f->ListBox1->viewport(), Qt::LeftButton, {}, p);
  QTest::mouseDClick(f->ListBox1->viewport(), Qt::LeftButton, {}, p);
  EXPECT_EQ(host.copied.last(), "&#xE724;");
  EXPECT_EQ(host.copied.size(), 2);
}

TEST_F(ImodeSheet, GridFlowsDownColumnsAndScrollsSideways) {
  auto f = Make(360, 300);
  const int w = f->ListBox1->viewport()->width();
  const int h = 28;
  const int columns = w / h;
  EXPECT_EQ(f->Columns(), columns);
  EXPECT_EQ(f->CellSize(), QSize(w / columns, h));
  const int perColumn = f->ListBox1->viewport()->height() / h;
  ASSERT_GT(perColumn, 1);
  f->ListBox1->horizontalScrollBar()->setValue(0);
  QApplication::processEvents();
  EXPECT_EQ(f->ListBox1->visualRect(Index(*f, 0)).topLeft(), QPoint(0, 0));
  EXPECT_EQ(f->ListBox1->visualRect(Index(*f, 1)).topLeft(), QPoint(0, h));
  EXPECT_EQ(f->ListBox1->visualRect(Index(*f, perColumn)).topLeft(), QPoint(w / columns, 0));
  EXPECT_GT(f->ListBox1->horizontalScrollBar()->maximum(), 0);
  EXPECT_FALSE(f->ListBox1->verticalScrollBar()->isVisible());

  // Unzoomed: 16-pixel items, more columns, glyphs at their own size.
  QTest::mouseClick(f->chkZoom, Qt::LeftButton);
  EXPECT_EQ(f->ItemHeight(), 16);
  EXPECT_EQ(f->GlyphSide(), 12);
  EXPECT_EQ(f->Columns(), f->ListBox1->viewport()->width() / 16);
  EXPECT_EQ(
      f->ListBox1->visualRect(Index(*f, 1)).top() - f->ListBox1->visualRect(Index(*f, 0)).top(),
      16);
  ExpectGlyph(*f, 5, RGB(255, 0, 0), ResolveColor(clWindow));

  // A wider sheet gets more columns.
  const int before = f->Columns();
  f->resize(600, 300);
  QApplication::processEvents();
  EXPECT_GT(f->Columns(), before);
  EXPECT_EQ(f->Columns(), f->ListBox1->viewport()->width() / 16);
}

TEST_F(ImodeSheet, ListStyleShowsFullWidthRowsWithTexts) {
  auto f = Make(420, 300);
  f->mnuListStyle->trigger();
  EXPECT_TRUE(f->ListStyle());
  EXPECT_EQ(f->Columns(), 1);
  const int w = f->ListBox1->viewport()->width();
  EXPECT_EQ(f->ListBox1->visualRect(Index(*f, 0)), QRect(0, 0, w, 28));
  EXPECT_EQ(f->ListBox1->visualRect(Index(*f, 1)), QRect(0, 28, w, 28));
  EXPECT_GT(f->ListBox1->verticalScrollBar()->maximum(), 0);

  // Ink of the three texts falls in their columns: name at +10, codes at +202 and +258.
  const QImage img = Shot(*f);
  const QRgb paper = Rgb(clWindow);
  auto inkBetween = [&](int x0, int x1) {
    int n = 0;
    for (int y = 28 + 2; y < 56 - 2; ++y)  // row 1 (not selected: no frame)
      for (int x = x0; x < x1; ++x) n += img.pixel(x, y) != paper;
    return n;
  };
  EXPECT_EQ(inkBetween(28, 28 + 10), 0);
  EXPECT_GT(inkBetween(28 + 10, 28 + 60), 0);  // 曇り
  EXPECT_EQ(inkBetween(28 + 120, 28 + 202), 0);
  EXPECT_GT(inkBetween(28 + 202, 28 + 250), 0);  // F8A0
  EXPECT_GT(inkBetween(28 + 258, 28 + 300), 0);  // E63F
  ExpectGlyph(*f, 1, RGB(0, 0, 255), ResolveColor(clWindow));

  f->mnuListStyle->trigger();
  EXPECT_FALSE(f->ListStyle());
  EXPECT_EQ(f->CellSize().height(), 28);
  EXPECT_LT(f->CellSize().width(), 40);
}

TEST_F(ImodeSheet, ColourModesPaintTheGlyphs) {
  host.fore = RGB(0x12, 0x34, 0x56);
  host.back = RGB(0xEE, 0xDD, 0x00);
  auto f = Make();
  ExpectGlyph(*f, 4, RGB(255, 128, 0), ResolveColor(clWindow));  // 雷, orange
  f->ApplyEmojiColor(1);
  ExpectGlyph(*f, 4, clBlack, ResolveColor(clWindow));
  f->ApplyEmojiColor(2);
  EXPECT_EQ(f->ListColor(), RGB(0xEE, 0xDD, 0x00));
  ExpectGlyph(*f, 4, RGB(0x12, 0x34, 0x56), RGB(0xEE, 0xDD, 0x00));

  // Mode 2 follows the main window's colours; the others keep the window colour.
  host.back = RGB(0, 0, 0);
  host.fore = RGB(255, 255, 255);
  f->ColorChanged(1);
  EXPECT_EQ(f->ListColor(), clBlack);
  ExpectGlyph(*f, 4, clWhite, clBlack);
  EXPECT_EQ(
      Shot(*f).pixel(f->ListBox1->viewport()->width() - 1, f->ListBox1->viewport()->height() - 1),
      Rgb(clBlack));
  f->ApplyEmojiColor(0);
  f->ColorChanged(0);
  EXPECT_EQ(f->ListColor(), ResolveColor(clWindow));
}

TEST_F(ImodeSheet, DimmedExtendedGlyphsStayVisibleAndPaler) {
  auto f = Make();
  const TColor window = ResolveColor(clWindow);
  ExpectGlyph(*f, 178, RGB(0, 0, 255), window);  // Tシャツ, not dimmed yet
  f->mnuGray504Emoji->trigger();                 // redraws at once
  ExpectGlyph(*f, 178, DimGlyphColor(RGB(0, 0, 255), window), window);
  ExpectGlyph(*f, 175, clBlack, window);  // a standard pictogram is never dimmed
  ASSERT_NE(DimGlyphColor(clBlack, window), window);

  f->ApplyEmojiColor(1);
  ExpectGlyph(*f, 180, DimGlyphColor(clBlack, window), window);
  host.fore = RGB(255, 255, 255);
  host.back = RGB(0, 0, 0);
  f->ApplyEmojiColor(2);
  ExpectGlyph(*f, 180, RGB(128, 128, 128), clBlack);
}

TEST_F(ImodeSheet, PopupMenuChecksFollowTheStateAndKeysChooseItems) {
  auto f = Make();
  f->mnuGray504Emoji->trigger();
  f->ApplyEmojiColor(2);
  emit f->ListBox1->customContextMenuRequested(QPoint(5, 5));
  ASSERT_TRUE(f->PopupMenu1->isVisible());
  const QList<QAction*> items = f->PopupMenu1->actions();
  ASSERT_EQ(items.size(), 8);
  EXPECT_EQ(items[0]->text(), QString::fromUtf8("リスト表示(&L)"));
  EXPECT_EQ(items[1]->text(), QString::fromUtf8("拡張絵文字を淡色表示(&E)"));
  EXPECT_TRUE(items[2]->isSeparator());
  EXPECT_EQ(items[3]->text(), QString::fromUtf8("標準の色で表示(&D)"));
  EXPECT_EQ(items[4]->text(), QString::fromUtf8("現在の色で表示(&S)"));
  EXPECT_EQ(items[5]->text(), QString::fromUtf8("すべて黒で表示(&B)"));
  EXPECT_TRUE(items[6]->isSeparator());
  EXPECT_EQ(items[7]->text(), QString::fromUtf8("PNG形式で保存(&P)"));
  EXPECT_FALSE(f->mnuListStyle->isChecked());
  EXPECT_TRUE(f->mnuGray504Emoji->isChecked());
  EXPECT_TRUE(f->mnuColorSelected->isChecked());
  EXPECT_FALSE(f->mnuColorDefault->isChecked());

  QTest::keyClick(f->PopupMenu1, Qt::Key_B);  // すべて黒で表示(&B)
  EXPECT_EQ(f->EmojiColor(), 1);
  EXPECT_FALSE(f->PopupMenu1->isVisible());

  emit f->ListBox1->customContextMenuRequested(QPoint(5, 5));
  EXPECT_TRUE(f->mnuColorBlack->isChecked());
  QTest::keyClick(f->PopupMenu1, Qt::Key_L);
  EXPECT_TRUE(f->ListStyle());
  emit f->ListBox1->customContextMenuRequested(QPoint(5, 5));
  EXPECT_TRUE(f->mnuListStyle->isChecked());
  QTest::keyClick(f->PopupMenu1, Qt::Key_E);
  EXPECT_FALSE(f->Gray504Emoji());
}

// The saved file: every chunk as the model makes it, and a time stamp of now.
void ExpectSavedAsModelMakes(const std::string& path, int row, int mode, TColor fore, TColor back,
                             std::time_t before) {
  const auto bytes = ReadFileBytes(path);
  ASSERT_TRUE(bytes.has_value()) << path;
  TGLDMemorySink want;
  MakePictogramPNG(row, mode, fore, back).SaveToSink(want);
  auto got = testing::ParsePng(*bytes).chunks, exp = testing::ParsePng(want.bytes).chunks;
  ASSERT_EQ(got.size(), exp.size());
  for (size_t i = 0; i < got.size(); ++i) {
    ASSERT_EQ(got[i].type, exp[i].type);
    if (got[i].type == "tIME") {
      const std::string& t = got[i].data;
      std::tm tm{};
      tm.tm_year = (uint8_t(t[0]) << 8 | uint8_t(t[1])) - 1900;
      tm.tm_mon = t[2] - 1;
      tm.tm_mday = t[3];
      tm.tm_hour = t[4];
      tm.tm_min = t[5];
      tm.tm_sec = t[6];
      const std::time_t stamped = timegm(&tm);
      EXPECT_GE(stamped, before);
      EXPECT_LE(stamped, std::time(nullptr));
    } else {
      EXPECT_EQ(got[i].data, exp[i].data) << got[i].type;
    }
  }
  EXPECT_EQ(testing::Pngcheck(path).status, 0);
}

TEST_F(ImodeSheet, SavesThePictureInTheThreeForms) {
  TempDir dir;
  host.fore = RGB(0x10, 0x80, 0x20);
  host.back = RGB(0x30, 0x30, 0x90);
  auto f = Make();
  f->mnuGray504Emoji->trigger();  // dimming never reaches the file
  Click(*f, 200);                 // ぷっくっくな顔, 赤, extended

  const std::time_t before = std::time(nullptr);
  Fake().saveAnswers.push_back(dir / "mode0.png");
  f->PNGP1->trigger();
  ASSERT_EQ(Fake().saveRequests.size(), 1u);
  EXPECT_EQ(Fake().saveRequests[0].defaultExt, "png");
  EXPECT_EQ(Fake().saveRequests[0].filter, "PNG (*.png)|*.png|すべてのファイル|*.*");
  EXPECT_TRUE(Fake().saveRequests[0].overwritePrompt);
  ExpectSavedAsModelMakes(dir / "mode0.png", 200, 0, 0, 0, before);
  QImage img = QImageReader(QString::fromStdString(dir / "mode0.png")).read();
  ASSERT_EQ(img.size(), QSize(12, 12));
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x)
      ASSERT_EQ(img.pixel(x, y), GlyphPixel(PictogramGlyph(200), x, y) ? qRgba(255, 0, 0, 255)
                                                                       : qRgba(255, 255, 255, 0));

  f->ApplyEmojiColor(1);
  Fake().saveAnswers.push_back(dir / "mode1.png");
  f->PNGP1->trigger();
  ExpectSavedAsModelMakes(dir / "mode1.png", 200, 1, 0, 0, before);
  img = QImageReader(QString::fromStdString(dir / "mode1.png")).read();
  EXPECT_EQ(img.colorCount(), 2);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x)
      ASSERT_EQ(img.pixel(x, y), GlyphPixel(PictogramGlyph(200), x, y) ? qRgba(0, 0, 0, 255)
                                                                       : qRgba(255, 255, 255, 0));

  f->ApplyEmojiColor(2);
  Fake().saveAnswers.push_back(dir / "mode2.png");
  f->PNGP1->trigger();
  ExpectSavedAsModelMakes(dir / "mode2.png", 200, 2, host.fore, host.back, before);
  img = QImageReader(QString::fromStdString(dir / "mode2.png")).read();
  EXPECT_FALSE(img.hasAlphaChannel());
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x)
      ASSERT_EQ(img.pixel(x, y), GlyphPixel(PictogramGlyph(200), x, y) ? qRgb(0x10, 0x80, 0x20)
                                                                       : qRgb(0x30, 0x30, 0x90));
  EXPECT_TRUE(Fake().Of("Error").empty());
}

// A right press opens the menu over the list; the row shown, the row copied
// and the row saved stay the one chosen with the left button.
TEST_F(ImodeSheet, RightPressKeepsTheChosenRowForCopyAndSave) {
  TempDir dir;
  auto f = Make();
  Click(*f, 46);  // 駐車場
  const QString reference = f->Edit1->text(), name = f->Label1->text();
  for (int row : {30, 46, 251}) {
    QTest::mouseClick(f->ListBox1->viewport(), Qt::RightButton, {}, Cell(*f, row).center());
    EXPECT_EQ(f->SelectedRow(), 46) << row;
    EXPECT_EQ(f->ListBox1->currentIndex().row(), 46) << row;
    EXPECT_EQ(f->Edit1->text(), reference);
    EXPECT_EQ(f->Label1->text(), name);
  }
  QTest::mouseClick(f->btnCopy, Qt::LeftButton);
  EXPECT_EQ(host.copied.last(), reference);
  const std::time_t before = std::time(nullptr);
  Fake().saveAnswers.push_back(dir / "shown.png");
  f->PNGP1->trigger();
  ExpectSavedAsModelMakes(dir / "shown.png", 46, 0, 0, 0, before);
}

TEST_F(ImodeSheet, CancelNoSelectionAndWriteErrors) {
  TempDir dir;
  auto f = Make();
  Fake().saveAnswers.push_back(std::nullopt);  // Cancel
  f->PNGP1->trigger();
  EXPECT_EQ(Fake().saveRequests.size(), 1u);

  f->ListBox1->clearSelection();
  f->PNGP1->trigger();  // nothing selected: not even the dialog
  EXPECT_EQ(Fake().saveRequests.size(), 1u);

  Click(*f, 3);
  Fake().saveAnswers.push_back(dir / "missing/x.png");
  f->PNGP1->trigger();
  const auto errors = Fake().Of("Error");
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("missing/x.png"), std::string::npos) << errors[0];
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
  EXPECT_EQ(f->SelectedRow(), 3);
  EXPECT_EQ(f->EmojiColor(), 0);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
}  // namespace tintorb
