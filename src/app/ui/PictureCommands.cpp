#include "app/ui/PictureCommands.h"

#include <QAction>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <cstring>

#include "app/ui/MainForm.h"
#include "app/ui/PickController.h"
#include "collections/ui/PalettePreview.h"
#include "platform/Desktop.h"
#include "platform/picture/PictureFile.h"

namespace tintorb {

TPictureCommands::TPictureCommands(TForm1& form) : QObject(&form), FForm(form) {
  actPickFromPicture = new QAction(QString::fromUtf8("画像から色を取る(&G)..."), this);
  actPaletteFromPicture = new QAction(QString::fromUtf8("画像から配色を作る(&M)..."), this);
  connect(actPickFromPicture, &QAction::triggered, this, [this] {
    TOpenFilesRequest request;
    request.title = "色を取る画像を開く";
    request.filter = PictureFileFilter();
    const std::vector<std::string> paths = Dialogs().OpenFiles(request);
    if (!paths.empty()) PickFromFile(paths.front());
  });
  connect(actPaletteFromPicture, &QAction::triggered, this,
          [this] { OpenPaletteFromPicture(FForm, &FForm); });
  // After the canvas, before help.
  QAction* before = FForm.actHelp;
  FForm.mnuFile->insertAction(before, actPickFromPicture);
  FForm.mnuFile->insertAction(before, actPaletteFromPicture);
  FForm.mnuFile->insertSeparator(before);
  FForm.setAcceptDrops(true);
  FForm.installEventFilter(this);
}

bool TPictureCommands::PasteImage() {
  std::optional<TPicture> picture = Desktop().ClipboardPicture();
  if (!picture || picture->width <= 0 || picture->height <= 0) return false;
  QImage image(picture->width, picture->height, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y)
    std::memcpy(image.scanLine(y), picture->pixels.data() + size_t(y) * size_t(picture->width),
                size_t(picture->width) * 4);
  FForm.Pick()->OpenPicture(std::move(image));
  return true;
}

void TPictureCommands::PickFromFile(const std::string& path) {
  const TPictureRead read = ReadPicture(path);
  if (read.image.isNull()) return Dialogs().Error(PictureErrorText(path, read, true));
  FForm.Pick()->OpenPicture(read.image);
}

bool TPictureCommands::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &FForm) return false;
  const QEvent::Type t = event->type();
  if (t != QEvent::DragEnter && t != QEvent::DragMove && t != QEvent::Drop) return false;
  auto* drop = static_cast<QDropEvent*>(event);
  const QList<QUrl> urls = drop->mimeData()->urls();
  if (urls.isEmpty() || !urls.front().isLocalFile()) {
    drop->ignore();
    return true;
  }
  drop->setDropAction(Qt::CopyAction);
  drop->accept();
  if (t == QEvent::Drop) PickFromFile(urls.front().toLocalFile().toStdString());
  return true;
}

}  // namespace tintorb
