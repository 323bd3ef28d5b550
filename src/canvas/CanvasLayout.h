// A canvas layout as text, for writing pages without the window: an optional
// first line "background RRGGBB", then one item per line, front-most first,
// "LEFT TOP WIDTH HEIGHT RRGGBB".
#pragma once

#include <stdexcept>
#include <string_view>

#include "canvas/Canvas.h"

namespace tintorb {

class ECanvasLayoutError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TCanvasLayout {
  TColor Background = clWhite;
  TCanvasItemList Items;
};

// Blank lines are skipped. Throws ECanvasLayoutError naming the line for
// anything else that does not read, or an item outside the canvas area.
TCanvasLayout ParseCanvasLayout(std::string_view text);

}  // namespace tintorb
