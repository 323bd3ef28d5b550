#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <set>

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
  EXPECT_EQ(WebSafeRGB(c), MakeRGB(204, 102, 51));
  EXPECT_EQ(RGBToHex(WebSafeRGB(c)), "CC6633");
  EXPECT_EQ(InvertColor(RGBToColor(c)), RGB(55, 155, 205));
  EXPECT_EQ(ColorToHex(InvertColor(RGBToColor(c))), "379BCD");
  EXPECT_EQ(ContrastTextColor(RGBToColor(c)), clWhite);
  EXPECT_EQ(ColorToHex(RGBToColor(c)), "C86432");
}

TEST(ColorWorkedExample, ColourValueFormsAgreeWithRecordForms) {
  const TColor c = RGB(200, 100, 50);
  EXPECT_EQ(c, 0x3264C8);
  EXPECT_EQ(ColorToHSV(c), MakeHSV(20, 191, 200));
  EXPECT_EQ(ColorToHLS(c), MakeHLS(20, 125, 153));
  EXPECT_EQ(ColorToYUV(c), MakeYUV(124, -41, 54));
  EXPECT_EQ(ColorToCMYK(c), MakeCMYK(0, 100, 150, 55));
  EXPECT_EQ(HSVToColor(MakeHSV(20, 191, 200)), c);
  EXPECT_EQ(HLSToColor(MakeHLS(20, 125, 153)), c);
  EXPECT_EQ(YUVToColor(MakeYUV(124, -41, 54)), RGB(199, 99, 51));
  EXPECT_EQ(CMYKToColor(MakeCMYK(0, 100, 150, 55)), c);
  EXPECT_EQ(WebSafeColor(c), RGB(204, 102, 51));
}

TEST(ColorWorkedExample, FurtherExamples) {
  const TRGBRec orange = MakeRGB(255, 128, 0);
  EXPECT_EQ(RGBToHSV(orange), MakeHSV(31, 255, 255));
  EXPECT_EQ(HSVToRGB(MakeHSV(31, 255, 255)), MakeRGB(255, 132, 0));
  EXPECT_EQ(RGBToHLS(orange), MakeHLS(30, 127, 255));
  EXPECT_EQ(HLSToRGB(MakeHLS(30, 127, 255)), MakeRGB(254, 127, 0));

  const TRGBRec red = MakeRGB(255, 0, 0);
  EXPECT_EQ(RGBToHLS(red), MakeHLS(0, 127, 255));
  EXPECT_EQ(HLSToRGB(MakeHLS(0, 127, 255)), MakeRGB(254, 0, 0));
  EXPECT_EQ(RGBToYUV(red), MakeYUV(76, -42, 127));
  EXPECT_EQ(YUVToRGB(MakeYUV(76, -42, 127)), MakeRGB(254, 0, 1));

  const TRGBRec sky = MakeRGB(51, 153, 204);
  EXPECT_EQ(RGBToHSV(sky), MakeHSV(200, 191, 204));
  EXPECT_EQ(HSVToRGB(MakeHSV(200, 191, 204)), sky);
  EXPECT_EQ(RGBToCMYK(sky), MakeCMYK(153, 51, 0, 51));
  EXPECT_EQ(ContrastTextColor(RGBToColor(sky)), clBlack);  // w = 128316

  const TRGBRec grey = MakeRGB(128, 128, 128);
  EXPECT_EQ(RGBToHSV(grey), MakeHSV(0, 0, 128));
  EXPECT_EQ(RGBToCMYK(grey), MakeCMYK(0, 0, 0, 127));
  EXPECT_EQ(WebSafeRGB(grey), MakeRGB(153, 153, 153));
}

TEST(ColorConversion, HsvAndHlsHuesCanDiffer) {
  // Three truncated terms against one signed quotient truncated toward zero.
  EXPECT_EQ(RGBToHSV(MakeRGB(200, 50, 51)).H, 359);
  EXPECT_EQ(RGBToHLS(MakeRGB(200, 50, 51)).H, 0);
}

TEST(ColorConversion, BlackAndWhite) {
  const TRGBRec black = MakeRGB(0, 0, 0), white = MakeRGB(255, 255, 255);
  EXPECT_EQ(RGBToHSV(black), MakeHSV(0, 0, 0));
  EXPECT_EQ(RGBToHLS(black), MakeHLS(0, 0, 0));
  EXPECT_EQ(RGBToCMYK(black), MakeCMYK(0, 0, 0, 255));
  EXPECT_EQ(RGBToYUV(black), MakeYUV(0, 0, 0));
  EXPECT_EQ(RGBToHSV(white), MakeHSV(0, 0, 255));
  EXPECT_EQ(RGBToHLS(white), MakeHLS(0, 255, 0));
  EXPECT_EQ(RGBToCMYK(white), MakeCMYK(0, 0, 0, 0));
  EXPECT_EQ(RGBToYUV(white), MakeYUV(255, 0, 0));
}

TEST(ColorConversion, ZeroSaturationIgnoresHue) {
  for (int h : {0, 59, 120, 200, 359}) {
    EXPECT_EQ(HSVToRGB(MakeHSV(uint16_t(h), 0, 77)), MakeRGB(77, 77, 77)) << h;
    EXPECT_EQ(HLSToRGB(MakeHLS(uint16_t(h), 77, 0)), MakeRGB(77, 77, 77)) << h;
  }
}

TEST(ColorConversion, SharedMaximumTakesTheEarlierBranch) {
  // R = G = max: the red branch.
  EXPECT_EQ(RGBToHSV(MakeRGB(255, 255, 0)).H, 60);
  EXPECT_EQ(RGBToHLS(MakeRGB(255, 255, 0)).H, 60);
  // G = B = max: the green branch (cyan), hue 180 either way.
  EXPECT_EQ(RGBToHSV(MakeRGB(0, 255, 255)).H, 180);
  EXPECT_EQ(RGBToHLS(MakeRGB(0, 255, 255)).H, 180);
  // R = B = max: the red branch gives 360 - 60 = 300.
  EXPECT_EQ(RGBToHSV(MakeRGB(255, 0, 255)).H, 300);
  EXPECT_EQ(RGBToHLS(MakeRGB(255, 0, 255)).H, 300);
}

TEST(ColorConversion, HsvSectorsAndWrap) {
  // One colour in each of the six sectors, checked against hand arithmetic.
  EXPECT_EQ(HSVToRGB(MakeHSV(0, 255, 255)), MakeRGB(255, 0, 0));
  EXPECT_EQ(HSVToRGB(MakeHSV(90, 255, 255)), MakeRGB(128, 255, 0));
  EXPECT_EQ(HSVToRGB(MakeHSV(150, 255, 255)), MakeRGB(0, 255, 128));
  EXPECT_EQ(HSVToRGB(MakeHSV(210, 255, 255)), MakeRGB(0, 128, 255));
  EXPECT_EQ(HSVToRGB(MakeHSV(270, 255, 255)), MakeRGB(128, 0, 255));
  EXPECT_EQ(HSVToRGB(MakeHSV(330, 255, 255)), MakeRGB(255, 0, 128));
  // Blue branch with a negative rc-term sum wraps to the top of the circle.
  EXPECT_EQ(RGBToHSV(MakeRGB(10, 0, 200)).H, 243);
  EXPECT_EQ(RGBToHSV(MakeRGB(200, 0, 10)).H, 357);
}

TEST(ColorConversion, HueToComponentCorrectsOnce) {
  // m1 = 10, m2 = 250.
  EXPECT_EQ(HueToComponent(10, 250, 479), 250);  // 119
  EXPECT_EQ(HueToComponent(10, 250, -120), 10);  // 240
  EXPECT_EQ(HueToComponent(10, 250, 360), 10);   // 0
  EXPECT_EQ(HueToComponent(10, 250, -1), 10);    // 359
  EXPECT_EQ(HueToComponent(10, 250, 30), 130);
  EXPECT_EQ(HueToComponent(10, 250, 59), 246);
  EXPECT_EQ(HueToComponent(10, 250, 60), 250);
  EXPECT_EQ(HueToComponent(10, 250, 179), 250);
  EXPECT_EQ(HueToComponent(10, 250, 180), 250);
  EXPECT_EQ(HueToComponent(10, 250, 210), 130);
  EXPECT_EQ(HueToComponent(10, 250, 240), 10);
}

TEST(ColorConversion, YuvGreysLoseOneUnitExactlyWhereExtendedArithmeticSaysSo) {
  const std::set<int> lossy = {63, 126, 215, 229, 252};
  for (int g = 0; g <= 255; ++g) {
    const TYUV yuv = RGBToYUV(MakeRGB(uint8_t(g), uint8_t(g), uint8_t(g)));
    EXPECT_EQ(yuv.Y, lossy.count(g) ? g - 1 : g) << "grey " << g;
    EXPECT_EQ(yuv.U, 0) << "grey " << g;
    EXPECT_EQ(yuv.V, 0) << "grey " << g;
  }
}

TEST(ColorConversion, YuvToRgbClampsBothEnds) {
  EXPECT_EQ(YUVToRGB(MakeYUV(255, 127, 127)), MakeRGB(255, 120, 255));
  EXPECT_EQ(YUVToRGB(MakeYUV(0, -128, -128)), MakeRGB(0, 135, 0));
  EXPECT_EQ(YUVToRGB(MakeYUV(0, 0, 0)), MakeRGB(0, 0, 0));
}

TEST(ColorConversion, CmykToRgbClampsAtZero) {
  EXPECT_EQ(CMYKToRGB(MakeCMYK(200, 100, 0, 100)), MakeRGB(0, 55, 155));
  EXPECT_EQ(CMYKToRGB(MakeCMYK(255, 255, 255, 255)), MakeRGB(0, 0, 0));
}

TEST(ColorRecords, PackedLayouts) {
  const THSV hsv = MakeHSV(300, 0x12, 0x34);
  EXPECT_EQ(PackHSV(hsv), 0x3412012Cu);
  EXPECT_EQ(UnpackHSV(0x3412012Cu), hsv);
  const THLS hls = MakeHLS(300, 0x12, 0x34);  // L before S
  EXPECT_EQ(PackHLS(hls), 0x3412012Cu);
  EXPECT_EQ(UnpackHLS(PackHLS(hls)), hls);
  uint32_t raw;
  std::memcpy(&raw, &hsv, sizeof raw);
  EXPECT_EQ(raw, PackHSV(hsv));
  const TCMYK cmyk = MakeCMYK(1, 2, 3, 4);
  std::memcpy(&raw, &cmyk, sizeof raw);
  EXPECT_EQ(raw, 0x04030201u);
  const TRGBRec rgb = MakeRGB(1, 2, 3);
  EXPECT_EQ(RGBToColor(rgb), 0x030201);
  EXPECT_EQ(ColorToRGBRec(0x030201), rgb);
}

TEST(ColorOperations, WebSafeComponentBoundaries) {
  EXPECT_EQ(WebSafeComponent(25), 0);
  EXPECT_EQ(WebSafeComponent(26), 51);
  EXPECT_EQ(WebSafeComponent(76), 51);
  EXPECT_EQ(WebSafeComponent(77), 102);
  EXPECT_EQ(WebSafeComponent(127), 102);
  EXPECT_EQ(WebSafeComponent(128), 153);
  EXPECT_EQ(WebSafeComponent(178), 153);
  EXPECT_EQ(WebSafeComponent(179), 204);
  EXPECT_EQ(WebSafeComponent(229), 204);
  EXPECT_EQ(WebSafeComponent(230), 255);
  EXPECT_EQ(WebSafeComponent(255), 255);
}

TEST(ColorOperations, ContrastThreshold) {
  EXPECT_EQ(ContrastTextColor(RGB(0, 204, 68)), clBlack);  // w = 127500
  EXPECT_EQ(ContrastTextColor(RGB(2, 209, 37)), clWhite);  // w = 127499
  EXPECT_EQ(ContrastTextColor(clBlack), clWhite);
  EXPECT_EQ(ContrastTextColor(clWhite), clBlack);
}

TEST(ColorOperations, ResultsHaveTopByteZero) {
  const TColor tagged = 0x123264C8;  // positive, junk in the top byte
  EXPECT_EQ(InvertColor(tagged), RGB(55, 155, 205));
  EXPECT_EQ(WebSafeColor(tagged), RGB(204, 102, 51));
  EXPECT_EQ(ColorToHex(tagged), "C86432");
  EXPECT_EQ(ColorToHSV(tagged), MakeHSV(20, 191, 200));
}

class SysColorTest : public ::testing::Test {
 protected:
  void TearDown() override { SetSysColorResolver(nullptr); }
};

TEST_F(SysColorTest, DefaultTableResolvesEveryIndex) {
  EXPECT_EQ(ResolveColor(clBtnFace), DefaultSysColor(15));
  EXPECT_EQ(ResolveColor(clWindow), clWhite);
  EXPECT_EQ(ColorToHex(clWindow), "FFFFFF");
  for (int i = 0; i <= 28; ++i) {
    const TColor c = ResolveColor(static_cast<TColor>(0x80000000u + unsigned(i)));
    EXPECT_GE(c, 0) << i;
    EXPECT_LE(c, 0xFFFFFF) << i;
  }
}

TEST_F(SysColorTest, InstalledResolverIsUsedByEveryOperation) {
  SetSysColorResolver([](int index) -> TColor { return index == 15 ? RGB(200, 100, 50) : 0; });
  EXPECT_EQ(ColorToHex(clBtnFace), "C86432");
  EXPECT_EQ(ColorToRGBRec(clBtnFace), MakeRGB(200, 100, 50));
  EXPECT_EQ(ColorToHSV(clBtnFace), MakeHSV(20, 191, 200));
  EXPECT_EQ(ColorToHLS(clBtnFace), MakeHLS(20, 125, 153));
  EXPECT_EQ(ColorToYUV(clBtnFace), MakeYUV(124, -41, 54));
  EXPECT_EQ(ColorToCMYK(clBtnFace), MakeCMYK(0, 100, 150, 55));
  EXPECT_EQ(InvertColor(clBtnFace), RGB(55, 155, 205));
  EXPECT_EQ(WebSafeColor(clBtnFace), RGB(204, 102, 51));
  EXPECT_EQ(ContrastTextColor(clBtnFace), clWhite);
  // Any negative value names a system colour by its low byte.
  EXPECT_EQ(ColorToHex(static_cast<TColor>(0xFF00000F)), "C86432");
  SetSysColorResolver(nullptr);
  EXPECT_EQ(ResolveColor(clBtnFace), DefaultSysColor(15));
}

TEST(ColorRandom, RandomColorDrawsBlueThenGreenThenRed) {
  RandSeed(12345);
  const int b = Random(256), g = Random(256), r = Random(256);
  RandSeed(12345);
  EXPECT_EQ(RandomColor(), RGB(r, g, b));
  // The same seed repeats the same sequence.
  RandSeed(7);
  const TColor first = RandomColor();
  RandSeed(7);
  EXPECT_EQ(RandomColor(), first);
}

TEST(ColorRandom, DrawsCoverTheirRange) {
  RandSeed(99);
  std::set<int> seen;
  for (int i = 0; i < 20000; ++i) {
    const int v = Random(256);
    ASSERT_GE(v, 0);
    ASSERT_LT(v, 256);
    seen.insert(v);
  }
  EXPECT_EQ(seen.size(), 256u);
  EXPECT_EQ(Random(1), 0);
  EXPECT_EQ(Random(0), 0);
  for (int i = 0; i < 1000; ++i) {
    const long double x = RandomReal();
    ASSERT_GE(x, 0.0L);
    ASSERT_LT(x, 1.0L);
  }
}

TEST(ColorHex, ColorToHexIsSixUpperCaseDigitsRedFirst) {
  EXPECT_EQ(ColorToHex(RGB(200, 100, 50)), "C86432");
  EXPECT_EQ(RGBToHex(MakeRGB(1, 2, 255)), "0102FF");
  EXPECT_EQ(ColorToHex(clBlack), "000000");
}

TEST(ColorHex, AgreesWithTheFormatText) {
  for (TColor c = 0; c <= 0xFFFFFF; c = c == 0xFFFFFF ? c + 1 : std::min(c + 251, 0xFFFFFF)) {
    const TRGBRec rgb = ColorToRGBRec(c);
    char buf[8];
    std::snprintf(buf, sizeof buf, "%.2X%.2X%.2X", rgb.R, rgb.G, rgb.B);
    ASSERT_EQ(ColorToHex(c), buf);
  }
}

TEST(ColorHex, HexToColorReadsFromTheRight) {
  EXPECT_EQ(HexToColor("C86432"), RGB(200, 100, 50));
  EXPECT_EQ(HexToColor("c86432"), RGB(200, 100, 50));
  EXPECT_EQ(HexToColor("#C86432"), RGB(200, 100, 50));
  EXPECT_EQ(HexToColor("FF"), 0x00FF0000);  // blue
  EXPECT_EQ(HexToColor("#"), clBlack);
  EXPECT_EQ(HexToColor(""), clBlack);
  EXPECT_EQ(HexToColor("#C86432zz"), RGB(200, 100, 50));  // after six: ignored
  EXPECT_EQ(HexToRGB("C86432"), MakeRGB(200, 100, 50));
}

TEST(ColorHex, HexToColorKeepsTheTopByte) {
  EXPECT_EQ(HexToColor("12345678"), 0x12785634);
  EXPECT_EQ(HexToColor("0000000000C86432"), RGB(200, 100, 50));  // leading zeros fit
  EXPECT_EQ(HexToColor("FFFFFFFF"), static_cast<TColor>(0xFFFFFFFF));
}

TEST(ColorHex, HexToColorRejectsWithThePrefixedText) {
  auto message = [](std::string_view text) -> std::string {
    try {
      HexToColor(text);
    } catch (const EConvertError& e) {
      return e.what();
    }
    return "(no error)";
  };
  EXPECT_EQ(message("xyz"), "'$00xyz' は整数ではありません");
  EXPECT_EQ(message("#12 456"), "'$0012 456' は整数ではありません");
  EXPECT_EQ(message("100000000"), "'$00100000000' は整数ではありません");  // 33 bits
  EXPECT_EQ(message(" FF"), "'$00 FF' は整数ではありません");
  EXPECT_EQ(message("-1"), "'$00-1' は整数ではありません");
  EXPECT_EQ(message("$FF"), "'$00$FF' は整数ではありません");
}

TEST(ColorHex, TryHexToColor) {
  TColor c = 0x0BADBAD;
  EXPECT_FALSE(TryHexToColor("#12345", c));
  EXPECT_FALSE(TryHexToColor("12345", c));
  EXPECT_FALSE(TryHexToColor("", c));
  EXPECT_FALSE(TryHexToColor("#", c));
  EXPECT_FALSE(TryHexToColor("12G456", c));
  EXPECT_FALSE(TryHexToColor(" 123456", c));
  EXPECT_FALSE(TryHexToColor("\"#ABCDEF\"", c));
  EXPECT_FALSE(TryHexToColor("##ABCDEF", c));
  EXPECT_EQ(c, 0x0BADBAD) << "a refused text leaves the colour untouched";

  ASSERT_TRUE(TryHexToColor("12345678", c));
  EXPECT_EQ(c, RGB(0x12, 0x34, 0x56));
  ASSERT_TRUE(TryHexToColor("#1234567", c));
  EXPECT_EQ(c, RGB(0x12, 0x34, 0x56));
  TColor lower = 0, upper = 0;
  ASSERT_TRUE(TryHexToColor("abcdef", lower));
  ASSERT_TRUE(TryHexToColor("ABCDEF", upper));
  EXPECT_EQ(lower, upper);
  EXPECT_EQ(upper, RGB(0xAB, 0xCD, 0xEF));
  ASSERT_TRUE(TryHexToColor("ABCDEF;", c));
  EXPECT_EQ(c, upper);
}

TEST(ColorShift, ClampsWithoutWrapping) {
  EXPECT_EQ(ShiftHSV(MakeHSV(359, 10, 10), 0, 1).H, 359);
  EXPECT_EQ(ShiftHSV(MakeHSV(0, 10, 10), 0, -1).H, 0);
  EXPECT_EQ(ShiftHLS(MakeHLS(359, 10, 10), 0, 5).H, 359);
  EXPECT_EQ(ShiftHLS(MakeHLS(3, 10, 10), 0, -5).H, 0);
  EXPECT_EQ(ShiftYUV(1, -5, MakeYUV(10, -128, 0)).U, -128);
  EXPECT_EQ(ShiftYUV(2, 5, MakeYUV(10, 0, 125)).V, 127);
  EXPECT_EQ(ShiftYUV(0, 300, MakeYUV(10, 0, 0)).Y, 255);
  EXPECT_EQ(ShiftRGB(7, -300, MakeRGB(1, 2, 3)), MakeRGB(0, 0, 0));
  // A step far beyond any range must clamp, not overflow.
  EXPECT_EQ(ShiftHSV(MakeHSV(200, 10, 10), 0, INT_MAX).H, 359);
  EXPECT_EQ(ShiftRGB(1, INT_MIN, MakeRGB(100, 0, 0)).R, 0);
  EXPECT_EQ(ShiftYUV(1, INT_MAX, MakeYUV(0, 0, 0)).U, 127);
}

TEST(ColorShift, SelectsOnlyTheNamedComponents) {
  EXPECT_EQ(ShiftRGB(1, 10, MakeRGB(1, 2, 3)), MakeRGB(11, 2, 3));
  EXPECT_EQ(ShiftRGB(2, 10, MakeRGB(1, 2, 3)), MakeRGB(1, 12, 3));
  EXPECT_EQ(ShiftRGB(4, 10, MakeRGB(1, 2, 3)), MakeRGB(1, 2, 13));
  EXPECT_EQ(ShiftRGB(5, 10, MakeRGB(1, 2, 3)), MakeRGB(11, 2, 13));
  EXPECT_EQ(ShiftCMYK(MakeCMYK(1, 2, 3, 4), 8, 10), MakeCMYK(1, 2, 3, 14));
  EXPECT_EQ(ShiftCMYK(MakeCMYK(1, 2, 3, 4), 15, -2), MakeCMYK(0, 0, 1, 2));
  EXPECT_EQ(ShiftCMYK(MakeCMYK(250, 2, 3, 4), 1, 10), MakeCMYK(255, 2, 3, 4));
  EXPECT_EQ(ShiftHSV(MakeHSV(10, 20, 30), 1, 5), MakeHSV(10, 25, 30));
  EXPECT_EQ(ShiftHSV(MakeHSV(10, 20, 30), 2, 5), MakeHSV(10, 20, 35));
  EXPECT_EQ(ShiftHSV(MakeHSV(10, 20, 30), 3, 5), MakeHSV(10, 20, 30));
  EXPECT_EQ(ShiftHLS(MakeHLS(10, 20, 30), 1, 5), MakeHLS(10, 25, 30));
  EXPECT_EQ(ShiftHLS(MakeHLS(10, 20, 30), 2, 5), MakeHLS(10, 20, 35));
  EXPECT_EQ(ShiftHLS(MakeHLS(10, 20, 30), -1, 5), MakeHLS(10, 20, 30));
  EXPECT_EQ(ShiftYUV(7, 5, MakeYUV(10, 20, 30)), MakeYUV(10, 20, 30));
}

}  // namespace
}  // namespace tintorb
