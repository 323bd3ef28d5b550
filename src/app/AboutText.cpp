#include "app/AboutText.h"

namespace tintorb {

std::string VersionText() {
  return std::string("Version ") + TINTORB_VERSION;
}

std::string WithThousands(uint64_t value) {
  std::string digits = std::to_string(value);
  std::string out;
  const size_t n = digits.size();
  for (size_t i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

std::string MemoryLineText(uint64_t bytesAvailable) {
  return "Physical Memory Aviailable to Windows: " + WithThousands(bytesAvailable / 1024) + " KB";
}

}  // namespace tintorb
