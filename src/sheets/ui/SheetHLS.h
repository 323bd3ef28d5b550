// The "HLS" sheet: hue/saturation field, lightness bar and the H, L, S boxes.
#pragma once

#include "sheets/ui/ModelSheet.h"

namespace tintorb {

class TfrmHLS : public TModelSheet {
  Q_OBJECT
 public:
  explicit TfrmHLS(TSheetHost& host, QWidget* parent = nullptr);
  // Toolbar caption and picture, known before the sheet is built.
  static QString PageCaption() { return QStringLiteral("HLS"); }
  static QIcon PageIcon();

  THLS ReadSliderHLS() const;

  TTintorbColorSlider *icsHS, *icsLightness;
  QLineEdit *edtHue, *edtLightness, *edtSaturation;
  TUpDown *updHue, *updLightness, *updSaturation;
  QLabel *Label4, *Label6, *Label5, *Label1, *lblPercent1, *lblPercent2;
};

}  // namespace tintorb
