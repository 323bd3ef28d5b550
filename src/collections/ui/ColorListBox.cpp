#include "collections/ui/ColorListBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace tintorb {

TColorListBox::TColorListBox(QWidget* parent) : QAbstractScrollArea(parent) {
  setFocusPolicy(Qt::StrongFocus);
  setFrameShape(QFrame::StyledPanel);
  QPalette pal = viewport()->palette();
  pal.setColor(QPalette::Base, Qt::white);
  pal.setColor(QPalette::Window, Qt::white);
  viewport()->setPalette(pal);
  viewport()->setAutoFillBackground(true);
  viewport()->setBackgroundRole(QPalette::Base);
  UpdateScrollBars();
}

void TColorListBox::SetBackground(const QColor& color) {
  QPalette pal = viewport()->palette();
  pal.setColor(QPalette::Base, color);
  pal.setColor(QPalette::Window, color);
  viewport()->setPalette(pal);
  viewport()->update();
}

void TColorListBox::SetCount(int count) {
  count_ = std::max(0, count);
  if (itemIndex_ >= count_) itemIndex_ = -1;
  UpdateScrollBars();
  viewport()->update();
}

void TColorListBox::SetItemIndex(int index) {
  if (index < -1 || index >= count_) index = -1;
  itemIndex_ = index;
  if (index >= 0) EnsureVisible(index);
  viewport()->update();
}

void TColorListBox::SetItemHeight(int height) {
  itemHeight_ = std::max(1, height);
  UpdateScrollBars();
  viewport()->update();
}

void TColorListBox::SetColumns(int columns) {
  columns_ = std::max(0, columns);
  UpdateScrollBars();
  viewport()->update();
}

int TColorListBox::RowsPerColumn() const {
  return std::max(1, viewport()->height() / itemHeight_);
}

int TColorListBox::ColumnWidth() const {
  return columns_ > 0 ? std::max(1, viewport()->width() / columns_) : viewport()->width();
}

int TColorListBox::TopIndex() const {
  if (columns_ > 0) return horizontalScrollBar()->value() * RowsPerColumn();
  return verticalScrollBar()->value();
}

QRect TColorListBox::ItemRect(int index) const {
  if (columns_ > 0) {
    const int rows = RowsPerColumn();
    const int col = index / rows - horizontalScrollBar()->value();
    return QRect(col * ColumnWidth(), (index % rows) * itemHeight_, ColumnWidth(), itemHeight_);
  }
  return QRect(0, (index - verticalScrollBar()->value()) * itemHeight_, viewport()->width(),
               itemHeight_);
}

int TColorListBox::ItemAtPos(const QPoint& p) const {
  if (p.x() < 0 || p.y() < 0 || p.x() >= viewport()->width()) return -1;
  int index;
  if (columns_ > 0) {
    const int rows = RowsPerColumn();
    const int row = p.y() / itemHeight_;
    if (row >= rows) return -1;
    index = (p.x() / ColumnWidth() + horizontalScrollBar()->value()) * rows + row;
  } else {
    index = p.y() / itemHeight_ + verticalScrollBar()->value();
  }
  return index < count_ ? index : -1;
}

void TColorListBox::UpdateScrollBars() {
  if (columns_ > 0) {
    const int rows = RowsPerColumn();
    const int totalCols = (count_ + rows - 1) / rows;
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    verticalScrollBar()->setRange(0, 0);
    horizontalScrollBar()->setRange(0, std::max(0, totalCols - columns_));
    horizontalScrollBar()->setPageStep(columns_);
  } else {
    const int visible = std::max(1, viewport()->height() / itemHeight_);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    horizontalScrollBar()->setRange(0, 0);
    verticalScrollBar()->setRange(0, std::max(0, count_ - visible));
    verticalScrollBar()->setPageStep(visible);
    verticalScrollBar()->setSingleStep(1);
  }
}

void TColorListBox::EnsureVisible(int index) {
  if (index < 0 || index >= count_) return;
  if (columns_ > 0) {
    const int col = index / RowsPerColumn();
    QScrollBar* sb = horizontalScrollBar();
    if (col < sb->value()) sb->setValue(col);
    if (col >= sb->value() + columns_) sb->setValue(col - columns_ + 1);
  } else {
    const int visible = std::max(1, viewport()->height() / itemHeight_);
    QScrollBar* sb = verticalScrollBar();
    if (index < sb->value()) sb->setValue(index);
    if (index >= sb->value() + visible) sb->setValue(index - visible + 1);
  }
}

void TColorListBox::paintEvent(QPaintEvent* event) {
  QPainter p(viewport());
  p.fillRect(event->rect(), viewport()->palette().color(QPalette::Base));
  if (!OnDrawItem) return;
  if (OnPaintBegin) OnPaintBegin();
  const bool focus = hasFocus();
  for (int i = TopIndex(); i < count_; ++i) {
    const QRect r = ItemRect(i);
    if (columns_ > 0) {
      if (r.left() >= viewport()->width()) break;
    } else if (r.top() >= viewport()->height()) {
      break;
    }
    if (!r.intersects(event->rect())) continue;
    TOwnerDrawState state;
    state.selected = i == itemIndex_;
    state.focused = focus && i == itemIndex_;
    OnDrawItem(p, r, i, state);
  }
  if (OnPaintEnd) OnPaintEnd();
}

void TColorListBox::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
  if (OnResize) OnResize();
}

void TColorListBox::scrollContentsBy(int, int) {
  viewport()->update();
}

void TColorListBox::SelectByUser(int index) {
  if (index < 0 || index >= count_) return;
  itemIndex_ = index;
  EnsureVisible(index);
  viewport()->update();
  if (OnClick) OnClick();
}

void TColorListBox::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);
  const QPoint pos = event->position().toPoint();
  // As a list box does: only the left button moves the selection.
  if (event->button() == Qt::LeftButton) {
    const int index = ItemAtPos(pos);
    if (index >= 0) SelectByUser(index);
  }
  if (OnMouseDown) OnMouseDown(event->button(), pos);
  event->accept();
}

void TColorListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double click is a press like any other.
  mousePressEvent(event);
}

void TColorListBox::keyPressEvent(QKeyEvent* event) {
  if (count_ == 0) {
    QAbstractScrollArea::keyPressEvent(event);
    return;
  }
  const int cur = itemIndex_;
  const int page =
      columns_ > 0 ? RowsPerColumn() * columns_ : std::max(1, viewport()->height() / itemHeight_);
  const int across = columns_ > 0 ? RowsPerColumn() : 0;
  int next = cur;
  switch (event->key()) {
    case Qt::Key_Up:
      next = cur < 0 ? 0 : cur - 1;
      break;
    case Qt::Key_Down:
      next = cur < 0 ? 0 : cur + 1;
      break;
    case Qt::Key_Left:
      if (!across) return QAbstractScrollArea::keyPressEvent(event);
      next = cur < 0 ? 0 : cur - across;
      break;
    case Qt::Key_Right:
      if (!across) return QAbstractScrollArea::keyPressEvent(event);
      next = cur < 0 ? 0 : cur + across;
      break;
    case Qt::Key_PageUp:
      next = cur < 0 ? 0 : cur - page;
      break;
    case Qt::Key_PageDown:
      next = cur < 0 ? 0 : cur + page;
      break;
    case Qt::Key_Home:
      next = 0;
      break;
    case Qt::Key_End:
      next = count_ - 1;
      break;
    default:
      QAbstractScrollArea::keyPressEvent(event);
      return;
  }
  next = std::clamp(next, 0, count_ - 1);
  event->accept();
  if (next != cur) SelectByUser(next);
}

void TColorListBox::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update();
}

void TColorListBox::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  viewport()->update();
}

}  // namespace tintorb
