// Colours per second through each colour model, there and back, and through the
// hex text. The sheets convert a whole gradient row at a time, so throughput
// over many different colours is what counts.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/Color.h"

namespace tintorb {
namespace {

// 65,536 colours spread over the whole cube (a stride coprime to 2^24).
const std::vector<TRGBRec>& Sample() {
  static const std::vector<TRGBRec> sample = [] {
    std::vector<TRGBRec> v;
    v.reserve(65536);
    for (uint32_t i = 0; i < 65536; ++i)
      v.push_back(ColorToRGBRec(TColor((i * 2654435u) & 0xFFFFFF)));
    return v;
  }();
  return sample;
}

template <typename To, typename From>
void Model(benchmark::State& state, To to, From from) {
  const auto& sample = Sample();
  for (auto _ : state) {
    for (const TRGBRec& c : sample) {
      auto m = to(c);
      benchmark::DoNotOptimize(m);
      TRGBRec back = from(m);
      benchmark::DoNotOptimize(back);
    }
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(sample.size()));
}

template <typename To>
void OneWay(benchmark::State& state, To to) {
  const auto& sample = Sample();
  for (auto _ : state) {
    for (const TRGBRec& c : sample) {
      auto m = to(c);
      benchmark::DoNotOptimize(m);
    }
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(sample.size()));
}

void BM_HSV(benchmark::State& s) {
  Model(s, RGBToHSV, HSVToRGB);
}
void BM_HLS(benchmark::State& s) {
  Model(s, RGBToHLS, HLSToRGB);
}
void BM_YUV(benchmark::State& s) {
  Model(s, RGBToYUV, YUVToRGB);
}
void BM_CMYK(benchmark::State& s) {
  Model(s, RGBToCMYK, CMYKToRGB);
}
void BM_Hex(benchmark::State& s) {
  Model(s, RGBToHex, [](const std::string& t) {
    TColor c = 0;
    TryHexToColor(t, c);
    return ColorToRGBRec(c);
  });
}

// The directions separately, for the models whose costs differ most.
void BM_RGBToYUV(benchmark::State& s) {
  OneWay(s, RGBToYUV);
}
void BM_YUVToRGB(benchmark::State& s) {
  OneWay(s, [](TRGBRec c) { return YUVToRGB(MakeYUV(c.R, int8_t(c.G - 128), int8_t(c.B - 128))); });
}
void BM_RGBToHSV(benchmark::State& s) {
  OneWay(s, RGBToHSV);
}
void BM_HSVToRGB(benchmark::State& s) {
  OneWay(s, [](TRGBRec c) { return HSVToRGB(MakeHSV(uint16_t(c.R * 359 / 255), c.G, c.B)); });
}

BENCHMARK(BM_HSV);
BENCHMARK(BM_HLS);
BENCHMARK(BM_YUV);
BENCHMARK(BM_CMYK);
BENCHMARK(BM_Hex);
BENCHMARK(BM_RGBToYUV);
BENCHMARK(BM_YUVToRGB);
BENCHMARK(BM_RGBToHSV);
BENCHMARK(BM_HSVToRGB);

}  // namespace
}  // namespace tintorb
