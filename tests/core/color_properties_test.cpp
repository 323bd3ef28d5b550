// Properties that hold for every one of the 16,777,216 colours. Each sweep stops
// at the first failing colour so a fault reports one clear example.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "core/Color.h"

namespace tintorb {
namespace {

constexpr TColor kLastColor = 0xFFFFFF;

std::string Describe(TColor c) {
  return "colour " + ColorToHex(c);
}

int MaxOf(TRGBRec c) {
  return std::max({int(c.R), int(c.G), int(c.B)});
}
int MinOf(TRGBRec c) {
  return std::min({int(c.R), int(c.G), int(c.B)});
}
int Distance(TRGBRec a, TRGBRec b) {
  return std::max({std::abs(a.R - b.R), std::abs(a.G - b.G), std::abs(a.B - b.B)});
}

TEST(EveryColour, HsvStaysInRangeAndComesBackNearby) {
  for (TColor c = 0; c <= kLastColor; ++c) {
    const TRGBRec rgb = ColorToRGBRec(c);
    const int mx = MaxOf(rgb), mn = MinOf(rgb);
    const THSV hsv = RGBToHSV(rgb);
    const TRGBRec back = HSVToRGB(hsv);
    // A byte that wrapped would break V = max, the grey rule, or land far away.
    const bool ok = hsv.H < 360 && hsv.V == mx && (hsv.S == 0) == (mx == mn) &&
                    MaxOf(back) == hsv.V && Distance(back, rgb) <= 8;
    if (!ok) FAIL() << Describe(c);
  }
}

TEST(EveryColour, HlsStaysInRangeAndComesBackNearby) {
  for (TColor c = 0; c <= kLastColor; ++c) {
    const TRGBRec rgb = ColorToRGBRec(c);
    const int mx = MaxOf(rgb), mn = MinOf(rgb);
    const THLS hls = RGBToHLS(rgb);
    const TRGBRec back = HLSToRGB(hls);
    const bool ok = hls.H < 360 && hls.L == (mx + mn) / 2 && (hls.S == 0) == (mx == mn) &&
                    Distance(back, rgb) <= 8;
    if (!ok) FAIL() << Describe(c);
  }
}

TEST(EveryColour, YuvStaysInRange) {
  for (TColor c = 0; c <= kLastColor; ++c) {
    const TRGBRec rgb = ColorToRGBRec(c);
    const TYUV yuv = RGBToYUV(rgb);
    // Y is a weighted mean (weights sum to 1) that may lose one unit to truncation.
    const bool ok =
        yuv.Y <= MaxOf(rgb) && yuv.Y + 1 >= MinOf(rgb) && yuv.U >= -127 && yuv.V >= -127;
    if (!ok) FAIL() << Describe(c);
  }
  // The way back is slow in extended precision; every 61st colour covers it well.
  for (TColor c = 0; c <= kLastColor; c += 61) {
    const TRGBRec rgb = ColorToRGBRec(c);
    if (Distance(YUVToRGB(RGBToYUV(rgb)), rgb) > 4) FAIL() << Describe(c);
  }
}

TEST(EveryColour, CmykComesBackExactly) {
  for (TColor c = 0; c <= kLastColor; ++c) {
    const TRGBRec rgb = ColorToRGBRec(c);
    const TCMYK cmyk = RGBToCMYK(rgb);
    const bool ok = cmyk.K == 255 - MaxOf(rgb) && std::min({cmyk.C, cmyk.M, cmyk.Y}) == 0 &&
                    CMYKToColor(cmyk) == c;
    if (!ok) FAIL() << Describe(c);
  }
}

TEST(EveryColour, HexTextReadsBack) {
  for (TColor c = 0; c <= kLastColor; ++c) {
    const std::string hex = ColorToHex(c);
    TColor back = -1;
    if (hex.size() != 6 || !TryHexToColor(hex, back) || back != c) FAIL() << Describe(c);
  }
}

TEST(EveryColour, WebSafeSnapIsIdempotentOnMultiplesOf51) {
  for (TColor c = 0; c <= kLastColor; ++c) {
    const TColor w = WebSafeColor(c);
    const TRGBRec a = ColorToRGBRec(c), s = ColorToRGBRec(w);
    const bool ok = WebSafeColor(w) == w && s.R % 51 == 0 && s.G % 51 == 0 && s.B % 51 == 0 &&
                    Distance(a, s) <= 25;
    if (!ok) FAIL() << Describe(c);
  }
}

TEST(EveryColour, InvertTwiceIsIdentity) {
  for (TColor c = 0; c <= kLastColor; ++c) {
    const TColor i = InvertColor(c);
    if (i == c || InvertColor(i) != c || (i & ~kLastColor) != 0) FAIL() << Describe(c);
  }
}

TEST(EveryColour, ContrastFollowsTheWeightedSum) {
  for (TColor c = 0; c <= kLastColor; ++c) {
    const TRGBRec rgb = ColorToRGBRec(c);
    const int w = 299 * rgb.R + 587 * rgb.G + 114 * rgb.B;
    if (ContrastTextColor(c) != (w < 127500 ? clWhite : clBlack)) FAIL() << Describe(c);
  }
}

}  // namespace
}  // namespace tintorb
