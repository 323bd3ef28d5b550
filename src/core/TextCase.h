// Letter-case-insensitive comparison of UTF-8 texts, for keys, section names
// and list entries that users expect to match regardless of case.
#pragma once

#include <string>
#include <string_view>

namespace tintorb {

// Lower-cases ASCII, Latin-1, Greek, Cyrillic and full-width Latin letters;
// everything else (including invalid bytes) is copied unchanged.
std::string FoldCase(std::string_view utf8);
bool SameText(std::string_view a, std::string_view b);

}  // namespace tintorb
