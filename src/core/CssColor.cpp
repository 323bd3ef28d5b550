#include "core/CssColor.h"

#include "core/ColorText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

namespace tintorb {

namespace {

using Vec = std::array<double, 3>;
using Mat = std::array<Vec, 3>;

Vec Mul(const Mat& m, const Vec& v) {
  return {m[0][0] * v[0] + m[0][1] * v[1] + m[0][2] * v[2],
          m[1][0] * v[0] + m[1][1] * v[1] + m[1][2] * v[2],
          m[2][0] * v[0] + m[2][1] * v[1] + m[2][2] * v[2]};
}

// Linear sRGB and display-p3 (D65) to and from CIE XYZ (D65).
constexpr Mat kSrgbToXyz = {{{506752.0 / 1228815, 87881.0 / 245763, 12673.0 / 70218},
                             {87098.0 / 409605, 175762.0 / 245763, 12673.0 / 175545},
                             {7918.0 / 409605, 87881.0 / 737289, 1001167.0 / 1053270}}};
constexpr Mat kXyzToSrgb = {{{12831.0 / 3959, -329.0 / 214, -1974.0 / 3959},
                             {-851781.0 / 878810, 1648619.0 / 878810, 36519.0 / 878810},
                             {705.0 / 12673, -2585.0 / 12673, 705.0 / 667}}};
constexpr Mat kP3ToXyz = {{{608311.0 / 1250200, 189793.0 / 714400, 198249.0 / 1000160},
                           {35783.0 / 156275, 247089.0 / 357200, 198249.0 / 2500400},
                           {0.0, 32229.0 / 714400, 5220557.0 / 5000800}}};
constexpr Mat kXyzToP3 = {{{446124.0 / 178915, -333277.0 / 357830, -72051.0 / 178915},
                           {-14852.0 / 17905, 63121.0 / 35810, 423.0 / 17905},
                           {11844.0 / 330415, -50337.0 / 660830, 316169.0 / 330415}}};
// Bradford chromatic adaptation between D65 and D50 (Lab and LCH are D50).
constexpr Mat kD65ToD50 = {{{1.0479297925449969, 0.022946870601609652, -0.05019226628920524},
                            {0.02962780877005599, 0.9904344267538799, -0.017073799063418826},
                            {-0.009243040646204504, 0.015055191490298152, 0.7518742814281371}}};
constexpr Mat kD50ToD65 = {{{0.955473421488075, -0.02309845494876471, 0.06325924320057072},
                            {-0.0283697093338637, 1.0099953980813041, 0.021041441191917323},
                            {0.012314014864481998, -0.020507649298898964, 1.330365926242124}}};
constexpr Vec kD50White = {0.3457 / 0.3585, 1.0, (1.0 - 0.3457 - 0.3585) / 0.3585};
constexpr Mat kXyzToLms = {{{0.8190224379967030, 0.3619062600528904, -0.1288737815209879},
                            {0.0329836539323885, 0.9292868615863434, 0.0361446663506424},
                            {0.0481771893596242, 0.2642395317527308, 0.6335478284694309}}};
constexpr Mat kLmsToXyz = {{{1.2268798758459243, -0.5578149944602171, 0.2813910456659647},
                            {-0.0405757452148008, 1.1122868032803170, -0.0717110580655164},
                            {-0.0763729366746601, -0.4214933324022432, 1.5869240198367816}}};
constexpr Mat kLmsToOklab = {{{0.2104542683093140, 0.7936177747023054, -0.0040720430116193},
                              {1.9779985324311684, -2.4285922420485799, 0.4505937096174110},
                              {0.0259040424655478, 0.7827717124575296, -0.8086757549230774}}};
constexpr Mat kOklabToLms = {{{1.0, 0.3963377773761749, 0.2158037573099136},
                              {1.0, -0.1055613458156586, -0.0638541728258133},
                              {1.0, -0.0894841775298119, -1.2914855480194092}}};
// The other predefined RGB spaces of color(): linear light to CIE XYZ, D65
// except ProPhoto, which is D50.
constexpr Mat kA98ToXyz = {{{573536.0 / 994567, 263643.0 / 1420810, 187206.0 / 994567},
                            {591459.0 / 1989134, 6239551.0 / 9945670, 374412.0 / 4972835},
                            {53769.0 / 1989134, 351524.0 / 4972835, 4929758.0 / 4972835}}};
constexpr Mat kProPhotoToXyzD50 = {{{0.79776664490064230, 0.13518129740053308, 0.03134773412839220},
                                    {0.28807482881940130, 0.71183523424187300, 0.00008993693872564},
                                    {0.0, 0.0, 0.82510460251046020}}};
constexpr Mat kRec2020ToXyz = {
    {{63426534.0 / 99577255, 20160776.0 / 139408157, 47086771.0 / 278816314},
     {26158966.0 / 99577255, 472592308.0 / 697040785, 8267143.0 / 139408157},
     {0.0, 19567812.0 / 697040785, 295819943.0 / 278816314}}};
constexpr double kLabEpsilon = 216.0 / 24389;
constexpr double kLabKappa = 24389.0 / 27;

// The sRGB transfer curve (display-p3 shares it), odd-extended below zero.
double ToLinear(double c) {
  const double a = std::fabs(c);
  const double v = a <= 0.04045 ? a / 12.92 : std::pow((a + 0.055) / 1.055, 2.4);
  return std::copysign(v, c);
}

double ToGamma(double c) {
  const double a = std::fabs(c);
  const double v = a <= 0.0031308 ? 12.92 * a : 1.055 * std::pow(a, 1 / 2.4) - 0.055;
  return std::copysign(v, c);
}

// Transfer curves of the other spaces, odd-extended below zero like sRGB's.
double A98ToLinear(double c) {
  return std::copysign(std::pow(std::fabs(c), 563.0 / 256), c);
}

double ProPhotoToLinear(double c) {
  const double a = std::fabs(c);
  return std::copysign(a <= 16.0 / 512 ? a / 16 : std::pow(a, 1.8), c);
}

double Rec2020ToLinear(double c) {
  constexpr double alpha = 1.09929682680944, beta = 0.018053968510807;
  const double a = std::fabs(c);
  return std::copysign(a < beta * 4.5 ? a / 4.5 : std::pow((a + alpha - 1) / alpha, 1 / 0.45), c);
}

Vec ColorToXyz(TColor color) {
  const TColor c = ResolveColor(color);
  return Mul(kSrgbToXyz, {ToLinear(GetRValue(c) / 255.0), ToLinear(GetGValue(c) / 255.0),
                          ToLinear(GetBValue(c) / 255.0)});
}

Vec XyzToSrgb(const Vec& xyz) {
  const Vec lin = Mul(kXyzToSrgb, xyz);
  return {ToGamma(lin[0]), ToGamma(lin[1]), ToGamma(lin[2])};
}

Vec XyzToLab(const Vec& xyz65) {
  const Vec xyz = Mul(kD65ToD50, xyz65);
  Vec f;
  for (int i = 0; i < 3; ++i) {
    const double v = xyz[i] / kD50White[i];
    f[i] = v > kLabEpsilon ? std::cbrt(v) : (kLabKappa * v + 16) / 116;
  }
  return {116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])};
}

Vec LabToXyz(const Vec& lab) {
  const double f1 = (lab[0] + 16) / 116;
  const double f0 = lab[1] / 500 + f1, f2 = f1 - lab[2] / 200;
  const double x = f0 * f0 * f0 > kLabEpsilon ? f0 * f0 * f0 : (116 * f0 - 16) / kLabKappa;
  const double y = lab[0] > kLabKappa * kLabEpsilon ? f1 * f1 * f1 : lab[0] / kLabKappa;
  const double z = f2 * f2 * f2 > kLabEpsilon ? f2 * f2 * f2 : (116 * f2 - 16) / kLabKappa;
  return Mul(kD50ToD65, {x * kD50White[0], y * kD50White[1], z * kD50White[2]});
}

Vec XyzToOklab(const Vec& xyz) {
  const Vec lms = Mul(kXyzToLms, xyz);
  return Mul(kLmsToOklab, {std::cbrt(lms[0]), std::cbrt(lms[1]), std::cbrt(lms[2])});
}

Vec OklabToXyz(const Vec& lab) {
  Vec lms = Mul(kOklabToLms, lab);
  for (double& v : lms) v = v * v * v;
  return Mul(kLmsToXyz, lms);
}

struct TPolar {
  double c, h;
};

TPolar ToPolar(double a, double b) {
  double h = std::atan2(b, a) * 180 / std::numbers::pi;
  if (h < 0) h += 360;
  return {std::hypot(a, b), h};
}

Vec FromPolar(double l, double c, double hDeg) {
  const double r = hDeg * std::numbers::pi / 180;
  return {l, c * std::cos(r), c * std::sin(r)};
}

// A hue means nothing once its chroma prints as 0; 360 prints as 0.
std::string HueText(double h, int places, const std::string& chromaText) {
  if (chromaText == "0") return "0";
  std::string t = FormatCssNumber(h, places);
  return t == "360" ? "0" : t;
}

// Digits of |x| rounded half away from zero at `places`, with the point.
std::string RoundedDigits(double x, int places) {
  // glibc prints the exact binary value, so the digit after the last kept
  // place decides the rounding without a second rounding in between.
  if (!std::isfinite(x)) return "0";
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.*f", places + 25, std::fabs(x));
  std::string s(buf);
  const size_t point = s.find('.');
  const bool up = s[point + 1 + places] >= '5';
  s.resize(places == 0 ? point : point + 1 + places);
  if (up) {
    int i = int(s.size()) - 1;
    for (; i >= 0; --i) {
      if (s[i] == '.') continue;
      if (s[i] == '9') {
        s[i] = '0';
      } else {
        ++s[i];
        break;
      }
    }
    if (i < 0) s.insert(s.begin(), '1');
  }
  return s;
}

std::string Signed(double x, std::string digits) {
  const bool zero = digits.find_first_not_of("0.") == std::string::npos;
  return (x < 0 && !zero) ? "-" + digits : digits;
}

struct TNamed {
  std::string_view name;
  int rgb;  // 0xRRGGBB
};

// Alphabetical, so the first of two names with one value is the one shown.
constexpr TNamed kNamed[] = {
    {"aliceblue", 0xF0F8FF},
    {"antiquewhite", 0xFAEBD7},
    {"aqua", 0x00FFFF},
    {"aquamarine", 0x7FFFD4},
    {"azure", 0xF0FFFF},
    {"beige", 0xF5F5DC},
    {"bisque", 0xFFE4C4},
    {"black", 0x000000},
    {"blanchedalmond", 0xFFEBCD},
    {"blue", 0x0000FF},
    {"blueviolet", 0x8A2BE2},
    {"brown", 0xA52A2A},
    {"burlywood", 0xDEB887},
    {"cadetblue", 0x5F9EA0},
    {"chartreuse", 0x7FFF00},
    {"chocolate", 0xD2691E},
    {"coral", 0xFF7F50},
    {"cornflowerblue", 0x6495ED},
    {"cornsilk", 0xFFF8DC},
    {"crimson", 0xDC143C},
    {"cyan", 0x00FFFF},
    {"darkblue", 0x00008B},
    {"darkcyan", 0x008B8B},
    {"darkgoldenrod", 0xB8860B},
    {"darkgray", 0xA9A9A9},
    {"darkgreen", 0x006400},
    {"darkgrey", 0xA9A9A9},
    {"darkkhaki", 0xBDB76B},
    {"darkmagenta", 0x8B008B},
    {"darkolivegreen", 0x556B2F},
    {"darkorange", 0xFF8C00},
    {"darkorchid", 0x9932CC},
    {"darkred", 0x8B0000},
    {"darksalmon", 0xE9967A},
    {"darkseagreen", 0x8FBC8F},
    {"darkslateblue", 0x483D8B},
    {"darkslategray", 0x2F4F4F},
    {"darkslategrey", 0x2F4F4F},
    {"darkturquoise", 0x00CED1},
    {"darkviolet", 0x9400D3},
    {"deeppink", 0xFF1493},
    {"deepskyblue", 0x00BFFF},
    {"dimgray", 0x696969},
    {"dimgrey", 0x696969},
    {"dodgerblue", 0x1E90FF},
    {"firebrick", 0xB22222},
    {"floralwhite", 0xFFFAF0},
    {"forestgreen", 0x228B22},
    {"fuchsia", 0xFF00FF},
    {"gainsboro", 0xDCDCDC},
    {"ghostwhite", 0xF8F8FF},
    {"gold", 0xFFD700},
    {"goldenrod", 0xDAA520},
    {"gray", 0x808080},
    {"green", 0x008000},
    {"greenyellow", 0xADFF2F},
    {"grey", 0x808080},
    {"honeydew", 0xF0FFF0},
    {"hotpink", 0xFF69B4},
    {"indianred", 0xCD5C5C},
    {"indigo", 0x4B0082},
    {"ivory", 0xFFFFF0},
    {"khaki", 0xF0E68C},
    {"lavender", 0xE6E6FA},
    {"lavenderblush", 0xFFF0F5},
    {"lawngreen", 0x7CFC00},
    {"lemonchiffon", 0xFFFACD},
    {"lightblue", 0xADD8E6},
    {"lightcoral", 0xF08080},
    {"lightcyan", 0xE0FFFF},
    {"lightgoldenrodyellow", 0xFAFAD2},
    {"lightgray", 0xD3D3D3},
    {"lightgreen", 0x90EE90},
    {"lightgrey", 0xD3D3D3},
    {"lightpink", 0xFFB6C1},
    {"lightsalmon", 0xFFA07A},
    {"lightseagreen", 0x20B2AA},
    {"lightskyblue", 0x87CEFA},
    {"lightslategray", 0x778899},
    {"lightslategrey", 0x778899},
    {"lightsteelblue", 0xB0C4DE},
    {"lightyellow", 0xFFFFE0},
    {"lime", 0x00FF00},
    {"limegreen", 0x32CD32},
    {"linen", 0xFAF0E6},
    {"magenta", 0xFF00FF},
    {"maroon", 0x800000},
    {"mediumaquamarine", 0x66CDAA},
    {"mediumblue", 0x0000CD},
    {"mediumorchid", 0xBA55D3},
    {"mediumpurple", 0x9370DB},
    {"mediumseagreen", 0x3CB371},
    {"mediumslateblue", 0x7B68EE},
    {"mediumspringgreen", 0x00FA9A},
    {"mediumturquoise", 0x48D1CC},
    {"mediumvioletred", 0xC71585},
    {"midnightblue", 0x191970},
    {"mintcream", 0xF5FFFA},
    {"mistyrose", 0xFFE4E1},
    {"moccasin", 0xFFE4B5},
    {"navajowhite", 0xFFDEAD},
    {"navy", 0x000080},
    {"oldlace", 0xFDF5E6},
    {"olive", 0x808000},
    {"olivedrab", 0x6B8E23},
    {"orange", 0xFFA500},
    {"orangered", 0xFF4500},
    {"orchid", 0xDA70D6},
    {"palegoldenrod", 0xEEE8AA},
    {"palegreen", 0x98FB98},
    {"paleturquoise", 0xAFEEEE},
    {"palevioletred", 0xDB7093},
    {"papayawhip", 0xFFEFD5},
    {"peachpuff", 0xFFDAB9},
    {"peru", 0xCD853F},
    {"pink", 0xFFC0CB},
    {"plum", 0xDDA0DD},
    {"powderblue", 0xB0E0E6},
    {"purple", 0x800080},
    {"rebeccapurple", 0x663399},
    {"red", 0xFF0000},
    {"rosybrown", 0xBC8F8F},
    {"royalblue", 0x4169E1},
    {"saddlebrown", 0x8B4513},
    {"salmon", 0xFA8072},
    {"sandybrown", 0xF4A460},
    {"seagreen", 0x2E8B57},
    {"seashell", 0xFFF5EE},
    {"sienna", 0xA0522D},
    {"silver", 0xC0C0C0},
    {"skyblue", 0x87CEEB},
    {"slateblue", 0x6A5ACD},
    {"slategray", 0x708090},
    {"slategrey", 0x708090},
    {"snow", 0xFFFAFA},
    {"springgreen", 0x00FF7F},
    {"steelblue", 0x4682B4},
    {"tan", 0xD2B48C},
    {"teal", 0x008080},
    {"thistle", 0xD8BFD8},
    {"tomato", 0xFF6347},
    {"turquoise", 0x40E0D0},
    {"violet", 0xEE82EE},
    {"wheat", 0xF5DEB3},
    {"white", 0xFFFFFF},
    {"whitesmoke", 0xF5F5F5},
    {"yellow", 0xFFFF00},
    {"yellowgreen", 0x9ACD32},
};

TColor FromRgbInt(int rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

std::string HslText(TColor c, bool hwb) {
  const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  const int mx = std::max({r, g, b}), mn = std::min({r, g, b}), d = mx - mn;
  // Each value is one division of exact integers, so a tie stays a tie.
  double h = 0;
  if (d != 0) {
    if (mx == r)
      h = double(60 * (g - b) + (g < b ? 360 * d : 0)) / d;
    else if (mx == g)
      h = double(60 * (b - r) + 120 * d) / d;
    else
      h = double(60 * (r - g) + 240 * d) / d;
  }
  const std::string hue = HueText(h, 1, d == 0 ? "0" : "");
  if (hwb)
    return "hwb(" + hue + " " + FormatCssNumber(100.0 * mn / 255, 1) + "% " +
           FormatCssNumber(100.0 * (255 - mx) / 255, 1) + "%)";
  const int sum = mx + mn;
  const double s = d == 0 ? 0 : 100.0 * d / (255 - std::abs(sum - 255));
  return "hsl(" + hue + " " + FormatCssNumber(s, 1) + "% " + FormatCssNumber(100.0 * sum / 510, 1) +
         "%)";
}

// ---------------------------------------------------------------------------
// Reading

bool IsBlank(char ch) {
  return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r' || ch == '\f';
}

bool IsHexDigit(char ch) {
  return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f');
}

int HexValue(char ch) {
  return ch <= '9' ? ch - '0' : ch - 'a' + 10;
}

struct TToken {
  enum Kind { Number, Ident, Comma, Slash } kind;
  double value = 0;  // Number
  std::string unit;  // Number: "", "%", "deg" ...; Ident: the word
};

bool IsIdentChar(char ch) {
  return (ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9') || ch == '-';
}

// Splits lower-case argument text into numbers (with their unit), words,
// commas and slashes. False on anything else or a number that is not finite.
bool Tokenize(std::string_view s, std::vector<TToken>& out) {
  size_t i = 0;
  while (i < s.size()) {
    const char ch = s[i];
    if (IsBlank(ch)) {
      ++i;
    } else if (ch == ',' || ch == '/') {
      out.push_back({ch == ',' ? TToken::Comma : TToken::Slash, 0, {}});
      ++i;
    } else if (ch == '+' || ch == '-' || ch == '.' || (ch >= '0' && ch <= '9')) {
      size_t j = i;
      if (s[j] == '+' || s[j] == '-') ++j;
      const size_t digits = j;
      while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j;
      bool any = j > digits;
      if (j < s.size() && s[j] == '.') {
        ++j;
        const size_t frac = j;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j;
        any = any || j > frac;
      }
      if (!any) return false;
      if (j < s.size() && s[j] == 'e') {
        size_t k = j + 1;
        if (k < s.size() && (s[k] == '+' || s[k] == '-')) ++k;
        const size_t exp = k;
        while (k < s.size() && s[k] >= '0' && s[k] <= '9') ++k;
        if (k > exp) j = k;  // otherwise the "e" starts a unit
      }
      const size_t start = s[i] == '+' ? i + 1 : i;
      TToken t{TToken::Number, 0, {}};
      const auto [p, ec] = std::from_chars(s.data() + start, s.data() + j, t.value);
      if (ec != std::errc() || p != s.data() + j || !std::isfinite(t.value)) return false;
      size_t u = j;
      if (u < s.size() && s[u] == '%') {
        ++u;
      } else {
        while (u < s.size() && s[u] >= 'a' && s[u] <= 'z') ++u;
      }
      t.unit = std::string(s.substr(j, u - j));
      out.push_back(std::move(t));
      i = u;
    } else if (ch >= 'a' && ch <= 'z') {
      size_t j = i;
      while (j < s.size() && IsIdentChar(s[j])) ++j;
      out.push_back({TToken::Ident, 0, std::string(s.substr(i, j - i))});
      i = j;
    } else {
      return false;
    }
  }
  return true;
}

// One channel of a function: a plain number, a percentage or "none".
struct TArg {
  enum Kind { Number, Percent, Angle, None } kind;
  double value = 0;  // Angle: degrees
};

std::optional<TArg> ToArg(const TToken& t) {
  if (t.kind == TToken::Ident) {
    if (t.unit == "none") return TArg{TArg::None};
    return std::nullopt;
  }
  if (t.kind != TToken::Number) return std::nullopt;
  if (t.unit.empty()) return TArg{TArg::Number, t.value};
  if (t.unit == "%") return TArg{TArg::Percent, t.value};
  if (t.unit == "deg") return TArg{TArg::Angle, t.value};
  if (t.unit == "grad") return TArg{TArg::Angle, t.value * 0.9};
  if (t.unit == "rad") return TArg{TArg::Angle, t.value * 180 / std::numbers::pi};
  if (t.unit == "turn") return TArg{TArg::Angle, t.value * 360};
  return std::nullopt;
}

// The three channels of a function body, with the optional alpha checked and
// dropped. Legacy (comma) syntax has no "none" and no slash.
bool SplitArgs(const std::vector<TToken>& tokens, bool legacyAllowed, std::array<TArg, 3>& args,
               bool& legacy) {
  legacy = std::any_of(tokens.begin(), tokens.end(),
                       [](const TToken& t) { return t.kind == TToken::Comma; });
  std::vector<TArg> values;
  if (legacy) {
    if (!legacyAllowed) return false;
    // v , v , v [, alpha]
    if (tokens.size() % 2 == 0) return false;
    for (size_t i = 0; i < tokens.size(); ++i) {
      if (i % 2 == 1) {
        if (tokens[i].kind != TToken::Comma) return false;
        continue;
      }
      auto a = ToArg(tokens[i]);
      if (!a || a->kind == TArg::None) return false;
      values.push_back(*a);
    }
    if (values.size() == 4) {
      if (values.back().kind == TArg::Angle) return false;
      values.pop_back();
    }
  } else {
    for (size_t i = 0; i < tokens.size(); ++i) {
      if (tokens[i].kind == TToken::Slash) {
        // Exactly one alpha after exactly three channels.
        if (values.size() != 3 || i + 2 != tokens.size()) return false;
        auto a = ToArg(tokens[i + 1]);
        if (!a || a->kind == TArg::Angle) return false;
        break;
      }
      auto a = ToArg(tokens[i]);
      if (!a) return false;
      values.push_back(*a);
    }
  }
  if (values.size() != 3) return false;
  std::copy(values.begin(), values.end(), args.begin());
  return true;
}

// A channel that is a number or a percentage (100% = `full`); "none" is 0.
bool Scalar(const TArg& a, double full, double& out) {
  switch (a.kind) {
    case TArg::Number:
      out = a.value;
      return true;
    case TArg::Percent:
      out = a.value / 100 * full;
      return true;
    case TArg::None:
      out = 0;
      return true;
    case TArg::Angle:
      return false;
  }
  return false;
}

bool Hue(const TArg& a, double& out) {
  if (a.kind == TArg::Percent) return false;
  out = a.kind == TArg::None ? 0 : a.value;
  out = std::fmod(out, 360.0);
  if (out < 0) out += 360;
  return true;
}

double Clamp01(double v) {
  return std::clamp(v, 0.0, 1.0);
}

// HSL to gamma-encoded sRGB, all in 0..1.
Vec HslToSrgb(double h, double s, double l) {
  auto f = [&](double n) {
    const double k = std::fmod(n + h / 30, 12.0);
    const double a = s * std::min(l, 1 - l);
    return l - a * std::max(-1.0, std::min({k - 3, 9 - k, 1.0}));
  };
  return {f(0), f(8), f(4)};
}

// The gamma-encoded sRGB of three channels of a predefined space of color();
// false for a space it does not know.
bool ColorSpaceToSrgb(const std::string& space, const Vec& v, Vec& rgb) {
  const auto linear = [&v](double (*f)(double)) { return Vec{f(v[0]), f(v[1]), f(v[2])}; };
  Vec xyz;
  if (space == "srgb") {
    rgb = v;
    return true;
  } else if (space == "srgb-linear") {
    xyz = Mul(kSrgbToXyz, v);
  } else if (space == "display-p3") {
    xyz = Mul(kP3ToXyz, linear(ToLinear));
  } else if (space == "a98-rgb") {
    xyz = Mul(kA98ToXyz, linear(A98ToLinear));
  } else if (space == "prophoto-rgb") {
    xyz = Mul(kD50ToD65, Mul(kProPhotoToXyzD50, linear(ProPhotoToLinear)));
  } else if (space == "rec2020") {
    xyz = Mul(kRec2020ToXyz, linear(Rec2020ToLinear));
  } else if (space == "xyz" || space == "xyz-d65") {
    xyz = v;
  } else if (space == "xyz-d50") {
    xyz = Mul(kD50ToD65, v);
  } else {
    return false;
  }
  rgb = XyzToSrgb(xyz);
  return true;
}

bool ReadFunction(std::string_view fn, const std::vector<TToken>& body, Vec& rgb) {
  std::array<TArg, 3> a;
  bool legacy = false;
  if (fn == "color") {
    if (body.empty() || body[0].kind != TToken::Ident) return false;
    const std::vector<TToken> rest(body.begin() + 1, body.end());
    if (!SplitArgs(rest, false, a, legacy)) return false;
    Vec v;
    for (int i = 0; i < 3; ++i)
      if (!Scalar(a[i], 1, v[i])) return false;
    return ColorSpaceToSrgb(body[0].unit, v, rgb);
  }
  const bool legacyAllowed = fn == "rgb" || fn == "rgba" || fn == "hsl" || fn == "hsla";
  if (!SplitArgs(body, legacyAllowed, a, legacy)) return false;
  if (fn == "rgb" || fn == "rgba") {
    // The comma form takes all numbers or all percentages.
    if (legacy && !(a[0].kind == a[1].kind && a[1].kind == a[2].kind)) return false;
    for (int i = 0; i < 3; ++i) {
      if (!Scalar(a[i], 255, rgb[i])) return false;
      rgb[i] /= 255;
    }
    return true;
  }
  if (fn == "hsl" || fn == "hsla" || fn == "hwb") {
    double h = 0, x = 0, y = 0;
    if (!Hue(a[0], h)) return false;
    // Saturation and lightness (whiteness and blackness) are percentages; the
    // comma form insists on the "%".
    if (legacy && (a[1].kind != TArg::Percent || a[2].kind != TArg::Percent)) return false;
    if (!Scalar(a[1], 100, x) || !Scalar(a[2], 100, y)) return false;
    // A saturation over 100 % stays (the result is clipped) except in the
    // comma form; a negative one is 0.
    x = fn != "hwb" && !legacy ? std::max(0.0, x / 100) : Clamp01(x / 100);
    y = Clamp01(y / 100);
    if (fn != "hwb") {
      rgb = HslToSrgb(h, x, y);
    } else if (x + y >= 1) {
      rgb.fill(x / (x + y));
    } else {
      rgb = HslToSrgb(h, 1, 0.5);
      for (double& v : rgb) v = v * (1 - x - y) + x;
    }
    return true;
  }
  const bool polar = fn == "lch" || fn == "oklch";
  const bool ok = fn == "oklab" || fn == "oklch";
  if (!polar && !ok && fn != "lab") return false;
  const double lightFull = ok ? 1 : 100, chromaFull = ok ? 0.4 : (polar ? 150 : 125);
  double l = 0, x = 0, y = 0;
  if (!Scalar(a[0], lightFull, l) || !Scalar(a[1], chromaFull, x)) return false;
  l = std::clamp(l, 0.0, lightFull);
  Vec lab;
  if (polar) {
    if (!Hue(a[2], y)) return false;
    lab = FromPolar(l, std::max(0.0, x), y);
  } else {
    if (!Scalar(a[2], chromaFull, y)) return false;
    lab = {l, x, y};
  }
  rgb = XyzToSrgb(ok ? OklabToXyz(lab) : LabToXyz(lab));
  return true;
}

}  // namespace

// ---------------------------------------------------------------------------

std::string_view CssFormName(TCssForm form) {
  switch (form) {
    case TCssForm::hex:
      return "hex";
    case TCssForm::rgb:
      return "rgb";
    case TCssForm::rgbLegacy:
      return "rgb-legacy";
    case TCssForm::hsl:
      return "hsl";
    case TCssForm::hwb:
      return "hwb";
    case TCssForm::lab:
      return "lab";
    case TCssForm::lch:
      return "lch";
    case TCssForm::oklab:
      return "oklab";
    case TCssForm::oklch:
      return "oklch";
    case TCssForm::p3:
      return "p3";
    case TCssForm::name:
      return "name";
  }
  return "";
}

std::optional<TCssForm> CssFormFromName(std::string_view name) {
  for (TCssForm f : kCssForms)
    if (CssFormName(f) == name) return f;
  return std::nullopt;
}

std::string FormatFixed(double x, int places) {
  return Signed(x, RoundedDigits(x, places));
}

std::string FormatCssNumber(double x, int places) {
  std::string s = RoundedDigits(x, places);
  if (s.find('.') != std::string::npos) {
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.') s.pop_back();
  }
  return Signed(x, s);
}

std::string CssText(TCssForm form, TColor color) {
  const TColor c = ResolveColor(color);
  const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  const auto n = [](double v, int places) { return FormatCssNumber(v, places); };
  switch (form) {
    case TCssForm::hex:
      return "#" + ColorToHex(c);
    case TCssForm::rgb:
      return "rgb(" + std::to_string(r) + " " + std::to_string(g) + " " + std::to_string(b) + ")";
    case TCssForm::rgbLegacy:
      return "rgb(" + std::to_string(r) + ", " + std::to_string(g) + ", " + std::to_string(b) + ")";
    case TCssForm::hsl:
      return HslText(c, false);
    case TCssForm::hwb:
      return HslText(c, true);
    case TCssForm::lab:
    case TCssForm::lch: {
      const Vec lab = XyzToLab(ColorToXyz(c));
      if (form == TCssForm::lab)
        return "lab(" + n(lab[0], 2) + " " + n(lab[1], 2) + " " + n(lab[2], 2) + ")";
      const TPolar p = ToPolar(lab[1], lab[2]);
      const std::string chroma = n(p.c, 2);
      return "lch(" + n(lab[0], 2) + " " + chroma + " " + HueText(p.h, 2, chroma) + ")";
    }
    case TCssForm::oklab:
    case TCssForm::oklch: {
      const TOklab lab = ColorToOklab(c);
      if (form == TCssForm::oklab)
        return "oklab(" + n(lab.L * 100, 2) + "% " + n(lab.a, 5) + " " + n(lab.b, 5) + ")";
      const TPolar p = ToPolar(lab.a, lab.b);
      const std::string chroma = n(p.c, 5);
      return "oklch(" + n(lab.L * 100, 2) + "% " + chroma + " " + HueText(p.h, 2, chroma) + ")";
    }
    case TCssForm::p3: {
      const Vec lin = Mul(kXyzToP3, ColorToXyz(c));
      return "color(display-p3 " + n(ToGamma(lin[0]), 4) + " " + n(ToGamma(lin[1]), 4) + " " +
             n(ToGamma(lin[2]), 4) + ")";
    }
    case TCssForm::name: {
      const auto name = CssNamedColor(c);
      return name ? std::string(*name) : std::string();
    }
  }
  return {};
}

std::optional<std::string_view> CssNamedColor(TColor color) {
  const TColor c = ResolveColor(color);
  for (const TNamed& n : kNamed)
    if (FromRgbInt(n.rgb) == c) return n.name;
  return std::nullopt;
}

int CssNamedColorCount() {
  return int(std::size(kNamed));
}

std::optional<TColor> CssNamedColorValue(std::string_view name) {
  const std::string lower = AsciiLower(name);
  for (const TNamed& n : kNamed)
    if (n.name == lower) return FromRgbInt(n.rgb);
  return std::nullopt;
}

bool TryCssToColor(std::string_view text, TColor& out) {
  size_t first = 0, last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  const std::string s = AsciiLower(text.substr(first, last - first));
  if (s.empty()) return false;

  if (s[0] == '#') {
    const std::string_view d = std::string_view(s).substr(1);
    if (!std::all_of(d.begin(), d.end(), IsHexDigit)) return false;
    if (d.size() == 3 || d.size() == 4) {
      out = RGB(HexValue(d[0]) * 17, HexValue(d[1]) * 17, HexValue(d[2]) * 17);
      return true;
    }
    if (d.size() == 6 || d.size() == 8) {
      out = RGB(HexValue(d[0]) * 16 + HexValue(d[1]), HexValue(d[2]) * 16 + HexValue(d[3]),
                HexValue(d[4]) * 16 + HexValue(d[5]));
      return true;
    }
    return false;
  }

  const size_t open = s.find('(');
  if (open == std::string::npos) {
    const auto named = CssNamedColorValue(s);
    if (!named) return false;
    out = *named;
    return true;
  }
  if (s.back() != ')') return false;
  const std::string_view fn = std::string_view(s).substr(0, open);
  const std::string_view body = std::string_view(s).substr(open + 1, s.size() - open - 2);
  if (body.find_first_of("()") != std::string_view::npos) return false;
  std::vector<TToken> tokens;
  Vec rgb;
  if (!Tokenize(body, tokens) || !ReadFunction(fn, tokens, rgb)) return false;
  out = SrgbToColor(rgb);
  return true;
}

TOklab ColorToOklab(TColor color) {
  const Vec v = XyzToOklab(ColorToXyz(color));
  return {v[0], v[1], v[2]};
}

std::array<double, 3> OklabToSrgb(const TOklab& lab) {
  return XyzToSrgb(OklabToXyz({lab.L, lab.a, lab.b}));
}

TColor SrgbToColor(const std::array<double, 3>& rgb) {
  int v[3];
  for (int i = 0; i < 3; ++i) v[i] = int(std::round(Clamp01(rgb[i]) * 255));
  return RGB(v[0], v[1], v[2]);
}

}  // namespace tintorb
