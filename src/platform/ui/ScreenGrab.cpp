#include "platform/ui/ScreenGrab.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace tintorb {

namespace {

// The root window's pixels straight from the X server, which also gives the
// background of a root window (a wallpaper set on it), where a copy of the
// window reads black. Null unless the server sends 32-bit pixels in the byte
// order of a 32-bit RGB image.
QImage GrabRoot() {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t* c = x11 ? x11->connection() : nullptr;
  if (!c) return {};
  const xcb_setup_t* setup = xcb_get_setup(c);
  const xcb_screen_t* screen = xcb_setup_roots_iterator(setup).data;
  if (!screen || setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST) return {};
  const int w = screen->width_in_pixels, h = screen->height_in_pixels;
  xcb_get_image_reply_t* reply =
      xcb_get_image_reply(c,
                          xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root, 0, 0,
                                        uint16_t(w), uint16_t(h), ~0u),
                          nullptr);
  QImage out;
  if (reply && reply->depth >= 24 && xcb_get_image_data_length(reply) == w * h * 4) {
    out = QImage(w, h, QImage::Format_RGB32);
    const uint8_t* data = xcb_get_image_data(reply);
    for (int y = 0; y < h; ++y)
      std::memcpy(out.scanLine(y), data + size_t(y) * w * 4, size_t(w) * 4);
  }
  std::free(reply);
  return out;
}

}  // namespace

TDesktopFrame GrabDesktop() {
  TDesktopFrame f;
  const QList<QScreen*> screens = QGuiApplication::screens();
  for (QScreen* s : screens) f.desktop = f.desktop.united(s->geometry());
  if (screens.isEmpty() || f.desktop.isEmpty()) return f;
  if (QGuiApplication::platformName() == QLatin1String("xcb")) {
    f.image = GrabRoot();
    if (!f.image.isNull()) return f;
  }
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
