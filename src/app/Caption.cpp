#include "app/Caption.h"

namespace tintorb {

std::string CaptionWithoutAccelerator(std::string_view caption) {
  std::string_view c = caption;
  for (std::string_view dots : {"...", "…"})
    if (c.size() >= dots.size() && c.substr(c.size() - dots.size()) == dots)
      c.remove_suffix(dots.size());
  std::string out;
  for (size_t i = 0; i < c.size(); ++i) {
    // "(&X)" after a Japanese caption goes as a whole, with the blank before it.
    if (c[i] == '(' && i + 3 < c.size() && c[i + 1] == '&' && c[i + 2] != '&' && c[i + 3] == ')') {
      while (!out.empty() && out.back() == ' ') out.pop_back();
      i += 3;
      continue;
    }
    if (c[i] == '&') {
      if (i + 1 < c.size() && c[i + 1] == '&') out += '&';
      ++i;
      if (i < c.size() && c[i] != '&') out += c[i];
      continue;
    }
    out += c[i];
  }
  return out;
}

}  // namespace tintorb
