#include "platform/WindowRect.h"

#include <algorithm>
#include <cstdint>

namespace tintorb {

namespace {

int64_t Overlap(const TWindowRect& a, const TWindowRect& b) {
  const int64_t w = std::min<int64_t>(int64_t(a.left) + a.width, int64_t(b.left) + b.width) -
                    std::max(a.left, b.left);
  const int64_t h = std::min<int64_t>(int64_t(a.top) + a.height, int64_t(b.top) + b.height) -
                    std::max(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

// Start of a span of `size` moved into [lo, lo + room).
int Into(int start, int size, int lo, int room) {
  return int(std::clamp<int64_t>(start, lo, int64_t(lo) + room - size));
}

}  // namespace

TWindowRect FitWindowRect(TWindowRect r, const std::vector<TWindowRect>& areas) {
  if (areas.empty()) return r;
  const TWindowRect* best = &areas.front();
  int64_t most = 0;
  for (const TWindowRect& a : areas) {
    const int64_t o = Overlap(r, a);
    if (o > most) most = o, best = &a;
  }
  const TWindowRect& a = *best;
  r.width = std::clamp(r.width, 1, std::max(a.width, 1));
  r.height = std::clamp(r.height, 1, std::max(a.height, 1));
  r.left = Into(r.left, r.width, a.left, std::max(a.width, 1));
  r.top = Into(r.top, r.height, a.top, std::max(a.height, 1));
  return r;
}

}  // namespace tintorb
