#include "core/ColorDifference.h"

#include <cmath>
#include <numbers>

#include "core/Contrast.h"

namespace tintorb {

namespace {

double LabF(double t) {
  constexpr double kEpsilon = 216.0 / 24389.0, kKappa = 24389.0 / 27.0;
  return t > kEpsilon ? std::cbrt(t) : (kKappa * t + 16) / 116;
}

double Rad(double deg) {
  return deg * std::numbers::pi / 180;
}

// Hue angle in degrees, 0..360; 0 for a neutral.
double Hue(double b, double a) {
  if (a == 0 && b == 0) return 0;
  const double h = std::atan2(b, a) * 180 / std::numbers::pi;
  return h < 0 ? h + 360 : h;
}

}  // namespace

TLab ColorToLab(TColor color) {
  const TColor c = ResolveColor(color);
  const double r = SrgbToLinear(GetRValue(c)), g = SrgbToLinear(GetGValue(c)),
               b = SrgbToLinear(GetBValue(c));
  // The white point is the sum of each row, so white is exactly L 100, a 0, b 0.
  const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047;
  const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
  const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883;
  const double fx = LabF(x), fy = LabF(y), fz = LabF(z);
  return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

double Ciede2000(const TLab& x, const TLab& y) {
  const double c1 = std::hypot(x.a, x.b), c2 = std::hypot(y.a, y.b);
  const double cMean7 = std::pow((c1 + c2) / 2, 7);
  const double pow25_7 = 6103515625.0;  // 25^7
  const double g = 0.5 * (1 - std::sqrt(cMean7 / (cMean7 + pow25_7)));
  const double a1 = (1 + g) * x.a, a2 = (1 + g) * y.a;
  const double cp1 = std::hypot(a1, x.b), cp2 = std::hypot(a2, y.b);
  const double h1 = Hue(x.b, a1), h2 = Hue(y.b, a2);

  const double dL = y.L - x.L, dC = cp2 - cp1;
  double dh = 0;
  if (cp1 * cp2 != 0) {
    dh = h2 - h1;
    if (dh > 180) dh -= 360;
    if (dh < -180) dh += 360;
  }
  const double dH = 2 * std::sqrt(cp1 * cp2) * std::sin(Rad(dh / 2));

  const double lMean = (x.L + y.L) / 2, cpMean = (cp1 + cp2) / 2;
  double hMean = h1 + h2;
  if (cp1 * cp2 != 0) {
    if (std::abs(h1 - h2) <= 180)
      hMean = (h1 + h2) / 2;
    else
      hMean = h1 + h2 < 360 ? (h1 + h2 + 360) / 2 : (h1 + h2 - 360) / 2;
  }
  const double t = 1 - 0.17 * std::cos(Rad(hMean - 30)) + 0.24 * std::cos(Rad(2 * hMean)) +
                   0.32 * std::cos(Rad(3 * hMean + 6)) - 0.20 * std::cos(Rad(4 * hMean - 63));
  const double dTheta = 30 * std::exp(-std::pow((hMean - 275) / 25, 2));
  const double cpMean7 = std::pow(cpMean, 7);
  const double rc = 2 * std::sqrt(cpMean7 / (cpMean7 + pow25_7));
  const double l50 = (lMean - 50) * (lMean - 50);
  const double sl = 1 + 0.015 * l50 / std::sqrt(20 + l50);
  const double sc = 1 + 0.045 * cpMean, sh = 1 + 0.015 * cpMean * t;
  const double rt = -std::sin(Rad(2 * dTheta)) * rc;
  const double tl = dL / sl, tc = dC / sc, th = dH / sh;
  return std::sqrt(tl * tl + tc * tc + th * th + rt * tc * th);
}

}  // namespace tintorb
