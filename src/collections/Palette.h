// The palette sheet's three fixed palettes and the reading of their entries.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/Color.h"

namespace tintorb {

enum class TPaletteKind { WebSafe, System, RGB332 };

// Entries are "CODE" or "CODE,label"; CODE is six hex digits (red first) or a
// colour identifier beginning with "cl".
const std::vector<std::string>& WebSafePalette();  // 216 codes
const std::vector<std::string>& SystemPalette();   // 43 identifiers with labels
const std::vector<std::string>& RGB332Palette();   // 256 codes
const std::vector<std::string>& Palette(TPaletteKind kind);

struct TPaletteEntry {
  TColor Color = 0;  // system entries stay references (negative values)
  std::string Label;
};

// Splits at the first comma. A "cl" identifier gives its colour (unknown
// identifiers give black); a six-character code gives HexToColor of it (black
// when it does not read); any other code gives black.
TPaletteEntry ReadPaletteEntry(std::string_view entry);

// The colour an identifier stands for ("clRed" -> red, "clBtnFace" -> system
// colour 15); false for an unknown identifier.
bool IdentToColor(std::string_view ident, TColor& color);

// Columns of the swatch grid for a list client width: one per 20 pixels.
inline int PaletteColumns(int clientWidth) {
  return clientWidth / 20;
}

}  // namespace tintorb
