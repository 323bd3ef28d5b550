// The paste reader: any clipboard text either is refused or gives a colour
// whose plain hex text pastes as the same colour.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/ColorText.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace tintorb;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  TColor color = -1;
  if (!AcceptPastedText(text, color)) return 0;
  FUZZ_CHECK(color >= 0 && color <= 0xFFFFFF);
  TColor again = -1;
  FUZZ_CHECK(AcceptPastedText(ColorToHex(color), again) && again == color);
  FUZZ_CHECK(AcceptPastedText("#" + ColorToHex(color), again) && again == color);
  return 0;
}
