#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>

#include "sheets/ui/SheetHLS.h"
#include "sheets/ui/SheetHSV.h"
#include "sheets/ui/SheetTestKit.h"
#include "sheets/ui/SheetYUV.h"
#include "support/ui/FakeSheetHost.h"

namespace tintorb {
namespace {

using testing::FakeSheetHost;
using testing::TheDesktop;
using testing::TheDialogs;
using testing::TypeOver;
using testing::WheelOver;

const std::string kHueRange = "0 ～ 359 の範囲で入力してたも。\r近い方にしとくでおじゃる。";

template <class Sheet>
class SheetFixture : public ::testing::Test {
 protected:
  FakeSheetHost host;
  std::unique_ptr<Sheet> sheet;

  void SetUp() override { TheDialogs().log.clear(); }
  void Make(int w = 420, int h = 270) {
    sheet = std::make_unique<Sheet>(host);
    ASSERT_TRUE(testing::ShowActive(sheet.get(), w, h));
  }
  void Show(TColor c, int kind = 0) {
    host.fore = c;
    sheet->ColorChanged(kind);
  }
  void Press(TTintorbColorSlider* s, QPoint p) { QTest::mouseClick(s, Qt::LeftButton, {}, p); }
  TColor LastSent() const { return host.foreCalls.empty() ? -1 : host.foreCalls.back().color; }
  size_t Sent() const { return host.foreCalls.size(); }
  static QString T(QLineEdit* e) { return e->text(); }
};

using HSVSheet = SheetFixture<TfrmHSV>;
using HLSSheet = SheetFixture<TfrmHLS>;
using YUVSheet = SheetFixture<TfrmYUV>;

// ------------------------------------------------------------------- HSV

TEST_F(HSVSheet, ShowsTheColourFromOutsideWithoutEchoingIt) {
  Make();
  Show(RGB(200, 100, 50));
  EXPECT_EQ(T(sheet->edtHue), "20");
  EXPECT_EQ(T(sheet->edtSaturation), "191");
  EXPECT_EQ(T(sheet->edtValue), "200");
  EXPECT_EQ(sheet->icsHue->HSV().H, 20);
  EXPECT_EQ(sheet->icsSV->HSV(), MakeHSV(20, 191, 200));
  EXPECT_EQ(Sent(), 0u);
  Show(RGB(1, 2, 3), 1);  // background colour: ignored
  EXPECT_EQ(T(sheet->edtValue), "200");
}

TEST_F(HSVSheet, DraggingToZeroSaturationKeepsTheHue) {
  Make();
  Show(RGB(255, 0, 0));
  Show(RGB(0, 0, 255));  // hue 240
  TTintorbColorSlider* f = sheet->icsSV;
  const int top = -5;  // above the field: V 255 (QTest reads (0, 0) as "the centre")
  testing::DragTo(f, QPoint(f->width() / 2, top), QPoint(0, top));
  EXPECT_EQ(LastSent(), RGB(255, 255, 255));  // S 0, V 255: grey at full value
  EXPECT_EQ(T(sheet->edtSaturation), "0");
  EXPECT_EQ(T(sheet->edtHue), "240");
  EXPECT_EQ(sheet->icsHue->HSV().H, 240);
  EXPECT_EQ(sheet->icsSV->HSV().H, 240);
  testing::DragTo(f, QPoint(0, top), QPoint(f->width(), top));
  EXPECT_EQ(LastSent(), RGB(0, 0, 255));  // the hue's colour comes back
}

TEST_F(HSVSheet, DraggingTheHueBarRepaintsTheFieldPlane) {
  Make();
  Show(RGB(255, 0, 0));
  TTintorbColorSlider* bar = sheet->icsHue;
  const int builds = sheet->icsSV->Model().GradientBuilds();
  QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(5, bar->height()));
  EXPECT_EQ(bar->HSV().H, 359);
  EXPECT_EQ(sheet->icsSV->HSV().H, 359);
  EXPECT_GT(sheet->icsSV->Model().GradientBuilds(), builds);
  EXPECT_EQ(T(sheet->edtHue), "359");
  EXPECT_EQ(LastSent(), HSVToColor(MakeHSV(359, 255, 255)));
}

TEST_F(HSVSheet, PercentFormShowsReadsAndStepsByThree) {
  Make();
  Show(RGB(255, 0, 0));  // S 255, V 255
  EXPECT_FALSE(sheet->lblPercent1->isVisible());
  QTest::mouseClick(sheet->chkPercent, Qt::LeftButton);
  EXPECT_TRUE(sheet->lblPercent1->isVisible());
  EXPECT_TRUE(sheet->lblPercent2->isVisible());
  EXPECT_EQ(T(sheet->edtSaturation), "100");
  EXPECT_EQ(T(sheet->edtHue), "0");  // the hue stays in degrees
  Show(HSVToColor(MakeHSV(0, 128, 255)));
  EXPECT_EQ(T(sheet->edtSaturation), "50");
  TypeOver(sheet->edtSaturation, "50");
  EXPECT_EQ(sheet->icsSV->HSV().S, 127);
  EXPECT_EQ(LastSent(), HSVToColor(MakeHSV(0, 127, 255)));
  QTest::mouseClick(sheet->updSaturation->UpButton(), Qt::LeftButton);
  EXPECT_EQ(sheet->icsSV->HSV().S, 130);
  EXPECT_EQ(LastSent(), HSVToColor(MakeHSV(0, 130, 255)));
  QTest::mouseClick(sheet->updValue->DownButton(), Qt::LeftButton);
  EXPECT_EQ(sheet->icsSV->HSV().V, 252);
  QTest::mouseClick(sheet->updHue->UpButton(), Qt::LeftButton);  // degrees: by one
  EXPECT_EQ(sheet->icsHue->HSV().H, 1);
  EXPECT_EQ(LastSent(), HSVToColor(MakeHSV(1, 130, 252)));
  // Leaving a percentage above 100 is clamped to 100.
  TypeOver(sheet->edtValue, "150");
  QTest::keyClick(sheet->edtValue, Qt::Key_Tab);
  EXPECT_EQ(T(sheet->edtValue), "100");
  EXPECT_EQ(sheet->icsSV->HSV().V, 255);
}

TEST_F(HSVSheet, WheelOverTheFieldStepsTheHueOnly) {
  Make();
  Show(RGB(255, 0, 0));          // hue 0
  WheelOver(sheet->icsSV, 120);  // away: hue -1, stays 0
  EXPECT_EQ(Sent(), 0u);
  WheelOver(sheet->icsSV, -120);  // towards: hue +1
  EXPECT_EQ(sheet->icsHue->HSV().H, 1);
  EXPECT_EQ(T(sheet->edtHue), "1");
  EXPECT_EQ(LastSent(), HSVToColor(MakeHSV(1, 255, 255)));
  WheelOver(sheet->icsHue, -120);
  WheelOver(sheet->edtValue, -120);
  EXPECT_EQ(Sent(), 1u);
}

TEST_F(HSVSheet, TypedHueStaysInTheRecordUntilTheBoxIsLeft) {
  Make();
  Show(RGB(0, 255, 0));  // hue 120
  const int fieldBuilds = sheet->icsSV->Model().GradientBuilds();
  TypeOver(sheet->edtHue, "400");
  EXPECT_EQ(sheet->icsHue->HSV().H, 400);
  EXPECT_EQ(sheet->ReadSliderHSV().H, 400);
  EXPECT_EQ(sheet->icsSV->HSV().H, 120);  // only the bar shows a typed hue
  EXPECT_EQ(sheet->icsSV->Model().GradientBuilds(), fieldBuilds);
  EXPECT_EQ(LastSent(), HSVToColor(MakeHSV(400, 255, 255)));
  EXPECT_TRUE(TheDialogs().log.empty());
  QTest::keyClick(sheet->edtHue, Qt::Key_Tab);
  EXPECT_EQ(TheDialogs().Of("Error"), std::vector<std::string>{kHueRange});
  EXPECT_EQ(T(sheet->edtHue), "359");
  EXPECT_EQ(sheet->icsHue->HSV().H, 359);
  EXPECT_EQ(LastSent(), HSVToColor(MakeHSV(359, 255, 255)));
  EXPECT_EQ(QApplication::focusWidget(), sheet->edtHue);
}

TEST_F(HSVSheet, TypedSaturationKeepsItsLowEightBits) {
  Make();
  Show(RGB(255, 0, 0));
  TypeOver(sheet->edtSaturation, "300");
  EXPECT_EQ(sheet->icsSV->HSV().S, 44);
  QTest::keyClick(sheet->edtSaturation, Qt::Key_Tab);
  EXPECT_EQ(T(sheet->edtSaturation), "255");
  EXPECT_EQ(sheet->icsSV->HSV().S, 255);
}

TEST_F(HSVSheet, KeyFilterBeepsOnAnythingButDigits) {
  Make();
  Show(RGB(255, 0, 0));
  QTest::mouseClick(sheet->edtHue, Qt::LeftButton);
  QTest::keyClick(sheet->edtHue, Qt::Key_End);
  const int beeps = TheDesktop().beeps;
  QTest::keyClicks(sheet->edtHue, "-a");
  QTest::keyClick(sheet->edtHue, Qt::Key_Backspace);
  EXPECT_EQ(TheDesktop().beeps, beeps + 3);
  EXPECT_EQ(T(sheet->edtHue), "0");
  QTest::keyClicks(sheet->edtHue, "5");
  EXPECT_EQ(T(sheet->edtHue), "05");
  EXPECT_EQ(sheet->icsHue->HSV().H, 5);
}

TEST_F(HSVSheet, AnEmptiedBoxReportsTheErrorAndKeepsTheColour) {
  Make();
  Show(RGB(0, 0, 200));
  QTest::mouseClick(sheet->edtValue, Qt::LeftButton);
  QTest::keyClick(sheet->edtValue, Qt::Key_End);
  QTest::keyClick(sheet->edtValue, Qt::Key_Home, Qt::ShiftModifier);
  QTest::keyClick(sheet->edtValue, Qt::Key_Delete);
  EXPECT_EQ(TheDialogs().Of("Error"), std::vector<std::string>{"'' は整数ではありません"});
  EXPECT_EQ(Sent(), 0u);
  EXPECT_EQ(sheet->icsSV->HSV().V, 200);
  QTest::keyClicks(sheet->edtValue, "9");  // the lock was released
  EXPECT_EQ(LastSent(), HSVToColor(MakeHSV(240, 255, 9)));
}

TEST_F(HSVSheet, ShowingTheSheetAgainRecomputesTheHue) {
  Make();
  Show(RGB(255, 0, 0));
  TypeOver(sheet->edtHue, "31");
  EXPECT_EQ(LastSent(), RGB(255, 132, 0));
  EXPECT_EQ(sheet->ReadSliderHSV(), MakeHSV(31, 255, 255));
  sheet->ColorChanged(2);
  EXPECT_EQ(T(sheet->edtHue), "32");
  EXPECT_EQ(sheet->icsHue->HSV().H, 32);
}

TEST_F(HSVSheet, WebSafeRepaintsBothGradientsButKeepsTheValues) {
  Make();
  Show(RGB(200, 100, 50));
  host.webSafe = true;
  sheet->WebSafeChanged();
  EXPECT_TRUE(sheet->icsSV->WebSafe());
  EXPECT_TRUE(sheet->icsHue->WebSafe());
  EXPECT_EQ(sheet->ReadSliderHSV(), MakeHSV(20, 191, 200));
  EXPECT_EQ(T(sheet->edtValue), "200");
  const TRGBRec px = sheet->icsHue->Model().Gradient().Pixel(0, 20);
  EXPECT_EQ(px, WebSafeRGB(px));
  EXPECT_EQ(Sent(), 0u);
}

TEST_F(HSVSheet, PercentSettingIsReadAndWritten) {
  host.settings.IniFile().WriteBool("HSV", "Percent", true);
  Make();
  EXPECT_TRUE(sheet->chkPercent->isChecked());
  EXPECT_TRUE(sheet->lblPercent2->isVisible());
  Show(RGB(128, 128, 128));
  EXPECT_EQ(T(sheet->edtValue), "50");
  QTest::mouseClick(sheet->chkPercent, Qt::LeftButton);
  EXPECT_EQ(T(sheet->edtValue), "128");
  sheet.reset();
  EXPECT_FALSE(host.settings.ReadBool("HSV", "Percent", true));
}

TEST_F(HSVSheet, SquareFieldUpTo258WithTheBarAndPanelBeside) {
  Make(700, 400);
  EXPECT_EQ(sheet->icsSV->geometry(), QRect(4, 4, 258, 258));
  EXPECT_EQ(sheet->icsHue->x(), 4 + 258 + 4);
  EXPECT_EQ(sheet->icsHue->height(), 258);
  EXPECT_EQ(sheet->pnlParam->x(), sheet->icsHue->geometry().right() + 1 + 8);
  sheet->resize(700, 208);
  QApplication::processEvents();
  EXPECT_EQ(sheet->icsSV->size(), QSize(200, 200));
  const int narrow = 150 + sheet->pnlParam->width() + sheet->icsHue->width() + 20;
  sheet->resize(narrow, 400);
  QApplication::processEvents();
  EXPECT_EQ(sheet->icsSV->size(), QSize(150, 150));
}

// ------------------------------------------------------------------- HLS

TEST_F(HLSSheet, PureRedShowsHue0Lightness127Saturation255) {
  Make();
  Show(RGB(255, 0, 0));
  EXPECT_EQ(T(sheet->edtHue), "0");
  EXPECT_EQ(T(sheet->edtLightness), "127");
  EXPECT_EQ(T(sheet->edtSaturation), "255");
  QTest::mouseClick(sheet->chkPercent, Qt::LeftButton);
  EXPECT_EQ(T(sheet->edtLightness), "49");
  EXPECT_EQ(T(sheet->edtSaturation), "100");
  EXPECT_TRUE(sheet->lblPercent1->isVisible());
}

TEST_F(HLSSheet, LightnessToTheTopSendsWhiteAndKeepsHueAndSaturation) {
  Make();
  Show(RGB(0, 0, 255));  // H 240, L 127, S 255
  TTintorbColorSlider* bar = sheet->icsLightness;
  testing::DragTo(bar, QPoint(5, bar->height() / 2), QPoint(5, -20));
  EXPECT_EQ(LastSent(), RGB(255, 255, 255));
  EXPECT_EQ(sheet->ReadSliderHLS(), MakeHLS(240, 255, 255));
  EXPECT_EQ(T(sheet->edtHue), "240");
  testing::DragTo(bar, QPoint(5, 0), QPoint(5, bar->height() / 2));
  const TColor back = LastSent();
  EXPECT_EQ(GetRValue(back), GetGValue(back));
  EXPECT_GT(GetBValue(back), 200);  // blue again
  EXPECT_LT(GetRValue(back), 10);
}

TEST_F(HLSSheet, FieldDragRepaintsTheLightnessBar) {
  Make();
  Show(RGB(255, 0, 0));
  TTintorbColorSlider* f = sheet->icsHS;
  const int builds = sheet->icsLightness->Model().GradientBuilds();
  Press(f, QPoint(f->width(), 0));
  EXPECT_EQ(sheet->icsHS->HLS().H, 359);
  EXPECT_EQ(sheet->icsLightness->HLS().H, 359);
  EXPECT_GT(sheet->icsLightness->Model().GradientBuilds(), builds);
  EXPECT_EQ(LastSent(), HLSToColor(MakeHLS(359, 127, 255)));
}

TEST_F(HLSSheet, WheelStepsLightnessOverTheFieldOnly) {
  Make();
  Show(RGB(255, 0, 0));
  WheelOver(sheet->icsLightness, 120);
  EXPECT_EQ(Sent(), 0u);
  WheelOver(sheet->icsHS, 120);  // away: lighter
  EXPECT_EQ(sheet->icsLightness->HLS().L, 128);
  EXPECT_EQ(T(sheet->edtLightness), "128");
  EXPECT_EQ(LastSent(), HLSToColor(MakeHLS(0, 128, 255)));
  WheelOver(sheet->icsHS, -120);
  WheelOver(sheet->icsHS, -120);
  EXPECT_EQ(sheet->icsLightness->HLS().L, 126);
  EXPECT_EQ(Sent(), 3u);
}

TEST_F(HLSSheet, UpDownStepsByThreeInPercentAndHueAbove255) {
  Make();
  Show(RGB(255, 0, 0));
  QTest::mouseClick(sheet->chkPercent, Qt::LeftButton);
  QTest::mouseClick(sheet->updLightness->UpButton(), Qt::LeftButton);
  EXPECT_EQ(sheet->icsLightness->HLS().L, 130);
  EXPECT_EQ(LastSent(), HLSToColor(MakeHLS(0, 130, 255)));
  QTest::mouseClick(sheet->updSaturation->DownButton(), Qt::LeftButton);
  EXPECT_EQ(sheet->icsHS->HLS().S, 252);

  Show(HLSToColor(MakeHLS(300, 127, 255)));
  const int hue = sheet->icsHS->HLS().H;
  ASSERT_GT(hue, 255);
  QTest::mouseClick(sheet->updHue->UpButton(), Qt::LeftButton);
  EXPECT_EQ(sheet->icsHS->HLS().H, hue + 1);
  EXPECT_EQ(T(sheet->edtHue), QString::number(hue + 1));
  EXPECT_EQ(LastSent(), HLSToColor(MakeHLS(uint16_t(hue + 1), 127, 255)));
}

TEST_F(HLSSheet, TypedHueUpdatesTheFieldOnly) {
  Make();
  Show(RGB(255, 0, 0));
  TypeOver(sheet->edtHue, "120");
  EXPECT_EQ(sheet->icsHS->HLS().H, 120);
  EXPECT_EQ(sheet->icsLightness->HLS().H, 0);  // the bar keeps its gradient for now
  EXPECT_EQ(LastSent(), HLSToColor(MakeHLS(120, 127, 255)));
  TypeOver(sheet->edtLightness, "999");
  QTest::keyClick(sheet->edtLightness, Qt::Key_Tab);
  EXPECT_EQ(T(sheet->edtLightness), "255");
  EXPECT_EQ(sheet->icsLightness->HLS().L, 255);
}

TEST_F(HLSSheet, FieldIs362By258AtMost) {
  Make(900, 400);
  EXPECT_EQ(sheet->icsHS->geometry(), QRect(4, 4, 362, 258));
  EXPECT_EQ(sheet->icsLightness->geometry().left(), 4 + 362 + 4);
  EXPECT_EQ(sheet->icsLightness->height(), 258);
  sheet->resize(900, 108);
  QApplication::processEvents();
  EXPECT_EQ(sheet->icsHS->size(), QSize(362, 100));
}

TEST_F(HLSSheet, PercentSettingHasItsOwnSection) {
  host.settings.IniFile().WriteBool("HSV", "Percent", true);
  Make();
  EXPECT_FALSE(sheet->chkPercent->isChecked());
  QTest::mouseClick(sheet->chkPercent, Qt::LeftButton);
  sheet.reset();
  EXPECT_TRUE(host.settings.ReadBool("HLS", "Percent", false));
}

// ------------------------------------------------------------------- YUV

TEST_F(YUVSheet, ShowsWhiteRedAndTheTruncatedGrey) {
  Make();
  Show(RGB(255, 255, 255));
  EXPECT_EQ(T(sheet->edtY), "255");
  EXPECT_EQ(T(sheet->edtU), "0");
  EXPECT_EQ(T(sheet->edtV), "0");
  Show(RGB(255, 0, 0));
  EXPECT_EQ(T(sheet->edtY), "76");
  EXPECT_EQ(T(sheet->edtU), "-42");
  EXPECT_EQ(T(sheet->edtV), "127");
  Show(RGB(63, 63, 63));
  EXPECT_EQ(T(sheet->edtY), "62");
  EXPECT_EQ(Sent(), 0u);
}

TEST_F(YUVSheet, SliderValuesStayAsSetWhileTheSentColourIsClamped) {
  Make();
  Show(RGB(128, 128, 128));
  TTintorbColorSlider* f = sheet->icsUV;
  Press(f, QPoint(0, f->height()));  // U -128, V 127
  Press(sheet->icsY, QPoint(5, 0));  // Y 255
  EXPECT_EQ(LastSent(), RGB(255, 208, 28));
  EXPECT_EQ(sheet->ReadSliderYUV(), MakeYUV(255, -128, 127));
  EXPECT_EQ(T(sheet->edtY), "255");
  EXPECT_EQ(T(sheet->edtU), "-128");
  EXPECT_EQ(T(sheet->edtV), "127");
}

TEST_F(YUVSheet, BoxesTakeAMinusSignAndKeepEightBitsUntilLeft) {
  Make();
  Show(RGB(128, 128, 128));
  const int beeps = TheDesktop().beeps;
  TypeOver(sheet->edtU, "-5");  // the lone "-" does not read
  EXPECT_EQ(TheDesktop().beeps, beeps);
  EXPECT_EQ(TheDialogs().Of("Error"), std::vector<std::string>{"'-' は整数ではありません"});
  EXPECT_EQ(sheet->icsUV->YUV().U, -5);
  EXPECT_EQ(LastSent(), YUVToColor(MakeYUV(128, -5, 0)));
  TypeOver(sheet->edtU, "200");
  EXPECT_EQ(sheet->icsUV->YUV().U, -56);
  QTest::keyClick(sheet->edtU, Qt::Key_Tab);
  EXPECT_EQ(TheDialogs().Of("Error").back(),
            "-128 ～ 127 の範囲で入力してたも。\r近い方にしとくでおじゃる。");
  EXPECT_EQ(T(sheet->edtU), "127");
  EXPECT_EQ(sheet->icsUV->YUV().U, 127);
  TypeOver(sheet->edtY, "300");
  EXPECT_EQ(sheet->icsY->YUV().Y, 44);
}

TEST_F(YUVSheet, UpDownAndWheel) {
  Make();
  Show(RGB(128, 128, 128));  // Y 128, U 0, V 0
  QTest::mouseClick(sheet->updV->UpButton(), Qt::LeftButton);
  EXPECT_EQ(sheet->icsUV->YUV().V, 1);
  EXPECT_EQ(LastSent(), YUVToColor(MakeYUV(128, 0, 1)));
  QTest::mouseClick(sheet->updY->DownButton(), Qt::LeftButton);
  EXPECT_EQ(sheet->icsY->YUV().Y, 127);
  const size_t sent = Sent();
  WheelOver(sheet->icsY, 120);
  EXPECT_EQ(Sent(), sent);
  WheelOver(sheet->icsUV, 120);  // away: Y + 1
  EXPECT_EQ(sheet->icsY->YUV().Y, 128);
  EXPECT_EQ(T(sheet->edtY), "128");
  EXPECT_EQ(Sent(), sent + 1);
}

TEST_F(YUVSheet, WebSafeShowsTheSnappedColourButKeepsTheSliders) {
  Make();
  Show(RGB(100, 100, 100));
  host.webSafe = true;
  sheet->WebSafeChanged();
  EXPECT_EQ(T(sheet->edtY), QString::number(ColorToYUV(RGB(102, 102, 102)).Y));
  EXPECT_EQ(sheet->icsY->YUV().Y, ColorToYUV(RGB(100, 100, 100)).Y);
  EXPECT_TRUE(sheet->icsUV->WebSafe());
}

}  // namespace
}  // namespace tintorb
