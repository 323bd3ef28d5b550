#include "collections/Palette.h"

#include <gtest/gtest.h>

#include <set>

#include "collections/HtmlColorNames.h"

namespace tintorb {
namespace {

TEST(Palette, WebSafeOrderRunsGreenDownThenBlueThenRed) {
  const auto& p = WebSafePalette();
  ASSERT_EQ(p.size(), 216u);
  EXPECT_EQ(p[0], "00FF00");
  EXPECT_EQ(p[1], "33FF00");
  EXPECT_EQ(p[5], "FFFF00");
  EXPECT_EQ(p[6], "00FF33");
  EXPECT_EQ(p[36], "00CC00");
  EXPECT_EQ(p[214], "CC00FF");
  EXPECT_EQ(p[215], "FF00FF");
  std::set<std::string> unique(p.begin(), p.end());
  EXPECT_EQ(unique.size(), 216u);
  for (const auto& e : p) {
    const TColor c = ReadPaletteEntry(e).Color;
    EXPECT_EQ(WebSafeColor(c), c) << e;
  }
}

TEST(Palette, RGB332LevelsAndOrder) {
  const auto& p = RGB332Palette();
  ASSERT_EQ(p.size(), 256u);
  const char* head[] = {"000000", "000055", "0000AA", "0000FF", "002400"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(p[i], head[i]);
  EXPECT_EQ(p[32], "240000");
  EXPECT_EQ(p[251], "FFDBFF");
  EXPECT_EQ(p[252], "FFFF00");
  EXPECT_EQ(p[255], "FFFFFF");
  std::set<std::string> greens;
  for (int g = 0; g < 8; ++g) greens.insert(p[g * 4].substr(2, 2));
  EXPECT_EQ(greens, (std::set<std::string>{"00", "24", "49", "6D", "92", "B6", "DB", "FF"}));
}

TEST(Palette, SystemEntriesReadAsFixedColoursAndReferences) {
  const auto& p = SystemPalette();
  ASSERT_EQ(p.size(), 43u);
  auto maroon = ReadPaletteEntry(p[1]);
  EXPECT_EQ(ColorToHex(maroon.Color), "800000");
  EXPECT_EQ(maroon.Label, "茶色");
  EXPECT_EQ(ColorToHex(ReadPaletteEntry(p[14]).Color), "00FFFF");  // 水色
  auto face = ReadPaletteEntry(p[31]);
  EXPECT_EQ(face.Label, "ボタン面");
  EXPECT_EQ(face.Color, clBtnFace);  // kept as the reference
  EXPECT_EQ(ReadPaletteEntry(p[41]).Color, static_cast<TColor>(0x8000001B));
  EXPECT_EQ(ReadPaletteEntry(p[42]).Color, static_cast<TColor>(0x8000001C));
  for (size_t i = 16; i < p.size(); ++i) EXPECT_LT(ReadPaletteEntry(p[i]).Color, 0) << p[i];

  // Resolved through the desktop's colours whenever it is converted.
  SetSysColorResolver([](int index) { return index == 15 ? RGB(1, 2, 3) : TColor{0}; });
  EXPECT_EQ(ColorToHex(face.Color), "010203");
  SetSysColorResolver(nullptr);
}

TEST(Palette, EntryReadingRules) {
  EXPECT_EQ(ReadPaletteEntry("00FF00").Color, RGB(0, 255, 0));
  EXPECT_EQ(ReadPaletteEntry("00FF00").Label, "");
  auto e = ReadPaletteEntry("FF0000,red, bright");
  EXPECT_EQ(e.Color, RGB(255, 0, 0));
  EXPECT_EQ(e.Label, "red, bright");
  EXPECT_EQ(ReadPaletteEntry("FF00").Color, 0);    // not six characters
  EXPECT_EQ(ReadPaletteEntry("XYZXYZ").Color, 0);  // six, but not hex
  EXPECT_EQ(ReadPaletteEntry("clNoSuch,x").Color, 0);
  EXPECT_EQ(ReadPaletteEntry("CLRED").Color, 0);  // identifiers are case-sensitive
}

TEST(Palette, GridColumnsOnePerTwentyPixels) {
  EXPECT_EQ(PaletteColumns(200), 10);
  EXPECT_EQ(PaletteColumns(219), 10);
  EXPECT_EQ(PaletteColumns(220), 11);
  EXPECT_EQ(PaletteColumns(19), 0);
}

TEST(HtmlColorNames, TableOrderSpellingAndLookups) {
  const THtmlColorNames t;
  ASSERT_EQ(t.Count(), 140);
  EXPECT_EQ(t.Names[0], "White");
  EXPECT_EQ(t.Codes[0], "FFFFFF");
  EXPECT_EQ(t.Names[23], "Black");
  EXPECT_EQ(t.Codes[23], "000000");
  const int orchid = t.IndexOfName("DARKORCHID");
  ASSERT_GE(orchid, 0);
  EXPECT_EQ(t.Names[orchid], "darkOrchid");
  EXPECT_EQ(t.Codes[orchid], "9932CC");
  EXPECT_EQ(t.Names[t.IndexOfName("cyan")], "Cyan");
  EXPECT_EQ(t.Names[t.IndexOfCode("00ffff")], "Cyan");  // first of Cyan and Aqua
  EXPECT_EQ(t.Names[t.IndexOfCode("FF00FF")], "Magenta");
  EXPECT_EQ(t.IndexOfName("Cyan "), -1);  // whole text only
  EXPECT_EQ(t.IndexOfName("Cya"), -1);
  EXPECT_EQ(t.IndexOfCode("123456"), -1);
  std::set<std::string> names;
  for (int i = 0; i < t.Count(); ++i) {
    TColor c;
    EXPECT_TRUE(TryHexToColor(t.Codes[i], c)) << t.Codes[i];
    EXPECT_EQ(t.Codes[i], ColorToHex(c));  // upper case, six digits
    names.insert(t.Names[i]);
  }
  EXPECT_EQ(names.size(), 140u);
}

}  // namespace
}  // namespace tintorb
