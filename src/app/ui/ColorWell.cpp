#include "app/ui/ColorWell.h"

#include <QMouseEvent>
#include <QPainter>

#include "app/ui/ColorSheet.h"
#include "app/ui/ColorVisionView.h"
#include "app/ui/Icons.h"
#include "platform/ui/QtConvert.h"

namespace tintorb {

namespace {

QRect ToQRect(const TRect& r) {
  return QRect(r.left, r.top, r.Width(), r.Height());
}

// A 2-pixel white frame inside the edge, then a 1-pixel black one on it.
void FramedFill(QPainter& p, const TRect& rect, const QColor& fill) {
  const QRect r = ToQRect(rect);
  p.fillRect(r, fill);
  p.setBrush(Qt::NoBrush);
  p.setPen(Qt::white);
  p.drawRect(r.adjusted(0, 0, -1, -1));
  p.drawRect(r.adjusted(1, 1, -2, -2));
  p.setPen(Qt::black);
  p.drawRect(r.adjusted(0, 0, -1, -1));
}

}  // namespace

TColorWell::TColorWell(const TSheetHost& host, QWidget* parent) : QWidget(parent), host_(host) {
  setFixedSize(layout_.W, layout_.H);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TColorWell::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), ToQColor(clBtnFace));
  FramedFill(p, layout_.Back(), ShownQColor(host_.GetBackColor()));
  FramedFill(p, layout_.Fore(), ShownQColor(host_.GetForeColor()));
  p.drawPixmap(layout_.Swap().left, layout_.Swap().top, WellIcon(0));
  p.drawPixmap(layout_.Defaults().left, layout_.Defaults().top, WellIcon(1));
}

void TColorWell::mousePressEvent(QMouseEvent* event) {
  emit pressed(event->position().toPoint(), event->button());
}

TSwatchBar::TSwatchBar(const std::array<std::string, 10>& swatches, QWidget* parent)
    : QWidget(parent), swatches_(swatches) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TSwatchBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), ToQColor(clBtnFace));
  for (int box = 0; box < kSwatchCount; ++box) {
    const QRect r = ToQRect(SwatchBoxRect(box, height()));
    TColor c = 0;
    if (SwatchColor(swatches_[SwatchInBox(box)], c)) {
      p.fillRect(r, ShownQColor(c));
    } else {
      // Text that is not a colour: an empty, crossed box.
      p.setPen(QColor(128, 128, 128));
      p.drawRect(r.adjusted(0, 0, -1, -1));
      p.drawLine(r.topLeft(), r.bottomRight());
    }
  }
}

void TSwatchBar::mousePressEvent(QMouseEvent* event) {
  emit pressed(event->position().toPoint(), event->button());
}

}  // namespace tintorb
