// Stored window rectangles against the screens: a damaged or stale settings
// file must not give a window larger than the desktop or one out of reach.
#pragma once

#include <vector>

namespace tintorb {

struct TWindowRect {
  int left = 0, top = 0, width = 0, height = 0;
  friend bool operator==(const TWindowRect&, const TWindowRect&) = default;
};

// Fits `r` into the available area that it overlaps most (the first area,
// the primary screen, when it overlaps none): a larger size shrinks to the
// area, then the rectangle moves until it lies wholly inside. Without areas
// the rectangle comes back unchanged.
TWindowRect FitWindowRect(TWindowRect r, const std::vector<TWindowRect>& areas);

}  // namespace tintorb
