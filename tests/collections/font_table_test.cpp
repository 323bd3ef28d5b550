#include "collections/FontTable.h"

#include <gtest/gtest.h>

#include "support/Fakes.h"

namespace tintorb {
namespace {

TFontFamilyInfo Fam(std::string name, bool scalable = true, bool jp = false, bool fixed = false,
                    bool symbol = false, bool printer = false, bool screen = true) {
  return {std::move(name), scalable, jp, fixed, symbol, printer, screen};
}

std::vector<std::string> Names(const std::vector<TFontEntry>& v) {
  std::vector<std::string> out;
  for (const auto& e : v) out.push_back(e.name);
  return out;
}

using V = std::vector<std::string>;

TEST(FontTable, SortedCaseInsensitivelyFirstReportWins) {
  auto t =
      BuildFontTable({Fam("zeta"), Fam("Alpha", true, true), Fam("beta"), Fam("ALPHA")}, false);
  EXPECT_EQ(Names(t), (V{"Alpha", "beta", "zeta"}));
  EXPECT_EQ(FontCharset(t[0].attr), kCharsetJapanese);  // the first report's charset
  // Duplicates that are not next to each other are dropped too.
  t = BuildFontTable({Fam("A"), Fam("B"), Fam("a")}, false);
  EXPECT_EQ(Names(t), (V{"A", "B"}));
  // One row per family whatever the foundries; brackets inside a name stay.
  t = BuildFontTable({Fam("Sans [UKWN]"), Fam("Mono [urw]"), Fam("Sans [urw]"), Fam("[x] y")},
                     false);
  EXPECT_EQ(Names(t), (V{"[x] y", "Mono", "Sans"}));
}

TEST(FontTable, AttributeWordAndSet) {
  EXPECT_EQ(FontAttributeWord(Fam("x")), kFontTypeTrueType);
  EXPECT_EQ(FontAttributeWord(Fam("x", false)), kFontTypeRaster);
  EXPECT_EQ(FontAttributeWord(Fam("x", true, false, true, true)),
            kFontTypeTrueType | kFontFixedPitch | (kCharsetSymbol << 16));
  EXPECT_EQ(FontAttributes({"@Gothic", kFontTypeTrueType | (128u << 16) | kFontOnPrinter}),
            (TFontNameFilters{fnfTrueType, fnfJapanese, fnfLyingFont, fnfPrinter}));
  EXPECT_EQ(FontAttributes({"v", kFontVector | kFontTypeDevice | kFontTypeRaster}),
            (TFontNameFilters{fnfVector, fnfDevice, fnfRaster}));
}

TEST(FontTable, PrinterFamiliesMergeOnlyWhenAPrinterExists) {
  std::vector<TFontFamilyInfo> f = {Fam("Mono", true, false, true, false, true),
                                    Fam("Courier PS", false, false, true, false, true, false),
                                    Fam("Arial")};
  EXPECT_EQ(Names(BuildFontTable(f, false)), (V{"Arial", "Mono"}));
  auto t = BuildFontTable(f, true);
  ASSERT_EQ(Names(t), (V{"Arial", "Courier PS", "Mono"}));
  EXPECT_EQ(t[0].attr & kFontOnPrinter, 0u);
  EXPECT_EQ(t[1].attr, kFontTypeDevice | kFontFixedPitch | kFontOnPrinter | kFontPrinterOnly);
  EXPECT_EQ(t[2].attr & (kFontOnPrinter | kFontPrinterOnly), kFontOnPrinter);
}

class FontNameListTest : public ::testing::Test {
 protected:
  std::vector<TFontEntry> table = BuildFontTable(
      {Fam("Arial"), Fam("@MS Gothic", true, true), Fam("MS Gothic", true, true, true),
       Fam("Symbol", true, false, false, true), Fam("Fixed", false, false, true),
       Fam("DejaVu Sans Mono", true, false, true, false, true),
       Fam("PrinterOnly", true, false, false, false, true, false)},
      true);
  TFontNameList list;
  void SheetFilters() {
    list.SetCollectFilters({fnfTrueType, fnfSymbolFont, fnfJapanese, fnfFixedPitch});
  }
};

TEST_F(FontNameListTest, SheetFiltersLeaveOutVerticalPrinterOnlyAndBitmapFaces) {
  SheetFilters();
  list.RebuildItems(&table);
  // On the printer too, but also on the screen: listed.
  EXPECT_EQ(Names(list.Items()), (V{"Arial", "DejaVu Sans Mono", "MS Gothic", "Symbol"}));
  list.SetExclusiveFilters({fnfJapanese});
  list.RebuildItems(&table);
  EXPECT_EQ(Names(list.Items()), (V{"MS Gothic"}));
  list.SetExclusiveFilters({fnfFixedPitch});
  list.RebuildItems(&table);
  EXPECT_EQ(Names(list.Items()), (V{"DejaVu Sans Mono", "MS Gothic"}));
  list.SetExclusiveFilters({fnfSymbolFont});
  list.RebuildItems(&table);
  EXPECT_EQ(Names(list.Items()), (V{"Symbol"}));
}

TEST_F(FontNameListTest, DefaultCollectListsEveryKindButVertical) {
  list.RebuildItems(&table);
  EXPECT_EQ(Names(list.Items()),
            (V{"Arial", "DejaVu Sans Mono", "Fixed", "MS Gothic", "PrinterOnly", "Symbol"}));
}

TEST_F(FontNameListTest, VisibleAndInvisibleNamesOverrideFiltersAndExcludeEachOther) {
  SheetFilters();
  list.SetVisibleFontNames({"@ms gothic", "Arial"});
  list.SetInvisibleFontNames({"arial", "Symbol"});
  EXPECT_EQ(list.VisibleFontNames(), (V{"@ms gothic"}));
  list.RebuildItems(&table);
  EXPECT_EQ(Names(list.Items()), (V{"@MS Gothic", "DejaVu Sans Mono", "MS Gothic"}));
  list.SetVisibleFontNames({"Symbol"});
  EXPECT_EQ(list.InvisibleFontNames(), (V{"arial"}));
}

TEST_F(FontNameListTest, ExclusiveTypeElementReplacesTheOtherTypes) {
  list.SetExclusiveFilters({fnfTrueType, fnfJapanese});
  EXPECT_EQ(list.ExclusiveFilters(), (TFontNameFilters{fnfTrueType, fnfJapanese}));
  list.SetExclusiveFilters({fnfTrueType, fnfRaster, fnfDevice, fnfJapanese});
  EXPECT_EQ(list.ExclusiveFilters(), (TFontNameFilters{fnfDevice, fnfJapanese}));
  // Nothing new among the types: the value is taken as it is.
  list.SetExclusiveFilters({fnfDevice, fnfFixedPitch});
  EXPECT_EQ(list.ExclusiveFilters(), (TFontNameFilters{fnfDevice, fnfFixedPitch}));
}

TEST_F(FontNameListTest, ValueSurvivesRebuildAndFallsBackToFirstItem) {
  SheetFilters();
  EXPECT_FALSE(list.SetValue("Symbol"));  // before the build: remembered
  EXPECT_EQ(list.Value(), "Symbol");
  list.RebuildItems(&table);
  EXPECT_EQ(list.Value(), "Symbol");
  int rebuilt = 0;
  list.OnRebuilt = [&] { ++rebuilt; };
  list.SetExclusiveFilters({fnfJapanese});  // Symbol gone: item 0
  EXPECT_EQ(rebuilt, 1);
  EXPECT_EQ(list.Value(), "MS Gothic");
  list.SetExclusiveFilters({fnfJapanese});  // same value: no rebuild
  EXPECT_EQ(rebuilt, 1);
}

TEST_F(FontNameListTest, SetValueIsCaseInsensitiveAndReportsChange) {
  list.RebuildItems(&table);
  EXPECT_TRUE(list.SetValue("symbol"));
  EXPECT_EQ(list.Value(), "Symbol");
  EXPECT_FALSE(list.SetValue("SYMBOL"));
  EXPECT_TRUE(list.SetValue("No such font"));
  EXPECT_EQ(list.ItemIndex(), 0);
  TFontNameList empty;
  std::vector<TFontEntry> none;
  empty.RebuildItems(&none);
  EXPECT_FALSE(empty.SetValue("Arial"));
  EXPECT_EQ(empty.ItemIndex(), -1);
  EXPECT_EQ(empty.Value(), "");
}

TEST(FontTableGlobal, BuiltLazilyFromTheDesktop) {
  testing::ScopedFakes fakes;
  fakes.desktop.fonts = {Fam("b"), Fam("A")};
  ResetFontTable();
  EXPECT_FALSE(FontTableBuilt());
  EXPECT_EQ(Names(FontTable()), (V{"A", "b"}));
  fakes.desktop.fonts.clear();
  EXPECT_EQ(FontTable().size(), 2u);  // enumerated once
  ResetFontTable();
}

}  // namespace
}  // namespace tintorb
