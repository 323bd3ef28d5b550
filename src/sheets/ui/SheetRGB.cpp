#include "sheets/ui/SheetRGB.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QShowEvent>
#include <QWheelEvent>
#include <algorithm>

#include "app/IniFile.h"
#include "platform/Desktop.h"
#include "sheets/UpdateLock.h"
#include "sheets/ui/KeyFilter.h"
#include "sheets/ui/SheetIcons.h"

namespace tintorb {

namespace {

const char* const kSection = "RGB";

// (Color1, Color2) of each slider while the gradients do not follow the colour.
constexpr TColor kDefaultGradients[7][2] = {
    {clBlack, 0x0000FF}, {clBlack, 0x00FF00}, {clBlack, 0xFF0000}, {clWhite, 0xFFFF00},
    {clWhite, 0xFF00FF}, {clWhite, 0x00FFFF}, {clWhite, clBlack},
};

}  // namespace

TfrmRGB::TfrmRGB(TSheetHost& host, QWidget* parent) : TColorSheetForm(host, PageCaption(), parent) {
  for (int i = 0; i < 7; ++i) {
    TChannel& ch = channels_[i];
    ch.slider = new TTintorbColorSlider(this);
    ch.slider->SetStyle(TTintorbColorPanelStyle::cpsHorizontal);
    ch.slider->SetPositionRange({0, 0}, {0, 0}, {255, 255});
    ch.slider->SetColor1(kDefaultGradients[i][0]);
    ch.slider->SetColor2(kDefaultGradients[i][1]);
    ch.edit = new QLineEdit(QStringLiteral("0"), this);
    ch.edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    ch.edit->installEventFilter(this);
    ch.upDown = new TUpDown(this);

    connect(ch.slider, &TTintorbColorSlider::OnChange, this, [this, i](TTintorbColorSlider* s) {
      if (i < 3)
        pnlRedChange(s);
      else
        pnlCyanChange(s);
    });
    connect(ch.edit, &QLineEdit::textChanged, this, [this, i] {
      if (i < 3)
        edtRedChange(channels_[i].edit);
      else
        edtCyanChange(channels_[i].edit);
    });
    connect(ch.upDown, &TUpDown::Click, this, &TfrmRGB::updRedClick);
  }
  icsRed = channels_[0].slider, icsGreen = channels_[1].slider, icsBlue = channels_[2].slider;
  icsCyan = channels_[3].slider, icsMagenta = channels_[4].slider;
  icsYellow = channels_[5].slider, icsBlack = channels_[6].slider;
  edtRed = channels_[0].edit, edtGreen = channels_[1].edit, edtBlue = channels_[2].edit;
  edtCyan = channels_[3].edit, edtMagenta = channels_[4].edit;
  edtYellow = channels_[5].edit, edtBlack = channels_[6].edit;
  updRed = channels_[0].upDown, updGreen = channels_[1].upDown, updBlue = channels_[2].upDown;
  updCyan = channels_[3].upDown, updMagenta = channels_[4].upDown;
  updYellow = channels_[5].upDown, updBlack = channels_[6].upDown;

  ComboBox1 = new QComboBox(this);
  ComboBox1->addItems(
      {QString::fromUtf8("10進"), QString::fromUtf8("16進"), QString::fromUtf8("%")});
  Label1 = new QLabel(QString::fromUtf8("数値の表示形式:"), this);
  Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  chkRealColor = new QCheckBox(QString::fromUtf8("現在の色でグラデーション"), this);

  resize(400, 300);
  LayoutControls();

  TIniGT& ini = GetSettingsFile();
  int valueType = ini.ReadInteger(kSection, "ValueType", 0);
  // An unknown form would leave the box without a selection; it reads as decimal.
  if (valueType < 0 || valueType >= ComboBox1->count()) valueType = 0;
  ComboBox1->setCurrentIndex(valueType);
  ComboBox1Change();
  connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { ComboBox1Change(); });
  chkRealColor->setChecked(ini.ReadBool(kSection, "RealColor", false));
  connect(chkRealColor, &QCheckBox::toggled, this, [this] { chkRealColorClick(); });
  chkRealColorClick();
}

TfrmRGB::~TfrmRGB() {
  TIniGT& ini = GetSettingsFile();
  ini.WriteInteger(kSection, "ValueType", ComboBox1->currentIndex());
  ini.WriteBool(kSection, "RealColor", chkRealColor->isChecked());
}

// ------------------------------------------------------------------ helpers

QIcon TfrmRGB::PageIcon() {
  return RGBSheetIcon();
}

const TfrmRGB::TChannel* TfrmRGB::ChannelOf(const QObject* control) const {
  for (const TChannel& ch : channels_)
    if (ch.slider == control || ch.edit == control || ch.upDown == control) return &ch;
  return nullptr;
}

TRGBRec TfrmRGB::SliderRGB() const {
  return MakeRGB(uint8_t(icsRed->PositionX()), uint8_t(icsGreen->PositionX()),
                 uint8_t(icsBlue->PositionX()));
}

TCMYK TfrmRGB::SliderCMYK() const {
  return MakeCMYK(uint8_t(icsCyan->PositionX()), uint8_t(icsMagenta->PositionX()),
                  uint8_t(icsYellow->PositionX()), uint8_t(icsBlack->PositionX()));
}

void TfrmRGB::SetRGBPositions(TRGBRec c) {
  icsRed->SetPositionX(c.R);
  icsGreen->SetPositionX(c.G);
  icsBlue->SetPositionX(c.B);
}

void TfrmRGB::SetCMYKPositions(TCMYK c) {
  icsCyan->SetPositionX(c.C);
  icsMagenta->SetPositionX(c.M);
  icsYellow->SetPositionX(c.Y);
  icsBlack->SetPositionX(c.K);
}

void TfrmRGB::WriteRGBEdits(TRGBRec c) {
  const TNumberForm f = NumberForm();
  edtRed->setText(QString::fromStdString(FormatValue(f, c.R)));
  edtGreen->setText(QString::fromStdString(FormatValue(f, c.G)));
  edtBlue->setText(QString::fromStdString(FormatValue(f, c.B)));
}

void TfrmRGB::WriteCMYKEdits(TCMYK c) {
  const TNumberForm f = NumberForm();
  edtCyan->setText(QString::fromStdString(FormatValue(f, c.C)));
  edtMagenta->setText(QString::fromStdString(FormatValue(f, c.M)));
  edtYellow->setText(QString::fromStdString(FormatValue(f, c.Y)));
  edtBlack->setText(QString::fromStdString(FormatValue(f, c.K)));
}

TRGBRec TfrmRGB::Snap(TRGBRec c) const {
  return IsWebSafe() ? WebSafeRGB(c) : c;
}

// ------------------------------------------------------------ sheet protocol

void TfrmRGB::ColorChanged(int kind) {
  if (kind != 0 && kind != 2) return;
  TUpdateLock lock(FUpdating, TUpdateLock::kForce);
  const TRGBRec rgb = ColorToRGBRec(GetForeColor());
  SetRGBPositions(rgb);
  WriteRGBEdits(rgb);
  const TCMYK cmyk = RGBToCMYK(rgb);
  SetCMYKPositions(cmyk);
  WriteCMYKEdits(cmyk);
  // Activation comes after the show event has drawn the gradients for the
  // old positions; draw them again through the colour now shown.
  if (kind == 2) chkRealColorClick();
}

void TfrmRGB::WebSafeChanged() {
  const bool webSafe = IsWebSafe();
  for (TChannel& ch : channels_) ch.slider->SetWebSafe(webSafe);
  TUpdateLock lock(FUpdating, TUpdateLock::kForce);
  if (webSafe) {
    const TColor c = GetForeColor();
    WriteRGBEdits(ColorToRGBRec(c));
    WriteCMYKEdits(ColorToCMYK(c));
  } else {
    WriteRGBEdits(SliderRGB());
    WriteCMYKEdits(SliderCMYK());
  }
}

// ------------------------------------------------------------------ edits

void TfrmRGB::edtRedChange(QLineEdit* edit) {
  std::optional<std::string> error;
  {
    TUpdateLock lock(FUpdating);
    if (!lock) return;
    try {
      const int v = ParseValue(NumberForm(), edit->text().toStdString());
      ChannelOf(edit)->slider->SetPositionX(v);
    } catch (const EConvertError& e) {
      error = e.what();
    }
    if (!error) {
      const TRGBRec rgb = Snap(SliderRGB());
      const TCMYK cmyk = RGBToCMYK(rgb);
      SetCMYKPositions(cmyk);
      WriteCMYKEdits(cmyk);
      SetForeColor(RGBToColor(rgb));
    }
  }
  // Reported once the lock is free, as the application's handler would.
  if (error) Dialogs().Error(*error);
}

void TfrmRGB::edtCyanChange(QLineEdit* edit) {
  std::optional<std::string> error;
  {
    TUpdateLock lock(FUpdating);
    if (!lock) return;
    try {
      const int v = ParseValue(NumberForm(), edit->text().toStdString());
      ChannelOf(edit)->slider->SetPositionX(v);
    } catch (const EConvertError& e) {
      error = e.what();
    }
    if (!error) {
      const TRGBRec rgb = Snap(CMYKToRGB(SliderCMYK()));
      SetRGBPositions(rgb);
      WriteRGBEdits(rgb);
      SetForeColor(RGBToColor(rgb));
    }
  }
  if (error) Dialogs().Error(*error);
}

void TfrmRGB::edtRedExit(QLineEdit* edit) {
  CheckEditRange(0, NumberForm() == TNumberForm::nfPercent ? 100 : 255, edit);
}

void TfrmRGB::edtRedKeyPress(QLineEdit*, QKeyEvent* event, bool& refused) {
  const TNumberForm form = NumberForm();
  refused = RefusesKey(*event, [form](char32_t ch) { return AcceptsKey(form, ch); });
  if (refused) Desktop().Beep();
}

bool TfrmRGB::eventFilter(QObject* watched, QEvent* event) {
  const TChannel* ch = ChannelOf(watched);
  if (ch && watched == ch->edit) {
    if (event->type() == QEvent::KeyPress) {
      bool refused = false;
      edtRedKeyPress(ch->edit, static_cast<QKeyEvent*>(event), refused);
      if (refused) return true;
    } else if (event->type() == QEvent::FocusOut) {
      if (LeavesBox(*static_cast<QFocusEvent*>(event))) edtRedExit(ch->edit);
    }
  }
  return TColorSheetForm::eventFilter(watched, event);
}

// ---------------------------------------------------------------- sliders

void TfrmRGB::pnlRedChange(TTintorbColorSlider* moved) {
  TUpdateLock lock(FUpdating);
  if (!lock) return;
  TRGBRec rgb = SliderRGB();
  if (chkRealColor->isChecked()) UpdateSliderGradients(moved, rgb, RGBToCMYK(rgb));
  rgb = Snap(rgb);
  WriteRGBEdits(rgb);
  const TCMYK cmyk = RGBToCMYK(rgb);
  SetCMYKPositions(cmyk);
  WriteCMYKEdits(cmyk);
  SetForeColor(RGBToColor(rgb));
}

void TfrmRGB::pnlCyanChange(TTintorbColorSlider* moved) {
  TUpdateLock lock(FUpdating);
  if (!lock) return;
  const TCMYK cmyk = SliderCMYK();
  TRGBRec rgb = CMYKToRGB(cmyk);
  if (chkRealColor->isChecked()) UpdateSliderGradients(moved, rgb, cmyk);
  rgb = Snap(rgb);
  SetRGBPositions(rgb);
  WriteRGBEdits(rgb);
  WriteCMYKEdits(cmyk);
  SetForeColor(RGBToColor(rgb));
}

void TfrmRGB::UpdateSliderGradients(const TTintorbColorSlider* except, TRGBRec c, TCMYK k) {
  auto set = [except](TTintorbColorSlider* s, TColor from, TColor to) {
    if (s == except) return;
    s->SetColor1(from);
    s->SetColor2(to);
  };
  set(icsRed, RGB(0, c.G, c.B), RGB(255, c.G, c.B));
  set(icsGreen, RGB(c.R, 0, c.B), RGB(c.R, 255, c.B));
  set(icsBlue, RGB(c.R, c.G, 0), RGB(c.R, c.G, 255));
  set(icsCyan, CMYKToColor(MakeCMYK(0, k.M, k.Y, k.K)), CMYKToColor(MakeCMYK(255, k.M, k.Y, k.K)));
  set(icsMagenta, CMYKToColor(MakeCMYK(k.C, 0, k.Y, k.K)),
      CMYKToColor(MakeCMYK(k.C, 255, k.Y, k.K)));
  set(icsYellow, CMYKToColor(MakeCMYK(k.C, k.M, 0, k.K)),
      CMYKToColor(MakeCMYK(k.C, k.M, 255, k.K)));
  set(icsBlack, CMYKToColor(MakeCMYK(k.C, k.M, k.Y, 0)), CMYKToColor(MakeCMYK(k.C, k.M, k.Y, 255)));
}

void TfrmRGB::chkRealColorClick() {
  if (chkRealColor->isChecked()) {
    UpdateSliderGradients(nullptr, SliderRGB(), SliderCMYK());
    return;
  }
  for (int i = 0; i < 7; ++i) {
    channels_[i].slider->SetColor1(kDefaultGradients[i][0]);
    channels_[i].slider->SetColor2(kDefaultGradients[i][1]);
  }
}

// ------------------------------------------------- number form, steps, wheel

void TfrmRGB::ComboBox1Change() {
  TUpdateLock lock(FUpdating, TUpdateLock::kForce);
  const int maxLength = MaxValueLength(NumberForm());
  for (TChannel& ch : channels_) ch.edit->setMaxLength(maxLength);
  const TRGBRec rgb = Snap(SliderRGB());
  WriteRGBEdits(rgb);
  WriteCMYKEdits(RGBToCMYK(rgb));
}

void TfrmRGB::updRedClick(TUpDown* sender, int step) {
  const TChannel* ch = ChannelOf(sender);
  if (!ch) return;
  const int pos = UpDownPosition(NumberForm(), IsWebSafe(), ch->slider->PositionX(), step);
  ch->slider->SetPositionX(pos);  // its change notification does the rest
}

bool TfrmRGB::FormMouseWheel(QPoint pt, int step) {
  auto over = [pt](int first, int last, const std::array<TChannel, 7>& chs) {
    for (int i = first; i <= last; ++i)
      if (chs[i].slider->geometry().contains(pt)) return true;
    return false;
  };
  // A wheel step moves several components at once, so every gradient may
  // change: all seven are refreshed.
  if (over(0, 2, channels_)) {
    const TRGBRec rgb = ShiftRGB(7, step, SliderRGB());
    {
      TUpdateLock lock(FUpdating, TUpdateLock::kForce);
      SetRGBPositions(rgb);
    }
    pnlRedChange(nullptr);
    return true;
  }
  if (over(3, 6, channels_)) {
    const TCMYK cmyk = ShiftCMYK(SliderCMYK(), 15, step);
    {
      TUpdateLock lock(FUpdating, TUpdateLock::kForce);
      SetCMYKPositions(cmyk);
    }
    pnlCyanChange(nullptr);
    return true;
  }
  return false;
}

bool TfrmRGB::SheetMouseWheel(QWheelEvent* event) {
  const QPoint pt = mapFromGlobal(event->globalPosition().toPoint());
  const int dy = event->angleDelta().y();
  return FormMouseWheel(pt, dy > 0 ? 1 : (dy < 0 ? -1 : 0));
}

void TfrmRGB::wheelEvent(QWheelEvent* event) {
  if (SheetMouseWheel(event))
    event->accept();
  else
    event->ignore();
}

// ------------------------------------------------------------- show, layout

void TfrmRGB::showEvent(QShowEvent* event) {
  TColorSheetForm::showEvent(event);
  if (!event->spontaneous()) chkRealColorClick();
}

void TfrmRGB::resizeEvent(QResizeEvent* event) {
  TColorSheetForm::resizeEvent(event);
  LayoutControls();
}

TfrmRGB::TMetrics TfrmRGB::Metrics() const {
  TMetrics m;
  m.editH = edtRed->sizeHint().height();
  m.editW = edtRed->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 14;
  m.combo = ComboBox1->sizeHint();
  m.comboW = std::max(m.editW + m.updW, m.combo.width());
  return m;
}

// Everything LayoutControls places, whole, beside sliders of some use.
QSize TfrmRGB::minimumSizeHint() const {
  constexpr int kLeastSlider = 32;
  const TMetrics m = Metrics();
  const QSize check = chkRealColor->sizeHint();
  const int w =
      std::max({8 + kLeastSlider + 8 + m.editW + m.updW + 8,
                8 + Label1->sizeHint().width() + 8 + m.comboW + 8, 8 + check.width() + 8});
  const int h = 8 + 7 * (m.editH + 4) + 8 + 8 + m.combo.height() + 8 + check.height() + 8;
  return QSize(w, h);
}

void TfrmRGB::LayoutControls() {
  const int W = width();
  const TMetrics m = Metrics();
  const int editH = m.editH, editW = m.editW, updW = m.updW;
  const int updX = W - 8 - updW, editX = updX - editW;
  const int sliderW = std::max(0, editX - 8 - 8);
  int y = 8;
  for (int i = 0; i < 7; ++i) {
    if (i == 3) y += 8;  // gap between the RGB and the CMYK group
    channels_[i].slider->setGeometry(8, y, sliderW, editH);
    channels_[i].edit->setGeometry(editX, y, editW, editH);
    channels_[i].upDown->setGeometry(updX, y, updW, editH);
    y += editH + 4;
  }
  y += 8;
  const QSize comboHint = m.combo;
  const int comboW = m.comboW;
  const int comboX = W - 8 - comboW;
  ComboBox1->setGeometry(comboX, y, comboW, comboHint.height());
  const int labelW = Label1->sizeHint().width();
  Label1->setGeometry(comboX - 8 - labelW, y, labelW, comboHint.height());
  y += comboHint.height() + 8;
  chkRealColor->setGeometry(QRect(QPoint(8, y), chkRealColor->sizeHint()));
}

}  // namespace tintorb
