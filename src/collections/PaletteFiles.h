// Palettes of other programs: GIMP palettes (.gpl), Adobe Swatch Exchange
// (.ase) and Adobe Color Tables (.act) read into favourites groups, and a group
// written as .gpl, .ase or a style sheet of CSS custom properties.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "collections/Favorites.h"

namespace tintorb {

// Larger files are refused before they are read: the biggest palettes seen
// in practice are a few hundred kilobytes.
inline constexpr size_t kPaletteFileLimit = 16u << 20;

// A file that is not a palette of the kind it claims. The message names the
// place: "N 行目: ..." for text files, "バイト N: ..." for binary ones; read
// through ReadPaletteFile it starts with the file name.
class EPaletteFormatError : public EFavoritesError {
 public:
  using EFavoritesError::EFavoritesError;
};

struct TPaletteGroup {
  std::string name;  // empty: the caller names it (after the file)
  TNamedColorList colors;
  std::string source = {};  // the file it came from, for messages
};

// GIMP palette: "GIMP Palette", optional "Name:" and "Columns:", comments,
// rows "R G B name", the name being all after the one blank that ends B (as
// GIMP reads it). One group named after "Name:".
TPaletteGroup ReadGpl(std::string_view bytes);
std::string GplBytes(const std::string& name, const TNamedColorList& colors);  // UTF-8, LF

// Adobe Swatch Exchange 1.0. Every group block becomes a group; colours
// outside any group gather, in their order, in one unnamed group placed first.
std::vector<TPaletteGroup> ReadAse(std::string_view bytes);
// RGB entries, one group block per group.
std::string AseBytes(const std::vector<TPaletteGroup>& groups);

// The 768-byte (256 colours) and 772-byte (count and transparent index) forms;
// the transparent entry is not a colour and is left out.
TPaletteGroup ReadAct(std::string_view bytes);

// ":root { --name: #RRGGBB; }" with unique custom property names and the
// original names in comments. UTF-8, LF.
std::string CssVariablesText(const std::string& groupName, const TNamedColorList& colors);
// The custom property name (without "--") of one colour name; empty when
// nothing of the name is usable.
std::string CssIdentifier(std::string_view name);

// Reads any of the three kinds (told by content, else by extension). Unnamed
// groups get the file name without extension. Throws EPaletteFormatError
// with the file name in front; nothing is kept from a bad file.
std::vector<TPaletteGroup> ReadPaletteFile(const std::string& path);
std::vector<TPaletteGroup> ReadPaletteBytes(std::string_view bytes, const std::string& fileName);

// Adds the groups to the store, a taken name replaced by UniqueGroupName of
// it and one too long for a file name cut to a unique one that fits (said
// with the group's file). Returns the indices of the groups added (a name the
// store refuses is skipped with its warning).
std::vector<int> AddPaletteGroups(TFavorites& favorites, const std::vector<TPaletteGroup>& groups);

}  // namespace tintorb
