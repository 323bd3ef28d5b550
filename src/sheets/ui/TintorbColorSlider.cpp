#include "sheets/ui/TintorbColorSlider.h"

#include <QMouseEvent>
#include <QPainter>

#include "app/ui/ColorVisionView.h"

namespace tintorb {

namespace {
TColor ToTColor(const QColor& c) {
  return RGB(c.red(), c.green(), c.blue());
}
}  // namespace

TTintorbColorSlider::TTintorbColorSlider(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  model_.OnRedraw = [this] {
    // Composition waits for the paint, so a burst of property changes or
    // mouse steps composes once.
    stale_ = true;
    update();
  };
  model_.OnChange = [this] { emit OnChange(this); };
  resize(128, 20);
  model_.SetSize(128, 20);
}

void TTintorbColorSlider::SyncSize() {
  if (model_.Width() != width() || model_.Height() != height()) model_.SetSize(width(), height());
}

void TTintorbColorSlider::Compose() {
  SyncSize();
  // The gradient as seen under the colour-vision simulation; the model keeps
  // the real colours.
  composedWith_ = ShownFilterGeneration();
  model_.SetShownFilter(&ShownFilter(), composedWith_);
  // Windows' button shadow and highlight are the palette's Dark and Light.
  model_.Compose(composed_, ToTColor(palette().color(QPalette::Dark)),
                 ToTColor(palette().color(QPalette::Light)));
  image_ = QImage(composed_.bits.data(), composed_.width, composed_.height, composed_.width * 3,
                  QImage::Format_RGB888);
  stale_ = false;
}

const QImage& TTintorbColorSlider::Composition() {
  if (stale_ || composedWith_ != ShownFilterGeneration() || model_.Width() != width() ||
      model_.Height() != height())
    Compose();
  return image_;
}

void TTintorbColorSlider::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, Composition());
}

void TTintorbColorSlider::resizeEvent(QResizeEvent* event) {
  SyncSize();
  QWidget::resizeEvent(event);
}

void TTintorbColorSlider::Drag(QMouseEvent* event) {
  const QPoint pt = event->position().toPoint();
  model_.MouseDrag(pt.x(), pt.y());
}

void TTintorbColorSlider::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  SyncSize();
  dragging_ = true;
  grabMouse();
  Drag(event);
}

void TTintorbColorSlider::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_ && (event->buttons() & Qt::LeftButton)) Drag(event);
}

void TTintorbColorSlider::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !dragging_) return;
  dragging_ = false;
  releaseMouse();
}

void TTintorbColorSlider::hideEvent(QHideEvent* event) {
  if (dragging_) {
    dragging_ = false;
    releaseMouse();
  }
  QWidget::hideEvent(event);
}

}  // namespace tintorb
