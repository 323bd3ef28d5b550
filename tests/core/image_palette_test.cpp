// Palettes from pixels: exact colours of flat pictures, k-means on noisy ones,
// and the end marks of cut-off picture files.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/ImagePalette.h"
#include "core/PictureBytes.h"

namespace tintorb {
namespace {

struct TBuf {
  int w, h;
  std::vector<uint32_t> px;
  TPixels View() const { return {px.data(), w, h, w}; }
};

TEST(ImagePalette, FlatBlocksGiveExactlyTheirColoursByArea) {
  // Six vertical blocks of different widths over 100 x 10, plus a transparent
  // column that is no part of the picture.
  const struct {
    uint32_t argb;
    int width;
  } blocks[] = {{0xFF00FF00, 12}, {0xFFFF0000, 30}, {0xFF0000FF, 5},
                {0xFF123456, 21}, {0xFFFFFFFF, 8},  {0xFF000000, 23}};
  TBuf b{100, 10, {}};
  for (int y = 0; y < b.h; ++y) {
    for (const auto& blk : blocks)
      for (int i = 0; i < blk.width; ++i) b.px.push_back(blk.argb);
    b.px.push_back(0x00ABCDEF);
  }
  for (int n : {6, 8, 32}) {
    const TImagePalette p = PaletteFromPixels(b.View(), n);
    const std::vector<TColor> want = {0x0000FF, 0x000000, 0x563412, 0x00FF00, 0xFFFFFF, 0xFF0000};
    const std::vector<uint64_t> pixels = {300, 230, 210, 120, 80, 50};
    ASSERT_EQ(p.colors.size(), 6u) << n;
    for (size_t i = 0; i < 6; ++i) {
      EXPECT_EQ(p.colors[i].color, want[i]) << i;
      EXPECT_EQ(p.colors[i].pixels, pixels[i]) << i;
    }
    EXPECT_EQ(p.total, 990u);
    EXPECT_EQ(p.meanDistance, 0);
  }
}

TEST(ImagePalette, NoisyClustersAreFoundAndCountedFromEveryPixel) {
  // 3/4 of a 400-kilopixel picture noisy orange, 1/4 noisy teal: two colours,
  // each near its cluster's mean, shares from all pixels, the same twice.
  TBuf b{1000, 400, {}};
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> noise(-12, 12);
  for (int y = 0; y < b.h; ++y)
    for (int x = 0; x < b.w; ++x) {
      const bool teal = x >= 750;
      const int r = (teal ? 30 : 230) + noise(rng), g = (teal ? 150 : 120) + noise(rng),
                bl = (teal ? 140 : 30) + noise(rng);
      b.px.push_back(0xFF000000u | uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(bl));
    }
  const TImagePalette p = PaletteFromPixels(b.View(), 2);
  ASSERT_EQ(p.colors.size(), 2u);
  EXPECT_EQ(p.colors[0].pixels, 300'000u);
  EXPECT_EQ(p.colors[1].pixels, 100'000u);
  const TColor want[] = {RGB(230, 120, 30), RGB(30, 150, 140)};
  for (int i = 0; i < 2; ++i) {
    const TColor c = p.colors[i].color;
    EXPECT_NEAR(GetRValue(c), GetRValue(want[i]), 3);
    EXPECT_NEAR(GetGValue(c), GetGValue(want[i]), 3);
    EXPECT_NEAR(GetBValue(c), GetBValue(want[i]), 3);
  }
  EXPECT_GT(p.meanDistance, 0.005);
  EXPECT_LT(p.meanDistance, 0.05);
  EXPECT_NEAR(MeanPaletteDistance(b.View(), {p.colors[0].color, p.colors[1].color}), p.meanDistance,
              1e-9);
  EXPECT_EQ(PaletteFromPixels(b.View(), 2).colors[0].color, p.colors[0].color);
  EXPECT_EQ(ShareText(p.colors[1].pixels, p.total), "25%");
}

TEST(PictureBytes, CutOffFilesAreTold) {
  const std::string png = std::string("\x89PNG....IDAT....\0\0\0\0IEND\xAE\x42\x60\x82", 28);
  const std::string bmpHead =  // 4 x 2, 24 bits: rows of 12 bytes, data at 54
      std::string("BM\0\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x04\0\0\0\x02\0\0\0\x01\0\x18\0", 30) +
      std::string(24, '\0');
  const struct {
    const char* format;
    std::string bytes;
    bool whole;
  } cases[] = {
      {"png", png, true},
      {"png", png.substr(0, 20), false},
      {"jpeg", "\xFF\xD8\xFF\xE0....\xFF\xD9", true},
      {"jpeg", "\xFF\xD8\xFF\xE0....", false},
      {"gif", std::string("GIF89a...\x3B\0\0", 12), true},
      {"gif", "GIF89a...", false},
      {"bmp", bmpHead + std::string(24, 'x'), true},
      {"bmp", bmpHead + std::string(23, 'x'), false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PictureBytesComplete(c.format, c.bytes), c.whole) << c.format << c.bytes.size();
}

}  // namespace
}  // namespace tintorb
