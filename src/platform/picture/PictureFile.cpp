#include "platform/picture/PictureFile.h"

#include <QBuffer>
#include <QColorSpace>
#include <QColorTransform>
#include <QImageReader>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <mutex>

#include "core/PictureBytes.h"

namespace tintorb {

namespace {

namespace fs = std::filesystem;

// Decoders that report damage only as a warning.
std::string gWarnings;
QtMessageHandler gPrevious = nullptr;

void CollectWarning(QtMsgType type, const QMessageLogContext& ctx, const QString& msg) {
  if (type == QtWarningMsg || type == QtCriticalMsg) {
    gWarnings += msg.toStdString();
    gWarnings += '\n';
    return;
  }
  if (gPrevious) gPrevious(type, ctx, msg);
}

bool Damaged(const std::string& warnings) {
  for (const char* w : {"Premature end", "premature end", "Corrupt JPEG", "truncated", "Truncated",
                        "Failed to read", "Can not read"})
    if (warnings.find(w) != std::string::npos) return true;
  return false;
}

// Pictures tagged with sRGB's primaries and a plain 2.2 gamma (what many
// writers put in PNG gAMA/cHRM chunks) are meant as sRGB, and browsers show
// them so: converting would darken the shadows.
bool MeantAsSrgb(const QColorSpace& cs) {
  const auto tf = cs.transferFunction();
  QColorSpace ref;
  if (tf == QColorSpace::TransferFunction::SRgb)
    ref = QColorSpace(QColorSpace::SRgb);
  else if (tf == QColorSpace::TransferFunction::Gamma && std::abs(cs.gamma() - 2.2f) < 0.05f)
    ref = QColorSpace(QColorSpace::Primaries::SRgb, cs.gamma());
  else
    return false;
  // The primaries as written (rounded in the file) against sRGB's.
  const QColorTransform t = cs.transformationToColorSpace(ref);
  for (QRgb c : {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFF123456u}) {
    const QRgb m = t.map(c);
    if (std::abs(qRed(m) - qRed(c)) > 1 || std::abs(qGreen(m) - qGreen(c)) > 1 ||
        std::abs(qBlue(m) - qBlue(c)) > 1)
      return false;
  }
  return true;
}

std::string Size(const TPictureRead& r) {
  return std::to_string(r.width) + "x" + std::to_string(r.height);
}

}  // namespace

TPictureRead ReadPicture(const std::string& path) {
  TPictureRead out;
  std::error_code ec;
  const fs::file_status st = fs::status(path, ec);
  if (ec || !fs::exists(st)) return out.error = TPictureError::Missing, out;
  if (!fs::is_regular_file(st)) return out.error = TPictureError::NotRegular, out;
  const auto size = fs::file_size(path, ec);
  if (ec || size > uint64_t(kPictureMaxFileBytes))
    return out.error = TPictureError::FileTooLarge, out;

  QByteArray bytes;
  {
    std::ifstream in(path, std::ios::binary);
    bytes.resize(qsizetype(size));
    if (!in.read(bytes.data(), std::streamsize(size)))
      return out.error = TPictureError::Missing, out;
  }
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  // 16-bit formats decode to 8 bytes a pixel.
  QImageReader::setAllocationLimit(int(kPictureMaxPixels * 8 / 1'000'000));
  QImageReader reader(&buffer);
  reader.setDecideFormatFromContent(true);
  if (!reader.canRead()) return out.error = TPictureError::NotPicture, out;
  out.format = reader.format().toStdString();
  const QSize claimed = reader.size();
  out.width = claimed.width(), out.height = claimed.height();
  if (claimed.isValid() && qint64(claimed.width()) * claimed.height() > kPictureMaxPixels)
    return out.error = TPictureError::TooLarge, out;

  static std::mutex readers;  // the warning collector is process-wide
  std::lock_guard lock(readers);
  gWarnings.clear();
  gPrevious = qInstallMessageHandler(CollectWarning);
  QImage image = reader.read();
  qInstallMessageHandler(gPrevious);
  gPrevious = nullptr;
  if (image.isNull()) {
    out.error = claimed.isValid() ? TPictureError::Broken : TPictureError::NotPicture;
    return out;
  }
  if (Damaged(gWarnings) ||
      !PictureBytesComplete(out.format, std::string_view(bytes.constData(), size_t(size))))
    return out.error = TPictureError::Broken, out;
  out.width = image.width(), out.height = image.height();
  out.image = SrgbPicture(std::move(image));
  return out;
}

QImage SrgbPicture(QImage image) {
  if (image.isNull()) return image;
  if (image.format() != QImage::Format_ARGB32 && image.format() != QImage::Format_RGB32)
    image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                          : QImage::Format_RGB32);
  const QColorSpace cs = image.colorSpace();
  if (cs.isValid() && !MeantAsSrgb(cs)) image.convertToColorSpace(QColorSpace(QColorSpace::SRgb));
  image.setColorSpace(QColorSpace());
  return image;
}

std::string PictureErrorText(const std::string& path, const TPictureRead& r, bool ja) {
  const std::string q = ja ? "「" + path + "」" : "'" + path + "'";
  switch (r.error) {
    case TPictureError::None:
      return {};
    case TPictureError::Missing:
      return ja ? q + " を読めません。" : "cannot read " + q;
    case TPictureError::NotRegular:
      return ja ? q + " は普通のファイルではありません。" : q + " is not a regular file";
    case TPictureError::FileTooLarge:
      return ja ? q + " は大きすぎます (256 MB まで)。" : q + " is too large (over 256 MB)";
    case TPictureError::NotPicture:
      return ja ? q + " は読める画像ではありません (PNG、JPEG、WebP、GIF、BMP、TIFF)。"
                : q + " is not a picture Tintorb can read (PNG, JPEG, WebP, GIF, BMP, TIFF)";
    case TPictureError::TooLarge:
      return ja ? q + " は " + Size(r) + " 画素あり、大きすぎます (1 億画素まで)。"
                : q + " claims " + Size(r) + " pixels, over the limit of 100 megapixels";
    case TPictureError::Broken:
      return ja ? q + " は壊れているか、途中で切れています。"
                : q + " is damaged or cut off (" + r.format + ")";
  }
  return {};
}

TPixels PixelsOf(const QImage& image) {
  return {reinterpret_cast<const uint32_t*>(image.constBits()), image.width(), image.height(),
          ptrdiff_t(image.bytesPerLine() / 4)};
}

std::string PictureFileFilter() {
  return "画像|*.png;*.jpg;*.jpeg;*.webp;*.gif;*.bmp;*.tif;*.tiff|すべてのファイル|*.*";
}

}  // namespace tintorb
