// The "RGB/CMYK" sheet: seven horizontal sliders with input boxes and up-down
// buttons, kept in step through the RGB-CMYK conversions.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <array>
#include <optional>
#include <string>

#include "app/ui/ColorSheet.h"
#include "sheets/NumberForms.h"
#include "sheets/ui/TintorbColorSlider.h"
#include "sheets/ui/UpDown.h"

namespace tintorb {

class TfrmRGB : public TColorSheetForm {
  Q_OBJECT
 public:
  explicit TfrmRGB(TSheetHost& host, QWidget* parent = nullptr);
  ~TfrmRGB() override;  // writes the "RGB" settings

  void ColorChanged(int kind) override;
  void WebSafeChanged() override;
  bool SheetMouseWheel(QWheelEvent* event) override;
  // Toolbar caption and picture, known before the sheet is built.
  static QString PageCaption() { return QString::fromUtf8("RGB/CMYK"); }
  static QIcon PageIcon();
  QIcon SheetIcon() const override { return PageIcon(); }

  TTintorbColorSlider *icsRed, *icsGreen, *icsBlue;
  TTintorbColorSlider *icsCyan, *icsMagenta, *icsYellow, *icsBlack;
  QLineEdit *edtRed, *edtGreen, *edtBlue;
  QLineEdit *edtCyan, *edtMagenta, *edtYellow, *edtBlack;
  TUpDown *updRed, *updGreen, *updBlue;
  TUpDown *updCyan, *updMagenta, *updYellow, *updBlack;
  QComboBox* ComboBox1;
  QLabel* Label1;
  QCheckBox* chkRealColor;

  QSize minimumSizeHint() const override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  // One row: R, G, B, C, M, Y, K in this order.
  struct TChannel {
    TTintorbColorSlider* slider;
    QLineEdit* edit;
    TUpDown* upDown;
  };

  TNumberForm NumberForm() const { return NumberFormOf(ComboBox1->currentIndex()); }
  const TChannel* ChannelOf(const QObject* control) const;
  bool IsRGB(const TChannel* ch) const { return ch < &channels_[3]; }

  TRGBRec SliderRGB() const;
  TCMYK SliderCMYK() const;
  void SetRGBPositions(TRGBRec rgb);
  void SetCMYKPositions(TCMYK cmyk);
  void WriteRGBEdits(TRGBRec rgb);
  void WriteCMYKEdits(TCMYK cmyk);
  TRGBRec Snap(TRGBRec rgb) const;

  void edtRedChange(QLineEdit* edit);
  void edtCyanChange(QLineEdit* edit);
  void edtRedExit(QLineEdit* edit);
  void edtRedKeyPress(QLineEdit* edit, QKeyEvent* event, bool& refused);
  void pnlRedChange(TTintorbColorSlider* moved);
  void pnlCyanChange(TTintorbColorSlider* moved);
  // `except` keeps its gradient; nullptr refreshes all seven.
  void UpdateSliderGradients(const TTintorbColorSlider* except, TRGBRec rgb, TCMYK cmyk);
  void chkRealColorClick();
  void ComboBox1Change();
  void updRedClick(TUpDown* sender, int step);
  bool FormMouseWheel(QPoint pt, int step);
  struct TMetrics {
    int editH = 0, editW = 0, updW = 16, comboW = 0;
    QSize combo;
  };
  TMetrics Metrics() const;
  void LayoutControls();

  std::array<TChannel, 7> channels_{};
  bool FUpdating = false;
};

}  // namespace tintorb
