// Reading and writing the numbers of the colour sheets' input boxes.
#pragma once

#include <string>
#include <string_view>

#include "core/Color.h"

namespace tintorb {

// Decimal integer with an optional sign ("$" or "0x" reads hexadecimal);
// anything else raises EConvertError "'<text>' は整数ではありません".
int StrToInt(std::string_view text);
bool TryStrToInt(std::string_view text, int& out);

// Saturation-like components (0..255) shown as percentages, truncating.
inline int ToPercent(int v) {
  return (v * 100) / 255;
}
inline int FromPercent(int p) {
  return (p * 255) / 100;
}

// The number forms of the RGB/CMYK sheet, by combo box index.
enum class TNumberForm { nfDecimal, nfHexadecimal, nfPercent };
TNumberForm NumberFormOf(int itemIndex);  // anything but 1 and 2 is decimal
std::string FormatValue(TNumberForm form, int v);
int ParseValue(TNumberForm form, std::string_view text);  // raises EConvertError
int MaxValueLength(TNumberForm form);
bool AcceptsKey(TNumberForm form, char32_t ch);
// Position after one up-down click (step +1 or -1) from `position`.
int UpDownPosition(TNumberForm form, bool webSafe, int position, int step);

}  // namespace tintorb
