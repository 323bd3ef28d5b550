#include "app/ColorWellLayout.h"

namespace tintorb {

TWellZone TColorWellLayout::HitTest(int x, int y) const {
  if (Fore().Contains(x, y)) return TWellZone::Fore;
  if (Back().Contains(x, y)) return TWellZone::Back;
  if (Swap().Contains(x, y)) return TWellZone::Swap;
  if (Defaults().Contains(x, y)) return TWellZone::Defaults;
  return TWellZone::None;
}

int SwatchInBox(int box) {
  return (box + 1) % kSwatchCount;
}

int BoxOfSwatch(int swatch) {
  return (swatch + kSwatchCount - 1) % kSwatchCount;
}

int SwatchAtX(int x) {
  if (x < 0) return -1;
  const int box = x / kSwatchPitch;
  if (box >= kSwatchCount || x - box * kSwatchPitch >= kSwatchBoxWidth) return -1;
  return SwatchInBox(box);
}

TRect SwatchBoxRect(int box, int height) {
  return {box * kSwatchPitch, 0, box * kSwatchPitch + kSwatchBoxWidth, height};
}

bool SwatchColor(std::string_view text, TColor& out) {
  try {
    const TColor c = HexToColor(text);
    if (c < 0) return false;  // more than six digits would name a system colour
    out = c;
    return true;
  } catch (const EConvertError&) {
    return false;
  }
}

int PickRadius(bool ctrl, bool shift, bool alt) {
  return (ctrl ? 2 : 0) + (shift ? 2 : 0) + (alt ? 1 : 0);
}

TColor AverageColor(std::span<const TColor> pixels) {
  if (pixels.empty()) return 0;
  if (pixels.size() == 1) return pixels[0];
  uint64_t r = 0, g = 0, b = 0;
  for (TColor c : pixels) {
    r += GetRValue(c);
    g += GetGValue(c);
    b += GetBValue(c);
  }
  const uint64_t n = pixels.size();
  return RGB(static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n));
}

}  // namespace tintorb
