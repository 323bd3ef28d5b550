// The colour well PaintBox1 and the swatch bar pntSwatch of the main window.
// Both paint what the main window holds and report presses back to it.
#pragma once

#include <QWidget>
#include <array>
#include <string>

#include "app/ColorWellLayout.h"

namespace tintorb {

class TSheetHost;

class TColorWell : public QWidget {
  Q_OBJECT
 public:
  TColorWell(const TSheetHost& host, QWidget* parent);
  const TColorWellLayout& Layout() const { return layout_; }

 signals:
  void pressed(QPoint pos, Qt::MouseButton button);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  const TSheetHost& host_;
  TColorWellLayout layout_;
};

class TSwatchBar : public QWidget {
  Q_OBJECT
 public:
  TSwatchBar(const std::array<std::string, 10>& swatches, QWidget* parent);

 signals:
  void pressed(QPoint pos, Qt::MouseButton button);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  const std::array<std::string, 10>& swatches_;
};

}  // namespace tintorb
