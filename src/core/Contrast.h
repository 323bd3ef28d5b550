// Contrast of a text colour on a background: the WCAG 2 ratio and levels, the
// APCA lightness contrast, and the search for a lightness that reaches a ratio.
#pragma once

#include <string>
#include <string_view>

#include "core/Color.h"

namespace tintorb {

// An sRGB channel byte in linear light, 0..1.
double SrgbToLinear(uint8_t v);
// WCAG 2 relative luminance, 0..1.
double RelativeLuminance(TColor color);
// (lighter + 0.05) / (darker + 0.05), 1..21; symmetric.
double ContrastRatio(TColor a, TColor b);

// Pass/fail per level; the ratio is compared unrounded.
struct TWcagLevels {
  bool aa = false;        // 4.5:1, normal text
  bool aaLarge = false;   // 3:1
  bool aaa = false;       // 7:1
  bool aaaLarge = false;  // 4.5:1
};
TWcagLevels WcagLevels(double ratio);
// The best level met, in the words of the tooltip: "AAA", "AA", "AA 大きな文字"
// (large text only) or "不合格".
std::string_view WcagLevelName(double ratio);

// APCA-W3 0.0.98G-4g lightness contrast Lc of text on background (about
// -108..106; negative for light text on a dark background).
double ApcaContrast(TColor text, TColor background);

// The read-out beside the colour well ("4.48:1 AA 大きな文字") and its tooltip.
std::string ContrastReadout(TColor text, TColor background);
std::string ContrastTooltip(TColor text, TColor background);

// The colour nearest in OKLCH lightness to `text`, hue and chroma kept as far
// as sRGB allows, whose contrast on `background` reaches `target`. `webSafe`
// judges each candidate by its web-safe snap (and returns the snapped colour).
// `text` itself when it already reaches the target; black or white, whichever
// has more contrast, when no lightness does.
TColor ReachContrast(TColor text, TColor background, double target, bool webSafe);

}  // namespace tintorb
