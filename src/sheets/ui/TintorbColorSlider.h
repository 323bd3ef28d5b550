// The gradient slider control of the numeric colour sheets: a thin Qt face over
// TColorSliderModel, which computes the gradient and the composed picture.
#pragma once

#include <QImage>
#include <QWidget>

#include "sheets/ColorSlider.h"

namespace tintorb {

class TTintorbColorSlider : public QWidget {
  Q_OBJECT
 public:
  explicit TTintorbColorSlider(QWidget* parent = nullptr);

  bool Bevel() const { return model_.Bevel(); }
  void SetBevel(bool v) { model_.SetBevel(v); }
  TTintorbColorPanelStyle Style() const { return model_.Style(); }
  void SetStyle(TTintorbColorPanelStyle v) { model_.SetStyle(v); }
  TColor Color1() const { return model_.Color1(); }
  TColor Color2() const { return model_.Color2(); }
  TColor Color3() const { return model_.Color3(); }
  TColor Color4() const { return model_.Color4(); }
  void SetColor1(TColor c) { model_.SetColor1(c); }
  void SetColor2(TColor c) { model_.SetColor2(c); }
  void SetColor3(TColor c) { model_.SetColor3(c); }
  void SetColor4(TColor c) { model_.SetColor4(c); }
  bool WebSafe() const { return model_.WebSafe(); }
  void SetWebSafe(bool v) { model_.SetWebSafe(v); }

  int PositionX() const { return model_.PositionX(); }
  int PositionY() const { return model_.PositionY(); }
  void SetPositionX(int x) { model_.SetPositionX(x); }
  void SetPositionY(int y) { model_.SetPositionY(y); }
  TPoint RangeMin() const { return model_.RangeMin(); }
  TPoint RangeMax() const { return model_.RangeMax(); }
  void SetPositionRange(TPoint p, TPoint min, TPoint max) { model_.SetPositionRange(p, min, max); }

  THSV HSV() const { return model_.HSV(); }
  THLS HLS() const { return model_.HLS(); }
  TYUV YUV() const { return model_.YUV(); }
  void SetHSV(THSV v) { model_.SetHSV(v); }
  void SetHLS(THLS v) { model_.SetHLS(v); }
  void SetYUV(TYUV v) { model_.SetYUV(v); }

  const TColorSliderModel& Model() const { return model_; }

  // Composes the picture now (frame, stretched gradient, marker, border).
  void Compose();
  // The composed picture, composed first when something changed since.
  const QImage& Composition();

  QSize sizeHint() const override { return QSize(128, 20); }

 signals:
  // Every mouse step, and every real change made through a setter.
  void OnChange(TTintorbColorSlider* sender);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void SyncSize();
  void Drag(QMouseEvent* event);

  TColorSliderModel model_;
  TBitmap24 composed_;
  QImage image_;
  bool stale_ = true;
  int composedWith_ = -1;  // ShownFilterGeneration of the composed picture
  bool dragging_ = false;
};

}  // namespace tintorb
