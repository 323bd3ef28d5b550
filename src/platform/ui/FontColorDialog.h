// The font dialog with a colour choice beside the effects, as the preview's
// font is chosen with its colour.
#pragma once

#include <QDialog>

#include "platform/Desktop.h"

class QComboBox;
class QFontDialog;

namespace tintorb {

class TFontColorDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TFontColorDialog(const TFontSpec& preset, QWidget* parent = nullptr);
  TFontSpec Selected() const;

  QFontDialog* FontPanel() const { return fonts_; }
  QComboBox* ColorBox() const { return colors_; }

 private:
  QFontDialog* fonts_;
  QComboBox* colors_;
  TFontSpec preset_;
  QString presetFamily_;  // the family the preset face is drawn with
};

}  // namespace tintorb
