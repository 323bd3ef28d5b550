// The screen pick on a frozen frame: where the cross goes for a key, the
// averaged colour at the cross, and whether the live screen can be read at all.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/Color.h"

namespace tintorb {

// Who receives a pick: the current colour, the background colour, or swatch d.
struct TPickTarget {
  enum Kind { Fore, Back, Swatch } kind = Fore;
  int swatch = 0;
  friend bool operator==(const TPickTarget&, const TPickTarget&) = default;
};

// A frame of the screen held in memory, 0xAARRGGBB words row by row (the
// layout of a 32-bit RGB image); stride in words.
struct TFrameView {
  const uint32_t* bits = nullptr;
  int width = 0, height = 0, stride = 0;
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

// The integer mean of the (2r+1)^2 square at (x, y), truncated. Only the part
// of the square inside the frame counts, so a square at an edge is not
// darkened by pixels that are not there; black when nothing is inside.
TColor FrameAverage(const TFrameView& frame, int x, int y, int r);

// Keys that move the cross in the pick window.
enum class TCrossKey { Left, Right, Up, Down, PageUp, PageDown, Home, End };

struct TCrossPos {
  int x = 0, y = 0;
  friend bool operator==(const TCrossPos&, const TCrossPos&) = default;
};

// Arrows move by one pixel, Page Up / Page Down by ten up and down, Home /
// End by ten left and right; the cross stays on the w x h frame.
TCrossPos MoveCross(TCrossPos p, TCrossKey key, int w, int h);

// Whether the program runs in a Wayland session, where the live screen
// cannot be read: on the wayland platform, or on xcb (XWayland) when the
// session says it is Wayland. Null environment values mean unset.
bool IsWaylandSession(std::string_view platform, const char* waylandDisplay,
                      const char* sessionType);

}  // namespace tintorb
