// CIELAB (D65) of an sRGB colour and the CIEDE2000 colour difference.
#pragma once

#include "core/Color.h"

namespace tintorb {

struct TLab {
  double L = 0, a = 0, b = 0;
};

TLab ColorToLab(TColor color);
double Ciede2000(const TLab& x, const TLab& y);
inline double Ciede2000(TColor x, TColor y) {
  return Ciede2000(ColorToLab(x), ColorToLab(y));
}

}  // namespace tintorb
