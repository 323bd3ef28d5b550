#include "core/Color.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>

namespace tintorb {

namespace {

// Typical desktop colours for the Windows system-colour indices 0..28.
constexpr TColor kDefaultSysColors[29] = {
    0xC8D0D4,  // 0 scroll bar
    0xA56E3A,  // 1 background
    0x6A240A,  // 2 active caption
    0x808080,  // 3 inactive caption
    0xC8D0D4,  // 4 menu
    0xFFFFFF,  // 5 window
    0x000000,  // 6 window frame
    0x000000,  // 7 menu text
    0x000000,  // 8 window text
    0xFFFFFF,  // 9 caption text
    0xC8D0D4,  // 10 active border
    0xC8D0D4,  // 11 inactive border
    0x808080,  // 12 app workspace
    0x6A240A,  // 13 highlight
    0xFFFFFF,  // 14 highlight text
    0xC8D0D4,  // 15 button face
    0x808080,  // 16 button shadow
    0x808080,  // 17 grey text
    0x000000,  // 18 button text
    0xC8D0D4,  // 19 inactive caption text
    0xFFFFFF,  // 20 button highlight
    0x404040,  // 21 3-D dark shadow
    0xC8D0D4,  // 22 3-D light
    0x000000,  // 23 info text
    0xE1FFFF,  // 24 info background
    0xB5B5B5,  // 25 (unused slot)
    0x800000,  // 26 hot light
    0xF0CAA6,  // 27 gradient active caption
    0xC0C0C0,  // 28 gradient inactive caption
};

TSysColorResolver g_resolver = nullptr;

uint64_t ClockSeed() {
  return uint64_t(std::chrono::high_resolution_clock::now().time_since_epoch().count());
}

// Seeded from the clock when first used, so no caller can end up drawing the
// same colours on every run; tests reseed it with RandSeed.
std::mt19937_64& Generator() {
  static std::mt19937_64 gen(ClockSeed());
  return gen;
}

int Clamp(int v, int lo, int hi) {
  return std::max(lo, std::min(v, hi));
}

// value + step in a wider type, so a huge step clamps instead of overflowing.
int StepClamped(int value, int step, int lo, int hi) {
  return int(std::max<long long>(lo, std::min<long long>((long long)value + step, hi)));
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

uint32_t PackHSV(THSV v) {
  return uint32_t(v.H) | (uint32_t(v.S) << 16) | (uint32_t(v.V) << 24);
}
THSV UnpackHSV(uint32_t p) {
  return THSV{uint16_t(p & 0xFFFF), uint8_t((p >> 16) & 0xFF), uint8_t(p >> 24)};
}
uint32_t PackHLS(THLS v) {
  return uint32_t(v.H) | (uint32_t(v.L) << 16) | (uint32_t(v.S) << 24);
}
THLS UnpackHLS(uint32_t p) {
  return THLS{uint16_t(p & 0xFFFF), uint8_t((p >> 16) & 0xFF), uint8_t(p >> 24)};
}

void SetSysColorResolver(TSysColorResolver resolver) {
  g_resolver = resolver;
}

TColor DefaultSysColor(int index) {
  if (index < 0 || index > 28) return 0;
  return kDefaultSysColors[index];
}

TColor ResolveColor(TColor c) {
  if (c < 0) {
    int index = c & 0xFF;
    TColor rgb = g_resolver ? g_resolver(index) : DefaultSysColor(index);
    return rgb & 0xFFFFFF;
  }
  return c & 0xFFFFFF;
}

TRGBRec MakeRGB(uint8_t r, uint8_t g, uint8_t b) {
  return TRGBRec{r, g, b};
}
TColor RGBToColor(TRGBRec c) {
  return (TColor(c.B) << 16) | (TColor(c.G) << 8) | TColor(c.R);
}
TColor RGB(int r, int g, int b) {
  return RGBToColor(MakeRGB(uint8_t(r), uint8_t(g), uint8_t(b)));
}
TRGBRec ColorToRGBRec(TColor c) {
  c = ResolveColor(c);
  return TRGBRec{GetRValue(c), GetGValue(c), GetBValue(c)};
}
THSV MakeHSV(uint16_t h, uint8_t s, uint8_t v) {
  return THSV{h, s, v};
}
THLS MakeHLS(uint16_t h, uint8_t l, uint8_t s) {
  return THLS{h, l, s};
}
TYUV MakeYUV(uint8_t y, int8_t u, int8_t v) {
  return TYUV{y, u, v};
}
TCMYK MakeCMYK(uint8_t c, uint8_t m, uint8_t y, uint8_t k) {
  return TCMYK{c, m, y, k};
}

THSV RGBToHSV(TRGBRec rgb) {
  const int r = rgb.R, g = rgb.G, b = rgb.B;
  const int mx = std::max({r, g, b});
  const int mn = std::min({r, g, b});
  const int delta = mx - mn;
  const int s = mx == 0 ? 0 : (delta * 255) / mx;
  if (s == 0) return THSV{0, 0, uint8_t(mx)};
  const int rc = ((mx - r) * 60) / delta;
  const int gc = ((mx - g) * 60) / delta;
  const int bc = ((mx - b) * 60) / delta;
  int h;
  if (r == mx)
    h = bc - gc;
  else if (g == mx)
    h = rc + 120 - bc;
  else
    h = gc + 240 - rc;
  while (h < 0) h += 360;
  while (h >= 360) h -= 360;
  return THSV{uint16_t(h), uint8_t(s), uint8_t(mx)};
}
THSV ColorToHSV(TColor c) {
  return RGBToHSV(ColorToRGBRec(c));
}

TRGBRec HSVToRGB(THSV hsv) {
  const int h = hsv.H, s = hsv.S, v = hsv.V;
  if (s == 0) return TRGBRec{uint8_t(v), uint8_t(v), uint8_t(v)};
  const int h6 = h * 6;
  const int f = h6 % 360;
  const int sector = h6 / 360;
  const int p = ((255 - s) * v) / 255;
  const int q = ((255 - (s * f) / 360) * v) / 255;
  const int t = ((255 - (s * (360 - f)) / 360) * v) / 255;
  auto rec = [](int r, int g, int b) { return TRGBRec{uint8_t(r), uint8_t(g), uint8_t(b)}; };
  switch (sector) {
    case 0:
      return rec(v, t, p);
    case 1:
      return rec(q, v, p);
    case 2:
      return rec(p, v, t);
    case 3:
      return rec(p, q, v);
    case 4:
      return rec(t, p, v);
    default:
      return rec(v, p, q);
  }
}
TColor HSVToColor(THSV hsv) {
  return RGBToColor(HSVToRGB(hsv));
}

THLS RGBToHLS(TRGBRec rgb) {
  const int r = rgb.R, g = rgb.G, b = rgb.B;
  const int mx = std::max({r, g, b});
  const int mn = std::min({r, g, b});
  const int l = (mx + mn) / 2;
  if (mx == mn) return THLS{0, uint8_t(l), 0};
  const int delta = mx - mn;
  const int s = l < 128 ? (delta * 255) / (mx + mn) : (delta * 255) / (510 - (mx + mn));
  int h;
  if (r == mx)
    h = ((g - b) * 60) / delta;
  else if (g == mx)
    h = ((b - r) * 60) / delta + 120;
  else
    h = ((r - g) * 60) / delta + 240;
  while (h < 0) h += 360;
  while (h >= 360) h -= 360;
  return THLS{uint16_t(h), uint8_t(l), uint8_t(s)};
}
THLS ColorToHLS(TColor c) {
  return RGBToHLS(ColorToRGBRec(c));
}

int HueToComponent(int m1, int m2, int h) {
  if (h >= 360)
    h -= 360;
  else if (h < 0)
    h += 360;
  if (h < 60) return m1 + ((m2 - m1) * h) / 60;
  if (h < 180) return m2;
  if (h < 240) return m1 + ((m2 - m1) * (240 - h)) / 60;
  return m1;
}

TRGBRec HLSToRGB(THLS hls) {
  const int h = hls.H, l = hls.L, s = hls.S;
  if (s == 0) return TRGBRec{uint8_t(l), uint8_t(l), uint8_t(l)};
  const int m2 = l < 128 ? (l * (255 + s)) / 255 : l + s - (l * s) / 255;
  const int m1 = 2 * l - m2;
  return TRGBRec{uint8_t(HueToComponent(m1, m2, h + 120)), uint8_t(HueToComponent(m1, m2, h)),
                 uint8_t(HueToComponent(m1, m2, h - 120))};
}
TColor HLSToColor(THLS hls) {
  return RGBToColor(HLSToRGB(hls));
}

namespace {

// Rounds in the current mode (to nearest unless someone changed it).
long long RoundExtended(long double x) {
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
  long long r;
  asm("fistpll %0" : "=m"(r) : "t"(x) : "st");
  return r;
#else
  return std::llrint(x);
#endif
}

// Truncation toward zero of a small extended value. A plain cast switches the
// x87 control word around every conversion, and on some CPUs that stalls for
// hundreds of cycles depending on code placement; rounding and stepping back
// by one is exact in every rounding mode and never touches the control word.
int TruncToInt(long double x) {
  long long r = RoundExtended(x);
  if (x >= 0 ? r > x : r < x) r += x >= 0 ? -1 : 1;
  return int(r);
}

}  // namespace

// Extended precision with the coefficients as long double literals, evaluated
// left to right and truncated: the sheets show exactly these numbers.
TYUV RGBToYUV(TRGBRec rgb) {
  const long double r = rgb.R, g = rgb.G, b = rgb.B;
  const long double y = r * 0.299L + g * 0.587L + b * 0.114L;
  const long double u = r * (-0.1684L) - g * 0.3316L + b * 0.5L;
  const long double v = r * 0.5L - g * 0.4187L - b * 0.0813L;
  return TYUV{uint8_t(TruncToInt(y)), int8_t(TruncToInt(u)), int8_t(TruncToInt(v))};
}
TYUV ColorToYUV(TColor c) {
  return RGBToYUV(ColorToRGBRec(c));
}

TRGBRec YUVToRGB(TYUV yuv) {
  const long double y = yuv.Y, u = yuv.U, v = yuv.V;
  const long double r = v * 1.402L + y;
  const long double g = y - u * 0.3441L - v * 0.7139L;
  const long double b = y + u * 1.7718L - v * 0.0012L;
  auto c = [](long double x) { return uint8_t(Clamp(TruncToInt(x), 0, 255)); };
  return TRGBRec{c(r), c(g), c(b)};
}
TColor YUVToColor(TYUV yuv) {
  return RGBToColor(YUVToRGB(yuv));
}

TCMYK RGBToCMYK(TRGBRec rgb) {
  const int k = 255 - std::max({int(rgb.R), int(rgb.G), int(rgb.B)});
  return TCMYK{uint8_t(255 - rgb.R - k), uint8_t(255 - rgb.G - k), uint8_t(255 - rgb.B - k),
               uint8_t(k)};
}
TCMYK ColorToCMYK(TColor c) {
  return RGBToCMYK(ColorToRGBRec(c));
}

TRGBRec CMYKToRGB(TCMYK c) {
  return TRGBRec{uint8_t(std::max(255 - c.C - c.K, 0)), uint8_t(std::max(255 - c.M - c.K, 0)),
                 uint8_t(std::max(255 - c.Y - c.K, 0))};
}
TColor CMYKToColor(TCMYK c) {
  return RGBToColor(CMYKToRGB(c));
}

uint8_t WebSafeComponent(uint8_t x) {
  const int q = x / 51, r = x % 51;
  return uint8_t(r <= 25 ? q * 51 : q * 51 + 51);
}
TRGBRec WebSafeRGB(TRGBRec c) {
  return TRGBRec{WebSafeComponent(c.R), WebSafeComponent(c.G), WebSafeComponent(c.B)};
}
TColor WebSafeColor(TColor c) {
  return RGBToColor(WebSafeRGB(ColorToRGBRec(c)));
}

TColor ContrastTextColor(TColor c) {
  const TRGBRec rgb = ColorToRGBRec(c);
  const int w = 299 * rgb.R + 587 * rgb.G + 114 * rgb.B;
  return w < 127500 ? clWhite : clBlack;
}

TColor InvertColor(TColor c) {
  const TRGBRec rgb = ColorToRGBRec(c);
  return RGB(255 - rgb.R, 255 - rgb.G, 255 - rgb.B);
}

void RandomizeFromClock() {
  RandSeed(ClockSeed());
}
void RandSeed(uint64_t seed) {
  Generator().seed(seed);
}
int Random(int n) {
  if (n <= 0) return 0;
  // Top 32 bits scaled to n: uniform enough and identical on every platform.
  return int(((Generator()() >> 32) * uint64_t(n)) >> 32);
}
long double RandomReal() {
  return (long double)(Generator()() >> 11) / (long double)(1ULL << 53);
}
TColor RandomColor() {
  const int b = Random(256);
  const int g = Random(256);
  const int r = Random(256);
  return RGB(r, g, b);
}

// Same text as "%.2X%.2X%.2X", without the cost of a format call: lists and
// sweeps over every colour call this a lot.
std::string RGBToHex(TRGBRec c) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string s(6, '0');
  const uint8_t parts[3] = {c.R, c.G, c.B};
  for (int i = 0; i < 3; ++i) {
    s[2 * i] = kDigits[parts[i] >> 4];
    s[2 * i + 1] = kDigits[parts[i] & 0xF];
  }
  return s;
}
std::string ColorToHex(TColor c) {
  return RGBToHex(ColorToRGBRec(c));
}

TColor HexToColor(std::string_view text) {
  if (!text.empty() && text[0] == '#') text = text.substr(1, 6);
  const std::string prefixed = "$00" + std::string(text);
  uint64_t v = 0;
  bool ok = true;
  for (char ch : text) {
    const int d = HexDigit(ch);
    if (d < 0) {
      ok = false;
      break;
    }
    v = v * 16 + uint64_t(d);
    if (v > 0xFFFFFFFFULL) {
      ok = false;
      break;
    }
  }
  if (!ok) throw EConvertError("'" + prefixed + "' は整数ではありません");
  const uint32_t u = uint32_t(v);
  return TColor((u & 0xFF000000u) | ((u & 0xFFu) << 16) | (u & 0xFF00u) | ((u >> 16) & 0xFFu));
}

bool TryHexToColor(std::string_view text, TColor& out) {
  if (!text.empty() && text[0] == '#') text = text.substr(1);
  text = text.substr(0, std::min<size_t>(6, text.size()));
  if (text.size() < 6) return false;
  int part[3];
  for (int i = 0; i < 3; ++i) {
    const int hi = HexDigit(text[2 * i]), lo = HexDigit(text[2 * i + 1]);
    part[i] = (hi < 0 || lo < 0) ? -1 : hi * 16 + lo;
    if (part[i] < 0 || part[i] > 255) return false;
  }
  out = RGB(part[0], part[1], part[2]);
  return true;
}

TRGBRec HexToRGB(std::string_view text) {
  return ColorToRGBRec(HexToColor(text));
}

TRGBRec ShiftRGB(int mask, int step, TRGBRec c) {
  if (mask & 1) c.R = uint8_t(StepClamped(c.R, step, 0, 255));
  if (mask & 2) c.G = uint8_t(StepClamped(c.G, step, 0, 255));
  if (mask & 4) c.B = uint8_t(StepClamped(c.B, step, 0, 255));
  return c;
}

TCMYK ShiftCMYK(TCMYK c, int mask, int step) {
  if (mask & 1) c.C = uint8_t(StepClamped(c.C, step, 0, 255));
  if (mask & 2) c.M = uint8_t(StepClamped(c.M, step, 0, 255));
  if (mask & 4) c.Y = uint8_t(StepClamped(c.Y, step, 0, 255));
  if (mask & 8) c.K = uint8_t(StepClamped(c.K, step, 0, 255));
  return c;
}

THSV ShiftHSV(THSV c, int component, int step) {
  switch (component) {
    case 0:
      c.H = uint16_t(StepClamped(c.H, step, 0, 359));
      break;
    case 1:
      c.S = uint8_t(StepClamped(c.S, step, 0, 255));
      break;
    case 2:
      c.V = uint8_t(StepClamped(c.V, step, 0, 255));
      break;
    default:
      break;
  }
  return c;
}

THLS ShiftHLS(THLS c, int component, int step) {
  switch (component) {
    case 0:
      c.H = uint16_t(StepClamped(c.H, step, 0, 359));
      break;
    case 1:
      c.L = uint8_t(StepClamped(c.L, step, 0, 255));
      break;
    case 2:
      c.S = uint8_t(StepClamped(c.S, step, 0, 255));
      break;
    default:
      break;
  }
  return c;
}

TYUV ShiftYUV(int component, int step, TYUV c) {
  switch (component) {
    case 0:
      c.Y = uint8_t(StepClamped(c.Y, step, 0, 255));
      break;
    case 1:
      c.U = int8_t(StepClamped(c.U, step, -128, 127));
      break;
    case 2:
      c.V = int8_t(StepClamped(c.V, step, -128, 127));
      break;
    default:
      break;
  }
  return c;
}

}  // namespace tintorb
