// The mobile-phone pictogram table: rows, glyphs, colours and the PNG pictures
// the pictogram sheet saves.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "controls/GLDPNG.h"
#include "core/Color.h"

namespace tintorb {

constexpr int kPictogramCount = 252;
constexpr int kGlyphSize = 12;

// One parsed row: SJIS code, decimal code, Unicode code, name, colour name.
struct TPictogramInfo {
  std::string Name;
  std::string SJISCode;
  int DecimalCode = -1;  // -1 for the extended pictograms
  std::string UnicodeCode;
  TColor Color = clBlack;
};

// The table rows in order, five TAB-separated fields each (the list's items).
const std::vector<std::string>& PictogramRows();

TPictogramInfo ParsePictogram(std::string_view row);
// The HTML character reference of a row: "&#63647;" for a standard
// pictogram, "&#xE70C;" (digits as stored) for an extended one.
std::string PictogramReference(const TPictogramInfo& info);
// Colour of a colour name (exact match); anything else is black.
TColor PictogramColor(std::string_view name);

// Row y of a glyph: bit (11 - x) set = pixel (x, y) set.
using TGlyph = std::array<uint16_t, kGlyphSize>;

// Reads the glyph text: 12 lines of "." and "#" per glyph; lines starting with
// ";" and blank lines are ignored. Throws std::runtime_error naming the line
// of anything else.
std::vector<TGlyph> ParseGlyphs(std::string_view text);
bool PictogramHasGlyph(int index);
const TGlyph& PictogramGlyph(int index);  // requires PictogramHasGlyph(index)
inline bool GlyphPixel(const TGlyph& g, int x, int y) {
  return (g[size_t(y)] >> (kGlyphSize - 1 - x)) & 1;
}

// The lighter colour of a dimmed glyph: halfway from the glyph colour to the
// background, so it stays visible on any background the glyph itself shows on.
TColor DimGlyphColor(TColor glyph, TColor back);

// Makes `bitmap` a 12 x 12 24-bit picture of the background with the glyph's
// set pixels in `glyphColor` (or its dimmed colour). An index without a glyph
// leaves only the background.
void RenderGlyph(TGLDBitmap& bitmap, TColor glyphColor, TColor backColor, int index, bool dim);

// Colour modes of the pictogram sheet.
enum TEmojiColor { ecDefault = 0, ecBlack = 1, ecSelected = 2 };

// The 256-entry palette of saved standard-colour pictures: the nine pictogram
// colours, a colour cube and greys, with pure white last (index 255).
const std::vector<TRGBRec>& PictogramPalette256();

// The picture the sheet saves for a glyph: mode 0 the row colour on white,
// 8-bit indexed; mode 1 black on white, 1-bit; both with white as background
// and transparent colour. Mode 2 `fore` on `back` as 24-bit RGB, opaque.
TGLDPNG MakePictogramPNG(int index, int mode, TColor fore, TColor back);

}  // namespace tintorb
