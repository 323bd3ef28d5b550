#include "app/ScreenPick.h"

#include <algorithm>

namespace tintorb {

TColor FrameAverage(const TFrameView& frame, int x, int y, int r) {
  const int x0 = std::max(0, x - r), x1 = std::min(frame.width - 1, x + r);
  const int y0 = std::max(0, y - r), y1 = std::min(frame.height - 1, y + r);
  if (!frame.bits || x0 > x1 || y0 > y1) return 0;
  uint32_t sr = 0, sg = 0, sb = 0;
  for (int j = y0; j <= y1; ++j) {
    const uint32_t* row = frame.bits + static_cast<ptrdiff_t>(j) * frame.stride;
    for (int i = x0; i <= x1; ++i) {
      const uint32_t p = row[i];
      sr += (p >> 16) & 0xFF;
      sg += (p >> 8) & 0xFF;
      sb += p & 0xFF;
    }
  }
  const uint32_t n = static_cast<uint32_t>((x1 - x0 + 1) * (y1 - y0 + 1));
  return RGB(static_cast<int>(sr / n), static_cast<int>(sg / n), static_cast<int>(sb / n));
}

TCrossPos MoveCross(TCrossPos p, TCrossKey key, int w, int h) {
  switch (key) {
    case TCrossKey::Left:
      p.x -= 1;
      break;
    case TCrossKey::Right:
      p.x += 1;
      break;
    case TCrossKey::Up:
      p.y -= 1;
      break;
    case TCrossKey::Down:
      p.y += 1;
      break;
    case TCrossKey::PageUp:
      p.y -= 10;
      break;
    case TCrossKey::PageDown:
      p.y += 10;
      break;
    case TCrossKey::Home:
      p.x -= 10;
      break;
    case TCrossKey::End:
      p.x += 10;
      break;
  }
  p.x = std::clamp(p.x, 0, std::max(0, w - 1));
  p.y = std::clamp(p.y, 0, std::max(0, h - 1));
  return p;
}

bool IsWaylandSession(std::string_view platform, const char* waylandDisplay,
                      const char* sessionType) {
  if (platform.starts_with("wayland")) return true;
  if (platform != "xcb") return false;
  return (waylandDisplay && *waylandDisplay) ||
         (sessionType && std::string_view(sessionType) == "wayland");
}

}  // namespace tintorb
