#include "collections/ui/PalettePreview.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QVBoxLayout>
#include <filesystem>

#include "app/ui/ColorSheet.h"
#include "collections/PaletteFiles.h"
#include "collections/ui/DrawColorItem.h"
#include "core/ColorText.h"
#include "platform/Desktop.h"
#include "platform/picture/PictureFile.h"

namespace tintorb {

namespace {

constexpr int kRowHeight = 20;

QString Utf(const char* s) {
  return QString::fromUtf8(s);
}

QColor QtColor(TColor c) {
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// The shares side by side, each as wide as the part of the picture it covers.
class TShareStrip : public QWidget {
 public:
  TShareStrip(const TImagePalette& p, QWidget* parent) : QWidget(parent), FPalette(p) {
    setFixedHeight(28);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!FPalette.total) return;
    double x = 0;
    for (const auto& c : FPalette.colors) {
      const double w = width() * double(c.pixels) / double(FPalette.total);
      p.fillRect(QRectF(x, 0, w + 0.5, height()), QtColor(c.color));
      x += w;
    }
    p.setPen(Qt::black);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }

 private:
  const TImagePalette& FPalette;
};

// One list row per colour: swatch, code and share.
class TShareRows : public QWidget {
 public:
  TShareRows(const TImagePalette& p, QWidget* parent) : QWidget(parent), FPalette(p) {}
  void Refresh() {
    setFixedHeight(std::max(1, int(FPalette.colors.size())) * kRowHeight);
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    for (size_t i = 0; i < FPalette.colors.size(); ++i) {
      const auto& c = FPalette.colors[i];
      DrawColorItem(p, QRect(0, int(i) * kRowHeight, width(), kRowHeight), c.color,
                    QString::fromStdString(ShareText(c.pixels, FPalette.total)), {}, font());
    }
  }

 private:
  const TImagePalette& FPalette;
};

}  // namespace

TPalettePreview::TPalettePreview(TSheetHost& host, QImage picture, const std::string& path,
                                 QWidget* parent)
    : QWidget(parent, Qt::Window), FHost(host), FPicture(std::move(picture)) {
  setAttribute(Qt::WA_DeleteOnClose);
  FName = std::filesystem::path(path).stem().string();
  if (FName.empty()) FName = "画像";
  setWindowTitle(Utf("画像から配色を作る - ") +
                 QString::fromStdString(std::filesystem::path(path).filename().string()));

  auto* thumb = new QLabel(this);
  thumb->setPixmap(
      QPixmap::fromImage(FPicture.scaled(240, 180, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
  thumb->setFrameShape(QFrame::StyledPanel);
  spnCount = new QSpinBox(this);
  spnCount->setRange(kPaletteCountMin, kPaletteCountMax);
  spnCount->setValue(kPaletteCountDefault);
  auto* lblCount = new QLabel(Utf("色数(&N):"), this);
  lblCount->setBuddy(spnCount);
  auto* lblGroup = new QLabel(Utf("グループ名: ") + QString::fromStdString(FName), this);

  auto* side = new QVBoxLayout;
  auto* countRow = new QHBoxLayout;
  countRow->addWidget(lblCount);
  countRow->addWidget(spnCount);
  countRow->addStretch();
  side->addLayout(countRow);
  side->addWidget(lblGroup);
  side->addWidget(new QLabel(Utf("割合は画像全体に占める面積です。"), this));
  side->addStretch();
  auto* top = new QHBoxLayout;
  top->addWidget(thumb);
  top->addLayout(side, 1);

  FStrip = new TShareStrip(FPalette, this);
  auto* rows = new TShareRows(FPalette, this);
  FRows = rows;
  auto* scroll = new QScrollArea(this);
  scroll->setWidget(FRows);
  scroll->setWidgetResizable(true);
  scroll->setMinimumHeight(kRowHeight * 8 + 4);

  btnSave = new QPushButton(Utf("保存(&S)"), this);
  btnSave->setDefault(true);
  btnCancel = new QPushButton(Utf("キャンセル"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnSave);
  buttons->addWidget(btnCancel);

  auto* column = new QVBoxLayout(this);
  column->addLayout(top);
  column->addWidget(FStrip);
  column->addWidget(scroll, 1);
  column->addLayout(buttons);
  resize(460, 520);

  connect(spnCount, &QSpinBox::valueChanged, this, [this] { Recompute(); });
  connect(btnSave, &QPushButton::clicked, this, [this] { Save(); });
  connect(btnCancel, &QPushButton::clicked, this, &QWidget::close);
  Recompute();
}

void TPalettePreview::Recompute() {
  FPalette = PaletteFromPixels(PixelsOf(FPicture), spnCount->value());
  static_cast<TShareRows*>(FRows)->Refresh();
  FStrip->update();
  btnSave->setEnabled(!FPalette.colors.empty());
}

int TPalettePreview::Save() {
  TPaletteGroup group;
  group.name = FName;
  for (const auto& c : FPalette.colors)
    group.colors.Add(ColorToHex(c.color), ShareText(c.pixels, FPalette.total));
  const std::vector<int> added = AddPaletteGroups(FHost.GetFavorites(), {group});
  if (added.empty()) return -1;
  FHost.NotifyFavoritesChanged();
  close();
  return added.front();
}

TPalettePreview* ShowPalettePreview(TSheetHost& host, const std::string& path, QWidget* parent) {
  const TPictureRead read = ReadPicture(path);
  if (read.image.isNull()) {
    Dialogs().Error(PictureErrorText(path, read, true));
    return nullptr;
  }
  auto* w = new TPalettePreview(host, read.image, path, parent);
  w->show();
  return w;
}

void OpenPaletteFromPicture(TSheetHost& host, QWidget* parent) {
  TOpenFilesRequest request;
  request.title = "配色を作る画像を開く";
  request.filter = PictureFileFilter();
  const std::vector<std::string> paths = Dialogs().OpenFiles(request);
  if (!paths.empty()) ShowPalettePreview(host, paths.front(), parent);
}

}  // namespace tintorb
