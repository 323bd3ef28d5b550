#include "collections/ui/DrawColorItem.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>

#include "app/ui/ColorVisionView.h"

namespace tintorb {

namespace {

QColor ToQColor(TColor c) {
  const TRGBRec rgb = ColorToRGBRec(c);
  return QColor(rgb.R, rgb.G, rgb.B);
}

// First installed family of `wanted`; else a Japanese family, preferring the
// requested pitch; else `wanted` itself and Qt's own substitution.
QString ResolveFace(const QString& wanted, bool fixedPitch) {
  const QStringList families = QFontDatabase::families();
  if (families.contains(wanted)) return wanted;
  QString anyJapanese;
  for (const QString& f : QFontDatabase::families(QFontDatabase::Japanese)) {
    if (QFontDatabase::isPrivateFamily(f)) continue;
    if (QFontDatabase::isFixedPitch(f) == fixedPitch) return f;
    if (anyJapanese.isEmpty()) anyJapanese = f;
  }
  return anyJapanese.isEmpty() ? wanted : anyJapanese;
}

}  // namespace

QString ColorItemCodeFace() {
  static const QString face = ResolveFace(QString::fromUtf8("ＭＳ ゴシック"), true);
  return face;
}

QString ColorItemNameFace() {
  static const QString face = ResolveFace(QStringLiteral("MS UI Gothic"), false);
  return face;
}

void DrawFocusFrame(QPainter& canvas, const QRect& rect) {
  if (rect.width() <= 0 || rect.height() <= 0) return;
  canvas.save();
  canvas.setCompositionMode(QPainter::RasterOp_NotDestination);
  canvas.setPen(QPen(Qt::black, 1));
  canvas.setRenderHint(QPainter::Antialiasing, false);
  const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
  // Walk the frame once so that corners are inverted once only.
  int n = 0;
  auto dot = [&](int x, int y) {
    if ((n++ & 1) == 0) canvas.drawPoint(x, y);
  };
  for (int x = l; x <= r; ++x) dot(x, t);
  for (int y = t + 1; y <= b; ++y) dot(r, y);
  if (b > t)
    for (int x = r - 1; x >= l; --x) dot(x, b);
  if (r > l)
    for (int y = b - 1; y > t; --y) dot(l, y);
  canvas.restore();
}

void DrawColorItem(QPainter& canvas, const QRect& rect, TColor color, const QString& name,
                   TOwnerDrawState state, const QFont& listFont) {
  // Edges as the row rectangle has them: right and bottom exclusive.
  const int left = rect.left(), top = rect.top();
  const int right = rect.left() + rect.width(), bottom = rect.top() + rect.height();

  // The code stays the real one; swatch and ink are drawn as seen.
  const TColor shown = ShownColor(color);
  canvas.save();
  canvas.fillRect(rect, Qt::white);
  const int swatchLeft = state.selected ? left + 1 : left + 16;
  const QRect swatch(QPoint(swatchLeft, top + 1), QPoint(right - 2, bottom - 2));
  if (swatch.isValid()) canvas.fillRect(swatch, ToQColor(shown));

  const QString code = QString::fromStdString(ColorToHex(color));
  canvas.setPen(ToQColor(ContrastTextColor(shown)));
  canvas.setBrush(Qt::NoBrush);
  QFont font = listFont;
  font.setBold(true);
  const int h = QFontMetrics(font).height();  // height of "|" in the list's bold font
  const int y = top + (bottom - top - h) / 2;

  font.setFamily(ColorItemCodeFace());
  canvas.setFont(font);
  canvas.drawText(left + 20, y + QFontMetrics(font).ascent(), code);

  if (!name.isEmpty()) {
    font.setFamily(ColorItemNameFace());
    canvas.setFont(font);
    const QFontMetrics fm(font);
    const int w = fm.horizontalAdvance(code);
    const int x = right - 5 - fm.horizontalAdvance(name);
    const QRect clip(QPoint(left + 20 + w + 8, top + 1), QPoint(right - 2, bottom - 2));
    if (clip.isValid()) {
      canvas.setClipRect(clip);
      canvas.drawText(x, y + fm.ascent(), name);
      canvas.setClipping(false);
    }
  }
  canvas.restore();

  if (state.selected || state.focused) DrawFocusFrame(canvas, rect);
}

}  // namespace tintorb
