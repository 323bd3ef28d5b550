// A sheet is made when its page is first shown: one never shown keeps its
// settings; one made late shows the state of that moment and hears later news.
#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>
#include <memory>

#include "app/IniFile.h"
#include "app/ui/MainForm.h"
#include "app/ui/Sheets.h"
#include "core/ProgramDir.h"
#include "core/TextFile.h"
#include "sheets/ui/SheetRGB.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

class SheetPagesTest : public ::testing::Test {
 protected:
  void Start(const std::string& ini) {
    WriteFileAtomic(DefaultIniPath(), EncodeTextFile(ini));
    form = std::make_unique<TForm1>();
    form->BuildSheetPages(SheetPages());
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  }
  long Unmade() const { return std::ranges::count(form->Sheets(), nullptr); }

  testing::ProgramHome dir;
  testing::ScopedFakes fakes;
  std::unique_ptr<TForm1> form;
};

TEST_F(SheetPagesTest, SettingsOfSheetsNeverShownSurviveTheRun) {
  // Values the sheets would rewrite (normalise, clamp) if they had been made.
  Start(
      "[Config]\r\nActivePage=5\r\n[RGB]\r\nValueType=1\r\nRealColor=1\r\n"
      "[Palette]\r\nPaletteStyle=7\r\n[ColorSheet_FontList]\r\nFontSize=240\r\n");
  EXPECT_EQ(Unmade(), 9);  // the HTML page, the one shown
  form->close();
  form.reset();
  const TIniFile ini(DefaultIniPath());
  EXPECT_EQ(ini.ReadString("Config", "ActivePage", ""), "5");  // the run did write the file
  EXPECT_EQ(ini.ReadString("RGB", "ValueType", ""), "1");
  EXPECT_EQ(ini.ReadString("Palette", "PaletteStyle", ""), "7");
  EXPECT_EQ(ini.ReadString("ColorSheet_FontList", "FontSize", ""), "240");
}

TEST_F(SheetPagesTest, ASheetMadeLateShowsTheStateOfTheMomentAndHearsLaterSwitches) {
  Start("[Config]\r\nWebSafe=1\r\n");
  EXPECT_EQ(Unmade(), 9);                                 // pictograms
  form->SetForeColor(form.get(), RGB(0x12, 0x34, 0x56));  // shown as 00 33 66
  form->SheetButtons()[9]->trigger();                     // RGB/CMYK, made now
  auto* rgb = dynamic_cast<TfrmRGB*>(form->Sheets()[9]);
  ASSERT_TRUE(rgb);
  EXPECT_TRUE(rgb->icsGreen->WebSafe());
  EXPECT_EQ(rgb->edtGreen->text(), "51");
  form->actWebSafe->trigger();
  EXPECT_FALSE(rgb->icsGreen->WebSafe());
}

}  // namespace
}  // namespace tintorb
