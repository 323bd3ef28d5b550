// Texts of the About box.
#pragma once

#include <cstdint>
#include <string>

namespace tintorb {

inline constexpr const char* kProductName = "Tintorb";

std::string VersionText();  // "Version " + the build's version
// 1234567 -> "1,234,567"
std::string WithThousands(uint64_t value);
// The memory line, in kilobytes.
std::string MemoryLineText(uint64_t bytesAvailable);

}  // namespace tintorb
