// A virtual owner-drawn list box: rows of fixed height painted by a callback,
// one selected row, optionally several columns running top to bottom. Only
// the visible rows are painted, so the row count costs nothing.
#pragma once

#include <QAbstractScrollArea>
#include <functional>

#include "collections/ui/DrawColorItem.h"

namespace tintorb {

class TColorListBox : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit TColorListBox(QWidget* parent = nullptr);

  int Count() const { return count_; }
  void SetCount(int count);  // keeps the selection when it is still a row
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index);  // -1 clears; raises no click
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int height);
  // 0: one column as wide as the list; n > 0: n columns across the client width.
  int Columns() const { return columns_; }
  void SetColumns(int columns);

  int ItemAtPos(const QPoint& viewportPos) const;  // -1 over empty space
  QRect ItemRect(int index) const;                 // in viewport coordinates
  int TopIndex() const;
  void Repaint() { viewport()->update(); }
  // The colour of the area that no row covers (white unless set).
  void SetBackground(const QColor& color);

  // Row painting; `rect` is the row in viewport coordinates.
  std::function<void(QPainter&, const QRect& rect, int index, TOwnerDrawState state)> OnDrawItem;
  // The selection was changed by the user (left press or keys).
  std::function<void()> OnClick;
  // Any button pressed over the list (after a left press has selected).
  std::function<void(Qt::MouseButton button, const QPoint& viewportPos)> OnMouseDown;
  // Around each paint of the rows (for painters that budget their time per frame).
  std::function<void()> OnPaintBegin;
  std::function<void()> OnPaintEnd;
  // The client area has a new size (the scroll bars are already updated).
  std::function<void()> OnResize;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  int RowsPerColumn() const;
  int ColumnWidth() const;
  void UpdateScrollBars();
  void EnsureVisible(int index);
  void SelectByUser(int index);

  int count_ = 0;
  int itemIndex_ = -1;
  int itemHeight_ = 20;
  int columns_ = 0;
};

}  // namespace tintorb
