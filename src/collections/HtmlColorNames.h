// The 140 colour names that web pages may use, with their codes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tintorb {

// "RRGGBB,Name" rows in display order.
const std::vector<std::string>& HtmlColorTable();

// The table split at the first comma into two parallel lists.
struct THtmlColorNames {
  THtmlColorNames();
  std::vector<std::string> Names;
  std::vector<std::string> Codes;
  int Count() const { return static_cast<int>(Names.size()); }
  // Whole-text searches ignoring letter case; the first match, or -1.
  int IndexOfName(std::string_view name) const;
  int IndexOfCode(std::string_view code) const;
};

}  // namespace tintorb
