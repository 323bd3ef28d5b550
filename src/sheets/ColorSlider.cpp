#include "sheets/ColorSlider.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace tintorb {

namespace {

using S = TTintorbColorPanelStyle;

bool IsVerticalStyle(S s) {
  return s == S::cpsVertical || s == S::cpsHsvHue || s == S::cpsHlsLightness || s == S::cpsYuvY;
}
bool IsFieldStyle(S s) {
  return s == S::cpsQuadrangle || s == S::cpsHsvSV || s == S::cpsHlsHS || s == S::cpsYuvUV;
}

void GradientSize(S s, int& w, int& h) {
  switch (s) {
    case S::cpsHorizontal:
      w = 256, h = 1;
      break;
    case S::cpsVertical:
    case S::cpsHlsLightness:
    case S::cpsYuvY:
      w = 1, h = 256;
      break;
    case S::cpsHsvHue:
      w = 1, h = 360;
      break;
    case S::cpsHlsHS:
      w = 360, h = 256;
      break;
    case S::cpsQuadrangle:
    case S::cpsHsvSV:
    case S::cpsYuvUV:
      w = 256, h = 256;
      break;
  }
}

TRGBRec Snap(TRGBRec c, bool webSafe) {
  return webSafe ? WebSafeRGB(c) : c;
}

void Put(uint8_t* p, TRGBRec c) {
  p[0] = c.R, p[1] = c.G, p[2] = c.B;
}

void FillRow(TBitmap24& bmp, int y, TRGBRec c) {
  uint8_t* p = bmp.Row(y);
  for (int x = 0; x < bmp.width; ++x, p += 3) Put(p, c);
}

// Web-safe snapping as a table keeps the pixel loops free of divisions.
struct TLevelTables {
  uint8_t plain[256], safe[256];
  TLevelTables() {
    for (int i = 0; i < 256; ++i) plain[i] = uint8_t(i), safe[i] = WebSafeComponent(uint8_t(i));
  }
};
const uint8_t* Levels(bool webSafe) {
  static const TLevelTables tables;
  return webSafe ? tables.safe : tables.plain;
}

// Truncation toward zero, then 0..255; the conversion to int truncates.
inline int TruncByte(float v) {
  if (!(v > -1.0f)) return 0;
  if (v >= 255.0f) return 255;
  return int(v);
}

// Round half to even for |v| < 2^22 in the default rounding mode, without the
// cost of a library call.
inline float RoundHalfEven(float v) {
  constexpr float kMagic = 12582912.0f;  // 1.5 * 2^23
  const float t = v + kMagic;
  return t - kMagic;
}

// One row (or column) from `a` towards `b`: float start, step and running value,
// the step added once per pixel, so the last pixel stops one step short of `b`.
void Interpolate(const int a[3], const int b[3], int n, bool webSafe, uint8_t* out,
                 ptrdiff_t stride) {
  const uint8_t* level = Levels(webSafe);
  float v0 = float(a[0]), v1 = float(a[1]), v2 = float(a[2]);
  const float s0 = float(b[0] - a[0]) / float(n), s1 = float(b[1] - a[1]) / float(n),
              s2 = float(b[2] - a[2]) / float(n);
  for (int i = 0; i < n; ++i, out += stride) {
    out[0] = level[TruncByte(v0)];
    out[1] = level[TruncByte(v1)];
    out[2] = level[TruncByte(v2)];
    v0 += s0, v1 += s1, v2 += s2;
  }
}

void Components(TColor c, int out[3]) {
  const TRGBRec rgb = ColorToRGBRec(c);
  out[0] = rgb.R, out[1] = rgb.G, out[2] = rgb.B;
}

void TwoColour(TBitmap24& bmp, TColor c1, TColor c2, bool horizontal, bool webSafe) {
  int a[3], b[3];
  Components(c1, a);
  Components(c2, b);
  if (horizontal) {
    if (bmp.height == 0) return;
    Interpolate(a, b, bmp.width, webSafe, bmp.Row(0), 3);
    for (int y = 1; y < bmp.height; ++y) std::memcpy(bmp.Row(y), bmp.Row(0), size_t(bmp.width) * 3);
  } else {
    if (bmp.width == 0) return;
    std::vector<uint8_t> column(size_t(bmp.height) * 3);
    Interpolate(a, b, bmp.height, webSafe, column.data(), 3);
    for (int y = 0; y < bmp.height; ++y)
      FillRow(bmp, y, TRGBRec{column[y * 3], column[y * 3 + 1], column[y * 3 + 2]});
  }
}

void FourCorner(TBitmap24& bmp, TColor tl, TColor tr, TColor bl, TColor br, bool webSafe) {
  int TL[3], TR[3], BL[3], BR[3];
  Components(tl, TL);
  Components(tr, TR);
  Components(bl, BL);
  Components(br, BR);
  const int H = bmp.height;
  for (int i = 0; i < H; ++i) {
    int left[3], right[3];
    for (int k = 0; k < 3; ++k) {
      left[k] = int(std::rint(static_cast<long double>(i) * (BL[k] - TL[k]) / H)) + TL[k];
      right[k] = int(std::rint(static_cast<long double>(i) * (BR[k] - TR[k]) / H)) + TR[k];
    }
    Interpolate(left, right, bmp.width, webSafe, bmp.Row(i), 3);
  }
}

int RoundScaled(int i, long double full, int n) {
  return int(std::rint(i * (full / n)));
}

// Marker coordinate for a generic position; equal bounds put it at the start.
int Along(int pos, int lo, int hi, int o, int size) {
  if (hi == lo) return o;
  return o + int((int64_t(pos) - lo) * size / (int64_t(hi) - lo));
}

void HLine(TBitmap24& b, int x0, int x1, int y, TRGBRec c) {  // x1 exclusive
  if (y < 0 || y >= b.height) return;
  x0 = std::max(x0, 0), x1 = std::min(x1, b.width);
  if (x0 >= x1) return;
  uint8_t* p = b.Row(y) + size_t(x0) * 3;
  for (int x = x0; x < x1; ++x, p += 3) Put(p, c);
}
void VLine(TBitmap24& b, int x, int y0, int y1, TRGBRec c) {  // y1 exclusive
  if (x < 0 || x >= b.width) return;
  y0 = std::max(y0, 0), y1 = std::min(y1, b.height);
  for (int y = y0; y < y1; ++y) Put(b.Row(y) + size_t(x) * 3, c);
}
void Outline(TBitmap24& b, int x, int y, int w, int h, TRGBRec c) {
  if (w <= 0 || h <= 0) return;
  HLine(b, x, x + w, y, c);
  HLine(b, x, x + w, y + h - 1, c);
  VLine(b, x, y, y + h, c);
  VLine(b, x + w - 1, y, y + h, c);
}

// Nearest neighbour: whole source rows and columns repeated or dropped.
void Stretch(const TBitmap24& src, TBitmap24& dst, int ox, int oy, int w, int h) {
  if (w <= 0 || h <= 0 || src.width <= 0 || src.height <= 0) return;
  std::vector<int> sx(static_cast<size_t>(w));
  for (int x = 0; x < w; ++x) sx[x] = int((int64_t(2 * x + 1) * src.width) / (2 * int64_t(w)));
  int lastSy = -1;
  const uint8_t* lastRow = nullptr;
  for (int y = 0; y < h; ++y) {
    const int sy = int((int64_t(2 * y + 1) * src.height) / (2 * int64_t(h)));
    uint8_t* d = dst.Row(oy + y) + size_t(ox) * 3;
    if (sy == lastSy) {
      std::memcpy(d, lastRow, size_t(w) * 3);
      continue;
    }
    const uint8_t* s = src.Row(sy);
    if (src.width == 1) {
      for (int x = 0; x < w; ++x) std::memcpy(d + x * 3, s, 3);
    } else {
      for (int x = 0; x < w; ++x) std::memcpy(d + x * 3, s + sx[x] * 3, 3);
    }
    lastSy = sy;
    lastRow = d;
  }
}

}  // namespace

void TBitmap24::SetSize(int w, int h) {
  width = std::max(w, 0);
  height = std::max(h, 0);
  bits.assign(size_t(width) * size_t(height) * 3, 0);
}

TRGBRec TBitmap24::Pixel(int x, int y) const {
  const uint8_t* p = Row(y) + size_t(x) * 3;
  return TRGBRec{p[0], p[1], p[2]};
}

void TBitmap24::SetPixel(int x, int y, TRGBRec c) {
  if (x < 0 || y < 0 || x >= width || y >= height) return;
  Put(Row(y) + size_t(x) * 3, c);
}

int ScalePixel(int pixel, int size, int lo, int hi) {
  long double v = lo;
  if (size > 0) {
    const long double q = static_cast<long double>(pixel) / size;
    v = lo + std::rint(q * (static_cast<long double>(hi) - lo));
  }
  v = std::min<long double>(hi, std::max<long double>(lo, v));
  return int(v);
}

uint8_t GradientComponent(float v, bool webSafe) {
  return Levels(webSafe)[TruncByte(v)];
}

TColorSliderModel::TColorSliderModel() {
  gradient_.SetSize(256, 1);  // stays empty until the first UpdateGradient
}

void TColorSliderModel::SetBevel(bool v) {
  bevel_ = v;
  UpdateGradient();
}
void TColorSliderModel::SetStyle(TTintorbColorPanelStyle v) {
  style_ = v;
  UpdateGradient();
}
void TColorSliderModel::SetColor(int i, TColor c) {
  color_[i] = c;
  UpdateGradient();
}
void TColorSliderModel::SetWebSafe(bool v) {
  webSafe_ = v;
  UpdateGradient();
}
void TColorSliderModel::SetGradientResolution(int w, int h) {
  resolutionW_ = std::max(0, w);
  resolutionH_ = std::max(0, h);
  UpdateGradient();
}
void TColorSliderModel::SetSize(int w, int h) {
  width_ = w;
  height_ = h;
  UpdateGradient();
}

void TColorSliderModel::SetPositionRange(TPoint p, TPoint min, TPoint max) {
  if (max.x < min.x || max.y < min.y)
    throw EInvalidOperation("Tintorbカラーパネル プロパティが範囲を越えました");
  if (p.x < min.x) p.x = min.x;
  if (p.y < min.y) p.y = min.y;
  if (p.x > max.x) p.x = max.x;
  if (p.y > max.y) p.y = max.y;
  rangeMin_ = min;
  rangeMax_ = max;
  if (p != pos_) {
    pos_ = p;
    if (OnChange) OnChange();
  }
  Redraw();
}

void TColorSliderModel::SetHSV(THSV v) {
  hsv_ = v;
  if (style_ == S::cpsHsvHue)
    SetPositionRange({pos_.x, v.H}, {rangeMin_.x, 0}, {rangeMax_.x, 359});
  else if (style_ == S::cpsHsvSV)
    SetPositionRange({v.S, 255 - v.V}, rangeMin_, rangeMax_);
  UpdateGradient();
}

void TColorSliderModel::SetHLS(THLS v) {
  hls_ = v;
  // Positions run top-down, as the mouse sets them: 255 at the top is
  // position 0. Held bottom-up, L 128 after a drag to L 127 (position 128)
  // would look like no change.
  if (style_ == S::cpsHlsHS)
    SetPositionRange({v.H, 255 - v.S}, rangeMin_, rangeMax_);
  else if (style_ == S::cpsHlsLightness)
    SetPositionRange({pos_.x, 255 - v.L}, rangeMin_, rangeMax_);
  UpdateGradient();
}

void TColorSliderModel::SetYUV(TYUV v) {
  yuv_ = v;
  if (style_ == S::cpsYuvY)
    SetPositionRange({pos_.x, 255 - v.Y}, rangeMin_, rangeMax_);
  else if (style_ == S::cpsYuvUV)
    SetPositionRange({v.U + 128, v.V + 128}, rangeMin_, rangeMax_);
  UpdateGradient();
}

void TColorSliderModel::MouseDrag(int x, int y) {
  const int W = width_, H = height_;
  if (style_ == S::cpsHorizontal) {
    pos_.x = ScalePixel(x, W, rangeMin_.x, rangeMax_.x);
  } else if (IsVerticalStyle(style_)) {
    pos_.y = ScalePixel(y, H, rangeMin_.y, rangeMax_.y);
    hsv_.H = uint16_t(ScalePixel(y, H, 0, 359));
    hls_.L = uint8_t(255 - ScalePixel(y, H, 0, 255));
    yuv_.Y = uint8_t(255 - ScalePixel(y, H, 0, 255));
  } else {
    pos_.x = ScalePixel(x, W, rangeMin_.x, rangeMax_.x);
    pos_.y = ScalePixel(y, H, rangeMin_.y, rangeMax_.y);
    hsv_.S = uint8_t(ScalePixel(x, W, 0, 255));
    hsv_.V = uint8_t(255 - ScalePixel(y, H, 0, 255));
    hls_.H = uint16_t(ScalePixel(x, W, 0, 359));
    hls_.S = uint8_t(255 - ScalePixel(y, H, 0, 255));
    yuv_.U = int8_t(ScalePixel(x, W, -128, 127));
    yuv_.V = int8_t(ScalePixel(y, H, -128, 127));
  }
  Redraw();
  if (OnChange) OnChange();
}

void TColorSliderModel::UpdateGradient() {
  int w = 256, h = 1;
  GradientSize(style_, w, h);
  if (resolutionW_ > 0 && resolutionH_ > 0) w = resolutionW_, h = resolutionH_;
  TBitmap24& g = gradient_;
  if (g.width != w || g.height != h) g.SetSize(w, h);
  const bool ws = webSafe_;
  switch (style_) {
    case S::cpsHorizontal:
      TwoColour(g, color_[0], color_[1], true, ws);
      break;
    case S::cpsVertical:
      TwoColour(g, color_[0], color_[1], false, ws);
      break;
    case S::cpsQuadrangle:
      FourCorner(g, color_[0], color_[1], color_[2], color_[3], ws);
      break;
    case S::cpsHsvHue:
      for (int y = 0; y < g.height; ++y) {
        const int hue = RoundScaled(y, 360.0L, g.height);
        FillRow(g, y, Snap(HSVToRGB(MakeHSV(uint16_t(hue), 255, 255)), ws));
      }
      break;
    case S::cpsHsvSV: {
      const uint16_t H = hsv_.H;
      FourCorner(g, HSVToColor(MakeHSV(H, 0, 255)), HSVToColor(MakeHSV(H, 255, 255)),
                 HSVToColor(MakeHSV(H, 0, 0)), HSVToColor(MakeHSV(H, 255, 0)), ws);
      break;
    }
    case S::cpsHlsHS: {
      // Each column runs from its hue at full saturation down to grey 128; the
      // columns are independent, so walk the picture row by row.
      const int W = g.width, H = g.height;
      std::vector<float> v(size_t(W) * 3), step(size_t(W) * 3);
      for (int i = 0; i < W; ++i) {
        const int hue = RoundScaled(i, 360.0L, W);
        const TRGBRec c = HLSToRGB(MakeHLS(uint16_t(hue), 128, 255));
        const int top[3] = {c.R, c.G, c.B};
        for (int k = 0; k < 3; ++k) {
          v[i * 3 + k] = float(top[k]);
          step[i * 3 + k] = float(128 - top[k]) / float(H);
        }
      }
      // Every running value stays between its top colour and 128.
      const uint8_t* level = Levels(ws);
      const size_t n = v.size();
      for (int y = 0; y < H; ++y) {
        uint8_t* row = g.Row(y);
        if (ws) {
          for (size_t j = 0; j < n; ++j) row[j] = level[int(RoundHalfEven(v[j])) & 0xFF];
        } else {
          for (size_t j = 0; j < n; ++j) row[j] = uint8_t(int(RoundHalfEven(v[j])));
        }
        for (size_t j = 0; j < n; ++j) v[j] += step[j];
      }
      break;
    }
    case S::cpsHlsLightness:
      for (int y = 0; y < g.height; ++y) {
        const int l = 255 - RoundScaled(y, 255.0L, g.height);
        FillRow(g, y, Snap(HLSToRGB(MakeHLS(hls_.H, uint8_t(l), hls_.S)), ws));
      }
      break;
    case S::cpsYuvY:
      TwoColour(g, YUVToColor(MakeYUV(255, yuv_.U, yuv_.V)), YUVToColor(MakeYUV(0, yuv_.U, yuv_.V)),
                false, ws);
      break;
    case S::cpsYuvUV: {
      const uint8_t Y = yuv_.Y;
      FourCorner(g, YUVToColor(MakeYUV(Y, -128, -128)), YUVToColor(MakeYUV(Y, 127, -128)),
                 YUVToColor(MakeYUV(Y, -128, 127)), YUVToColor(MakeYUV(Y, 127, 127)), ws);
      break;
    }
  }
  ++gradientBuilds_;
  Redraw();
}

void TColorSliderModel::Redraw() {
  if (OnRedraw) OnRedraw();
}

TPoint TColorSliderModel::MarkerPos() const {
  const int o = bevel_ ? 2 : 0;
  const int w = bevel_ ? width_ - 4 : width_;
  const int h = bevel_ ? height_ - 4 : height_;
  TPoint m{o, o};
  switch (style_) {
    case S::cpsHorizontal:
      m.x = Along(pos_.x, rangeMin_.x, rangeMax_.x, o, w);
      break;
    case S::cpsVertical:
      m.y = Along(pos_.y, rangeMin_.y, rangeMax_.y, o, h);
      break;
    case S::cpsQuadrangle:
      m.x = Along(pos_.x, rangeMin_.x, rangeMax_.x, o, w);
      m.y = Along(pos_.y, rangeMin_.y, rangeMax_.y, o, h);
      break;
    case S::cpsHsvHue:
      m.y = o + (hsv_.H * h) / 359;
      break;
    case S::cpsHsvSV:
      m.x = o + (hsv_.S * w) / 255;
      m.y = o + ((255 - hsv_.V) * h) / 255;
      break;
    case S::cpsHlsHS:
      m.x = o + (hls_.H * w) / 359;
      m.y = o + ((255 - hls_.S) * h) / 255;
      break;
    case S::cpsHlsLightness:
      m.y = o + ((255 - hls_.L) * h) / 255;
      break;
    case S::cpsYuvY:
      m.y = o + ((255 - yuv_.Y) * h) / 255;
      break;
    case S::cpsYuvUV:
      m.x = o + ((yuv_.U + 128) * w) / 255;
      m.y = o + ((yuv_.V + 128) * h) / 255;
      break;
  }
  return m;
}

void TColorSliderModel::SetShownFilter(const TCvdFilter* filter, int generation) {
  filter_ = filter;
  filterGeneration_ = generation;
}

const TBitmap24& TColorSliderModel::ShownGradient() const {
  if (!filter_ || !filter_->Active()) return gradient_;
  if (shownBuild_ != gradientBuilds_ || shownGeneration_ != filterGeneration_) {
    shown_ = gradient_;
    filter_->ApplyRgb24(shown_.bits.data(), shown_.width, shown_.height, size_t(shown_.width) * 3);
    shownBuild_ = gradientBuilds_;
    shownGeneration_ = filterGeneration_;
  }
  return shown_;
}

void TColorSliderModel::Compose(TBitmap24& out, TColor btnShadow, TColor btnHighlight) const {
  const int W = std::max(width_, 0), H = std::max(height_, 0);
  if (out.width != W || out.height != H)
    out.SetSize(W, H);
  else
    std::fill(out.bits.begin(), out.bits.end(), uint8_t(0));
  if (W == 0 || H == 0) return;
  const TRGBRec black{0, 0, 0}, white{255, 255, 255};
  if (bevel_) {
    Outline(out, 1, 1, W - 2, H - 2, black);
    Stretch(ShownGradient(), out, 2, 2, W - 4, H - 4);
  } else {
    Stretch(ShownGradient(), out, 0, 0, W, H);
  }

  const TPoint m = MarkerPos();
  if (style_ == S::cpsHorizontal) {
    const int mid = H / 2;
    VLine(out, m.x, 0, mid - 2, black);
    VLine(out, m.x, mid + 2, H, black);
    for (int x : {m.x - 1, m.x + 1}) {
      VLine(out, x, 0, mid - 2, white);
      VLine(out, x, mid + 2, H, white);
    }
  } else if (IsVerticalStyle(style_)) {
    const int mid = W / 2;
    HLine(out, 0, mid - 2, m.y, black);
    HLine(out, mid + 2, W, m.y, black);
    for (int y : {m.y - 1, m.y + 1}) {
      HLine(out, 0, mid - 2, y, white);
      HLine(out, mid + 2, W, y, white);
    }
  } else if (IsFieldStyle(style_)) {
    Outline(out, m.x - 5, m.y - 5, 11, 11, black);
    Outline(out, m.x - 4, m.y - 4, 9, 9, white);
  }

  if (bevel_) {
    const TRGBRec shadow = ColorToRGBRec(btnShadow), light = ColorToRGBRec(btnHighlight);
    HLine(out, 0, W - 1, 0, shadow);
    VLine(out, 0, 0, H, shadow);
    VLine(out, W - 1, 0, H - 1, light);
    HLine(out, 1, W, H - 1, light);
  }
}

}  // namespace tintorb
