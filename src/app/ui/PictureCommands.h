// Pictures in the main window: 「画像から色を取る...」 and 「画像から配色を作る...」
// in the File menu, a picture file dropped on the window, and an image on
// the clipboard pasted; each picture opens in the pick window.
#pragma once

#include <QObject>
#include <string>

class QAction;

namespace tintorb {

class TForm1;

class TPictureCommands : public QObject {
  Q_OBJECT
 public:
  explicit TPictureCommands(TForm1& form);

  // Opens the clipboard's image in the pick window; false when it holds none.
  bool PasteImage();
  // Reads the file and opens it in the pick window; a failure is named in an
  // error box.
  void PickFromFile(const std::string& path);

  QAction* actPickFromPicture;
  QAction* actPaletteFromPicture;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TForm1& FForm;
};

}  // namespace tintorb
