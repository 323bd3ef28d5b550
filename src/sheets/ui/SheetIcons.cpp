#include "sheets/ui/SheetIcons.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace tintorb {

namespace {

// The slider's gradient at model resolution, stretched into `target`.
void PaintGradient(QPainter& p, const QRect& target, TTintorbColorPanelStyle style,
                   TColor c1 = clBlack, TColor c2 = clWhite) {
  // Every setter rebuilds the gradient: the values go in while the style is
  // still the one-row default, so the full field is built once, by the style.
  TColorSliderModel m;
  m.SetGradientResolution(target.width(), target.height());
  m.SetColor1(c1);
  m.SetColor2(c2);
  m.SetHSV(MakeHSV(0, 255, 255));
  m.SetHLS(MakeHLS(0, 128, 255));
  m.SetYUV(MakeYUV(160, 0, 0));
  m.SetStyle(style);
  const TBitmap24& g = m.Gradient();
  const QImage img(g.bits.data(), g.width, g.height, g.width * 3, QImage::Format_RGB888);
  p.drawImage(target, img);
}

QIcon Finish(QPixmap& pm) {
  QPainter p(&pm);
  p.setPen(QColor(64, 64, 64));
  p.setBrush(Qt::NoBrush);
  p.drawRect(0, 0, 15, 15);
  return QIcon(pm);
}

}  // namespace

QIcon FieldAndBarIcon(TTintorbColorPanelStyle field, TTintorbColorPanelStyle bar) {
  QPixmap pm(16, 16);
  pm.fill(Qt::white);
  {
    QPainter p(&pm);
    PaintGradient(p, QRect(1, 1, 10, 14), field);
    PaintGradient(p, QRect(12, 1, 3, 14), bar);
  }
  return Finish(pm);
}

QIcon RGBSheetIcon() {
  QPixmap pm(16, 16);
  pm.fill(Qt::white);
  {
    QPainter p(&pm);
    const TColor ends[3] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)};
    for (int i = 0; i < 3; ++i)
      PaintGradient(p, QRect(1, 1 + i * 5, 14, i == 2 ? 4 : 5),
                    TTintorbColorPanelStyle::cpsHorizontal, clBlack, ends[i]);
  }
  return Finish(pm);
}

}  // namespace tintorb
