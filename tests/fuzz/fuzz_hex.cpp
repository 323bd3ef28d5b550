// Hex reading: HexToColor either raises its conversion error or gives a value
// that agrees with TryHexToColor and with ColorToHex.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/Color.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace tintorb;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  TColor tried = -1;
  const bool accepted = TryHexToColor(text, tried);
  if (accepted) {
    FUZZ_CHECK(tried >= 0 && tried <= 0xFFFFFF);
    FUZZ_CHECK(HexToColor(ColorToHex(tried)) == tried);
  }
  try {
    const TColor color = HexToColor(text);
    // Six digits read the same both ways.
    std::string_view digits = text;
    if (!digits.empty() && digits[0] == '#') digits = digits.substr(1, 6);
    if (accepted && digits.size() == 6) FUZZ_CHECK(color == tried);
    HexToRGB(text);
  } catch (const EConvertError&) {
  }
  return 0;
}
