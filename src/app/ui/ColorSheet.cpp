#include "app/ui/ColorSheet.h"

#include <QLineEdit>
#include <QPainter>
#include <QPixmap>

#include "platform/Desktop.h"

namespace tintorb {

TColorSheetForm::TColorSheetForm(TSheetHost& host, const QString& caption, QWidget* parent)
    : QWidget(parent), host_(host), caption_(caption) {
  setWindowTitle(caption);
}

QIcon TColorSheetForm::SheetIcon() const {
  // Fallback picture: a swatch with the caption's first letter.
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setPen(QColor(64, 64, 64));
  p.setBrush(QColor(230, 230, 230));
  p.drawRect(0, 0, 15, 15);
  p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, caption_.left(1));
  return QIcon(pm);
}

bool CheckEditRangeImpl(int lo, int hi, QLineEdit* edit) {
  bool ok = false;
  int value = edit->text().trimmed().toInt(&ok);
  if (!ok) value = 0;
  if (value >= lo && value <= hi) return false;
  const QString msg =
      QString::fromUtf8("%1 ～ %2 の範囲で入力してたも。\r近い方にしとくでおじゃる。")
          .arg(lo)
          .arg(hi);
  Dialogs().Error(msg.toStdString());
  edit->setText(QString::number(value < lo ? lo : hi));
  edit->setFocus();
  return true;
}

}  // namespace tintorb
