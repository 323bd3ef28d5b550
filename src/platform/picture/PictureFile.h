// Picture files and clipboard images for picking and palettes: decoded by
// Qt's image readers within a memory bound, converted to sRGB.
#pragma once

#include <QImage>
#include <string>

#include "core/ImagePalette.h"

namespace tintorb {

// Pictures larger than this are refused from their header, before any pixel
// is decoded (400 MB as 32-bit pixels).
inline constexpr long long kPictureMaxPixels = 100'000'000;
// Files larger than this are not read at all.
inline constexpr long long kPictureMaxFileBytes = 256ll << 20;

enum class TPictureError { None, Missing, NotRegular, FileTooLarge, NotPicture, TooLarge, Broken };

struct TPictureRead {
  QImage image;  // ARGB32, sRGB; null on error
  TPictureError error = TPictureError::None;
  int width = 0, height = 0;  // what the header claims
  std::string format;         // "png", "jpeg", ...
};

// Reads the first frame of a picture file. Anything wrong leaves `image`
// null with the reason.
TPictureRead ReadPicture(const std::string& path);

// An image as picked and clustered: its colour profile applied (sRGB out),
// 32-bit ARGB. A null image stays null.
QImage SrgbPicture(QImage image);

// The message for a failed read, naming the file; Japanese for the window,
// English for the command line.
std::string PictureErrorText(const std::string& path, const TPictureRead& read, bool japanese);

// The pixels of an ARGB32 or RGB32 image, for the palette model.
TPixels PixelsOf(const QImage& image);

// The file dialog filter of the formats that can be read.
std::string PictureFileFilter();

}  // namespace tintorb
