#include <gtest/gtest.h>

#include "support/Fakes.h"

namespace tintorb {
namespace {

TEST(DesktopSeam, ScreenRectReadsRowByRowThroughScreenPixel) {
  testing::FakeDesktop d;
  d.pixelFn = [](int x, int y) { return RGB(x, y, 0); };
  const auto px = d.ScreenRect(10, 20, 3, 2);
  ASSERT_EQ(px.size(), 6u);
  EXPECT_EQ(px[0], RGB(10, 20, 0));
  EXPECT_EQ(px[2], RGB(12, 20, 0));
  EXPECT_EQ(px[3], RGB(10, 21, 0));
  EXPECT_EQ(d.pixelReads, 6);
  EXPECT_TRUE(d.ScreenRect(0, 0, 0, 5).empty());
  EXPECT_TRUE(d.ScreenRect(0, 0, 5, -1).empty());
}

}  // namespace
}  // namespace tintorb
