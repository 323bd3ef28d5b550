// Picture files through Qt's readers: a colour-managed picture reads as the
// sRGB values a browser shows, in every format that can carry a profile.
#include <gtest/gtest.h>

#include <QColorSpace>
#include <QImage>

#include "core/CssColor.h"
#include "platform/picture/PictureFile.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

TEST(PictureFile, DisplayP3PicturesPickTheirSrgbValue) {
  // A Display P3 photo's orange, well inside sRGB.
  TColor want = 0;
  ASSERT_TRUE(TryCssToColor("color(display-p3 0.8 0.4 0.2)", want));
  ASSERT_NE(want, RGB(204, 102, 51));  // the profile matters
  QImage p3(8, 8, QImage::Format_RGB32);
  p3.fill(qRgb(204, 102, 51));
  p3.setColorSpace(QColorSpace(QColorSpace::DisplayP3));
  testing::TempDir dir;
  const struct {
    const char* file;
    int tolerance;
  } cases[] = {{"p3.png", 1}, {"p3.jpg", 4}, {"p3.webp", 4}, {"p3.tiff", 1}};
  for (const auto& c : cases) {
    ASSERT_TRUE(p3.save(QString::fromStdString(dir / c.file), nullptr, 100)) << c.file;
    const TPictureRead r = ReadPicture(dir / c.file);
    ASSERT_FALSE(r.image.isNull()) << c.file << PictureErrorText(c.file, r, false);
    const QRgb got = r.image.pixel(4, 4);
    EXPECT_NEAR(qRed(got), GetRValue(want), c.tolerance) << c.file;
    EXPECT_NEAR(qGreen(got), GetGValue(want), c.tolerance) << c.file;
    EXPECT_NEAR(qBlue(got), GetBValue(want), c.tolerance) << c.file;
  }
}

}  // namespace
}  // namespace tintorb
