// Geometry of the main window's colour well and swatch bar, and the screen-pick
// arithmetic: what a press or a pick means, without any window.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "core/Color.h"

namespace tintorb {

// Right and bottom are exclusive, as window rectangles are.
struct TRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

enum class TWellZone { None, Fore, Back, Swap, Defaults };

// The well is W x H with two w x h icons: swap at the top right, defaults at
// the bottom left; the foreground square overlaps the background square.
struct TColorWellLayout {
  int W = 73, H = 45, w = 10, h = 10;

  TRect Fore() const { return {0, 0, W - w - 2, H - h - 2}; }
  TRect Back() const { return {w + 2, h + 2, W, H}; }
  TRect Swap() const { return {W - w, 0, W, h}; }
  TRect Defaults() const { return {0, H - h, w, H}; }
  // First hit wins, in the order fore, back, swap, defaults.
  TWellZone HitTest(int x, int y) const;
};

// Ten boxes 10 wide with a 1-pixel gap; box k shows swatch (k + 1) mod 10, so
// the bar reads 1 .. 9, 0 like the digit row of a keyboard.
inline constexpr int kSwatchCount = 10;
inline constexpr int kSwatchPitch = 11;
inline constexpr int kSwatchBoxWidth = 10;

int SwatchInBox(int box);
int BoxOfSwatch(int swatch);
// The swatch under x, or -1 between boxes and beyond the last one.
int SwatchAtX(int x);
TRect SwatchBoxRect(int box, int height);

// The colour a stored swatch text stands for; false for text that is not a
// colour (such a swatch is shown as empty and cannot be chosen).
bool SwatchColor(std::string_view text, TColor& out);

// Screen pick: Ctrl adds 2, Shift 2, Alt 1 to the radius of the square read.
int PickRadius(bool ctrl, bool shift, bool alt);
// Per-component integer mean, truncated; black for no pixels.
TColor AverageColor(std::span<const TColor> pixels);

}  // namespace tintorb
