#include "core/ImagePalette.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <thread>

#include "core/CssColor.h"

namespace tintorb {

namespace {

struct TLab {
  float L = 0, a = 0, b = 0;
};

float Dist2(const TLab& p, const TLab& q) {
  const float dl = p.L - q.L, da = p.a - q.a, db = p.b - q.b;
  return dl * dl + da * da + db * db;
}

// sRGB byte to linear light.
const std::array<float, 256>& LinearTable() {
  static const std::array<float, 256> table = [] {
    std::array<float, 256> t{};
    for (int i = 0; i < 256; ++i) {
      const double c = i / 255.0;
      t[i] = float(c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return t;
  }();
  return table;
}

// Cube root for 0..1: a bit-level first guess and two Newton steps, about
// 1e-5 relative, several times faster than std::cbrt over whole pictures.
float Cbrt(float x) {
  if (x <= 0) return 0;
  float y = std::bit_cast<float>(std::bit_cast<uint32_t>(x) / 3 + 709921077u);
  y = (2 * y + x / (y * y)) / 3;
  return (2 * y + x / (y * y)) / 3;
}

// OKLab of one 0x..RRGGBB pixel; linear sRGB straight to LMS.
TLab PixelLab(uint32_t p) {
  const auto& lin = LinearTable();
  const float r = lin[(p >> 16) & 0xFF], g = lin[(p >> 8) & 0xFF], b = lin[p & 0xFF];
  const float l = Cbrt(0.4122214708f * r + 0.5363325363f * g + 0.0514459929f * b);
  const float m = Cbrt(0.2119034982f * r + 0.6806995451f * g + 0.1073969566f * b);
  const float s = Cbrt(0.0883024619f * r + 0.2817188376f * g + 0.6299787005f * b);
  return {0.2104542553f * l + 0.7936177850f * m - 0.0040720468f * s,
          1.9779984951f * l - 2.4285922050f * m + 0.4505937099f * s,
          0.0259040371f * l + 0.7827717662f * m - 0.8086757660f * s};
}

uint32_t ColorPixel(TColor c) {
  return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | uint32_t(GetBValue(c));
}

TColor PixelColor(uint32_t p) {
  return RGB(int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF));
}

bool Opaque(uint32_t p) {
  return (p >> 24) != 0;
}

template <typename Fn>
void ForEachRow(const TPixels& px, int y0, int y1, Fn&& fn) {
  for (int y = y0; y < y1; ++y) fn(px.bits + y * px.stride);
}

// The distinct colours when there are at most `limit` of them, else empty.
std::vector<TPaletteShare> FewColors(const TPixels& px, size_t limit) {
  std::vector<TPaletteShare> found;
  uint32_t last = 0;
  size_t lastIndex = SIZE_MAX;
  for (int y = 0; y < px.height; ++y) {
    const uint32_t* row = px.bits + y * px.stride;
    for (int x = 0; x < px.width; ++x) {
      const uint32_t p = row[x];
      if (!Opaque(p)) continue;
      const uint32_t rgb = p & 0xFFFFFF;
      if (lastIndex != SIZE_MAX && rgb == last) {
        ++found[lastIndex].pixels;
        continue;
      }
      const TColor c = PixelColor(rgb);
      size_t i = 0;
      while (i < found.size() && found[i].color != c) ++i;
      if (i == found.size()) {
        if (found.size() == limit) return {};
        found.push_back({c, 0});
      }
      ++found[i].pixels;
      last = rgb;
      lastIndex = i;
    }
  }
  return found;
}

struct TPoint {
  TLab lab;
  double weight = 0;
};

// A sample of the picture gathered into 6-bit-per-channel cells, each cell
// the mean OKLab of its pixels, weighted by their count.
std::vector<TPoint> SamplePoints(const TPixels& px) {
  constexpr uint64_t kSample = 1u << 18;
  const uint64_t total = uint64_t(px.width) * uint64_t(px.height);
  const uint64_t step = std::max<uint64_t>(1, total / kSample);
  struct TCell {
    float L = 0, a = 0, b = 0;
    uint32_t n = 0;
  };
  std::vector<TCell> cells(size_t(1) << 18);
  uint32_t h = 0x9E3779B9u;
  for (uint64_t base = 0; base < total; base += step) {
    // A jitter inside each step keeps the sample off any grid in the picture.
    h ^= h << 13;
    h ^= h >> 17;
    h ^= h << 5;
    const uint64_t i = base + (step > 1 ? h % step : 0);
    if (i >= total) break;
    const uint32_t p = px.bits[ptrdiff_t(i / px.width) * px.stride + ptrdiff_t(i % px.width)];
    if (!Opaque(p)) continue;
    const uint32_t key = ((p >> 18) & 0x3F) << 12 | ((p >> 10) & 0x3F) << 6 | ((p >> 2) & 0x3F);
    const TLab lab = PixelLab(p);
    TCell& c = cells[key];
    c.L += lab.L;
    c.a += lab.a;
    c.b += lab.b;
    ++c.n;
  }
  std::vector<TPoint> points;
  for (const TCell& c : cells)
    if (c.n) points.push_back({{c.L / c.n, c.a / c.n, c.b / c.n}, double(c.n)});
  return points;
}

// The point farthest from the chosen centres, weighted by its pixels (a
// deterministic k-means++ step).
size_t FarthestPoint(const std::vector<TPoint>& pts, const std::vector<float>& nearest) {
  size_t best = 0;
  double bestScore = -1;
  for (size_t i = 0; i < pts.size(); ++i) {
    const double s = pts[i].weight * nearest[i];
    if (s > bestScore) bestScore = s, best = i;
  }
  return best;
}

std::vector<TLab> KMeans(const std::vector<TPoint>& pts, int k) {
  std::vector<TLab> centres;
  // Start from the heaviest cell, then spread out.
  size_t first = 0;
  for (size_t i = 1; i < pts.size(); ++i)
    if (pts[i].weight > pts[first].weight) first = i;
  centres.push_back(pts[first].lab);
  std::vector<float> nearest(pts.size());
  for (size_t i = 0; i < pts.size(); ++i) nearest[i] = Dist2(pts[i].lab, centres[0]);
  while (int(centres.size()) < k) {
    const size_t f = FarthestPoint(pts, nearest);
    if (nearest[f] <= 0) break;  // fewer cells than colours wanted
    centres.push_back(pts[f].lab);
    for (size_t i = 0; i < pts.size(); ++i)
      nearest[i] = std::min(nearest[i], Dist2(pts[i].lab, centres.back()));
  }

  std::vector<int> owner(pts.size(), -1);
  for (int iter = 0; iter < 60; ++iter) {
    bool moved = false;
    for (size_t i = 0; i < pts.size(); ++i) {
      int best = 0;
      float bd = std::numeric_limits<float>::max();
      for (size_t c = 0; c < centres.size(); ++c) {
        const float d = Dist2(pts[i].lab, centres[c]);
        if (d < bd) bd = d, best = int(c);
      }
      nearest[i] = bd;
      if (owner[i] != best) owner[i] = best, moved = true;
    }
    if (!moved) break;
    std::vector<std::array<double, 4>> acc(centres.size(), {0, 0, 0, 0});
    for (size_t i = 0; i < pts.size(); ++i) {
      auto& a = acc[size_t(owner[i])];
      const double w = pts[i].weight;
      a[0] += w * pts[i].lab.L, a[1] += w * pts[i].lab.a, a[2] += w * pts[i].lab.b, a[3] += w;
    }
    for (size_t c = 0; c < centres.size(); ++c) {
      if (acc[c][3] > 0) {
        centres[c] = {float(acc[c][0] / acc[c][3]), float(acc[c][1] / acc[c][3]),
                      float(acc[c][2] / acc[c][3])};
      } else {
        // An emptied centre moves to the worst-served cell.
        const size_t f = FarthestPoint(pts, nearest);
        centres[c] = pts[f].lab;
        nearest[f] = 0;
      }
    }
  }
  return centres;
}

struct TTally {
  std::vector<uint64_t> counts;
  double distance = 0;
  uint64_t total = 0;
};

// Every opaque pixel to its nearest palette colour; two threads, each half
// of the rows.
TTally Tally(const TPixels& px, const std::vector<TLab>& palette) {
  auto work = [&](int y0, int y1, TTally& t) {
    t.counts.assign(palette.size(), 0);
    uint32_t last = 0xFFFFFFFF;
    size_t lastBest = 0;
    float lastDist = 0;
    ForEachRow(px, y0, y1, [&](const uint32_t* row) {
      for (int x = 0; x < px.width; ++x) {
        const uint32_t p = row[x];
        if (!Opaque(p)) continue;
        if ((p & 0xFFFFFF) != last) {
          const TLab lab = PixelLab(p);
          float bd = std::numeric_limits<float>::max();
          for (size_t c = 0; c < palette.size(); ++c) {
            const float d = Dist2(lab, palette[c]);
            if (d < bd) bd = d, lastBest = c;
          }
          lastDist = std::sqrt(bd);
          last = p & 0xFFFFFF;
        }
        ++t.counts[lastBest];
        t.distance += lastDist;
        ++t.total;
      }
    });
  };
  TTally a, b;
  if (palette.empty()) return a;
  const int mid = px.height / 2;
  if (uint64_t(px.width) * uint64_t(px.height) < (1u << 20)) {
    work(0, px.height, a);
    return a;
  }
  std::thread other([&] { work(mid, px.height, b); });
  work(0, mid, a);
  other.join();
  for (size_t c = 0; c < a.counts.size(); ++c) a.counts[c] += b.counts[c];
  a.distance += b.distance;
  a.total += b.total;
  return a;
}

TLab ColorLab(TColor c) {
  return PixelLab(ColorPixel(c));
}

}  // namespace

TImagePalette PaletteFromPixels(const TPixels& px, int count) {
  count = std::clamp(count, kPaletteCountMin, kPaletteCountMax);
  TImagePalette out;
  if (!px.bits || px.width <= 0 || px.height <= 0) return out;

  std::vector<TPaletteShare> few = FewColors(px, size_t(count));
  std::vector<TColor> colors;
  if (!few.empty()) {
    for (const auto& s : few) out.total += s.pixels;
    out.colors = std::move(few);
  } else {
    const std::vector<TPoint> pts = SamplePoints(px);
    if (pts.empty()) return out;
    for (const TLab& c : KMeans(pts, count)) {
      const auto rgb = OklabToSrgb({c.L, c.a, c.b});
      const TColor color = SrgbToColor(rgb);
      if (std::find(colors.begin(), colors.end(), color) == colors.end()) colors.push_back(color);
    }
    std::vector<TLab> labs;
    for (TColor c : colors) labs.push_back(ColorLab(c));
    const TTally t = Tally(px, labs);
    for (size_t i = 0; i < colors.size(); ++i)
      if (t.counts[i]) out.colors.push_back({colors[i], t.counts[i]});
    out.total = t.total;
    out.meanDistance = t.total ? t.distance / double(t.total) : 0;
  }
  std::sort(out.colors.begin(), out.colors.end(), [](const auto& x, const auto& y) {
    return x.pixels != y.pixels ? x.pixels > y.pixels : x.color < y.color;
  });
  return out;
}

double MeanPaletteDistance(const TPixels& px, const std::vector<TColor>& palette) {
  std::vector<TLab> labs;
  for (TColor c : palette) labs.push_back(ColorLab(c));
  const TTally t = Tally(px, labs);
  return t.total ? t.distance / double(t.total) : 0;
}

std::string ShareText(uint64_t part, uint64_t total) {
  const long pct = total ? std::lround(100.0 * double(part) / double(total)) : 0;
  return std::to_string(pct) + "%";
}

}  // namespace tintorb
