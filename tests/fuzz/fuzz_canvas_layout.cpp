// The canvas-html input of tintorb-cli: any layout text is refused with a
// message naming its line, or gives items inside the canvas and a page.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "canvas/CanvasHtml.h"
#include "canvas/CanvasLayout.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace tintorb;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  TCanvasLayout layout;
  try {
    layout = ParseCanvasLayout(text);
  } catch (const ECanvasLayoutError& e) {
    FUZZ_CHECK(std::string_view(e.what()).substr(0, 5) == "line ");
    return 0;
  }
  // One rule and one layer line per item around a fixed frame.
  const size_t frame = CanvasHtmlLines(TCanvasItemList{}, layout.Background).size();
  const auto lines = CanvasHtmlLines(layout.Items, layout.Background);
  FUZZ_CHECK(lines.size() == frame + 2 * size_t(layout.Items.Count()));
  CanvasHtmlBytes(layout.Items, layout.Background);
  return 0;
}
