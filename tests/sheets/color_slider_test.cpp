#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "sheets/ColorSlider.h"

namespace tintorb {
namespace {

using S = TTintorbColorPanelStyle;

struct Slider {
  TColorSliderModel m;
  int changes = 0;
  explicit Slider(S style, int w = 128, int h = 20) {
    m.SetStyle(style);
    m.SetSize(w, h);
    m.OnChange = [this] { ++changes; };
  }
};

TEST(ScalePixel, RoundsHalfToEvenInExtendedPrecision) {
  EXPECT_EQ(ScalePixel(64, 128, 0, 255), 128);  // 127.5
  EXPECT_EQ(ScalePixel(1, 2, 0, 5), 2);         // 2.5
  EXPECT_EQ(ScalePixel(3, 2, 0, 5), 5);         // 7.5 clamped
  EXPECT_EQ(ScalePixel(1, 4, 0, 10), 2);        // 2.5
  EXPECT_EQ(ScalePixel(3, 4, 0, 10), 8);        // 7.5
  EXPECT_EQ(ScalePixel(-40, 100, -128, 127), -128);
  EXPECT_EQ(ScalePixel(50, 100, -128, 127), 0);  // -128 + round(127.5)
}

TEST(ScalePixel, DegenerateSizesAndHugeRangesStaySafe) {
  EXPECT_EQ(ScalePixel(10, 0, 3, 9), 3);
  EXPECT_EQ(ScalePixel(10, -5, 3, 9), 3);
  EXPECT_EQ(ScalePixel(1, 2, INT32_MIN, INT32_MAX), 0);
  EXPECT_EQ(ScalePixel(1000000, 1, INT32_MIN, INT32_MAX), INT32_MAX);
}

// Icons build the gradient at their own few pixels: same picture, starting at
// the same colour, and 0 x 0 gives the style its own resolution back.
TEST(SliderGradient, ResolutionOverrideKeepsThePictureAndCanBeUndone) {
  for (S style : {S::cpsHorizontal, S::cpsVertical, S::cpsQuadrangle, S::cpsHsvHue, S::cpsHsvSV,
                  S::cpsHlsHS, S::cpsHlsLightness, S::cpsYuvY, S::cpsYuvUV}) {
    TColorSliderModel m;
    m.SetStyle(style);
    const TBitmap24 native = m.Gradient();
    m.SetGradientResolution(10, 14);
    EXPECT_EQ(std::tuple(m.Gradient().width, m.Gradient().height, m.Gradient().Pixel(0, 0)),
              std::tuple(10, 14, native.Pixel(0, 0)))
        << int(style);
    m.SetGradientResolution(0, 0);
    EXPECT_EQ(m.Gradient().width * m.Gradient().height, native.width * native.height);
  }
}

TEST(SliderMouse, HorizontalPressMapsOverTheWholeWidth) {
  Slider s(S::cpsHorizontal, 128, 20);
  s.m.MouseDrag(64, 5);
  EXPECT_EQ(s.m.PositionX(), 128);
  s.m.MouseDrag(0, 5);
  EXPECT_EQ(s.m.PositionX(), 0);
  s.m.MouseDrag(200, -30);  // outside: clamped
  EXPECT_EQ(s.m.PositionX(), 255);
  EXPECT_EQ(s.m.PositionY(), 0);
  EXPECT_EQ(s.changes, 3);
}

TEST(SliderMouse, EveryStepRaisesOnChangeButASameValueSetterDoesNot) {
  Slider s(S::cpsHorizontal);
  s.m.MouseDrag(64, 5);
  s.m.MouseDrag(64, 5);
  EXPECT_EQ(s.changes, 2);
  s.m.SetPositionX(128);
  EXPECT_EQ(s.changes, 2);
  s.m.SetPositionX(300);  // clamped to 255: a real change
  EXPECT_EQ(s.m.PositionX(), 255);
  EXPECT_EQ(s.changes, 3);
  s.m.SetPositionX(999);  // clamps to the same 255
  EXPECT_EQ(s.changes, 3);
}

TEST(SliderMouse, HsvFieldMapsSaturationAndValueAndKeepsTheHue) {
  Slider s(S::cpsHsvSV, 105, 105);
  s.m.SetHSV(MakeHSV(200, 10, 10));
  s.m.MouseDrag(105, 0);
  EXPECT_EQ(s.m.HSV(), MakeHSV(200, 255, 255));
  s.m.MouseDrag(0, 105);
  EXPECT_EQ(s.m.HSV(), MakeHSV(200, 0, 0));
  s.m.MouseDrag(104, 0);  // 104/105 * 255 = 252.57
  EXPECT_EQ(s.m.HSV().S, 253);
}

TEST(SliderMouse, FieldDragUpdatesAllThreeModels) {
  Slider s(S::cpsYuvUV, 256, 256);
  s.m.SetHLS(MakeHLS(10, 77, 20));
  s.m.SetYUV(MakeYUV(99, 0, 0));
  s.m.MouseDrag(256, 0);
  EXPECT_EQ(s.m.HSV().S, 255);
  EXPECT_EQ(s.m.HSV().V, 255);
  EXPECT_EQ(s.m.HLS(), MakeHLS(359, 77, 255));   // L kept
  EXPECT_EQ(s.m.YUV(), MakeYUV(99, 127, -128));  // Y kept
  EXPECT_EQ(s.m.PositionX(), 255);
  EXPECT_EQ(s.m.PositionY(), 0);
}

TEST(SliderMouse, BarDragUpdatesHueLightnessAndLuma) {
  Slider s(S::cpsHsvHue, 20, 161);
  s.m.SetHSV(MakeHSV(0, 40, 50));
  s.m.MouseDrag(3, 161);
  EXPECT_EQ(s.m.HSV(), MakeHSV(359, 40, 50));
  EXPECT_EQ(s.m.HLS().L, 0);
  EXPECT_EQ(s.m.YUV().Y, 0);
  EXPECT_EQ(s.m.PositionY(), 359);
  s.m.MouseDrag(3, 0);
  EXPECT_EQ(s.m.HSV().H, 0);
  EXPECT_EQ(s.m.HLS().L, 255);
  EXPECT_EQ(s.m.YUV().Y, 255);
}

TEST(SliderRange, InvertedBoundsRaiseAndChangeNothing) {
  Slider s(S::cpsQuadrangle);
  s.m.SetPositionRange({10, 20}, {0, 0}, {100, 100});
  const int before = s.changes;
  try {
    s.m.SetPositionRange({5, 5}, {50, 0}, {40, 100});
    FAIL() << "expected EInvalidOperation";
  } catch (const EInvalidOperation& e) {
    EXPECT_STREQ(e.what(), "Tintorbカラーパネル プロパティが範囲を越えました");
  }
  EXPECT_THROW(s.m.SetPositionRange({5, 5}, {0, 9}, {100, 8}), EInvalidOperation);
  EXPECT_EQ(s.m.PositionX(), 10);
  EXPECT_EQ(s.m.PositionY(), 20);
  EXPECT_EQ(s.m.RangeMax(), (TPoint{100, 100}));
  EXPECT_EQ(s.changes, before);
}

TEST(SliderRange, EqualBoundsPassAndPutTheMarkerAtTheStart) {
  Slider s(S::cpsQuadrangle, 100, 60);
  s.m.SetPositionRange({7, 7}, {7, 7}, {7, 7});
  EXPECT_EQ(s.m.MarkerPos(), (TPoint{2, 2}));
  s.m.MouseDrag(50, 50);
  EXPECT_EQ(s.m.PositionX(), 7);
  TBitmap24 out;
  s.m.Compose(out, 0x808080, 0xFFFFFF);  // must not divide by zero
  EXPECT_EQ(out.width, 100);
}

TEST(SliderModelSetters, PositionsFollowTheHeldValue) {
  Slider hue(S::cpsHsvHue, 20, 200);
  hue.m.SetPositionRange({3, 50}, {0, 0}, {10, 100});
  hue.m.SetHSV(MakeHSV(300, 1, 2));
  EXPECT_EQ(hue.m.RangeMin(), (TPoint{0, 0}));
  EXPECT_EQ(hue.m.RangeMax(), (TPoint{10, 359}));
  EXPECT_EQ(hue.m.PositionX(), 3);
  EXPECT_EQ(hue.m.PositionY(), 300);

  Slider sv(S::cpsHsvSV, 100, 100);
  sv.m.SetHSV(MakeHSV(10, 40, 200));
  EXPECT_EQ(sv.m.PositionX(), 40);
  EXPECT_EQ(sv.m.PositionY(), 55);

  Slider hs(S::cpsHlsHS, 100, 100);
  hs.m.SetHLS(MakeHLS(100, 20, 30));
  EXPECT_EQ(hs.m.PositionX(), 100);
  EXPECT_EQ(hs.m.PositionY(), 225);  // top-down, as the mouse sets it
  Slider light(S::cpsHlsLightness, 20, 100);
  light.m.SetHLS(MakeHLS(100, 20, 30));
  EXPECT_EQ(light.m.PositionY(), 235);

  Slider uv(S::cpsYuvUV, 100, 100);
  uv.m.SetYUV(MakeYUV(10, -100, 100));
  EXPECT_EQ(uv.m.PositionX(), 28);
  EXPECT_EQ(uv.m.PositionY(), 228);
  Slider y(S::cpsYuvY, 20, 100);
  y.m.SetYUV(MakeYUV(10, -100, 100));
  EXPECT_EQ(y.m.PositionY(), 245);

  // Other styles only store the value.
  Slider plain(S::cpsHorizontal);
  plain.m.SetHSV(MakeHSV(120, 5, 6));
  EXPECT_EQ(plain.m.HSV(), MakeHSV(120, 5, 6));
  EXPECT_EQ(plain.m.PositionX(), 0);
  EXPECT_EQ(plain.changes, 0);
}

// A drag stores the bar and field positions top-down; a value set afterwards
// one step away must register as a change, also around the midpoint where the
// top-down and bottom-up readings of a position meet (127 / 128).
TEST(SliderModelSetters, OneStepAfterADragAlwaysRaisesOnChange) {
  struct Case {
    S style;
    int w, h;
    uint8_t dragged;  // L or S reached by the drag
    int step;
  };
  const Case cases[] = {
      {S::cpsHlsLightness, 20, 255, 127, +1}, {S::cpsHlsLightness, 20, 255, 128, -1},
      {S::cpsHlsLightness, 20, 255, 127, -1}, {S::cpsHlsLightness, 20, 255, 0, +1},
      {S::cpsHlsHS, 359, 255, 127, +1},       {S::cpsHlsHS, 359, 255, 128, -1},
      {S::cpsHlsHS, 359, 255, 255, -1},
  };
  for (const Case& c : cases) {
    Slider s(c.style, c.w, c.h);
    if (c.style == S::cpsHlsHS) s.m.SetPositionRange({0, 0}, {0, 0}, {359, 255});
    s.m.MouseDrag(40, 255 - c.dragged);  // H = S = L = 0 at the bottom edge
    THLS hls = s.m.HLS();
    const uint8_t got = c.style == S::cpsHlsHS ? hls.S : hls.L;
    ASSERT_EQ(got, c.dragged);
    (c.style == S::cpsHlsHS ? hls.S : hls.L) = uint8_t(c.dragged + c.step);
    const int before = s.changes;
    const TPoint pos{s.m.PositionX(), s.m.PositionY()};
    s.m.SetHLS(hls);
    EXPECT_EQ(s.changes, before + 1) << int(c.style) << " from " << int(c.dragged);
    EXPECT_NE((TPoint{s.m.PositionX(), s.m.PositionY()}), pos);
    // Setting the same value again is no change.
    s.m.SetHLS(hls);
    EXPECT_EQ(s.changes, before + 1);
  }
}

TEST(SliderGradient, DraggingNeverRebuildsTheGradient) {
  Slider s(S::cpsHsvSV, 100, 100);
  const int builds = s.m.GradientBuilds();
  for (int x = 0; x < 100; x += 7) s.m.MouseDrag(x, x);
  s.m.SetPositionX(3);
  EXPECT_EQ(s.m.GradientBuilds(), builds);
  s.m.SetHSV(MakeHSV(120, 0, 0));
  EXPECT_GT(s.m.GradientBuilds(), builds);
}

TEST(SliderGradient, TwoColourStepsByRepeatedAdditionAndStopsShort) {
  Slider s(S::cpsHorizontal);
  s.m.SetColor1(clBlack);
  s.m.SetColor2(RGB(255, 0, 0));
  const TBitmap24& g = s.m.Gradient();
  ASSERT_EQ(g.width, 256);
  ASSERT_EQ(g.height, 1);
  EXPECT_EQ(g.Pixel(0, 0), MakeRGB(0, 0, 0));
  EXPECT_EQ(g.Pixel(128, 0), MakeRGB(127, 0, 0));  // 127.5 truncated
  EXPECT_EQ(g.Pixel(255, 0), MakeRGB(254, 0, 0));  // one step short of 255

  s.m.SetStyle(S::cpsVertical);
  s.m.SetColor1(RGB(0, 0, 255));
  s.m.SetColor2(RGB(0, 255, 0));
  const TBitmap24& v = s.m.Gradient();
  ASSERT_EQ(v.width, 1);
  ASSERT_EQ(v.height, 256);
  EXPECT_EQ(v.Pixel(0, 0), MakeRGB(0, 0, 255));
  EXPECT_EQ(v.Pixel(0, 255), MakeRGB(0, 254, 0));  // blue 255 - 254.004 truncates to 0
}

TEST(SliderGradient, SystemColoursAreResolved) {
  Slider s(S::cpsHorizontal);
  s.m.SetColor1(clBtnFace);
  s.m.SetColor2(clBtnFace);
  EXPECT_EQ(RGBToColor(s.m.Gradient().Pixel(100, 0)), ResolveColor(clBtnFace));
}

TEST(SliderGradient, WebSafeBlackToRedHasExactlySixLevels) {
  Slider s(S::cpsHorizontal);
  s.m.SetColor1(clBlack);
  s.m.SetColor2(RGB(255, 0, 0));
  s.m.SetWebSafe(true);
  std::set<int> levels;
  for (int x = 0; x < 256; ++x) {
    const TRGBRec p = s.m.Gradient().Pixel(x, 0);
    levels.insert(p.R);
    EXPECT_EQ(p.G, 0);
    EXPECT_EQ(p.B, 0);
  }
  EXPECT_EQ(levels, (std::set<int>{0, 51, 102, 153, 204, 255}));
}

TEST(SliderGradient, FourCornerRowsRoundHalfToEven) {
  Slider s(S::cpsQuadrangle);
  s.m.SetColor1(RGB(1, 0, 0));    // top left
  s.m.SetColor2(RGB(1, 0, 255));  // top right
  s.m.SetColor3(RGB(255, 0, 0));  // bottom left
  s.m.SetColor4(RGB(255, 0, 0));  // bottom right
  const TBitmap24& g = s.m.Gradient();
  ASSERT_EQ(g.width, 256);
  ASSERT_EQ(g.height, 256);
  EXPECT_EQ(g.Pixel(0, 0), MakeRGB(1, 0, 0));
  EXPECT_EQ(g.Pixel(255, 0), MakeRGB(1, 0, 254));
  // 192 * 254 / 256 = 190.5 -> 190, so the left edge of row 192 is 191.
  EXPECT_EQ(g.Pixel(0, 192).R, 191);
  EXPECT_EQ(g.Pixel(0, 64).R, 65);  // 63.5 -> 64
  // Along row 192 blue runs 255 -> 0 over 256 steps: right end 255 - 192*255/256 rounded.
  // Blue on row 192 runs from 0 to round(-191.25) + 255 = 64 in steps of 0.25.
  EXPECT_EQ(g.Pixel(0, 192).B, 0);
  EXPECT_EQ(g.Pixel(255, 192).B, 63);
}

TEST(SliderGradient, ModelPlanesAndBars) {
  Slider hue(S::cpsHsvHue, 20, 100);
  const TBitmap24& h = hue.m.Gradient();
  ASSERT_EQ(h.width, 1);
  ASSERT_EQ(h.height, 360);
  for (int y : {0, 59, 60, 200, 359})
    EXPECT_EQ(h.Pixel(0, y), HSVToRGB(MakeHSV(uint16_t(y), 255, 255))) << y;

  Slider sv(S::cpsHsvSV, 100, 100);
  sv.m.SetHSV(MakeHSV(120, 0, 0));
  const TBitmap24& f = sv.m.Gradient();
  EXPECT_EQ(f.Pixel(0, 0), MakeRGB(255, 255, 255));
  EXPECT_EQ(f.Pixel(255, 0), MakeRGB(0, 255, 0));  // 255/256 left of red truncates
  EXPECT_EQ(f.Pixel(0, 255), MakeRGB(1, 1, 1));    // round(255*-255/256) + 255

  Slider light(S::cpsHlsLightness, 20, 100);
  light.m.SetHLS(MakeHLS(240, 0, 200));
  const TBitmap24& l = light.m.Gradient();
  ASSERT_EQ(l.height, 256);
  EXPECT_EQ(l.Pixel(0, 0), HLSToRGB(MakeHLS(240, 255, 200)));
  EXPECT_EQ(l.Pixel(0, 128), HLSToRGB(MakeHLS(240, 127, 200)));  // 127.5 -> 128
  EXPECT_EQ(l.Pixel(0, 255), HLSToRGB(MakeHLS(240, 1, 200)));

  Slider hs(S::cpsHlsHS, 100, 100);
  const TBitmap24& p = hs.m.Gradient();
  ASSERT_EQ(p.width, 360);
  ASSERT_EQ(p.height, 256);
  EXPECT_EQ(p.Pixel(0, 0), MakeRGB(255, 1, 1));
  EXPECT_EQ(p.Pixel(120, 0), HLSToRGB(MakeHLS(120, 128, 255)));
  EXPECT_EQ(p.Pixel(0, 255), MakeRGB(128, 128, 128));  // 128.496 and 127.504
  EXPECT_EQ(p.Pixel(0, 128), MakeRGB(192, 64, 64));    // 191.5 and 64.5, ties to even

  Slider y(S::cpsYuvY, 20, 100);
  y.m.SetYUV(MakeYUV(0, 127, -128));
  const TBitmap24& yb = y.m.Gradient();
  EXPECT_EQ(RGBToColor(yb.Pixel(0, 0)), YUVToColor(MakeYUV(255, 127, -128)));

  Slider uv(S::cpsYuvUV, 100, 100);
  uv.m.SetYUV(MakeYUV(128, 0, 0));
  EXPECT_EQ(RGBToColor(uv.m.Gradient().Pixel(0, 0)), YUVToColor(MakeYUV(128, -128, -128)));
}

TEST(SliderGradient, ModelBarsSnapWholePixelsWhenWebSafe) {
  Slider hs(S::cpsHlsHS, 100, 100);
  hs.m.SetWebSafe(true);
  EXPECT_EQ(hs.m.Gradient().Pixel(0, 128), MakeRGB(204, 51, 51));
  Slider hue(S::cpsHsvHue, 20, 100);
  hue.m.SetWebSafe(true);
  EXPECT_EQ(hue.m.Gradient().Pixel(0, 20), WebSafeRGB(HSVToRGB(MakeHSV(20, 255, 255))));
}

TEST(SliderCompose, BevelFrameMarkerAndBorder) {
  Slider s(S::cpsHorizontal, 100, 20);
  s.m.SetColor1(clBlack);
  s.m.SetColor2(RGB(0, 0, 255));
  s.m.SetPositionX(128);  // x = 2 + 128 * 96 / 255 = 50
  TBitmap24 out;
  s.m.Compose(out, RGB(128, 128, 128), RGB(250, 250, 250));
  const TRGBRec black{0, 0, 0}, white{255, 255, 255}, shadow{128, 128, 128}, light{250, 250, 250};
  EXPECT_EQ(s.m.MarkerPos().x, 50);
  // 3-D border: shadow top and left, highlight bottom and right.
  EXPECT_EQ(out.Pixel(0, 0), shadow);
  EXPECT_EQ(out.Pixel(30, 0), shadow);
  EXPECT_EQ(out.Pixel(0, 19), shadow);
  EXPECT_EQ(out.Pixel(99, 0), light);
  EXPECT_EQ(out.Pixel(99, 10), light);
  EXPECT_EQ(out.Pixel(30, 19), light);
  EXPECT_EQ(out.Pixel(50, 19), light);  // the border is drawn over the marker
  // Black outline inside it.
  EXPECT_EQ(out.Pixel(1, 10), black);
  EXPECT_EQ(out.Pixel(98, 10), black);
  EXPECT_EQ(out.Pixel(30, 18), black);
  // Gradient from (2, 2): first column is Color1, then blue grows.
  EXPECT_EQ(out.Pixel(2, 10), black);
  EXPECT_EQ(out.Pixel(70, 10), s.m.Gradient().Pixel(182, 0));
  // Marker: black column with a gap of four rows around m = 10, white beside it.
  EXPECT_EQ(out.Pixel(50, 5), black);
  EXPECT_EQ(out.Pixel(50, 7), black);
  EXPECT_EQ(out.Pixel(50, 8), s.m.Gradient().Pixel(129, 0));
  EXPECT_EQ(out.Pixel(50, 11), s.m.Gradient().Pixel(129, 0));
  EXPECT_EQ(out.Pixel(50, 12), black);
  EXPECT_EQ(out.Pixel(49, 5), white);
  EXPECT_EQ(out.Pixel(51, 15), white);
  EXPECT_NE(out.Pixel(49, 9), white);
}

TEST(SliderCompose, SquareMarkerOnAField) {
  Slider s(S::cpsHsvSV, 259, 259);
  s.m.SetHSV(MakeHSV(0, 128, 128));  // x = 2 + 128*255/255 = 130, y = 2 + 127 = 129
  TBitmap24 out;
  s.m.Compose(out, 0x808080, 0xFFFFFF);
  const TRGBRec black{0, 0, 0}, white{255, 255, 255};
  EXPECT_EQ(s.m.MarkerPos(), (TPoint{130, 129}));
  EXPECT_EQ(out.Pixel(125, 124), black);
  EXPECT_EQ(out.Pixel(135, 134), black);
  EXPECT_EQ(out.Pixel(130, 124), black);
  EXPECT_EQ(out.Pixel(126, 125), white);
  EXPECT_EQ(out.Pixel(134, 133), white);
  EXPECT_NE(out.Pixel(130, 129), white);  // the centre shows the field
  EXPECT_NE(out.Pixel(136, 129), black);
}

TEST(SliderCompose, NoBevelStretchesOverTheWholeControlByWholeColumns) {
  Slider s(S::cpsHorizontal, 512, 10);
  s.m.SetBevel(false);
  s.m.SetColor1(clBlack);
  s.m.SetColor2(RGB(255, 0, 0));
  s.m.SetPositionX(255);  // marker at x = 512, off the picture; white at 511
  TBitmap24 out;
  s.m.Compose(out, 0x808080, 0xFFFFFF);
  EXPECT_EQ(s.m.MarkerPos().x, 512);
  for (int x = 0; x < 508; ++x) {
    EXPECT_EQ(out.Pixel(x, 0), s.m.Gradient().Pixel(x / 2, 0)) << x;
    EXPECT_EQ(out.Pixel(x, 9), out.Pixel(x, 0));
  }
  // Shrinking drops whole columns: nothing is blended.
  s.m.SetSize(100, 10);
  s.m.Compose(out, 0x808080, 0xFFFFFF);
  std::set<int> source;
  for (int x = 0; x < 256; ++x) source.insert(s.m.Gradient().Pixel(x, 0).R);
  for (int x = 0; x < 98; ++x) EXPECT_TRUE(source.count(out.Pixel(x, 5).R)) << x;
}

TEST(SliderCompose, VerticalBarStretchesRowsAndDrawsAHorizontalMarker) {
  Slider s(S::cpsHsvHue, 20, 364);
  s.m.SetHSV(MakeHSV(180, 255, 255));  // y = 2 + 180*360/359 = 182
  TBitmap24 out;
  s.m.Compose(out, 0x808080, 0xFFFFFF);
  EXPECT_EQ(s.m.MarkerPos().y, 182);
  for (int y = 2; y < 362; ++y) {
    if (y >= 181 && y <= 183) continue;
    EXPECT_EQ(out.Pixel(5, y), s.m.Gradient().Pixel(0, y - 2)) << y;
  }
  EXPECT_EQ(out.Pixel(3, 182), MakeRGB(0, 0, 0));
  EXPECT_EQ(out.Pixel(3, 181), MakeRGB(255, 255, 255));
  EXPECT_EQ(out.Pixel(10, 182), s.m.Gradient().Pixel(0, 180));  // gap at m = 10
}

TEST(SliderCompose, TinyAndEmptyControlsDoNotCrash) {
  for (S style : {S::cpsHorizontal, S::cpsHsvHue, S::cpsHlsHS, S::cpsYuvUV}) {
    for (auto [w, h] : {std::pair{0, 0}, {1, 1}, {3, 2}, {4, 4}, {0, 30}}) {
      Slider s(style, w, h);
      s.m.MouseDrag(5, 5);
      TBitmap24 out;
      s.m.Compose(out, 0, 0);
      EXPECT_EQ(out.width, w);
      EXPECT_EQ(out.height, h);
    }
  }
}

}  // namespace
}  // namespace tintorb
