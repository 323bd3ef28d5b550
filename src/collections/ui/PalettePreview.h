// 「画像から配色を作る...」: the dominant colours of a picture with their
// shares, shown before they are saved as a new favourites group.
#pragma once

#include <QImage>
#include <QWidget>
#include <string>

#include "core/ImagePalette.h"

class QLabel;
class QPushButton;
class QSpinBox;

namespace tintorb {

class TSheetHost;

class TPalettePreview : public QWidget {
  Q_OBJECT
 public:
  // `picture` is ARGB32 in sRGB; the group is named after `path`.
  TPalettePreview(TSheetHost& host, QImage picture, const std::string& path, QWidget* parent);

  const TImagePalette& Palette() const { return FPalette; }
  std::string GroupName() const { return FName; }
  // Adds the colours as a new group (a taken name gets a number), tells
  // the sheets and closes; the index of the group, -1 when refused.
  int Save();

  QSpinBox* spnCount;
  QPushButton* btnSave;
  QPushButton* btnCancel;

 private:
  void Recompute();

  TSheetHost& FHost;
  QImage FPicture;
  std::string FName;
  TImagePalette FPalette;
  QWidget* FStrip;
  QWidget* FRows;
};

// Asks for a picture file and opens its preview; a file that cannot be read
// is named in an error box.
void OpenPaletteFromPicture(TSheetHost& host, QWidget* parent);
// The same for a known file; null when it could not be read.
TPalettePreview* ShowPalettePreview(TSheetHost& host, const std::string& path, QWidget* parent);

}  // namespace tintorb
