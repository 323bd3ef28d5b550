// The program's own pages: a sheet is made when its page is first shown. One
// never shown keeps its settings as they were; one made late shows the colour
// and the web-safe state of that moment, and hears of later switches.
#include <gtest/gtest.h>

#include <QTest>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/IniFile.h"
#include "app/ui/MainForm.h"
#include "app/ui/Sheets.h"
#include "core/ProgramDir.h"
#include "core/TextFile.h"
#include "sheets/ui/SheetHSV.h"
#include "sheets/ui/SheetRGB.h"
#include "sheets/ui/TintorbColorSlider.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

class SheetPagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TINTORB_HOME", dir.path().c_str(), 1);
    ResetProgramDirForTests();
  }
  void TearDown() override {
    form.reset();
    unsetenv("TINTORB_HOME");
    ResetProgramDirForTests();
  }
  void Start(const std::string& ini) {
    WriteFileAtomic(DefaultIniPath(), EncodeTextFile(ini));
    form = std::make_unique<TForm1>();
    form->BuildSheetPages(SheetPages());
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  }
  int Made() const {
    int n = 0;
    for (TColorSheetForm* s : form->Sheets()) n += s != nullptr;
    return n;
  }

  testing::TempDir dir;
  testing::ScopedFakes fakes;
  std::unique_ptr<TForm1> form;
};

TEST_F(SheetPagesTest, SettingsOfSheetsNeverShownSurviveTheRun) {
  // Values the sheets would rewrite (normalise, clamp) if they had been made.
  Start(
      "[Config]\r\nActivePage=5\r\n[RGB]\r\nValueType=1\r\nRealColor=1\r\n"
      "[Palette]\r\nPaletteStyle=7\r\n[ColorSheet_FontList]\r\nFontSize=240\r\n");
  EXPECT_EQ(Made(), 1);  // the HTML page, the one shown
  form->close();
  form.reset();
  const TIniFile ini(DefaultIniPath());
  EXPECT_EQ(ini.ReadString("Config", "ActivePage", ""), "5");  // the run did write the file
  EXPECT_EQ(ini.ReadString("RGB", "ValueType", ""), "1");
  EXPECT_EQ(ini.ReadString("RGB", "RealColor", ""), "1");
  EXPECT_EQ(ini.ReadString("Palette", "PaletteStyle", ""), "7");
  EXPECT_EQ(ini.ReadString("ColorSheet_FontList", "FontSize", ""), "240");
}

TEST_F(SheetPagesTest, ASheetMadeLateShowsTheStateOfTheMomentAndHearsLaterSwitches) {
  Start("[Config]\r\nWebSafe=1\r\n");
  EXPECT_EQ(Made(), 1);                                   // pictograms
  form->SetForeColor(form.get(), RGB(0x12, 0x34, 0x56));  // shown as 00 33 66
  struct Case {
    int page;
    TTintorbColorSlider* (*slider)(TColorSheetForm*);
    QLineEdit* (*edit)(TColorSheetForm*);
    const char* shown;
  };
  const Case cases[] = {
      {9, [](TColorSheetForm* s) { return static_cast<TfrmRGB*>(s)->icsGreen; },
       [](TColorSheetForm* s) { return static_cast<TfrmRGB*>(s)->edtGreen; }, "51"},
      {8, [](TColorSheetForm* s) { return static_cast<TfrmHSV*>(s)->icsSV; },
       [](TColorSheetForm* s) { return static_cast<TfrmHSV*>(s)->edtHue; }, "210"},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(form->Sheets()[c.page], nullptr) << c.page;
    form->SheetButtons()[c.page]->trigger();
    TColorSheetForm* sheet = form->Sheets()[c.page];
    ASSERT_NE(sheet, nullptr) << c.page;
    EXPECT_TRUE(c.slider(sheet)->WebSafe()) << c.page;
    EXPECT_EQ(c.edit(sheet)->text().toStdString(), c.shown) << c.page;
  }
  form->actWebSafe->trigger();
  for (const Case& c : cases) EXPECT_FALSE(c.slider(form->Sheets()[c.page])->WebSafe()) << c.page;
  EXPECT_EQ(Made(), 3);
}

}  // namespace
}  // namespace tintorb
