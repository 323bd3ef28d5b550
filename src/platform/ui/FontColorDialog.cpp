#include "platform/ui/FontColorDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ui/QtConvert.h"

namespace tintorb {

namespace {

struct NamedColour {
  TColor color;
  const char* name;
};

// The sixteen colours a font colour is usually chosen from.
constexpr NamedColour kFontColours[] = {
    {0x000000, "黒"},       {0x000080, "マルーン"}, {0x008000, "緑"},       {0x008080, "オリーブ"},
    {0x800000, "ネイビー"}, {0x800080, "紫"},       {0x808000, "ティール"}, {0x808080, "灰色"},
    {0xC0C0C0, "シルバー"}, {0x0000FF, "赤"},       {0x00FF00, "ライム"},   {0x00FFFF, "黄"},
    {0xFF0000, "青"},       {0xFF00FF, "フクシャ"}, {0xFFFF00, "アクア"},   {0xFFFFFF, "白"},
};

QIcon SwatchIcon(TColor c) {
  QPixmap pm(16, 12);
  pm.fill(ToQColor(c));
  QPainter p(&pm);
  p.setPen(Qt::black);
  p.drawRect(0, 0, 15, 11);
  return QIcon(pm);
}

}  // namespace

TFontColorDialog::TFontColorDialog(const TFontSpec& preset, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QString::fromUtf8("フォント"));
  fonts_ = new QFontDialog(FontSpecToQFont(preset), this);
  fonts_->setWindowFlags(Qt::Widget);
  fonts_->setOptions(QFontDialog::NoButtons | QFontDialog::ScalableFonts);

  colors_ = new QComboBox(this);
  int current = -1;
  for (const auto& nc : kFontColours) {
    colors_->addItem(SwatchIcon(nc.color), QString::fromUtf8(nc.name), QVariant(nc.color));
    if (nc.color == (ResolveColor(preset.color))) current = colors_->count() - 1;
  }
  if (current < 0) {
    colors_->addItem(SwatchIcon(preset.color), ToQ(ColorToHex(preset.color)),
                     QVariant(ResolveColor(preset.color)));
    current = colors_->count() - 1;
  }
  colors_->setCurrentIndex(current);

  auto* colourRow = new QHBoxLayout;
  auto* label = new QLabel(QString::fromUtf8("色(&C):"), this);
  label->setBuddy(colors_);
  colourRow->addWidget(label);
  colourRow->addWidget(colors_);
  colourRow->addStretch(1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText("OK");
  buttons->button(QDialogButtonBox::Cancel)->setText(QString::fromUtf8("キャンセル"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(fonts_);
  layout->addLayout(colourRow);
  layout->addWidget(buttons);
}

TFontSpec TFontColorDialog::Selected() const {
  return QFontToFontSpec(fonts_->currentFont(), colors_->currentData().toInt());
}

}  // namespace tintorb
