#include "platform/ui/ScreenGrab.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <cmath>

namespace tintorb {

TDesktopFrame GrabDesktop() {
  TDesktopFrame f;
  const QList<QScreen*> screens = QGuiApplication::screens();
  for (QScreen* s : screens) f.desktop = f.desktop.united(s->geometry());
  if (screens.isEmpty() || f.desktop.isEmpty()) return f;
  if (screens.size() == 1) {
    f.image = screens.front()->grabWindow(0).toImage();
    return f;
  }
  // Several screens: each drawn at its place, at the first screen's scale.
  const qreal k = screens.front()->devicePixelRatio();
  f.image = QImage(int(std::lround(f.desktop.width() * k)),
                   int(std::lround(f.desktop.height() * k)), QImage::Format_RGB32);
  f.image.fill(Qt::black);
  QPainter p(&f.image);
  for (QScreen* s : screens) {
    const QRect g = s->geometry().translated(-f.desktop.topLeft());
    p.drawPixmap(QRectF(g.x() * k, g.y() * k, g.width() * k, g.height() * k), s->grabWindow(0),
                 QRectF());
  }
  return f;
}

}  // namespace tintorb
