// Colour value, colour-model records and the conversions between them.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tintorb {

// 0x00BBGGRR; a negative value names a system colour (low byte = index).
using TColor = int32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clBtnFace = static_cast<TColor>(0x8000000F);
constexpr TColor clWindow = static_cast<TColor>(0x80000005);
// Markers that are not colours: "no colour" and "the default colour".
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

struct TRGBRec {
  uint8_t R = 0, G = 0, B = 0;
  friend bool operator==(const TRGBRec&, const TRGBRec&) = default;
};

// Packed as in memory: H bits 0..15, S bits 16..23, V bits 24..31.
struct THSV {
  uint16_t H = 0;
  uint8_t S = 0, V = 0;
  friend bool operator==(const THSV&, const THSV&) = default;
};

// H bits 0..15, L bits 16..23, S bits 24..31 (L before S).
struct THLS {
  uint16_t H = 0;
  uint8_t L = 0, S = 0;
  friend bool operator==(const THLS&, const THLS&) = default;
};

struct TYUV {
  uint8_t Y = 0;
  int8_t U = 0, V = 0;
  friend bool operator==(const TYUV&, const TYUV&) = default;
};

struct TCMYK {
  uint8_t C = 0, M = 0, Y = 0, K = 0;
  friend bool operator==(const TCMYK&, const TCMYK&) = default;
};

static_assert(sizeof(THSV) == 4 && sizeof(THLS) == 4 && sizeof(TCMYK) == 4);
static_assert(sizeof(TRGBRec) == 3 && sizeof(TYUV) == 3);

uint32_t PackHSV(THSV v);
THSV UnpackHSV(uint32_t packed);
uint32_t PackHLS(THLS v);
THLS UnpackHLS(uint32_t packed);

// Raised for text that does not read as a number; the message is shown as is.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// System colours: the UI installs a resolver backed by the desktop palette; until
// then a fixed table of typical desktop colours answers for indices 0..28.
using TSysColorResolver = TColor (*)(int index);
void SetSysColorResolver(TSysColorResolver resolver);  // nullptr restores the default
TColor DefaultSysColor(int index);
TColor ResolveColor(TColor c);  // system colour -> RGB; top byte cleared

TRGBRec MakeRGB(uint8_t r, uint8_t g, uint8_t b);
TColor RGBToColor(TRGBRec rgb);
TColor RGB(int r, int g, int b);  // convenience for tests and tables
TRGBRec ColorToRGBRec(TColor c);
THSV MakeHSV(uint16_t h, uint8_t s, uint8_t v);
THLS MakeHLS(uint16_t h, uint8_t l, uint8_t s);
TYUV MakeYUV(uint8_t y, int8_t u, int8_t v);
TCMYK MakeCMYK(uint8_t c, uint8_t m, uint8_t y, uint8_t k);

THSV RGBToHSV(TRGBRec rgb);
THSV ColorToHSV(TColor c);
TRGBRec HSVToRGB(THSV hsv);
TColor HSVToColor(THSV hsv);
THLS RGBToHLS(TRGBRec rgb);
THLS ColorToHLS(TColor c);
TRGBRec HLSToRGB(THLS hls);
TColor HLSToColor(THLS hls);
int HueToComponent(int m1, int m2, int h);
TYUV RGBToYUV(TRGBRec rgb);
TYUV ColorToYUV(TColor c);
TRGBRec YUVToRGB(TYUV yuv);
TColor YUVToColor(TYUV yuv);
TCMYK RGBToCMYK(TRGBRec rgb);
TCMYK ColorToCMYK(TColor c);
TRGBRec CMYKToRGB(TCMYK cmyk);
TColor CMYKToColor(TCMYK cmyk);

uint8_t WebSafeComponent(uint8_t x);
TRGBRec WebSafeRGB(TRGBRec rgb);
TColor WebSafeColor(TColor c);
TColor ContrastTextColor(TColor c);
TColor InvertColor(TColor c);

// The one process-wide generator (Random(n) yields 0..n-1).
void RandomizeFromClock();
void RandSeed(uint64_t seed);
int Random(int n);
long double RandomReal();  // uniform in [0, 1)
TColor RandomColor();

std::string ColorToHex(TColor c);
std::string RGBToHex(TRGBRec rgb);
TColor HexToColor(std::string_view text);  // throws EConvertError
bool TryHexToColor(std::string_view text, TColor& out);
TRGBRec HexToRGB(std::string_view text);

TRGBRec ShiftRGB(int mask, int step, TRGBRec rgb);
TCMYK ShiftCMYK(TCMYK cmyk, int mask, int step);
THSV ShiftHSV(THSV hsv, int component, int step);
THLS ShiftHLS(THLS hls, int component, int step);
TYUV ShiftYUV(int component, int step, TYUV yuv);

inline uint8_t GetRValue(TColor c) {
  return static_cast<uint8_t>(c & 0xFF);
}
inline uint8_t GetGValue(TColor c) {
  return static_cast<uint8_t>((c >> 8) & 0xFF);
}
inline uint8_t GetBValue(TColor c) {
  return static_cast<uint8_t>((c >> 16) & 0xFF);
}

}  // namespace tintorb
