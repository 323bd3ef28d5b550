// The numeric sheets inside the real main window: a change made on one sheet
// is not sent to the others; the sheet that is opened next shows it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QTest>
#include <QToolBar>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "app/IniFile.h"
#include "app/ui/MainForm.h"
#include "core/ProgramDir.h"
#include "sheets/ui/SheetHLS.h"
#include "sheets/ui/SheetHSV.h"
#include "sheets/ui/SheetRGB.h"
#include "sheets/ui/SheetTestKit.h"
#include "sheets/ui/SheetYUV.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

class SheetsInMainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TINTORB_HOME", dir.path().c_str(), 1);
    ResetProgramDirForTests();
    Build();
  }
  void Build() {
    form = std::make_unique<TForm1>();
    std::vector<std::unique_ptr<TColorSheetForm>> created;
    created.push_back(std::make_unique<TfrmRGB>(*form));
    created.push_back(std::make_unique<TfrmHSV>(*form));
    created.push_back(std::make_unique<TfrmHLS>(*form));
    created.push_back(std::make_unique<TfrmYUV>(*form));
    form->BuildSheets(std::move(created));  // pages: YUV 0, HLS 1, HSV 2, RGB 3
    rgb = dynamic_cast<TfrmRGB*>(form->Sheets()[3]);
    hsv = dynamic_cast<TfrmHSV*>(form->Sheets()[2]);
    hls = dynamic_cast<TfrmHLS*>(form->Sheets()[1]);
    ASSERT_TRUE(rgb && hsv && hls);
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }
  void TearDown() override {
    form.reset();
    unsetenv("TINTORB_HOME");
    ResetProgramDirForTests();
  }
  // A click on the sheet's toolbar button.
  void Open(int page) {
    QWidget* button = form->tlbColorSheet->widgetForAction(form->SheetButtons()[page]);
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_EQ(form->ActivePage(), page);
  }

  testing::TempDir dir;
  testing::ScopedFakes fakes;
  std::unique_ptr<TForm1> form;
  TfrmRGB* rgb = nullptr;
  TfrmHSV* hsv = nullptr;
  TfrmHLS* hls = nullptr;
};

TEST_F(SheetsInMainWindow, TheSheetYouLeaveIsNotToldTheOneYouOpenShowsTheColour) {
  Open(3);
  testing::TypeOver(rgb->edtRed, "255");
  EXPECT_EQ(form->CurrentColor(), RGB(255, 0, 0));
  Open(2);
  EXPECT_EQ(hsv->edtHue->text(), "0");
  EXPECT_EQ(hsv->edtSaturation->text(), "255");
  TTintorbColorSlider* bar = hsv->icsHue;
  QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(5, bar->height()));  // hue 359
  const TColor picked = HSVToColor(MakeHSV(359, 255, 255));
  EXPECT_EQ(form->CurrentColor(), picked);
  // The RGB sheet was not told while another sheet was active.
  EXPECT_EQ(rgb->edtBlue->text(), "0");
  EXPECT_EQ(hls->edtHue->text(), "0");
  Open(3);
  EXPECT_EQ(rgb->edtRed->text(), QString::number(GetRValue(picked)));
  EXPECT_EQ(rgb->edtBlue->text(), QString::number(GetBValue(picked)));
  EXPECT_EQ(rgb->icsBlue->PositionX(), GetBValue(picked));
  Open(1);
  EXPECT_EQ(hls->edtHue->text(), QString::number(ColorToHLS(picked).H));
}

TEST_F(SheetsInMainWindow, AHueChosenOnTheHsvSheetIsRecomputedWhenItIsShownAgain) {
  Open(2);
  testing::TypeOver(hsv->edtHue, "31");
  EXPECT_EQ(form->CurrentColor(), RGB(0, 0, 0));  // S and V are still 0
  testing::TypeOver(hsv->edtSaturation, "255");
  testing::TypeOver(hsv->edtValue, "255");
  EXPECT_EQ(form->CurrentColor(), RGB(255, 132, 0));
  EXPECT_EQ(hsv->edtHue->text(), "31");
  Open(3);
  Open(2);
  EXPECT_EQ(hsv->edtHue->text(), "32");
}

TEST_F(SheetsInMainWindow, WebSafeOptionReachesEverySheet) {
  Open(3);
  form->chkWebSafe->click();
  ASSERT_TRUE(form->IsWebSafe());
  EXPECT_TRUE(rgb->icsRed->WebSafe());
  EXPECT_TRUE(hsv->icsSV->WebSafe());
  EXPECT_TRUE(hls->icsLightness->WebSafe());
  testing::TypeOver(rgb->edtRed, "100");
  EXPECT_EQ(form->GetForeColor(), RGB(102, 0, 0));
}

// With the gradients through the current colour, every slider's gradient holds
// the other components of the colour shown, whenever the sheet is shown.
void ExpectGradientsThrough(TfrmRGB& rgb, TColor c) {
  const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  EXPECT_EQ(rgb.icsRed->Color1(), RGB(0, g, b));
  EXPECT_EQ(rgb.icsRed->Color2(), RGB(255, g, b));
  EXPECT_EQ(rgb.icsGreen->Color2(), RGB(r, 255, b));
  EXPECT_EQ(rgb.icsBlue->Color1(), RGB(r, g, 0));
  const TCMYK k = RGBToCMYK(ColorToRGBRec(c));
  EXPECT_EQ(rgb.icsBlack->Color1(), CMYKToColor(MakeCMYK(k.C, k.M, k.Y, 0)));
}

TEST_F(SheetsInMainWindow, GradientsRunThroughTheColourWheneverTheRgbSheetIsShown) {
  // Stored on, the sheet not the active one: its first show.
  form.reset();
  {
    std::ofstream ini(DefaultIniPath(), std::ios::binary);
    ini << "[Color]\r\nRed=200\r\nGreen=100\r\nBlue=50\r\n[RGB]\r\nRealColor=1\r\n";
  }
  Build();
  ASSERT_NE(form->ActivePage(), 3);
  Open(3);
  ASSERT_TRUE(rgb->chkRealColor->isChecked());
  ExpectGradientsThrough(*rgb, RGB(200, 100, 50));

  // Shown again after a change on another sheet.
  Open(2);
  TTintorbColorSlider* bar = hsv->icsHue;
  QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(5, bar->height() / 3));
  const TColor changed = form->CurrentColor();
  ASSERT_NE(changed, RGB(200, 100, 50));
  Open(3);
  ExpectGradientsThrough(*rgb, changed);
}

// One wheel notch over the field steps the lightness by one, also from 127,
// where a drag has left the bar's position.
TEST_F(SheetsInMainWindow, HlsWheelStepsTheLightnessByOneFromTheMiddle) {
  Open(1);
  testing::TypeOver(hls->edtSaturation, "200");
  TTintorbColorSlider* bar = hls->icsLightness;
  int y = 0;
  for (; y < bar->height() && bar->HLS().L != 127; ++y)
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(3, y));
  ASSERT_EQ(bar->HLS().L, 127) << "no pixel row gives L 127";
  for (int expected : {128, 129, 128, 127, 126}) {
    const int step = expected > bar->HLS().L ? 120 : -120;  // away from the user: lighter
    testing::WheelOver(hls->icsHS, step);
    EXPECT_EQ(bar->HLS().L, expected);
    EXPECT_EQ(hls->edtLightness->text(), QString::number(expected));
    EXPECT_EQ(form->CurrentColor(), HLSToColor(hls->ReadSliderHLS()));
  }
}

// However small the window is made, every sheet shows all of its controls.
TEST_F(SheetsInMainWindow, TheWindowDoesNotShrinkBelowWhatEverySheetShows) {
  for (int page : {3, 2, 1, 0}) {
    Open(page);
    form->resize(200, 150);
    QApplication::processEvents();
    TColorSheetForm* sheet = form->Sheets()[page];
    for (QWidget* w : sheet->findChildren<QWidget*>()) {
      if (!w->isVisibleTo(sheet) || w->parentWidget() != sheet) continue;
      EXPECT_TRUE(sheet->rect().contains(w->geometry()))
          << page << " " << w->metaObject()->className() << " " << w->x() << "," << w->y() << " "
          << w->width() << "x" << w->height() << " in " << sheet->width() << "x" << sheet->height();
    }
  }
  EXPECT_GE(rgb->height(), rgb->chkRealColor->geometry().bottom() + 1);
}

}  // namespace
}  // namespace tintorb
