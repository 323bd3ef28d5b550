// The numeric sheets inside the real main window: a change made on one sheet
// is not sent to the others; the sheet that is opened next shows it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QToolBar>
#include <cstdlib>
#include <memory>

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

}  // namespace
}  // namespace tintorb
