// The Qt side of the desktop seam, as far as it runs without a display.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFontDialog>
#include <QPalette>
#include <QTest>
#include <QWidget>

#include "platform/ui/FontColorDialog.h"
#include "platform/ui/QtConvert.h"
#include "platform/ui/QtDesktop.h"

namespace tintorb {
namespace {

TEST(QtConvert, WindowsFiltersBecomeQtFilters) {
  EXPECT_EQ(
      WindowsFilterToQt("HTML ファイル (*.html)|*.html|すべてのファイル (*.*)|*.*").toStdString(),
      "HTML ファイル (*.html);;すべてのファイル (*.*)");
  EXPECT_EQ(WindowsFilterToQt("Pictures|*.png;*.bmp").toStdString(), "Pictures (*.png *.bmp)");
  EXPECT_TRUE(WindowsFilterToQt("").isEmpty());
  EXPECT_TRUE(WindowsFilterToQt("dangling").isEmpty());
}

TEST(QtConvert, CarriageReturnsBreakMessageLines) {
  EXPECT_EQ(MessageText("a\rb\r\nc\nd").toStdString(), "a\nb\nc\nd");
}

TEST(QtConvert, FontSpecRoundTripsAtNinetySixDpi) {
  EXPECT_EQ(PointsToPixels(24), 32);
  EXPECT_EQ(PointsToPixels(9), 12);
  EXPECT_EQ(PixelsToPoints(32), 24);
  const TFontSpec font{"MS UI Gothic", 24, RGB(1, 2, 3), 1 | 4 | 8};
  const QFont f = FontSpecToQFont(font);
  EXPECT_EQ(f.family().toStdString(), "MS UI Gothic");
  EXPECT_EQ(f.pixelSize(), 32);
  EXPECT_TRUE(f.bold());
  EXPECT_FALSE(f.italic());
  EXPECT_TRUE(f.underline());
  EXPECT_TRUE(f.strikeOut());
  EXPECT_EQ(QFontToFontSpec(f, font.color), font);
  QFont points("IPAGothic");
  points.setPointSize(11);
  EXPECT_EQ(QFontToFontSpec(points, 0).size, 11);
}

TEST(QtConvert, ColoursResolveSystemColoursFirst) {
  EXPECT_EQ(ToQColor(RGB(1, 2, 3)), QColor(1, 2, 3));
  EXPECT_EQ(FromQColor(QColor(1, 2, 3)), RGB(1, 2, 3));
  SetSysColorResolver(&PaletteSysColor);
  const QColor face = QGuiApplication::palette().color(QPalette::Active, QPalette::Button);
  EXPECT_EQ(ToQColor(clBtnFace), face);
  SetSysColorResolver(nullptr);
}

TEST(QtDesktop, SystemColoursFollowThePalette) {
  const QPalette pal = QGuiApplication::palette();
  EXPECT_EQ(PaletteSysColor(5), FromQColor(pal.color(QPalette::Active, QPalette::Base)));
  EXPECT_EQ(PaletteSysColor(13), FromQColor(pal.color(QPalette::Active, QPalette::Highlight)));
  EXPECT_EQ(PaletteSysColor(24), FromQColor(pal.color(QPalette::Active, QPalette::ToolTipBase)));
  EXPECT_EQ(PaletteSysColor(25), DefaultSysColor(25));
  EXPECT_EQ(PaletteSysColor(40), DefaultSysColor(40));
}

TEST(QtDesktop, ScreenRectReadsWhatIsOnTheScreen) {
  QWidget w;
  w.setWindowFlag(Qt::FramelessWindowHint);
  w.setAutoFillBackground(true);
  QPalette pal = w.palette();
  pal.setColor(QPalette::Window, QColor(12, 34, 56));
  w.setPalette(pal);
  w.setGeometry(50, 60, 40, 30);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  QTest::qWait(50);
  TQtDesktop d;
  const QPoint c = w.mapToGlobal(QPoint(20, 15));
  const auto px = d.ScreenRect(c.x() - 2, c.y() - 2, 5, 5);
  ASSERT_EQ(px.size(), 25u);
  for (TColor p : px) EXPECT_EQ(p, RGB(12, 34, 56));
  EXPECT_EQ(d.ScreenPixel(c.x(), c.y()), RGB(12, 34, 56));
  // Off every screen: black, and no failure.
  const auto off = d.ScreenRect(-100000, -100000, 3, 3);
  EXPECT_EQ(off, std::vector<TColor>(9, 0));
}

TEST(FontColorDialog, PresetAndChoice) {
  TFontColorDialog dlg(TFontSpec{"IPAGothic", 12, RGB(0xFF, 0, 0), 4});
  EXPECT_EQ(dlg.ColorBox()->currentText().toStdString(), "赤");
  const TFontSpec s = dlg.Selected();
  EXPECT_EQ(s.color, RGB(0xFF, 0, 0));
  EXPECT_EQ(s.size, 12);
  EXPECT_EQ(s.style & 4, 4);  // underline survives the face's style list
  // A colour that is not one of the sixteen is kept as its own entry.
  TFontColorDialog other(TFontSpec{"IPAGothic", 12, RGB(1, 2, 3), 0});
  EXPECT_EQ(other.Selected().color, RGB(1, 2, 3));
  other.ColorBox()->setCurrentIndex(0);
  EXPECT_EQ(other.Selected().color, 0);
}

}  // namespace
}  // namespace tintorb
