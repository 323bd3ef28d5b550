#include "sheets/NumberForms.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace tintorb {

namespace {
int Digit(char c, int base) {
  int d = -1;
  if (c >= '0' && c <= '9') d = c - '0';
  if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
  return d < base ? d : -1;
}
}  // namespace

bool TryStrToInt(std::string_view s, int& out) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
  int base = 10;
  if (i < s.size() && s[i] == '$') {
    base = 16, ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16, i += 2;
  }
  if (i >= s.size()) return false;
  int64_t v = 0;
  for (; i < s.size(); ++i) {
    const int d = Digit(s[i], base);
    if (d < 0) return false;
    v = v * base + d;
    if (v > int64_t(std::numeric_limits<int32_t>::max()) + 1) return false;
  }
  if (negative) v = -v;
  if (v > std::numeric_limits<int32_t>::max() || v < std::numeric_limits<int32_t>::min())
    return false;
  out = int(v);
  return true;
}

int StrToInt(std::string_view text) {
  int v = 0;
  if (!TryStrToInt(text, v))
    throw EConvertError("'" + std::string(text) + "' は整数ではありません");
  return v;
}

TNumberForm NumberFormOf(int itemIndex) {
  if (itemIndex == 1) return TNumberForm::nfHexadecimal;
  if (itemIndex == 2) return TNumberForm::nfPercent;
  return TNumberForm::nfDecimal;
}

std::string FormatValue(TNumberForm form, int v) {
  char buf[16];
  switch (form) {
    case TNumberForm::nfHexadecimal:
      std::snprintf(buf, sizeof buf, "%.2X", unsigned(v));
      return buf;
    case TNumberForm::nfPercent:
      return std::to_string(ToPercent(v));
    case TNumberForm::nfDecimal:
      break;
  }
  return std::to_string(v);
}

int ParseValue(TNumberForm form, std::string_view text) {
  switch (form) {
    case TNumberForm::nfHexadecimal:
      return StrToInt("$" + std::string(text));
    case TNumberForm::nfPercent: {
      const int64_t v = int64_t(StrToInt(text)) * 255 / 100;
      return int(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                     std::numeric_limits<int32_t>::max()));
    }
    case TNumberForm::nfDecimal:
      break;
  }
  return StrToInt(text);
}

int MaxValueLength(TNumberForm form) {
  return form == TNumberForm::nfHexadecimal ? 2 : 3;
}

bool AcceptsKey(TNumberForm form, char32_t ch) {
  if (ch >= '0' && ch <= '9') return true;
  return form == TNumberForm::nfHexadecimal &&
         ((ch >= 'A' && ch <= 'F') || (ch >= 'a' && ch <= 'f'));
}

int UpDownPosition(TNumberForm form, bool webSafe, int position, int step) {
  if (webSafe) return position + 51 * step;
  if (form != TNumberForm::nfPercent) return position + step;
  // The + 1 makes the new position read back as the next percentage.
  const int p = StrToInt(FormatValue(form, position));
  return ((p + step) * 255) / 100 + 1;
}

}  // namespace tintorb
