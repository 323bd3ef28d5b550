// The dominant colours of a picture: k-means in OKLab over a sample of its
// pixels, then every pixel counted to its nearest colour for the shares.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Color.h"

namespace tintorb {

// Pixels as 0xAARRGGBB words row by row, sRGB; stride in words. Pixels with
// alpha 0 are not part of the picture.
struct TPixels {
  const uint32_t* bits = nullptr;
  int width = 0, height = 0;
  ptrdiff_t stride = 0;
};

inline constexpr int kPaletteCountMin = 2, kPaletteCountMax = 32, kPaletteCountDefault = 8;

struct TPaletteShare {
  TColor color = 0;
  uint64_t pixels = 0;  // pixels nearest to this colour
};

struct TImagePalette {
  std::vector<TPaletteShare> colors;  // largest share first
  uint64_t total = 0;                 // pixels counted
  double meanDistance = 0;            // mean OKLab distance of a pixel to its colour
};

// At most `count` colours. A picture with `count` or fewer distinct colours
// gives exactly those. Deterministic: the same pixels give the same palette.
TImagePalette PaletteFromPixels(const TPixels& pixels, int count);

// Mean OKLab distance of every pixel to the nearest of `palette` (empty: 0).
double MeanPaletteDistance(const TPixels& pixels, const std::vector<TColor>& palette);

// "23%": the share rounded to a whole percent.
std::string ShareText(uint64_t part, uint64_t total);

}  // namespace tintorb
