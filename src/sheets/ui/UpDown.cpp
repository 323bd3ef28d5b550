#include "sheets/ui/UpDown.h"

namespace tintorb {

TUpDown::TUpDown(QWidget* parent) : QWidget(parent) {
  auto make = [this](Qt::ArrowType arrow, int step) {
    auto* b = new QToolButton(this);
    b->setArrowType(arrow);
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setIconSize(QSize(7, 7));
    connect(b, &QToolButton::clicked, this, [this, step] { emit Click(this, step); });
    return b;
  };
  up_ = make(Qt::UpArrow, +1);
  down_ = make(Qt::DownArrow, -1);
  resize(sizeHint());
}

void TUpDown::resizeEvent(QResizeEvent* event) {
  const int h = height(), top = h / 2;
  up_->setGeometry(0, 0, width(), top);
  down_->setGeometry(0, top, width(), h - top);
  QWidget::resizeEvent(event);
}

}  // namespace tintorb
