#include "platform/ui/FontColorDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>

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

// The chooser finds the style by its name, and a regular face is not always
// called "Regular" ("Book", beside "Condensed" of the same weight): name the
// family's style nearest to the weight wanted with the same slant, the
// plainest (shortest) name among equals.
QString StyleNameFor(const QString& family, int weight, bool slanted) {
  QString best;
  int bestDistance = 0;
  for (const QString& style : QFontDatabase::styles(family)) {
    const QFont f = QFontDatabase::font(family, style, 12);
    if ((f.style() != QFont::StyleNormal) != slanted) continue;
    const int distance = std::abs(f.weight() - weight);
    if (best.isEmpty() || distance < bestDistance ||
        (distance == bestDistance && style.size() < best.size()))
      best = style, bestDistance = distance;
  }
  return best;
}

// The chooser embedded as a panel: what would end it (Esc, Return, a double
// click) ends the whole dialog instead of hiding the panel.
class TFontPanel : public QFontDialog {
 public:
  TFontPanel(const QFont& font, QDialog* outer) : QFontDialog(font, outer), outer_(outer) {}
  void done(int result) override { outer_->done(result); }

 protected:
  // Return in the chooser's boxes is OK; a dialog without buttons would drop it.
  void keyPressEvent(QKeyEvent* event) override {
    const bool plain = event->modifiers() == Qt::NoModifier ||
                       (event->modifiers() == Qt::KeypadModifier && event->key() == Qt::Key_Enter);
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
      done(QDialog::Accepted);
      return;
    }
    QFontDialog::keyPressEvent(event);
  }

 private:
  QDialog* outer_;
};

}  // namespace

TFontColorDialog::TFontColorDialog(const TFontSpec& preset, QWidget* parent)
    : QDialog(parent), preset_(preset) {
  setWindowTitle(QString::fromUtf8("フォント"));
  // A stored face may be a substitution name ("MS UI Gothic"), which the
  // chooser's list does not hold: preset it to the family actually drawn, in
  // points, as the chooser counts sizes.
  presetFamily_ = QFontInfo(FontSpecToQFont(preset)).family();
  QFont shown = FontSpecToQFont(preset);
  shown.setFamily(presetFamily_);
  shown.setPointSize(std::max(1, preset.size));
  shown.setStyleName(StyleNameFor(presetFamily_, shown.weight(), shown.italic()));
  fonts_ = new TFontPanel(shown, this);
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
  TFontSpec s = QFontToFontSpec(fonts_->currentFont(), colors_->currentData().toInt());
  // The family the preset stands for keeps the preset's own name.
  if (s.name == ToStd(presetFamily_)) s.name = preset_.name;
  return s;
}

}  // namespace tintorb
