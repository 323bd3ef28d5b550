#include "sheets/ui/ModelSheet.h"

#include <QShowEvent>
#include <QWheelEvent>
#include <algorithm>
#include <optional>
#include <string>

#include "app/IniFile.h"
#include "platform/Desktop.h"
#include "sheets/NumberForms.h"
#include "sheets/UpdateLock.h"
#include "sheets/ui/KeyFilter.h"
#include "sheets/ui/SheetIcons.h"

namespace tintorb {

namespace {
constexpr int kBarWidth = 22;
constexpr int kUpDownWidth = 16;
}  // namespace

TModelSheet::TModelSheet(TSheetHost& host, const QString& caption, const TShape& shape,
                         QWidget* parent)
    : TColorSheetForm(host, caption, parent), shape_(shape) {
  field_ = new TTintorbColorSlider(this);
  field_->SetStyle(shape.fieldStyle);
  bar_ = new TTintorbColorSlider(this);
  bar_->SetStyle(shape.barStyle);
  bar_->resize(kBarWidth, bar_->height());
  field_->move(4, 4);
  bar_->move(4, 4);
  for (TTintorbColorSlider* s : {field_, bar_})
    connect(s, &TTintorbColorSlider::OnChange, this, &TModelSheet::SliderChange);

  pnlParam = new QWidget(this);
  pnlParam->move(0, 4);
  for (int i = 0; i < 3; ++i) {
    const TComponent& c = shape.components[i];
    TRow& row = rows_[i];
    row.caption = new QLabel(QString::fromUtf8(c.caption), pnlParam);
    row.edit = new QLineEdit(QStringLiteral("0"), pnlParam);
    row.edit->setMaxLength(c.maxLength);
    row.edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    row.edit->installEventFilter(this);
    connect(row.edit, &QLineEdit::textChanged, this, [this, i] { EditChange(i); });
    row.upDown = new TUpDown(pnlParam);
    connect(row.upDown, &TUpDown::Click, this, &TModelSheet::UpDownClick);
    if (c.unit || c.percent) {
      row.unit = new QLabel(QString::fromUtf8(c.unit ? c.unit : "%"), pnlParam);
      if (!c.unit) row.unit->setVisible(false);
    }
  }
  if (shape.settingsSection) {
    chkPercent = new QCheckBox(QString::fromUtf8("% 表示(&P)"), pnlParam);
    chkPercent->setChecked(GetSettingsFile().ReadBool(shape.settingsSection, "Percent", false));
    for (int i = 0; i < 3; ++i)
      if (shape.components[i].percent) rows_[i].unit->setVisible(chkPercent->isChecked());
    connect(chkPercent, &QCheckBox::toggled, this, [this] { chkPercentClick(); });
  }
  LayoutParamPanel();
  resize(420, 270);
  FormResize();
}

TModelSheet::~TModelSheet() {
  if (shape_.settingsSection)
    GetSettingsFile().WriteBool(shape_.settingsSection, "Percent", chkPercent->isChecked());
}

QIcon TModelSheet::SheetIcon() const {
  return FieldAndBarIcon(shape_.fieldStyle, shape_.barStyle);
}

int TModelSheet::RowOf(const QObject* control) const {
  for (int i = 0; i < 3; ++i)
    if (rows_[i].edit == control || rows_[i].upDown == control) return i;
  return -1;
}

TModelSheet::TValues TModelSheet::ReadSliders() const {
  const TValues onField = shape_.model.record(*field_), onBar = shape_.model.record(*bar_);
  TValues v{};
  for (int i = 0; i < 3; ++i) v[i] = shape_.components[i].onBar ? onBar[i] : onField[i];
  return v;
}

void TModelSheet::ShowValues(const TValues& v) {
  for (int i = 0; i < 3; ++i)
    rows_[i].edit->setText(QString::number(ShownAsPercent(i) ? ToPercent(v[i]) : v[i]));
}

void TModelSheet::SetBoth(const TValues& v) {
  TTintorbColorSlider* first = shape_.barFirst ? bar_ : field_;
  TTintorbColorSlider* second = shape_.barFirst ? field_ : bar_;
  shape_.model.setRecord(*first, v);
  shape_.model.setRecord(*second, v);
}

// ------------------------------------------------------------ sheet protocol

void TModelSheet::ColorChanged(int kind) {
  if (kind != 0 && kind != 2) return;
  const TValues v = shape_.model.fromColor(GetForeColor());
  TUpdateLock lock(FUpdating, TUpdateLock::kForce);
  SetBoth(v);
  ShowValues(v);
}

void TModelSheet::WebSafeChanged() {
  field_->SetWebSafe(IsWebSafe());
  bar_->SetWebSafe(IsWebSafe());
  TUpdateLock lock(FUpdating);
  if (!lock) return;
  ShowValues(shape_.webSafeShowsColour ? shape_.model.fromColor(GetForeColor()) : ReadSliders());
}

// ------------------------------------------------------------------ handlers

void TModelSheet::SliderChange(TTintorbColorSlider* moved) {
  TUpdateLock lock(FUpdating);
  if (!lock) return;
  const TValues v = ReadSliders();
  // The other slider repaints around the new value.
  shape_.model.setRecord(moved == bar_ ? *field_ : *bar_, v);
  ShowValues(v);
  SetForeColor(shape_.model.toColor(v));
}

void TModelSheet::EditChange(int i) {
  std::optional<std::string> error;
  {
    TUpdateLock lock(FUpdating);
    if (!lock) return;
    TValues v = ReadSliders();
    try {
      const int t = StrToInt(rows_[i].edit->text().toStdString());
      // Kept as typed (the record cuts it to its width) until the box is left.
      v[i] = ShownAsPercent(i) ? int(int64_t(t) * 255 / 100) : t;
    } catch (const EConvertError& e) {
      error = e.what();
    }
    if (!error) {
      shape_.model.setRecord(*Holder(i), v);
      SetForeColor(shape_.model.toColor(ReadSliders()));
    }
  }
  if (error) Dialogs().Error(*error);
}

void TModelSheet::EditExit(int i) {
  const TComponent& c = shape_.components[i];
  CheckEditRange(c.lo, ShownAsPercent(i) ? 100 : c.hi, rows_[i].edit);
}

bool TModelSheet::EditKeyPress(QKeyEvent* event) {
  if (!shape_.digitsOnly) return false;
  if (!RefusesKey(*event, [](char32_t ch) { return ch >= '0' && ch <= '9'; })) return false;
  Desktop().Beep();
  return true;
}

bool TModelSheet::eventFilter(QObject* watched, QEvent* event) {
  const int i = RowOf(watched);
  if (i >= 0 && watched == rows_[i].edit) {
    if (event->type() == QEvent::KeyPress && EditKeyPress(static_cast<QKeyEvent*>(event)))
      return true;
    if (event->type() == QEvent::FocusOut && LeavesBox(*static_cast<QFocusEvent*>(event)))
      EditExit(i);
  }
  return TColorSheetForm::eventFilter(watched, event);
}

void TModelSheet::chkPercentClick() {
  {
    TUpdateLock lock(FUpdating);
    if (lock) ShowValues(ReadSliders());
  }
  for (int i = 0; i < 3; ++i)
    if (shape_.components[i].percent) rows_[i].unit->setVisible(chkPercent->isChecked());
  LayoutParamPanel();
}

void TModelSheet::UpDownClick(TUpDown* sender, int step) {
  const int i = RowOf(sender);
  if (i < 0) return;
  if (ShownAsPercent(i)) step *= 3;  // one percent of 255, rounded
  // The slider whose position moves reports it, and that sends the colour.
  SetBoth(shape_.model.shift(ReadSliders(), i, step));
}

bool TModelSheet::FormMouseWheel(QPoint pt, int step) {
  if (!field_->geometry().contains(pt)) return false;
  const TValues v = shape_.model.shift(shape_.model.record(*bar_), shape_.wheelComponent,
                                       step * shape_.wheelAway);
  shape_.model.setRecord(*bar_, v);
  return true;
}

bool TModelSheet::SheetMouseWheel(QWheelEvent* event) {
  const QPoint pt = mapFromGlobal(event->globalPosition().toPoint());
  const int dy = event->angleDelta().y();
  return FormMouseWheel(pt, dy > 0 ? 1 : (dy < 0 ? -1 : 0));
}

void TModelSheet::wheelEvent(QWheelEvent* event) {
  if (SheetMouseWheel(event))
    event->accept();
  else
    event->ignore();
}

// ------------------------------------------------------------------ layout

void TModelSheet::showEvent(QShowEvent* event) {
  TColorSheetForm::showEvent(event);
  FormResize();
}

void TModelSheet::resizeEvent(QResizeEvent* event) {
  TColorSheetForm::resizeEvent(event);
  FormResize();
}

// The parameter panel whole, beside a field of some use.
QSize TModelSheet::minimumSizeHint() const {
  constexpr int kLeastField = 32;
  return QSize(4 + kLeastField + 4 + bar_->width() + 8 + pnlParam->width() + 4,
               4 + std::max(kLeastField, pnlParam->height()) + 4);
}

void TModelSheet::FormResize() {
  const int room = width() - pnlParam->width() - bar_->width() - 20;
  int w = std::min(room, shape_.fieldMaxWidth);
  int h = std::min(height() - 8, shape_.fieldMaxHeight);
  if (shape_.squareField) w = h = std::min(w, h);
  w = std::max(w, 0), h = std::max(h, 0);
  field_->setGeometry(4, 4, w, h);
  bar_->setGeometry(field_->x() + w + 4, 4, bar_->width(), h);
  pnlParam->move(bar_->x() + bar_->width() + 8, 4);
}

void TModelSheet::LayoutParamPanel() {
  const int editH = rows_[0].edit->sizeHint().height();
  const int editW = rows_[0].edit->fontMetrics().horizontalAdvance(QStringLiteral("-0000")) + 12;
  int y = 0, right = 0;
  for (TRow& row : rows_) {
    const QSize lh = row.caption->sizeHint();
    row.caption->setGeometry(0, y, lh.width(), lh.height());
    right = std::max(right, lh.width());
    y += lh.height() + 2;
    row.edit->setGeometry(0, y, editW, editH);
    row.upDown->setGeometry(editW, y, kUpDownWidth, editH);
    int x = editW + kUpDownWidth;
    if (row.unit) {
      const int uw = row.unit->sizeHint().width();
      row.unit->setGeometry(x + 2, y, uw, editH);
      x += 2 + uw;
    }
    right = std::max(right, x);
    y += editH + 8;
  }
  if (chkPercent) {
    const QSize ch = chkPercent->sizeHint();
    chkPercent->setGeometry(0, y, ch.width(), ch.height());
    right = std::max(right, ch.width());
    y += ch.height();
  }
  pnlParam->resize(right, y);
}

}  // namespace tintorb
