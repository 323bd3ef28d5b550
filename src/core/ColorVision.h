// Colour-vision deficiency simulation: protanomaly, deuteranomaly and
// tritanomaly by the Machado-Oliveira-Fernandes (2009) matrices, severity
// 0..1 (1 is the dichromat), and achromatopsia as the grey of equal relative
// luminance. All on linear-light sRGB, clipped, encoded and rounded.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "core/Color.h"

namespace tintorb {

// Ordinal values are stored in the settings; keep the order.
enum class TCvdType : int { None, Protan, Deutan, Tritan, Achroma };

// "none", "protan", "deutan", "tritan", "achroma".
std::string_view CvdTypeName(TCvdType type);
std::optional<TCvdType> CvdTypeFromName(std::string_view name);

using TCvdMatrix = std::array<std::array<double, 3>, 3>;  // rows R, G, B of the result

// The tabulated matrix at tenths of severity, linearly interpolated between
// them; severity is clamped to 0..1. None gives the identity, achromatopsia
// three rows of the Rec. 709 luminance weights whatever the severity.
TCvdMatrix CvdMatrix(TCvdType type, double severity);

// A simulation ready to apply many times: the per-channel products are
// tabulated, and colours already seen come from a small cache, so drawing
// through it costs little. Not thread-safe (the cache is shared).
class TCvdFilter {
 public:
  TCvdFilter() = default;  // no simulation
  TCvdFilter(TCvdType type, double severity);

  TCvdType Type() const { return type_; }
  double Severity() const { return severity_; }
  bool Active() const { return type_ != TCvdType::None; }

  // The simulated colour (a system colour is resolved first).
  TColor Apply(TColor c) const;
  // In place over 24-bit pixels, bytes R, G, B; `stride` is the row pitch.
  void ApplyRgb24(uint8_t* bits, int width, int height, size_t stride) const;

 private:
  TColor Compute(uint8_t r, uint8_t g, uint8_t b) const;

  TCvdType type_ = TCvdType::None;
  double severity_ = 0;
  // term_[row][channel][v] = matrix[row][channel] * linear(v)
  std::vector<std::array<std::array<double, 256>, 3>> term_;
  struct Slot {
    TColor key = -1;
    TColor value = 0;
  };
  mutable std::vector<Slot> cache_;
};

// One-off simulation (builds a filter; prefer TCvdFilter for many colours).
TColor SimulateCvd(TColor c, TCvdType type, double severity);

// Two colours of a list that are clearly apart for normal vision (CIEDE2000
// at least the threshold) but closer than the threshold under a simulation.
struct TConfusablePair {
  TCvdType type;
  TColor a, b;        // in list order
  double difference;  // CIEDE2000 of the simulated colours
};

// A CIEDE2000 difference of 10 reads as "different colours" at a glance; red
// FF0000 and green 00A000 fall to about 5 for the deuteranope, while black,
// white and mid grey stay at 33 or more under every simulation.
constexpr double kConfusableThreshold = 10.0;

// Per type (protan, deutan, tritan, in that order), the pairs of distinct
// colours of `colors` in list order (a before b as first met).
std::vector<TConfusablePair> ConfusablePairs(const std::vector<TColor>& colors, double severity,
                                             double threshold = kConfusableThreshold);

}  // namespace tintorb
