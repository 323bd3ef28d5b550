#include "platform/ui/QtDesktop.h"

#include <cstring>

#include "platform/picture/PictureFile.h"

#include <dlfcn.h>
#include <fontconfig/fontconfig.h>
#include <sys/sysinfo.h>

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPalette>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QUrl>
#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/ui/QtConvert.h"

namespace tintorb {

namespace {

// "Family [Foundry]" as Qt names a family that two foundries share.
QString FamilyKey(const QString& family) {
  QString name = family;
  const qsizetype bracket = name.indexOf(QLatin1String(" ["));
  if (bracket > 0 && name.endsWith(QLatin1Char(']'))) name.truncate(bracket);
  return name.toCaseFolded();
}

// Every family name that an installed font file carries, with the narrowest
// spacing among its faces (proportional when a face does not say).
std::map<QString, int> FontconfigFamilies() {
  std::map<QString, int> out;
  FcPattern* pattern = FcPatternCreate();
  FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, FC_SPACING, nullptr);
  FcFontSet* fonts = pattern && objects ? FcFontList(nullptr, pattern, objects) : nullptr;
  for (int i = 0; fonts && i < fonts->nfont; ++i) {
    int spacing = FC_PROPORTIONAL;
    FcPatternGetInteger(fonts->fonts[i], FC_SPACING, 0, &spacing);
    FcChar8* name = nullptr;
    for (int n = 0; FcPatternGetString(fonts->fonts[i], FC_FAMILY, n, &name) == FcResultMatch;
         ++n) {
      const QString key = QString::fromUtf8(reinterpret_cast<const char*>(name)).toCaseFolded();
      const auto [it, added] = out.emplace(key, spacing);
      if (!added) it->second = std::min(it->second, spacing);
    }
  }
  if (fonts) FcFontSetDestroy(fonts);
  if (objects) FcObjectSetDestroy(objects);
  if (pattern) FcPatternDestroy(pattern);
  return out;
}

QScreen* ScreenAtPoint(int x, int y) {
  QScreen* s = QGuiApplication::screenAt(QPoint(x, y));
  return s;
}

TColor Rgb(QRgb p) {
  return RGB(qRed(p), qGreen(p), qBlue(p));
}

}  // namespace

TColor TQtDesktop::ScreenPixel(int x, int y) {
  const auto px = ScreenRect(x, y, 1, 1);
  return px.empty() ? 0 : px.front();
}

std::vector<TColor> TQtDesktop::ScreenRect(int x, int y, int w, int h) {
  std::vector<TColor> out;
  if (w <= 0 || h <= 0) return out;
  out.assign(static_cast<size_t>(w) * static_cast<size_t>(h), 0);
  // The screen under the centre answers; pixels off every screen read black.
  QScreen* screen = ScreenAtPoint(x + w / 2, y + h / 2);
  if (!screen) return out;
  const QRect geo = screen->geometry();
  const QRect want(x, y, w, h);
  const QRect part = want.intersected(geo);
  if (part.isEmpty()) return out;
  const QImage img =
      screen->grabWindow(0, part.x() - geo.x(), part.y() - geo.y(), part.width(), part.height())
          .toImage()
          .convertToFormat(QImage::Format_RGB32);
  const int iw = std::min(img.width(), part.width());
  const int ih = std::min(img.height(), part.height());
  for (int j = 0; j < ih; ++j) {
    const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(j));
    const int oy = part.y() - y + j;
    for (int i = 0; i < iw; ++i) {
      const int ox = part.x() - x + i;
      out[static_cast<size_t>(oy) * w + ox] = Rgb(line[i]);
    }
  }
  return out;
}

TPoint TQtDesktop::CursorPos() {
  const QPoint p = QCursor::pos();
  return {p.x(), p.y()};
}

TColor PaletteSysColor(int index) {
  if (!qApp) return DefaultSysColor(index);
  const QPalette pal = QGuiApplication::palette();
  auto c = [&](QPalette::ColorRole role, QPalette::ColorGroup g = QPalette::Active) {
    return FromQColor(pal.color(g, role));
  };
  switch (index) {
    case 0:
      return c(QPalette::Button);  // scroll bar
    case 1:
      return c(QPalette::Dark);  // desktop
    case 2:
      return c(QPalette::Highlight);  // active caption
    case 3:
      return c(QPalette::Mid);  // inactive caption
    case 4:
      return c(QPalette::Window);  // menu
    case 5:
      return c(QPalette::Base);  // window
    case 6:
      return c(QPalette::Shadow);  // window frame
    case 7:
      return c(QPalette::WindowText);  // menu text
    case 8:
      return c(QPalette::Text);  // window text
    case 9:
      return c(QPalette::HighlightedText);  // caption text
    case 10:
      return c(QPalette::Window);  // active border
    case 11:
      return c(QPalette::Window);  // inactive border
    case 12:
      return c(QPalette::Dark);  // application workspace
    case 13:
      return c(QPalette::Highlight);
    case 14:
      return c(QPalette::HighlightedText);
    case 15:
      return c(QPalette::Button);  // button face
    case 16:
      return c(QPalette::Dark);  // button shadow
    case 17:
      return c(QPalette::Text, QPalette::Disabled);  // grey text
    case 18:
      return c(QPalette::ButtonText);
    case 19:
      return c(QPalette::WindowText, QPalette::Disabled);  // inactive caption text
    case 20:
      return c(QPalette::Light);  // button highlight
    case 21:
      return c(QPalette::Shadow);  // 3-D dark shadow
    case 22:
      return c(QPalette::Midlight);  // 3-D light
    case 23:
      return c(QPalette::ToolTipText);
    case 24:
      return c(QPalette::ToolTipBase);
    case 26:
      return c(QPalette::Link);  // hot-tracked item
    case 27:
      return c(QPalette::Highlight);  // active caption gradient
    case 28:
      return c(QPalette::Mid);  // inactive caption gradient
    default:
      return DefaultSysColor(index);
  }
}

TColor TQtDesktop::SysColor(int index) {
  return PaletteSysColor(index);
}

std::string TQtDesktop::ClipboardText() {
  return ToStd(QGuiApplication::clipboard()->text(QClipboard::Clipboard));
}

void TQtDesktop::SetClipboardText(const std::string& text) {
  QClipboard* cb = QGuiApplication::clipboard();
  cb->clear(QClipboard::Clipboard);
  cb->setText(ToQ(text), QClipboard::Clipboard);
}

std::optional<TPicture> TQtDesktop::ClipboardPicture() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
  if (!data || !data->hasImage()) return std::nullopt;
  const QImage image = SrgbPicture(qvariant_cast<QImage>(data->imageData()));
  if (image.isNull() || qint64(image.width()) * image.height() > kPictureMaxPixels)
    return std::nullopt;
  TPicture picture{image.width(), image.height(), {}};
  picture.pixels.resize(size_t(image.width()) * size_t(image.height()));
  for (int y = 0; y < image.height(); ++y)
    std::memcpy(picture.pixels.data() + size_t(y) * size_t(image.width()), image.constScanLine(y),
                size_t(image.width()) * 4);
  return picture;
}

void TQtDesktop::Beep() {
  QApplication::beep();
}

void TQtDesktop::OpenHelp(const std::string& path, std::function<void()> failed) {
  const QString p = ToQ(path);
  if (!QFileInfo(p).isFile()) return failed();
  const QUrl url = QUrl::fromLocalFile(p);
  const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
  if (opener.isEmpty()) {
    if (!QDesktopServices::openUrl(url)) failed();
    return;
  }
  // xdg-open tells of a missing browser only by its exit status. Unparented,
  // so that leaving the program does not end a browser it runs in foreground.
  auto* proc = new QProcess;
  proc->setProcessChannelMode(QProcess::ForwardedChannels);
  QObject::connect(proc, &QProcess::finished, proc,
                   [proc, failed](int code, QProcess::ExitStatus status) {
                     if (status != QProcess::NormalExit || code != 0) failed();
                     proc->deleteLater();
                   });
  QObject::connect(proc, &QProcess::errorOccurred, proc, [proc, failed](QProcess::ProcessError e) {
    if (e != QProcess::FailedToStart) return;
    failed();
    proc->deleteLater();
  });
  proc->start(opener, {url.toString()});
}

uint64_t TQtDesktop::PhysicalMemoryAvailable() {
  // MemAvailable counts reclaimable caches too, which is what "available" means.
  std::ifstream in("/proc/meminfo");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("MemAvailable:", 0) == 0) {
      std::istringstream ss(line.substr(13));
      uint64_t kb = 0;
      if (ss >> kb) return kb * 1024;
    }
  }
  struct sysinfo si {};
  if (sysinfo(&si) == 0) return static_cast<uint64_t>(si.freeram) * si.mem_unit;
  return 0;
}

std::vector<TFontFamilyInfo> TQtDesktop::FontFamilies() {
  std::vector<TFontFamilyInfo> out;
  const bool printer = PrinterExists();
  const std::map<QString, int> installed = FontconfigFamilies();
  for (const QString& family : QFontDatabase::families()) {
    if (QFontDatabase::isPrivateFamily(family)) continue;
    // Qt adds fontconfig's generic aliases (Serif, Sans Serif, Monospace) as
    // families of their own; only names that a font file carries are listed.
    const auto it = installed.find(FamilyKey(family));
    if (!installed.empty() && it == installed.end()) continue;
    TFontFamilyInfo f;
    f.name = ToStd(family);
    f.scalable = QFontDatabase::isScalable(family);
    const auto ws = QFontDatabase::writingSystems(family);
    f.japanese = ws.contains(QFontDatabase::Japanese);
    f.symbol = ws.contains(QFontDatabase::Symbol);
    // A "dual" width face (Japanese with half-width Latin) is fixed pitch too.
    f.fixedPitch =
        QFontDatabase::isFixedPitch(family) || (it != installed.end() && it->second >= FC_DUAL);
    // Printing goes through the same fonts as the screen here.
    f.printer = printer && f.scalable;
    f.screen = true;
    out.push_back(std::move(f));
  }
  return out;
}

bool TQtDesktop::PrinterExists() {
  // Asked of CUPS itself, loaded here: Qt's print support would be loaded at
  // every start for this one question. No CUPS, no printer.
  static void* const cups = ::dlopen("libcups.so.2", RTLD_LAZY | RTLD_LOCAL);
  if (!cups) return false;
  using TGetDests = int (*)(void** dests);
  using TFreeDests = void (*)(int count, void* dests);
  const auto getDests = reinterpret_cast<TGetDests>(::dlsym(cups, "cupsGetDests"));
  const auto freeDests = reinterpret_cast<TFreeDests>(::dlsym(cups, "cupsFreeDests"));
  if (!getDests || !freeDests) return false;
  void* dests = nullptr;
  const int count = getDests(&dests);
  freeDests(count, dests);
  return count > 0;
}

void InstallQtDesktop() {
  static TQtDesktop desktop;
  static TQtDialogs dialogs;
  InstallDesktop(&desktop);
  InstallDialogs(&dialogs);
  SetSysColorResolver(&PaletteSysColor);
  InstallFontSubstitutes();
}

}  // namespace tintorb
