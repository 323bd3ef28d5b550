#include "app/ui/Icons.h"

#include <QConicalGradient>
#include <QImageReader>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "core/ProgramDir.h"

namespace tintorb {

namespace {

QPixmap Blank(int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  return pm;
}

void PaintFavorite(QPainter& p) {
  QPainterPath star;
  const QPointF c(8, 8.5);
  for (int i = 0; i < 10; ++i) {
    const double r = (i % 2 == 0) ? 7.5 : 3.2;
    const double a = -M_PI / 2 + i * M_PI / 5;
    const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    if (i == 0)
      star.moveTo(pt);
    else
      star.lineTo(pt);
  }
  star.closeSubpath();
  p.setPen(QPen(QColor(150, 100, 0), 1));
  p.setBrush(QColor(255, 200, 40));
  p.drawPath(star);
}

void PaintRandom(QPainter& p) {
  p.setPen(QPen(QColor(60, 60, 60), 1));
  p.setBrush(Qt::white);
  p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 3, 3);
  const QColor pips[] = {QColor(230, 40, 40), QColor(40, 160, 60), QColor(40, 90, 220),
                         QColor(240, 170, 0), QColor(160, 60, 200)};
  const QPointF at[] = {{5, 5}, {11, 5}, {8, 8}, {5, 11}, {11, 11}};
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 5; ++i) {
    p.setBrush(pips[i]);
    p.drawEllipse(at[i], 1.7, 1.7);
  }
}

void PaintCopy(QPainter& p) {
  p.setPen(QPen(QColor(70, 70, 70), 1));
  p.setBrush(QColor(235, 235, 235));
  p.drawRect(QRectF(1.5, 1.5, 8, 10));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(6.5, 4.5, 8, 10));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(220, 50, 50));
  p.drawRect(QRectF(8, 7, 5, 2));
  p.setBrush(QColor(50, 120, 220));
  p.drawRect(QRectF(8, 10, 5, 2));
}

void PaintInvert(QPainter& p) {
  const QRectF r(1.5, 1.5, 13, 13);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawPie(r, 90 * 16, 180 * 16);
  p.setBrush(Qt::black);
  p.drawPie(r, -90 * 16, 180 * 16);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(60, 60, 60), 1));
  p.drawEllipse(r);
}

void PaintColorPick(QPainter& p) {
  // A dropper pointing at the bottom left, with a drop of colour at its tip.
  p.setPen(QPen(QColor(50, 50, 50), 1));
  p.setBrush(QColor(200, 210, 220));
  QPainterPath tube;
  tube.moveTo(2, 14);
  tube.lineTo(3, 11);
  tube.lineTo(10, 4);
  tube.lineTo(12, 6);
  tube.lineTo(5, 13);
  tube.closeSubpath();
  p.drawPath(tube);
  p.setBrush(QColor(60, 60, 60));
  p.drawEllipse(QPointF(12.5, 3.5), 2.5, 2.5);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(230, 40, 40));
  p.drawEllipse(QPointF(3, 13), 1.6, 1.6);
}

void PaintCanvas(QPainter& p) {
  p.setPen(QPen(QColor(60, 60, 60), 1));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(0.5, 1.5, 15, 13));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(60, 120, 230));
  p.drawRect(QRectF(2, 3, 7, 6));
  p.setBrush(QColor(230, 60, 60, 220));
  p.drawRect(QRectF(6, 7, 8, 6));
}

}  // namespace

QIcon ToolIcon(TToolImage image) {
  QPixmap pm = Blank(16);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  switch (image) {
    case TToolImage::Favorite:
      PaintFavorite(p);
      break;
    case TToolImage::Random:
      PaintRandom(p);
      break;
    case TToolImage::Copy:
      PaintCopy(p);
      break;
    case TToolImage::Invert:
      PaintInvert(p);
      break;
    case TToolImage::ColorPick:
      PaintColorPick(p);
      break;
    case TToolImage::Canvas:
      PaintCanvas(p);
      break;
  }
  return QIcon(pm);
}

QIcon AppIcon() {
  // An installed copy shows the pictures installed for its desktop entry,
  // taken from their files: a theme lookup would parse the index of every
  // icon theme at start-up. Read as PNG and nothing else: left to guess, Qt
  // opens every image format plug-in (WebP, TIFF, ...) to ask each about it.
  if (const std::string data = InstalledDataDir(); !data.empty()) {
    QIcon installed;
    for (int size : {16, 24, 32, 48, 64}) {
      QImageReader png(QStringLiteral("%1/../icons/hicolor/%2x%2/apps/%3.png")
                           .arg(QString::fromStdString(data))
                           .arg(size)
                           .arg(QStringLiteral(TINTORB_APP_ID)),
                       "png");
      png.setAutoDetectImageFormat(false);
      if (const QImage image = png.read(); !image.isNull())
        installed.addPixmap(QPixmap::fromImage(image));
    }
    if (!installed.isNull()) return installed;
  }
  QIcon icon;
  for (int size : {16, 32, 48}) {
    QPixmap pm = Blank(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, size - 1, size - 1);
    QConicalGradient hue(r.center(), 90);
    const QColor stops[] = {Qt::red,  Qt::yellow,  Qt::green, Qt::cyan,
                            Qt::blue, Qt::magenta, Qt::red};
    for (int i = 0; i < 7; ++i) hue.setColorAt(i / 6.0, stops[i]);
    p.setPen(Qt::NoPen);
    p.setBrush(hue);
    p.drawEllipse(r);
    // The highlight makes it an orb.
    QRadialGradient shine(QPointF(size * 0.38, size * 0.34), size * 0.55);
    shine.setColorAt(0, QColor(255, 255, 255, 230));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(shine);
    p.drawEllipse(r);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(40, 40, 40, 160), 1));
    p.drawEllipse(r);
    icon.addPixmap(pm);
  }
  return icon;
}

QPixmap WellIcon(int index) {
  QPixmap pm = Blank(10);
  QPainter p(&pm);
  if (index == 0) {
    // Bent double arrow: the two colours change places.
    p.setPen(Qt::black);
    p.drawLine(2, 1, 7, 1);
    p.drawLine(8, 2, 8, 7);
    p.drawLine(1, 1, 3, 0);  // left head
    p.drawLine(1, 1, 3, 2);
    p.drawLine(8, 8, 7, 6);  // bottom head
    p.drawLine(8, 8, 9, 6);
  } else {
    p.fillRect(4, 4, 6, 6, Qt::white);
    p.setPen(Qt::black);
    p.drawRect(4, 4, 5, 5);
    p.fillRect(0, 0, 6, 6, Qt::black);
  }
  return pm;
}

}  // namespace tintorb
