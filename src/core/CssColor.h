// CSS colour texts: the forms a web page writes for a colour, and the reading
// of any of them back into an 8-bit sRGB colour.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/Color.h"

namespace tintorb {

enum class TCssForm { hex, rgb, rgbLegacy, hsl, hwb, lab, lch, oklab, oklch, p3, name };
inline constexpr std::array<TCssForm, 11> kCssForms = {
    TCssForm::hex,   TCssForm::rgb, TCssForm::rgbLegacy, TCssForm::hsl,
    TCssForm::hwb,   TCssForm::lab, TCssForm::lch,       TCssForm::oklab,
    TCssForm::oklch, TCssForm::p3,  TCssForm::name};

// "hex", "rgb", "rgb-legacy", ..., "p3", "name".
std::string_view CssFormName(TCssForm form);
std::optional<TCssForm> CssFormFromName(std::string_view name);

// The text of one form ("rgb(18 52 86)", "oklch(31.92% 0.07245 251.17)" ...),
// with the fewest decimals that read every colour back as itself.
// The name form is empty when no CSS colour keyword has exactly this value.
std::string CssText(TCssForm form, TColor color);

// The keyword of a colour; where two share a value the alphabetically first
// ("aqua", "gray").
std::optional<std::string_view> CssNamedColor(TColor color);
// Number of CSS colour keywords, and the value of one (any letter case).
int CssNamedColorCount();
std::optional<TColor> CssNamedColorValue(std::string_view name);

// Rounded half away from zero at `places`, trailing zeros and point dropped,
// never "-0".
std::string FormatCssNumber(double x, int places);
// The same rounding with every place kept ("106.0").
std::string FormatFixed(double x, int places);

// Reads a CSS colour: hex with "#" (3, 4, 6 or 8 digits), a keyword, or
// rgb()/rgba()/hsl()/hsla()/hwb()/lab()/lch()/oklab()/oklch()/color(SPACE ...) with
// srgb, srgb-linear, display-p3, a98-rgb, prophoto-rgb, rec2020, xyz, xyz-d50, xyz-d65.
// Case and surrounding blanks do not matter; alpha is read and ignored; values
// outside sRGB are clipped per channel. False (out untouched) for anything else.
bool TryCssToColor(std::string_view text, TColor& out);

// OKLab with L in 0..1.
struct TOklab {
  double L = 0, a = 0, b = 0;
};
TOklab ColorToOklab(TColor color);
// Gamma-encoded sRGB channels, not clipped (outside 0..1 when out of gamut).
std::array<double, 3> OklabToSrgb(const TOklab& lab);
// Clips each channel to 0..1 and rounds to 8 bits.
TColor SrgbToColor(const std::array<double, 3>& rgb);

}  // namespace tintorb
