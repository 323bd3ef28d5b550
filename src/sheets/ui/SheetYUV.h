// The "YUV" sheet: U/V field, Y bar and the Y, U, V boxes.
#pragma once

#include "sheets/ui/ModelSheet.h"

namespace tintorb {

class TfrmYUV : public TModelSheet {
  Q_OBJECT
 public:
  explicit TfrmYUV(TSheetHost& host, QWidget* parent = nullptr);
  // Toolbar caption and picture, known before the sheet is built.
  static QString PageCaption() { return QStringLiteral("YUV"); }
  static QIcon PageIcon();

  TYUV ReadSliderYUV() const;

  TTintorbColorSlider *icsUV, *icsY;
  QLineEdit *edtY, *edtU, *edtV;
  TUpDown *updY, *updU, *updV;
  QLabel *Label4, *Label6, *Label5;
};

}  // namespace tintorb
