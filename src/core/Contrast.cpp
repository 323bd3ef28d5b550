#include "core/Contrast.h"

#include <algorithm>
#include <cmath>

#include "core/CssColor.h"

namespace tintorb {

namespace {

// APCA's screen luminance: a plain 2.4 power, no linear toe.
double ApcaY(TColor color) {
  const TColor c = ResolveColor(color);
  return 0.2126729 * std::pow(GetRValue(c) / 255.0, 2.4) +
         0.7151522 * std::pow(GetGValue(c) / 255.0, 2.4) +
         0.0721750 * std::pow(GetBValue(c) / 255.0, 2.4);
}

double SoftClampBlack(double y) {
  constexpr double kThreshold = 0.022, kExponent = 1.414;
  return y > kThreshold ? y : y + std::pow(kThreshold - y, kExponent);
}

const char* PassText(bool pass) {
  return pass ? "合格" : "不合格";
}

// The in-gamut colour of an OKLCH lightness: the chroma shrinks (hue kept)
// until every channel fits.
TColor AtLightness(double l, double c, double hRad) {
  auto rgbAt = [&](double chroma) {
    return OklabToSrgb({l, chroma * std::cos(hRad), chroma * std::sin(hRad)});
  };
  auto fits = [](const std::array<double, 3>& v) {
    for (double x : v)
      if (x < -1e-7 || x > 1 + 1e-7) return false;
    return true;
  };
  std::array<double, 3> rgb = rgbAt(c);
  if (!fits(rgb)) {
    double lo = 0, hi = c;
    for (int i = 0; i < 30; ++i) {
      const double mid = (lo + hi) / 2;
      (fits(rgbAt(mid)) ? lo : hi) = mid;
    }
    rgb = rgbAt(lo);
  }
  return SrgbToColor(rgb);
}

}  // namespace

double SrgbToLinear(uint8_t v) {
  const double c = v / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double RelativeLuminance(TColor color) {
  const TColor c = ResolveColor(color);
  return 0.2126 * SrgbToLinear(GetRValue(c)) + 0.7152 * SrgbToLinear(GetGValue(c)) +
         0.0722 * SrgbToLinear(GetBValue(c));
}

double ContrastRatio(TColor a, TColor b) {
  const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
  return la > lb ? (la + 0.05) / (lb + 0.05) : (lb + 0.05) / (la + 0.05);
}

TWcagLevels WcagLevels(double ratio) {
  return {ratio >= 4.5, ratio >= 3, ratio >= 7, ratio >= 4.5};
}

std::string_view WcagLevelName(double ratio) {
  if (ratio >= 7) return "AAA";
  if (ratio >= 4.5) return "AA";
  if (ratio >= 3) return "AA 大きな文字";
  return "不合格";
}

double ApcaContrast(TColor text, TColor background) {
  const double txt = SoftClampBlack(ApcaY(text)), bg = SoftClampBlack(ApcaY(background));
  if (std::fabs(bg - txt) < 0.0005) return 0;
  double lc = 0;
  if (bg > txt) {  // dark text on a light background
    const double sapc = (std::pow(bg, 0.56) - std::pow(txt, 0.57)) * 1.14;
    lc = sapc < 0.1 ? 0 : sapc - 0.027;
  } else {
    const double sapc = (std::pow(bg, 0.65) - std::pow(txt, 0.62)) * 1.14;
    lc = sapc > -0.1 ? 0 : sapc + 0.027;
  }
  return lc * 100;
}

std::string ContrastReadout(TColor text, TColor background) {
  const double r = ContrastRatio(text, background);
  return FormatCssNumber(r, 2) + ":1 " + std::string(WcagLevelName(r));
}

std::string ContrastTooltip(TColor text, TColor background) {
  const double r = ContrastRatio(text, background);
  const TWcagLevels l = WcagLevels(r);
  std::string t = "WCAG 2 コントラスト比 " + FormatCssNumber(r, 2) + ":1（文字色 #" +
                  ColorToHex(text) + " / 背景色 #" + ColorToHex(background) + "）\n";
  t += std::string("AA 通常の文字: ") + PassText(l.aa) + "　大きな文字: " + PassText(l.aaLarge) +
       "\n";
  t += std::string("AAA 通常の文字: ") + PassText(l.aaa) + "　大きな文字: " + PassText(l.aaaLarge) +
       "\n";
  t += "APCA Lc " + FormatFixed(ApcaContrast(text, background), 1);
  return t;
}

TColor ReachContrast(TColor text, TColor background, double target, bool webSafe) {
  const auto shown = [webSafe](TColor c) { return webSafe ? WebSafeColor(c) : c; };
  const TColor start = shown(ResolveColor(text));
  if (ContrastRatio(start, background) >= target) return start;

  const TOklab lab = ColorToOklab(start);
  const double chroma = std::hypot(lab.a, lab.b), hue = std::atan2(lab.b, lab.a);
  const auto colourAt = [&](double l) { return shown(AtLightness(l, chroma, hue)); };
  const auto reaches = [&](double l) { return ContrastRatio(colourAt(l), background) >= target; };

  // Walk outwards in small steps to the first lightness that reaches the
  // target, then narrow the step down by halving.
  constexpr double kStep = 1.0 / 1024;
  double best = -1, bestDistance = 2;
  for (int dir : {-1, 1}) {
    double prev = lab.L;
    for (int i = 1;; ++i) {
      const double l = std::clamp(lab.L + dir * i * kStep, 0.0, 1.0);
      if (reaches(l)) {
        double fail = prev, pass = l;
        for (int k = 0; k < 30; ++k) {
          const double mid = (fail + pass) / 2;
          (reaches(mid) ? pass : fail) = mid;
        }
        const double distance = std::fabs(pass - lab.L);
        if (distance < bestDistance) {
          best = pass;
          bestDistance = distance;
        }
        break;
      }
      if (l == 0.0 || l == 1.0) break;
      prev = l;
    }
  }
  if (best >= 0) return colourAt(best);
  return ContrastRatio(clBlack, background) >= ContrastRatio(clWhite, background) ? shown(clBlack)
                                                                                  : shown(clWhite);
}

}  // namespace tintorb
