#include <gtest/gtest.h>

#include "core/Color.h"

namespace tintorb {
namespace {

TEST(ColorWorkedExample, C86432ThroughEveryModel) {
  const TRGBRec c = MakeRGB(200, 100, 50);
  EXPECT_EQ(RGBToHSV(c), MakeHSV(20, 191, 200));
  EXPECT_EQ(HSVToRGB(MakeHSV(20, 191, 200)), c);
  EXPECT_EQ(RGBToHLS(c), MakeHLS(20, 125, 153));
  EXPECT_EQ(HLSToRGB(MakeHLS(20, 125, 153)), c);
  EXPECT_EQ(RGBToYUV(c), MakeYUV(124, -41, 54));
  EXPECT_EQ(YUVToRGB(MakeYUV(124, -41, 54)), MakeRGB(199, 99, 51));
  EXPECT_EQ(RGBToCMYK(c), MakeCMYK(0, 100, 150, 55));
  EXPECT_EQ(CMYKToRGB(MakeCMYK(0, 100, 150, 55)), c);
  EXPECT_EQ(RGBToHex(WebSafeRGB(c)), "CC6633");
  EXPECT_EQ(ColorToHex(InvertColor(RGBToColor(c))), "379BCD");
  EXPECT_EQ(ContrastTextColor(RGBToColor(c)), clWhite);
  EXPECT_EQ(ColorToHex(RGBToColor(c)), "C86432");
}

}  // namespace
}  // namespace tintorb
