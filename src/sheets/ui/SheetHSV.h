// The "HSV" sheet: saturation/value field, hue bar and the H, S, V boxes.
#pragma once

#include "sheets/ui/ModelSheet.h"

namespace tintorb {

class TfrmHSV : public TModelSheet {
  Q_OBJECT
 public:
  explicit TfrmHSV(TSheetHost& host, QWidget* parent = nullptr);
  // Toolbar caption and picture, known before the sheet is built.
  static QString PageCaption() { return QStringLiteral("HSV"); }
  static QIcon PageIcon();

  THSV ReadSliderHSV() const;

  TTintorbColorSlider *icsSV, *icsHue;
  QLineEdit *edtHue, *edtSaturation, *edtValue;
  TUpDown *updHue, *updSaturation, *updValue;
  QLabel *Label4, *Label5, *Label6, *Label1, *lblPercent1, *lblPercent2;
};

}  // namespace tintorb
