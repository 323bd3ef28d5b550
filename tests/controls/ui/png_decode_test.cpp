// Written PNG files read back by Qt's own decoder: pixels, palette and
// transparency must match the source bitmap.
#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <random>

#include "controls/GLDPNG.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

QRgb ToQRgb(TColor c, int alpha = 255) {
  return qRgba(GetRValue(c), GetGValue(c), GetBValue(c), alpha);
}

QImage ReadBack(const std::string& path) {
  QImageReader reader(QString::fromStdString(path));
  EXPECT_EQ(reader.format(), QByteArray("png"));
  QImage img = reader.read();
  EXPECT_FALSE(img.isNull()) << reader.errorString().toStdString();
  return img;
}

TGLDBitmap RandomBitmap(TGLDPixelFormat format, int w, int h, std::mt19937& rng) {
  TGLDBitmap b(w, h, format);
  if (b.Indexed()) {
    std::vector<TRGBRec> pal(size_t(1) << BitsPerPixel(format));
    for (auto& c : pal) c = {uint8_t(rng()), uint8_t(rng()), uint8_t(rng())};
    b.SetPalette(pal);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) b.SetPixelIndex(x, y, int(rng() % pal.size()));
  } else {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) b.SetPixelColor(x, y, TColor(rng() & 0xFFFFFF));
  }
  return b;
}

TEST(PngDecode, EveryLayoutReadsBackPixelForPixel) {
  testing::TempDir dir;
  std::mt19937 rng(1234);
  for (auto format : {TGLDPixelFormat::pf1bit, TGLDPixelFormat::pf4bit, TGLDPixelFormat::pf8bit,
                      TGLDPixelFormat::pf15bit, TGLDPixelFormat::pf16bit, TGLDPixelFormat::pf24bit,
                      TGLDPixelFormat::pf32bit}) {
    SCOPED_TRACE(int(format));
    const TGLDBitmap b = RandomBitmap(format, 37, 23, rng);
    TGLDPNG png;
    png.Assign(b);
    png.SetIDATSize(300);  // many chunks
    const std::string path = dir / "x.png";
    png.SaveToFile(path);
    const QImage img = ReadBack(path);
    ASSERT_EQ(img.width(), 37);
    ASSERT_EQ(img.height(), 23);
    if (b.Indexed()) {
      // Qt keeps palette pictures indexed: the colour table is the palette.
      ASSERT_EQ(img.colorCount(), int(b.Palette().size()));
      for (size_t i = 0; i < b.Palette().size(); ++i)
        EXPECT_EQ(img.color(int(i)), ToQRgb(RGBToColor(b.Palette()[i])));
      for (int y = 0; y < 23; ++y)
        for (int x = 0; x < 37; ++x) ASSERT_EQ(img.pixelIndex(x, y), b.PixelIndex(x, y));
    }
    for (int y = 0; y < 23; ++y)
      for (int x = 0; x < 37; ++x)
        ASSERT_EQ(img.pixel(x, y), ToQRgb(b.PixelColor(x, y))) << x << "," << y;
  }
}

TEST(PngDecode, PaletteTransparencyIsTheChosenEntry) {
  testing::TempDir dir;
  TGLDBitmap b(3, 1, TGLDPixelFormat::pf8bit);
  std::vector<TRGBRec> pal = {{0, 0, 0}, {255, 0, 0}, {255, 255, 255}, {255, 255, 250}};
  b.SetPalette(pal);
  for (int x = 0; x < 3; ++x) b.SetPixelIndex(x, 0, x);
  TGLDPNG png;
  png.Assign(b);
  png.SetTransparentColor(RGB(255, 255, 252));  // nearest: entry 3 (distance 2)
  const std::string path = dir / "t.png";
  png.SaveToFile(path);
  const QImage img = ReadBack(path);
  EXPECT_EQ(qAlpha(img.color(0)), 255);
  EXPECT_EQ(qAlpha(img.color(2)), 255);
  EXPECT_EQ(qAlpha(img.color(3)), 0);
  EXPECT_TRUE(img.hasAlphaChannel());
}

TEST(PngDecode, RgbTransparencyHidesExactlyThatColour) {
  testing::TempDir dir;
  TGLDBitmap b(2, 1, TGLDPixelFormat::pf24bit);
  b.SetPixelColor(0, 0, RGB(10, 20, 30));
  b.SetPixelColor(1, 0, RGB(10, 20, 31));
  TGLDPNG png;
  png.Assign(b);
  png.SetTransparentColor(RGB(10, 20, 30));
  const std::string path = dir / "rgb.png";
  png.SaveToFile(path);
  const QImage img = ReadBack(path);
  EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
  EXPECT_EQ(img.pixel(1, 0), qRgb(10, 20, 31));
}

}  // namespace
}  // namespace tintorb
