#include "core/TextCase.h"

#include <cstdint>

namespace tintorb {

namespace {

uint32_t LowerCodePoint(uint32_t c) {
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) ||
      (c >= 0x410 && c <= 0x42F) || (c >= 0xFF21 && c <= 0xFF3A))
    return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  return c;
}

void AppendUtf8(std::string& out, uint32_t c) {
  if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
  } else {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
  }
  out += char(0x80 | (c & 0x3F));
}

bool IsCont(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

}  // namespace

std::string FoldCase(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  size_t i = 0;
  while (i < s.size()) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      out += (c >= 'A' && c <= 'Z') ? char(c + 32) : char(c);
      ++i;
      continue;
    }
    // Only two- and three-byte sequences hold letters that fold here.
    if ((c >> 5) == 6 && i + 1 < s.size() && IsCont(s[i + 1])) {
      const uint32_t cp = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3Fu);
      const uint32_t lo = LowerCodePoint(cp);
      if (lo != cp && cp >= 0x80) {
        AppendUtf8(out, lo);
      } else {
        out.append(s.substr(i, 2));
      }
      i += 2;
      continue;
    }
    if ((c >> 4) == 14 && i + 2 < s.size() && IsCont(s[i + 1]) && IsCont(s[i + 2])) {
      const uint32_t cp = ((c & 0x0Fu) << 12) |
                          ((static_cast<unsigned char>(s[i + 1]) & 0x3Fu) << 6) |
                          (static_cast<unsigned char>(s[i + 2]) & 0x3Fu);
      const uint32_t lo = LowerCodePoint(cp);
      if (lo != cp && cp >= 0x800) {
        AppendUtf8(out, lo);
      } else {
        out.append(s.substr(i, 3));
      }
      i += 3;
      continue;
    }
    out += char(c);
    ++i;
  }
  return out;
}

bool SameText(std::string_view a, std::string_view b) {
  // Fast path: pure ASCII needs no allocation.
  if (a.size() == b.size()) {
    bool ascii = true, equal = true;
    for (size_t i = 0; i < a.size() && ascii; ++i) {
      unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
      if (x >= 0x80 || y >= 0x80) {
        ascii = false;
        break;
      }
      if (x >= 'A' && x <= 'Z') x += 32;
      if (y >= 'A' && y <= 'Z') y += 32;
      if (x != y) equal = false;
    }
    if (ascii) return equal;
  }
  return FoldCase(a) == FoldCase(b);
}

}  // namespace tintorb
