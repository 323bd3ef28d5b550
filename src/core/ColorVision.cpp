#include "core/ColorVision.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/ColorDifference.h"

namespace tintorb {

namespace {

using TTable = std::array<TCvdMatrix, 11>;

// Machado, Oliveira and Fernandes (2009), severities 0.0, 0.1, ..., 1.0.
constexpr TTable kProtan = {{
    {{{1.000000, 0.000000, 0.000000},
      {0.000000, 1.000000, 0.000000},
      {0.000000, 0.000000, 1.000000}}},  // 0.0
    {{{0.856167, 0.182038, -0.038205},
      {0.029342, 0.955115, 0.015544},
      {-0.002880, -0.001563, 1.004443}}},  // 0.1
    {{{0.734766, 0.334872, -0.069637},
      {0.051840, 0.919198, 0.028963},
      {-0.004928, -0.004209, 1.009137}}},  // 0.2
    {{{0.630323, 0.465641, -0.095964},
      {0.069181, 0.890046, 0.040773},
      {-0.006308, -0.007724, 1.014032}}},  // 0.3
    {{{0.539009, 0.579343, -0.118352},
      {0.082546, 0.866121, 0.051332},
      {-0.007136, -0.011959, 1.019095}}},  // 0.4
    {{{0.458064, 0.679578, -0.137642},
      {0.092785, 0.846313, 0.060902},
      {-0.007494, -0.016807, 1.024301}}},  // 0.5
    {{{0.385450, 0.769005, -0.154455},
      {0.100526, 0.829802, 0.069673},
      {-0.007442, -0.022190, 1.029632}}},  // 0.6
    {{{0.319627, 0.849633, -0.169261},
      {0.106241, 0.815969, 0.077790},
      {-0.007025, -0.028051, 1.035076}}},  // 0.7
    {{{0.259411, 0.923008, -0.182420},
      {0.110296, 0.804340, 0.085364},
      {-0.006276, -0.034346, 1.040622}}},  // 0.8
    {{{0.203876, 0.990338, -0.194214},
      {0.112975, 0.794542, 0.092483},
      {-0.005222, -0.041043, 1.046265}}},  // 0.9
    {{{0.152286, 1.052583, -0.204868},
      {0.114503, 0.786281, 0.099216},
      {-0.003882, -0.048116, 1.051998}}},  // 1.0
}};
constexpr TTable kDeutan = {{
    {{{1.000000, 0.000000, 0.000000},
      {0.000000, 1.000000, 0.000000},
      {0.000000, 0.000000, 1.000000}}},  // 0.0
    {{{0.866435, 0.177704, -0.044139},
      {0.049567, 0.939063, 0.011370},
      {-0.003453, 0.007233, 0.996220}}},  // 0.1
    {{{0.760729, 0.319078, -0.079807},
      {0.090568, 0.889315, 0.020117},
      {-0.006027, 0.013325, 0.992702}}},  // 0.2
    {{{0.675425, 0.433850, -0.109275},
      {0.125303, 0.847755, 0.026942},
      {-0.007950, 0.018572, 0.989378}}},  // 0.3
    {{{0.605511, 0.528560, -0.134071},
      {0.155318, 0.812366, 0.032316},
      {-0.009376, 0.023176, 0.986200}}},  // 0.4
    {{{0.547494, 0.607765, -0.155259},
      {0.181692, 0.781742, 0.036566},
      {-0.010410, 0.027275, 0.983136}}},  // 0.5
    {{{0.498864, 0.674741, -0.173604},
      {0.205199, 0.754872, 0.039929},
      {-0.011131, 0.030969, 0.980162}}},  // 0.6
    {{{0.457771, 0.731899, -0.189670},
      {0.226409, 0.731012, 0.042579},
      {-0.011595, 0.034333, 0.977261}}},  // 0.7
    {{{0.422823, 0.781057, -0.203881},
      {0.245752, 0.709602, 0.044646},
      {-0.011843, 0.037423, 0.974421}}},  // 0.8
    {{{0.392952, 0.823610, -0.216562},
      {0.263559, 0.690210, 0.046232},
      {-0.011910, 0.040281, 0.971630}}},  // 0.9
    {{{0.367322, 0.860646, -0.227968},
      {0.280085, 0.672501, 0.047413},
      {-0.011820, 0.042940, 0.968881}}},  // 1.0
}};
constexpr TTable kTritan = {{
    {{{1.000000, 0.000000, 0.000000},
      {0.000000, 1.000000, 0.000000},
      {0.000000, 0.000000, 1.000000}}},  // 0.0
    {{{0.926670, 0.092514, -0.019184},
      {0.021191, 0.964503, 0.014306},
      {0.008437, 0.054813, 0.936750}}},  // 0.1
    {{{0.895720, 0.133330, -0.029050},
      {0.029997, 0.945400, 0.024603},
      {0.013027, 0.104707, 0.882266}}},  // 0.2
    {{{0.905871, 0.127791, -0.033662},
      {0.026856, 0.941251, 0.031893},
      {0.013410, 0.148296, 0.838294}}},  // 0.3
    {{{0.948035, 0.089490, -0.037526},
      {0.014364, 0.946792, 0.038844},
      {0.010853, 0.193991, 0.795156}}},  // 0.4
    {{{1.017277, 0.027029, -0.044306},
      {-0.006113, 0.958479, 0.047634},
      {0.006379, 0.248708, 0.744913}}},  // 0.5
    {{{1.104996, -0.046633, -0.058363},
      {-0.032137, 0.971635, 0.060503},
      {0.001336, 0.317922, 0.680742}}},  // 0.6
    {{{1.193214, -0.109812, -0.083402},
      {-0.058496, 0.979410, 0.079086},
      {-0.002346, 0.403492, 0.598854}}},  // 0.7
    {{{1.257728, -0.139648, -0.118081},
      {-0.078003, 0.975409, 0.102594},
      {-0.003316, 0.501214, 0.502102}}},  // 0.8
    {{{1.278864, -0.125333, -0.153531},
      {-0.084748, 0.957674, 0.127074},
      {-0.000989, 0.601151, 0.399838}}},  // 0.9
    {{{1.255528, -0.076749, -0.178779},
      {-0.078411, 0.930809, 0.147602},
      {0.004733, 0.691367, 0.303900}}},  // 1.0
}};

constexpr std::string_view kNames[] = {"none", "protan", "deutan", "tritan", "achroma"};

double Decode(int v) {
  const double c = v / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Encode(double x) {
  return x <= 0.0031308 ? 12.92 * x : 1.055 * std::pow(x, 1 / 2.4) - 0.055;
}

constexpr int kBuckets = 4096;  // a power of two: x * kBuckets is exact

struct TLinear {
  std::array<double, 256> decoded;
  // bounds[k]: the least linear value that encodes and rounds to k + 1 or
  // more; bounds[255] is past every value.
  std::array<double, 256> bounds;
  // start[i]: the byte of i / kBuckets. Bounds lie at least 1 / (255 * 12.92)
  // apart, wider than a bucket, so a bucket holds one bound at most.
  std::array<uint8_t, kBuckets + 1> start;
  TLinear() {
    for (int v = 0; v < 256; ++v) decoded[size_t(v)] = Decode(v);
    for (int k = 0; k < 255; ++k) {
      // Bisection on the encoder itself, so the table agrees with
      // round(Encode(x) * 255) up to the last bit of x.
      double lo = decoded[size_t(k)], hi = decoded[size_t(k) + 1];
      for (int i = 0; i < 80 && lo < hi; ++i) {
        const double mid = lo + (hi - lo) / 2;
        if (mid == lo || mid == hi) break;
        (Encode(mid) * 255 >= k + 0.5 ? hi : lo) = mid;
      }
      bounds[size_t(k)] = hi;
    }
    bounds[255] = 2;
    for (int i = 0; i <= kBuckets; ++i)
      start[size_t(i)] =
          uint8_t(std::upper_bound(bounds.begin(), bounds.end() - 1, double(i) / kBuckets) -
                  bounds.begin());
  }
};

const TLinear& Linear() {
  static const TLinear table;
  return table;
}

// Clip to 0..1, encode, round to a byte.
uint8_t EncodeByte(const TLinear& t, double x) {
  x = std::min(std::max(x, 0.0), 1.0);
  const size_t k = t.start[size_t(x * kBuckets)];
  return uint8_t(k + (x >= t.bounds[k]));  // no branch: runs of new colours stay fast
}

size_t SlotOf(TColor c) {
  return (uint32_t(c) * 2654435761u) >> 20;  // 4096 slots
}

}  // namespace

std::string_view CvdTypeName(TCvdType type) {
  const int i = int(type);
  return i >= 0 && i < 5 ? kNames[i] : std::string_view();
}

std::optional<TCvdType> CvdTypeFromName(std::string_view name) {
  for (int i = 0; i < 5; ++i)
    if (kNames[i] == name) return TCvdType(i);
  return std::nullopt;
}

TCvdMatrix CvdMatrix(TCvdType type, double severity) {
  TCvdMatrix identity{};
  for (int i = 0; i < 3; ++i) identity[size_t(i)][size_t(i)] = 1;
  if (type == TCvdType::Achroma) {
    const std::array<double, 3> y{0.2126, 0.7152, 0.0722};
    return {y, y, y};
  }
  const TTable* table = type == TCvdType::Protan   ? &kProtan
                        : type == TCvdType::Deutan ? &kDeutan
                        : type == TCvdType::Tritan ? &kTritan
                                                   : nullptr;
  if (!table) return identity;
  double f = std::clamp(severity, 0.0, 1.0) * 10;
  if (std::abs(f - std::round(f)) < 1e-9) f = std::round(f);  // 0.3 * 10 is a tenth exactly
  const size_t i = std::min(size_t(f), size_t(9));
  const double w = f - double(i);
  TCvdMatrix m{};
  for (size_t r = 0; r < 3; ++r)
    for (size_t c = 0; c < 3; ++c)
      m[r][c] =
          w == 0 ? (*table)[i][r][c] : (*table)[i][r][c] * (1 - w) + (*table)[i + 1][r][c] * w;
  return m;
}

TCvdFilter::TCvdFilter(TCvdType type, double severity)
    : type_(type), severity_(std::clamp(severity, 0.0, 1.0)) {
  if (!Active()) return;
  const TCvdMatrix m = CvdMatrix(type_, severity_);
  const auto& lin = Linear().decoded;
  term_.resize(3);
  for (size_t r = 0; r < 3; ++r)
    for (size_t c = 0; c < 3; ++c)
      for (size_t v = 0; v < 256; ++v) term_[r][c][v] = m[r][c] * lin[v];
  cache_.resize(4096);
}

TColor TCvdFilter::Compute(uint8_t r, uint8_t g, uint8_t b) const {
  const TLinear& lin = Linear();
  const auto& t = term_;
  const uint32_t R = EncodeByte(lin, t[0][0][r] + t[0][1][g] + t[0][2][b]);
  const uint32_t G = EncodeByte(lin, t[1][0][r] + t[1][1][g] + t[1][2][b]);
  const uint32_t B = EncodeByte(lin, t[2][0][r] + t[2][1][g] + t[2][2][b]);
  return TColor(R | G << 8 | B << 16);
}

TColor TCvdFilter::Apply(TColor color) const {
  const TColor c = ResolveColor(color);
  if (!Active()) return c;
  Slot& s = cache_[SlotOf(c)];
  if (s.key != c) s = {c, Compute(GetRValue(c), GetGValue(c), GetBValue(c))};
  return s.value;
}

// Pictures are mostly new colours, in runs and repeated rows: no cache, but
// a run or a row equal to the one before is not computed again.
void TCvdFilter::ApplyRgb24(uint8_t* bits, int width, int height, size_t stride) const {
  if (!Active() || width <= 0) return;
  const size_t rowBytes = size_t(width) * 3;
  std::vector<uint8_t> above(rowBytes), original(rowBytes);
  for (int y = 0; y < height; ++y) {
    uint8_t* row = bits + size_t(y) * stride;
    if (y > 0 && std::memcmp(row, above.data(), rowBytes) == 0) {
      std::memcpy(row, row - stride, rowBytes);
      continue;
    }
    std::memcpy(original.data(), row, rowBytes);
    uint32_t lastIn = 0xFFFFFFFF, lastOut = 0;
    for (size_t x = 0; x < rowBytes; x += 3) {
      const uint32_t in = row[x] | uint32_t(row[x + 1]) << 8 | uint32_t(row[x + 2]) << 16;
      if (in != lastIn) {
        lastIn = in;
        lastOut = uint32_t(Compute(row[x], row[x + 1], row[x + 2]));
      }
      row[x] = uint8_t(lastOut);
      row[x + 1] = uint8_t(lastOut >> 8);
      row[x + 2] = uint8_t(lastOut >> 16);
    }
    above.swap(original);
  }
}

TColor SimulateCvd(TColor c, TCvdType type, double severity) {
  return TCvdFilter(type, severity).Apply(c);
}

std::vector<TConfusablePair> ConfusablePairs(const std::vector<TColor>& colors, double severity,
                                             double threshold) {
  std::vector<TColor> distinct;
  for (TColor c : colors) {
    const TColor r = ResolveColor(c);
    if (std::find(distinct.begin(), distinct.end(), r) == distinct.end()) distinct.push_back(r);
  }
  std::vector<TLab> normal;
  for (TColor c : distinct) normal.push_back(ColorToLab(c));
  std::vector<TConfusablePair> out;
  for (TCvdType type : {TCvdType::Protan, TCvdType::Deutan, TCvdType::Tritan}) {
    const TCvdFilter filter(type, severity);
    std::vector<TLab> seen;
    for (TColor c : distinct) seen.push_back(ColorToLab(filter.Apply(c)));
    for (size_t i = 0; i < distinct.size(); ++i)
      for (size_t j = i + 1; j < distinct.size(); ++j) {
        const double d = Ciede2000(seen[i], seen[j]);
        if (d < threshold && Ciede2000(normal[i], normal[j]) >= threshold)
          out.push_back({type, distinct[i], distinct[j], d});
      }
  }
  return out;
}

}  // namespace tintorb
