// The gradient slider behind the numeric colour sheets, without any toolkit:
// positions and bounds, the held model values, the mouse mapping, the gradient
// at model resolution and the composed picture of the whole control.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <vector>

#include "core/Color.h"
#include "core/ColorVision.h"
#include "platform/Desktop.h"

namespace tintorb {

// Ordinal values are stored, keep the order.
enum class TTintorbColorPanelStyle : int {
  cpsHorizontal,
  cpsVertical,
  cpsQuadrangle,
  cpsHsvHue,
  cpsHsvSV,
  cpsHlsHS,
  cpsHlsLightness,
  cpsYuvY,
  cpsYuvUV,
};

class EInvalidOperation : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// 24 bits per pixel, bytes R, G, B, rows top-down without padding.
struct TBitmap24 {
  int width = 0, height = 0;
  std::vector<uint8_t> bits;

  void SetSize(int w, int h);
  uint8_t* Row(int y) { return bits.data() + size_t(y) * size_t(width) * 3; }
  const uint8_t* Row(int y) const { return bits.data() + size_t(y) * size_t(width) * 3; }
  TRGBRec Pixel(int x, int y) const;
  void SetPixel(int x, int y, TRGBRec c);  // ignores points outside
};

// lo + round(pixel / size * (hi - lo)) in extended precision, ties to even,
// clamped to lo..hi. A zero or negative size maps everything to lo.
int ScalePixel(int pixel, int size, int lo, int hi);

// Truncates toward zero, clamps to 0..255 and optionally snaps to web-safe.
uint8_t GradientComponent(float v, bool webSafe);

class TColorSliderModel {
 public:
  TColorSliderModel();

  // Raised when the position or a held model value changed.
  std::function<void()> OnChange;
  // Raised whenever the picture must be composed again.
  std::function<void()> OnRedraw;

  bool Bevel() const { return bevel_; }
  void SetBevel(bool v);
  TTintorbColorPanelStyle Style() const { return style_; }
  void SetStyle(TTintorbColorPanelStyle v);
  TColor Color1() const { return color_[0]; }
  TColor Color2() const { return color_[1]; }
  TColor Color3() const { return color_[2]; }
  TColor Color4() const { return color_[3]; }
  void SetColor1(TColor c) { SetColor(0, c); }
  void SetColor2(TColor c) { SetColor(1, c); }
  void SetColor3(TColor c) { SetColor(2, c); }
  void SetColor4(TColor c) { SetColor(3, c); }
  bool WebSafe() const { return webSafe_; }
  void SetWebSafe(bool v);

  int PositionX() const { return pos_.x; }
  int PositionY() const { return pos_.y; }
  void SetPositionX(int x) { SetPositionRange({x, pos_.y}, rangeMin_, rangeMax_); }
  void SetPositionY(int y) { SetPositionRange({pos_.x, y}, rangeMin_, rangeMax_); }
  TPoint RangeMin() const { return rangeMin_; }
  TPoint RangeMax() const { return rangeMax_; }
  // Throws EInvalidOperation when a maximum lies below its minimum.
  void SetPositionRange(TPoint p, TPoint min, TPoint max);

  THSV HSV() const { return hsv_; }
  THLS HLS() const { return hls_; }
  TYUV YUV() const { return yuv_; }
  void SetHSV(THSV v);
  void SetHLS(THLS v);
  void SetYUV(TYUV v);

  // The control's size; rebuilds the gradient.
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetSize(int w, int h);

  // A mouse point while the left button is held (a press counts as one).
  void MouseDrag(int x, int y);

  void UpdateGradient();
  const TBitmap24& Gradient() const { return gradient_; }
  // Builds the gradient at w x h instead of the style's own resolution (for
  // icons, which need a few pixels, not 256 x 256); 0 x 0 restores it.
  void SetGradientResolution(int w, int h);
  int GradientBuilds() const { return gradientBuilds_; }

  // Marker point in control coordinates; only the coordinate(s) the style
  // uses are meaningful.
  TPoint MarkerPos() const;
  // Compose draws the gradient as seen through `filter` (null or inactive:
  // the real colours); a new `generation` means the filter changed. The
  // gradient is simulated at its own resolution, once per build.
  void SetShownFilter(const TCvdFilter* filter, int generation);
  // The whole control: frame, stretched gradient, marker, 3-D border.
  void Compose(TBitmap24& out, TColor btnShadow, TColor btnHighlight) const;

 private:
  void SetColor(int i, TColor c);
  void Redraw();

  bool bevel_ = true;
  TTintorbColorPanelStyle style_ = TTintorbColorPanelStyle::cpsHorizontal;
  TColor color_[4] = {clWhite, clBlack, clWhite, clBlack};
  bool webSafe_ = false;
  TPoint pos_{0, 0};
  TPoint rangeMin_{0, 0}, rangeMax_{255, 255};
  THSV hsv_{};
  THLS hls_{};
  TYUV yuv_{};
  int width_ = 128, height_ = 20;
  int resolutionW_ = 0, resolutionH_ = 0;
  TBitmap24 gradient_;
  int gradientBuilds_ = 0;
  const TBitmap24& ShownGradient() const;
  const TCvdFilter* filter_ = nullptr;
  int filterGeneration_ = 0;
  mutable TBitmap24 shown_;
  mutable int shownBuild_ = -1, shownGeneration_ = -1;
};

}  // namespace tintorb
