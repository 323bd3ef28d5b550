// A picture in the pick window: fitted, zoomed around the pointer up to 16 x,
// panned without leaving the window.
#include <gtest/gtest.h>

#include "app/PictureView.h"

namespace tintorb {
namespace {

TEST(PictureView, FitZoomAndPanKeepThePictureInPlace) {
  // 4000 x 3000 on 1280 x 800: height decides; centred across.
  const TPictureView fit = FitPicture(4000, 3000, 1280, 800);
  EXPECT_DOUBLE_EQ(fit.zoom, 800.0 / 3000);
  EXPECT_DOUBLE_EQ(fit.x, (1280 - 4000 * fit.zoom) / 2);
  EXPECT_DOUBLE_EQ(fit.y, 0);
  EXPECT_DOUBLE_EQ(FitPicture(10, 10, 1280, 800).zoom, 16);  // small: 16 x at most

  // The picture point under the pointer stays under it; zoom stops at 16 x
  // and at the fitted size.
  const TPictureView in = ZoomAt(fit, 4, 700, 300);
  EXPECT_NEAR((700 - in.x) / in.zoom, (700 - fit.x) / fit.zoom, 1e-9);
  EXPECT_NEAR((300 - in.y) / in.zoom, (300 - fit.y) / fit.zoom, 1e-9);
  EXPECT_DOUBLE_EQ(ZoomAt(in, 1000, 10, 10).zoom, 16);
  EXPECT_DOUBLE_EQ(ZoomAt(in, 0.001, 10, 10).zoom, fit.zoom);
  EXPECT_DOUBLE_EQ(ZoomAt(in, 0.001, 10, 10).x, fit.x);

  // Panning stops at the edges; revealing a pixel scrolls it into sight.
  const TPictureView z = ZoomAt(fit, 16, 640, 400);
  EXPECT_DOUBLE_EQ(PanBy(z, 1e6, 0).x, 0);
  EXPECT_DOUBLE_EQ(PanBy(z, -1e6, -1e6).y, 800 - 3000 * z.zoom);
  const TPictureView r = Reveal(z, 3999, 0);
  EXPECT_LE(r.x + 4000 * r.zoom, 1280);
  EXPECT_GE(r.y + 0 * r.zoom, 0);
  EXPECT_GE(r.x + 3999 * r.zoom, 0);
}

}  // namespace
}  // namespace tintorb
