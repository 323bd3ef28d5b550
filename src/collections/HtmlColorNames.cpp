#include "collections/HtmlColorNames.h"

namespace tintorb {

const std::vector<std::string>& HtmlColorTable() {
  // Grouped by colour family; "darkOrchid" keeps its small d.
  static const std::vector<std::string> table = {
      "FFFFFF,White",
      "FFFAFA,Snow",
      "F8F8FF,GhostWhite",
      "F5F5F5,WhiteSmoke",
      "FFFAF0,FloralWhite",
      "FAF0E6,Linen",
      "FAEBD7,AntiqueWhite",
      "FFEFD5,PapayaWhip",
      "FFEBCD,BlanchedAlmond",
      "FFE4C4,Bisque",
      "FFE4B5,Moccasin",
      "FFDEAD,NavajoWhite",
      "FFDAB9,PeachPuff",
      "FFE4E1,MistyRose",
      "FFF0F5,LavenderBlush",
      "FFF5EE,Seashell",
      "FDF5E6,OldLace",
      "FFFFF0,Ivory",
      "F0FFF0,Honeydew",
      "F5FFFA,MintCream",
      "F0FFFF,Azure",
      "F0F8FF,AliceBlue",
      "E6E6FA,Lavender",
      "000000,Black",
      "2F4F4F,DarkSlateGray",
      "696969,DimGray",
      "808080,Gray",
      "A9A9A9,DarkGray",
      "C0C0C0,Silver",
      "D3D3D3,LightGray",
      "DCDCDC,Gainsboro",
      "778899,LightSlateGray",
      "708090,SlateGray",
      "B0C4DE,LightSteelBlue",
      "4682B4,SteelBlue",
      "4169E1,RoyalBlue",
      "191970,MidnightBlue",
      "000080,Navy",
      "00008B,DarkBlue",
      "0000CD,MediumBlue",
      "0000FF,Blue",
      "1E90FF,DodgerBlue",
      "6495ED,CornflowerBlue",
      "00BFFF,DeepSkyBlue",
      "87CEFA,LightSkyBlue",
      "87CEEB,SkyBlue",
      "ADD8E6,LightBlue",
      "B0E0E6,PowderBlue",
      "AFEEEE,PaleTurquoise",
      "E0FFFF,LightCyan",
      "00FFFF,Cyan",
      "00FFFF,Aqua",
      "40E0D0,Turquoise",
      "48D1CC,MediumTurquoise",
      "00CED1,DarkTurquoise",
      "20B2AA,LightSeaGreen",
      "5F9EA0,CadetBlue",
      "008B8B,DarkCyan",
      "008080,Teal",
      "2E8B57,SeaGreen",
      "556B2F,DarkOliveGreen",
      "006400,DarkGreen",
      "008000,Green",
      "228B22,ForestGreen",
      "3CB371,MediumSeaGreen",
      "8FBC8F,DarkSeaGreen",
      "66CDAA,MediumAquamarine",
      "7FFFD4,Aquamarine",
      "98FB98,PaleGreen",
      "90EE90,LightGreen",
      "00FF7F,SpringGreen",
      "00FA9A,MediumSpringGreen",
      "7CFC00,LawnGreen",
      "7FFF00,Chartreuse",
      "ADFF2F,GreenYellow",
      "00FF00,Lime",
      "32CD32,LimeGreen",
      "9ACD32,YellowGreen",
      "6B8E23,OliveDrab",
      "808000,Olive",
      "BDB76B,DarkKhaki",
      "EEE8AA,PaleGoldenrod",
      "FFF8DC,Cornsilk",
      "F5F5DC,Beige",
      "FFFFE0,LightYellow",
      "FAFAD2,LightGoldenrodYellow",
      "FFFACD,LemonChiffon",
      "F5DEB3,Wheat",
      "DEB887,Burlywood",
      "D2B48C,Tan",
      "F0E68C,Khaki",
      "FFFF00,Yellow",
      "FFD700,Gold",
      "FFA500,Orange",
      "F4A460,SandyBrown",
      "FF8C00,DarkOrange",
      "DAA520,Goldenrod",
      "CD853F,Peru",
      "B8860B,DarkGoldenrod",
      "D2691E,Chocolate",
      "A0522D,Sienna",
      "8B4513,SaddleBrown",
      "800000,Maroon",
      "8B0000,DarkRed",
      "A52A2A,Brown",
      "B22222,Firebrick",
      "CD5C5C,IndianRed",
      "BC8F8F,RosyBrown",
      "E9967A,DarkSalmon",
      "F08080,LightCoral",
      "FA8072,Salmon",
      "FFA07A,LightSalmon",
      "FF7F50,Coral",
      "FF6347,Tomato",
      "FF4500,OrangeRed",
      "FF0000,Red",
      "DC143C,Crimson",
      "C71585,MediumVioletRed",
      "FF1493,DeepPink",
      "FF69B4,HotPink",
      "DB7093,PaleVioletRed",
      "FFC0CB,Pink",
      "FFB6C1,LightPink",
      "D8BFD8,Thistle",
      "FF00FF,Magenta",
      "FF00FF,Fuchsia",
      "EE82EE,Violet",
      "DDA0DD,Plum",
      "DA70D6,Orchid",
      "BA55D3,MediumOrchid",
      "9932CC,darkOrchid",
      "9400D3,DarkViolet",
      "8B008B,DarkMagenta",
      "800080,Purple",
      "4B0082,Indigo",
      "483D8B,DarkSlateBlue",
      "8A2BE2,BlueViolet",
      "9370DB,MediumPurple",
      "6A5ACD,SlateBlue",
      "7B68EE,MediumSlateBlue",
  };
  return table;
}

THtmlColorNames::THtmlColorNames() {
  for (const std::string& row : HtmlColorTable()) {
    const size_t comma = row.find(',');
    Codes.push_back(row.substr(0, comma));
    Names.push_back(row.substr(comma + 1));
  }
}

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

int Find(const std::vector<std::string>& list, std::string_view text) {
  for (size_t i = 0; i < list.size(); ++i)
    if (SameIgnoringCase(list[i], text)) return static_cast<int>(i);
  return -1;
}

}  // namespace

int THtmlColorNames::IndexOfName(std::string_view name) const {
  return Find(Names, name);
}

int THtmlColorNames::IndexOfCode(std::string_view code) const {
  return Find(Codes, code);
}

}  // namespace tintorb
