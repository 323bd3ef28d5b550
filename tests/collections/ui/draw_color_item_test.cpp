#include "collections/ui/DrawColorItem.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <cstdlib>

namespace tintorb {
namespace {

constexpr int kW = 240, kH = 20;

QImage Paint(TColor c, const QString& name, TOwnerDrawState st, int width = kW) {
  QImage img(width, kH, QImage::Format_RGB32);
  img.fill(QColor(1, 2, 3));  // anything the painter leaves alone shows up
  QPainter p(&img);
  QFont font;
  font.setPixelSize(12);
  DrawColorItem(p, QRect(0, 0, width, kH), c, name, st, font);
  return img;
}

QRgb Px(const QImage& img, int x, int y) {
  return img.pixel(x, y) & 0xFFFFFF;
}

// Columns in [x0, x1) that hold at least one pixel close to `rgb` (text is
// antialiased) between rows 2..17.
int ColumnsWith(const QImage& img, QRgb rgb, int x0, int x1) {
  auto near = [](QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) < 96 && std::abs(qGreen(a) - qGreen(b)) < 96 &&
           std::abs(qBlue(a) - qBlue(b)) < 96;
  };
  int n = 0;
  for (int x = x0; x < x1; ++x)
    for (int y = 2; y < kH - 2; ++y)
      if (near(Px(img, x, y), rgb)) {
        ++n;
        break;
      }
  return n;
}

TEST(DrawColorItem, UnselectedRowKeepsAWhiteStripAndBorder) {
  const QImage img = Paint(RGB(0, 0, 128), "", {});
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < 16; ++x) ASSERT_EQ(Px(img, x, y), 0xFFFFFFu) << x << "," << y;
    EXPECT_EQ(Px(img, kW - 1, y), 0xFFFFFFu);  // right margin
  }
  for (int x = 0; x < kW; ++x) {
    EXPECT_EQ(Px(img, x, 0), 0xFFFFFFu);
    EXPECT_EQ(Px(img, x, kH - 1), 0xFFFFFFu);
  }
  EXPECT_EQ(Px(img, 16, 1), 0x000080u);
  EXPECT_EQ(Px(img, kW - 2, kH - 2), 0x000080u);
  // The code is written in white (the contrast colour) after x = 20.
  EXPECT_EQ(ColumnsWith(img, 0xFFFFFF, 16, 20), 0);
  EXPECT_GT(ColumnsWith(img, 0xFFFFFF, 20, 80), 20);
}

TEST(DrawColorItem, SelectedRowIsColouredAcrossWithAnInvertedDottedFrame) {
  const QImage img = Paint(RGB(255, 255, 0), "", {true, false});
  EXPECT_EQ(Px(img, 1, 1), 0xFFFF00u);
  EXPECT_EQ(Px(img, 15, 10), 0xFFFF00u);
  // Frame dots invert the white border to black; every other pixel stays white.
  EXPECT_EQ(Px(img, 0, 0), 0x000000u);
  EXPECT_EQ(Px(img, 1, 0), 0xFFFFFFu);
  EXPECT_EQ(Px(img, 2, 0), 0x000000u);
  // Dark text on a light colour.
  EXPECT_GT(ColumnsWith(img, 0x000000, 20, 80), 20);
  // Focused but not selected draws the frame too; drawing it again removes it.
  QImage focus = Paint(RGB(255, 255, 0), "", {false, true});
  EXPECT_EQ(Px(focus, 0, 0), 0x000000u);
  {
    QPainter p(&focus);
    DrawFocusFrame(p, QRect(0, 0, kW, kH));
  }
  EXPECT_EQ(focus, Paint(RGB(255, 255, 0), "", {}));
}

TEST(DrawColorItem, NameIsRightAlignedAndCutOnItsLeft) {
  const TColor c = RGB(0, 0, 0);  // white text
  const QImage plain = Paint(c, "", {});
  const QImage named = Paint(c, "Name", {});
  // Nothing of a short name near the code; its right end 5 pixels from the edge.
  int lastText = -1;
  for (int x = 0; x < kW; ++x)
    if (ColumnsWith(named, 0xFFFFFF, x, x + 1) && !ColumnsWith(plain, 0xFFFFFF, x, x + 1))
      lastText = x;
  EXPECT_GE(lastText, kW - 10);
  EXPECT_LT(lastText, kW - 5);

  // A long name is clipped: between the code and the clip edge nothing of it
  // appears, and it reaches the clip edge.
  const QString longName = QString(60, QChar('W'));
  const QImage cut = Paint(c, longName, {});
  QFont font;
  font.setPixelSize(12);
  font.setBold(true);
  font.setFamily(ColorItemNameFace());
  const int clipLeft = 20 + QFontMetrics(font).horizontalAdvance("000000") + 8;
  for (int x = 0; x < clipLeft; ++x)
    EXPECT_EQ(ColumnsWith(cut, 0xFFFFFF, x, x + 1), ColumnsWith(plain, 0xFFFFFF, x, x + 1)) << x;
  EXPECT_GT(ColumnsWith(cut, 0xFFFFFF, clipLeft, clipLeft + 12), 0);
  for (int y = 0; y < kH; ++y) EXPECT_EQ(Px(cut, kW - 1, y), 0xFFFFFFu);
}

TEST(DrawColorItem, FacesFallBackToInstalledJapaneseFonts) {
  const QString code = ColorItemCodeFace(), name = ColorItemNameFace();
  EXPECT_FALSE(code.isEmpty());
  EXPECT_FALSE(name.isEmpty());
  if (!QFontDatabase::families(QFontDatabase::Japanese).isEmpty()) {
    EXPECT_TRUE(QFontDatabase::families(QFontDatabase::Japanese).contains(code))
        << code.toStdString();
    EXPECT_TRUE(QFontDatabase::families(QFontDatabase::Japanese).contains(name))
        << name.toStdString();
  }
}

}  // namespace
}  // namespace tintorb
