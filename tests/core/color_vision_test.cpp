#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/ColorDifference.h"
#include "core/ColorVision.h"

namespace tintorb {
namespace {

struct MatrixCase {
  TCvdType type;
  double severity;
  double m[9];  // rows R, G, B as the paper prints them
};

TEST(ColorVision, MatricesAreThePapersAtThreeSeveritiesEach) {
  using enum TCvdType;
  const MatrixCase cases[] = {
      {Protan,
       0.3,
       {0.630323, 0.465641, -0.095964, 0.069181, 0.890046, 0.040773, -0.006308, -0.007724,
        1.014032}},
      {Protan,
       0.6,
       {0.385450, 0.769005, -0.154455, 0.100526, 0.829802, 0.069673, -0.007442, -0.022190,
        1.029632}},
      {Protan,
       1.0,
       {0.152286, 1.052583, -0.204868, 0.114503, 0.786281, 0.099216, -0.003882, -0.048116,
        1.051998}},
      {Deutan,
       0.3,
       {0.675425, 0.433850, -0.109275, 0.125303, 0.847755, 0.026942, -0.007950, 0.018572,
        0.989378}},
      {Deutan,
       0.6,
       {0.498864, 0.674741, -0.173604, 0.205199, 0.754872, 0.039929, -0.011131, 0.030969,
        0.980162}},
      {Deutan,
       1.0,
       {0.367322, 0.860646, -0.227968, 0.280085, 0.672501, 0.047413, -0.011820, 0.042940,
        0.968881}},
      {Tritan,
       0.3,
       {0.905871, 0.127791, -0.033662, 0.026856, 0.941251, 0.031893, 0.013410, 0.148296, 0.838294}},
      {Tritan,
       0.6,
       {1.104996, -0.046633, -0.058363, -0.032137, 0.971635, 0.060503, 0.001336, 0.317922,
        0.680742}},
      {Tritan,
       1.0,
       {1.255528, -0.076749, -0.178779, -0.078411, 0.930809, 0.147602, 0.004733, 0.691367,
        0.303900}},
  };
  for (const MatrixCase& c : cases) {
    const TCvdMatrix m = CvdMatrix(c.type, c.severity);
    for (int i = 0; i < 9; ++i)
      EXPECT_DOUBLE_EQ(m[size_t(i / 3)][size_t(i % 3)], c.m[i])
          << CvdTypeName(c.type) << " " << c.severity << " entry " << i;
  }
  // Between tenths the matrix is the linear blend of its neighbours.
  const TCvdMatrix lo = CvdMatrix(Deutan, 0.2), hi = CvdMatrix(Deutan, 0.3);
  EXPECT_NEAR(CvdMatrix(Deutan, 0.25)[1][0], (lo[1][0] + hi[1][0]) / 2, 1e-12);
}

TEST(ColorVision, EveryTabulatedRowKeepsWhiteWhite) {
  for (TCvdType t : {TCvdType::Protan, TCvdType::Deutan, TCvdType::Tritan})
    for (int k = 0; k <= 10; ++k) {
      const TCvdMatrix m = CvdMatrix(t, k / 10.0);
      for (int r = 0; r < 3; ++r)
        EXPECT_NEAR(m[size_t(r)][0] + m[size_t(r)][1] + m[size_t(r)][2], 1.0, 2e-6)
            << CvdTypeName(t) << " " << k << " row " << r;
    }
}

TEST(ColorVision, SimulatedColoursIncludingTheAchromatopsiaGrey) {
  struct Case {
    const char* type;
    double severity;
    TColor in, out;
  } const cases[] = {
      {"protan", 0.5, 0x0000FF, 0x0056B4},  {"protan", 0.5, 0x00FF00, 0x00EDD7},
      {"deutan", 1.0, 0x0000FF, 0x0090A3},  {"deutan", 1.0, 0xFF0000, 0xFB3D00},
      {"tritan", 0.3, 0xFF0000, 0xEC3200},  {"tritan", 1.0, 0x00FFFF, 0xD9EEFF},
      {"deutan", 0.25, 0x3264C8, 0x3074B5}, {"protan", 0.73, 0xCC9933, 0xCE9777},
      {"achroma", 1, 0x0000FF, 0x7F7F7F},   {"achroma", 1, 0x00FF00, 0xDCDCDC},
      {"achroma", 0, 0xFF0000, 0x4C4C4C},   {"achroma", 1, 0x3264C8, 0x808080},
      {"none", 1, 0x3264C8, 0x3264C8},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SimulateCvd(c.in, *CvdTypeFromName(c.type), c.severity), c.out)
        << c.type << " " << c.severity << " " << ColorToHex(c.in);
}

// Severity 0 is the identity: decoding and encoding again must give back
// every byte, which walks each rounding bound of the encoder.
TEST(ColorVision, NoSeverityGivesEveryByteBack) {
  for (TCvdType t : {TCvdType::Protan, TCvdType::Deutan, TCvdType::Tritan}) {
    const TCvdFilter f(t, 0);
    for (int v = 0; v < 256; ++v)
      ASSERT_EQ(f.Apply(RGB(v, 255 - v, v / 2)), RGB(v, 255 - v, v / 2)) << CvdTypeName(t) << v;
  }
}

// The filter's tables, cache and pixel runs against the plain formula.
TEST(ColorVision, FilterAgreesWithTheFormulaForColoursAndPixels) {
  auto lin = [](int v) {
    const double c = v / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  auto enc = [](double x) {
    x = std::clamp(x, 0.0, 1.0);
    const double e = x <= 0.0031308 ? 12.92 * x : 1.055 * std::pow(x, 1 / 2.4) - 0.055;
    return int(std::floor(e * 255 + 0.5));
  };
  for (TCvdType t : {TCvdType::Protan, TCvdType::Deutan, TCvdType::Tritan, TCvdType::Achroma}) {
    const TCvdFilter f(t, 0.7);
    const TCvdMatrix m = CvdMatrix(t, 0.7);
    std::vector<uint8_t> image;
    for (int pass = 0; pass < 2; ++pass)  // the second pass is served by the cache
      for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 15)
          for (int b = 0; b < 256; b += 15) {
            const double l[3] = {lin(r), lin(g), lin(b)};
            int want[3];
            for (size_t i = 0; i < 3; ++i)
              want[i] = enc(m[i][0] * l[0] + m[i][1] * l[1] + m[i][2] * l[2]);
            ASSERT_EQ(f.Apply(RGB(r, g, b)), RGB(want[0], want[1], want[2]))
                << CvdTypeName(t) << " " << r << "," << g << "," << b;
            if (pass == 0) image.insert(image.end(), {uint8_t(r), uint8_t(g), uint8_t(b)});
          }
    // 18 x 18 x 18 pixels as 324 rows of 18, then 4 equal rows (the row reuse).
    image.insert(image.end(), image.end() - 54, image.end());
    image.insert(image.end(), image.end() - 108, image.end());
    std::vector<uint8_t> want = image;
    for (size_t i = 0; i < want.size(); i += 3) {
      const TColor c = f.Apply(RGB(want[i], want[i + 1], want[i + 2]));
      want[i] = GetRValue(c), want[i + 1] = GetGValue(c), want[i + 2] = GetBValue(c);
    }
    f.ApplyRgb24(image.data(), 18, int(image.size() / 54), 54);
    EXPECT_EQ(image, want) << CvdTypeName(t);
  }
}

TEST(ColorDifference, Ciede2000MatchesPublishedPairs) {
  struct Case {
    TLab x, y;
    double de;
  } const cases[] = {
      {{50, 2.6772, -79.7751}, {50, 0, -82.7485}, 2.0425},
      {{50, 0, 0}, {50, -1, 2}, 2.3669},
      {{50, 2.5, 0}, {73, 25, -18}, 27.1492},
      {{50, 2.5, 0}, {61, -5, 29}, 22.8977},
      {{60.2574, -34.0099, 36.2677}, {60.4626, -34.1751, 39.4387}, 1.2644},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(Ciede2000(c.x, c.y), c.de, 5e-5);
    EXPECT_NEAR(Ciede2000(c.y, c.x), c.de, 5e-5);
  }
  EXPECT_NEAR(Ciede2000(clBlack, clWhite), 100, 1e-4);
}

TEST(ColorVision, ConfusablePairs) {
  const TColor red = 0x0000FF, green = 0x00A000;
  const auto pairs = ConfusablePairs({red, 0x808080, green, red}, 1.0);
  ASSERT_EQ(pairs.size(), 1u);
  EXPECT_EQ(pairs[0].type, TCvdType::Deutan);
  EXPECT_EQ(pairs[0].a, red);
  EXPECT_EQ(pairs[0].b, green);
  EXPECT_NEAR(pairs[0].difference, 5.06, 0.01);
  EXPECT_TRUE(ConfusablePairs({red, green}, 0.5).empty());
  for (int s = 0; s <= 100; s += 10)
    EXPECT_TRUE(ConfusablePairs({clBlack, clWhite, 0x808080}, s / 100.0).empty()) << s;
}

}  // namespace
}  // namespace tintorb
