#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>

#include "sheets/ui/SheetRGB.h"
#include "sheets/ui/SheetTestKit.h"
#include "support/Fakes.h"
#include "support/ui/FakeSheetHost.h"

namespace tintorb {
namespace {

using testing::FakeDesktop;
using testing::FakeDialogs;
using testing::FakeSheetHost;

class RGBSheet : public ::testing::Test {
 protected:
  FakeSheetHost host;
  std::unique_ptr<TfrmRGB> sheet;

  FakeDesktop& desktop() { return testing::TheDesktop(); }
  FakeDialogs& dialogs() { return testing::TheDialogs(); }

  void Make() {
    sheet = std::make_unique<TfrmRGB>(host);
    ASSERT_TRUE(testing::ShowActive(sheet.get(), 420, 300));
  }
  void SetUp() override { dialogs().log.clear(); }

  void Show(TColor c) {
    host.fore = c;
    sheet->ColorChanged(0);
  }
  void SelectForm(int index) {
    // Keyboard on the closed drop-down list walks its items.
    while (sheet->ComboBox1->currentIndex() < index)
      QTest::keyClick(sheet->ComboBox1, Qt::Key_Down);
    while (sheet->ComboBox1->currentIndex() > index) QTest::keyClick(sheet->ComboBox1, Qt::Key_Up);
    ASSERT_EQ(sheet->ComboBox1->currentIndex(), index);
  }
  void Type(QLineEdit* edit, const QString& text) { testing::TypeOver(edit, text); }
  // The x that a press needs for a position, found through the slider's own mapping.
  static int XFor(TTintorbColorSlider* s, int position) {
    for (int x = 0; x <= s->width(); ++x)
      if (ScalePixel(x, s->width(), 0, 255) == position) return x;
    ADD_FAILURE() << "no pixel gives " << position;
    return 0;
  }
  void Drag(TTintorbColorSlider* s, int position) {
    const int y = s->height() / 2;
    testing::DragTo(s, QPoint(2, y), QPoint(XFor(s, position), y));
  }
  void Wheel(QWidget* over, int delta) { testing::WheelOver(over, delta); }
  TColor LastSent() const { return host.foreCalls.empty() ? -1 : host.foreCalls.back().color; }
  QString T(QLineEdit* e) const { return e->text(); }
};

TEST_F(RGBSheet, ShowsTheColourItIsToldWithoutEchoingIt) {
  Make();
  Show(RGB(200, 100, 50));
  EXPECT_EQ(T(sheet->edtRed), "200");
  EXPECT_EQ(T(sheet->edtGreen), "100");
  EXPECT_EQ(T(sheet->edtBlue), "50");
  EXPECT_EQ(T(sheet->edtCyan), "0");
  EXPECT_EQ(T(sheet->edtMagenta), "100");
  EXPECT_EQ(T(sheet->edtYellow), "150");
  EXPECT_EQ(T(sheet->edtBlack), "55");
  EXPECT_EQ(sheet->icsBlack->PositionX(), 55);
  EXPECT_TRUE(host.foreCalls.empty());
  host.fore = RGB(1, 2, 3);
  sheet->ColorChanged(1);  // background: ignored
  EXPECT_EQ(T(sheet->edtRed), "200");
}

TEST_F(RGBSheet, PercentFormReadsFiftyAsRed127AndShowsItAs49) {
  Make();
  SelectForm(2);
  EXPECT_EQ(sheet->edtRed->maxLength(), 3);
  Type(sheet->edtRed, "50");
  EXPECT_EQ(sheet->icsRed->PositionX(), 127);
  EXPECT_EQ(LastSent(), RGB(127, 0, 0));
  EXPECT_EQ(T(sheet->edtRed), "50");  // not rewritten while typing
  EXPECT_EQ(T(sheet->edtCyan), "0");
  EXPECT_EQ(T(sheet->edtBlack), "50");  // K = 128 shown as percent
  sheet->ColorChanged(2);
  EXPECT_EQ(T(sheet->edtRed), "49");
}

TEST_F(RGBSheet, HexadecimalFormShowsTwoUpperCaseDigitsAndBeepsOnOtherLetters) {
  Make();
  SelectForm(1);
  EXPECT_EQ(sheet->edtRed->maxLength(), 2);
  Show(RGB(10, 255, 0));
  EXPECT_EQ(T(sheet->edtRed), "0A");
  EXPECT_EQ(T(sheet->edtGreen), "FF");
  EXPECT_EQ(T(sheet->edtBlack), "00");
  const int beeps = desktop().beeps;
  QTest::mouseClick(sheet->edtBlue, Qt::LeftButton);
  QTest::keyClick(sheet->edtBlue, Qt::Key_End);
  QTest::keyClicks(sheet->edtBlue, "g");
  EXPECT_EQ(desktop().beeps, beeps + 1);
  EXPECT_EQ(T(sheet->edtBlue), "00");
  Type(sheet->edtBlue, "c8");  // lower-case digits are hexadecimal too
  EXPECT_EQ(desktop().beeps, beeps + 1);
  EXPECT_EQ(sheet->icsBlue->PositionX(), 0xC8);
  EXPECT_EQ(LastSent(), RGB(10, 255, 200));
  EXPECT_TRUE(dialogs().log.empty());
}

TEST_F(RGBSheet, KeyFilterRefusesBackspaceButLetsDeleteWork) {
  Make();
  Show(RGB(123, 0, 0));
  QTest::mouseClick(sheet->edtRed, Qt::LeftButton);
  QTest::keyClick(sheet->edtRed, Qt::Key_End);
  const int beeps = desktop().beeps;
  QTest::keyClick(sheet->edtRed, Qt::Key_Backspace);
  QTest::keyClicks(sheet->edtRed, "-a");
  EXPECT_EQ(desktop().beeps, beeps + 3);
  EXPECT_EQ(T(sheet->edtRed), "123");
  QTest::keyClick(sheet->edtRed, Qt::Key_Home);
  QTest::keyClick(sheet->edtRed, Qt::Key_Delete);
  EXPECT_EQ(T(sheet->edtRed), "23");
  EXPECT_EQ(LastSent(), RGB(23, 0, 0));
  EXPECT_EQ(desktop().beeps, beeps + 3);
}

TEST_F(RGBSheet, AnEmptiedBoxReportsTheConversionErrorAndKeepsTheColour) {
  Make();
  Show(RGB(7, 0, 0));
  QTest::mouseClick(sheet->edtRed, Qt::LeftButton);
  QTest::keyClick(sheet->edtRed, Qt::Key_Home);
  const size_t sent = host.foreCalls.size();
  QTest::keyClick(sheet->edtRed, Qt::Key_Delete);
  EXPECT_EQ(dialogs().Of("Error"), std::vector<std::string>{"'' は整数ではありません"});
  EXPECT_EQ(host.foreCalls.size(), sent);
  EXPECT_EQ(sheet->icsRed->PositionX(), 7);
  // The lock was released: typing goes on working.
  QTest::keyClicks(sheet->edtRed, "9");
  EXPECT_EQ(LastSent(), RGB(9, 0, 0));
}

TEST_F(RGBSheet, LeavingAnOutOfRangeBoxClampsItWithTheRangeMessage) {
  Make();
  Type(sheet->edtGreen, "300");
  EXPECT_EQ(T(sheet->edtGreen), "300");  // stays until the box is left
  EXPECT_EQ(sheet->icsGreen->PositionX(), 255);
  EXPECT_EQ(LastSent(), RGB(0, 255, 0));
  QTest::keyClick(sheet->edtGreen, Qt::Key_Tab);
  EXPECT_EQ(
      dialogs().Of("Error"),
      std::vector<std::string>{"0 ～ 255 の範囲で入力してたも。\r近い方にしとくでおじゃる。"});
  EXPECT_EQ(T(sheet->edtGreen), "255");
  EXPECT_EQ(QApplication::focusWidget(), sheet->edtGreen);

  SelectForm(2);
  dialogs().log.clear();
  Type(sheet->edtCyan, "150");
  QTest::keyClick(sheet->edtCyan, Qt::Key_Tab);
  EXPECT_EQ(
      dialogs().Of("Error"),
      std::vector<std::string>{"0 ～ 100 の範囲で入力してたも。\r近い方にしとくでおじゃる。"});
  EXPECT_EQ(T(sheet->edtCyan), "100");
  EXPECT_EQ(sheet->icsCyan->PositionX(), 255);
}

TEST_F(RGBSheet, CmykBoxesDriveTheRgbSide) {
  Make();
  Show(RGB(200, 100, 50));
  Type(sheet->edtBlack, "155");  // K 55 -> 155: each RGB component drops by 100
  EXPECT_EQ(LastSent(), RGB(100, 0, 0));
  EXPECT_EQ(T(sheet->edtRed), "100");
  EXPECT_EQ(T(sheet->edtGreen), "0");
  EXPECT_EQ(sheet->icsRed->PositionX(), 100);
  EXPECT_EQ(T(sheet->edtMagenta), "100");  // the CMYK side keeps what was typed
}

TEST_F(RGBSheet, WebSafeDragSendsTheSnappedColourButKeepsTheMarker) {
  Make();
  host.webSafe = true;
  sheet->WebSafeChanged();
  EXPECT_TRUE(sheet->icsRed->WebSafe());
  EXPECT_TRUE(sheet->icsBlack->WebSafe());
  Drag(sheet->icsRed, 100);
  EXPECT_EQ(LastSent(), RGB(102, 0, 0));
  EXPECT_EQ(T(sheet->edtRed), "102");
  EXPECT_EQ(sheet->icsRed->PositionX(), 100);
  const int w = sheet->icsRed->width() - 4;
  EXPECT_EQ(sheet->icsRed->Model().MarkerPos().x, 2 + 100 * w / 255);
  EXPECT_EQ(sheet->icsCyan->PositionX(), 0);
  EXPECT_EQ(sheet->icsBlack->PositionX(), 153);  // from the snapped colour

  QTest::mouseClick(sheet->updRed->UpButton(), Qt::LeftButton);
  EXPECT_EQ(sheet->icsRed->PositionX(), 151);
  EXPECT_EQ(LastSent(), RGB(153, 0, 0));
  QTest::mouseClick(sheet->updRed->DownButton(), Qt::LeftButton);
  QTest::mouseClick(sheet->updRed->DownButton(), Qt::LeftButton);
  EXPECT_EQ(sheet->icsRed->PositionX(), 49);
  EXPECT_EQ(LastSent(), RGB(51, 0, 0));
}

TEST_F(RGBSheet, WebSafeChangedRewritesTheBoxesButNotThePositions) {
  Make();
  Show(RGB(100, 40, 250));
  host.webSafe = true;
  sheet->WebSafeChanged();
  EXPECT_EQ(T(sheet->edtRed), "102");
  EXPECT_EQ(T(sheet->edtGreen), "51");
  EXPECT_EQ(T(sheet->edtBlue), "255");
  EXPECT_EQ(T(sheet->edtBlack), "0");
  EXPECT_EQ(sheet->icsRed->PositionX(), 100);
  host.webSafe = false;
  sheet->WebSafeChanged();
  EXPECT_EQ(T(sheet->edtRed), "100");
  EXPECT_EQ(T(sheet->edtBlack), "5");
  EXPECT_TRUE(host.foreCalls.empty());
}

TEST_F(RGBSheet, UpDownStepsOnePercentInPercentForm) {
  Make();
  SelectForm(2);
  Show(RGB(128, 128, 0));
  EXPECT_EQ(T(sheet->edtRed), "50");
  QTest::mouseClick(sheet->updRed->UpButton(), Qt::LeftButton);
  EXPECT_EQ(sheet->icsRed->PositionX(), 131);
  EXPECT_EQ(T(sheet->edtRed), "51");
  QTest::mouseClick(sheet->updGreen->DownButton(), Qt::LeftButton);
  EXPECT_EQ(sheet->icsGreen->PositionX(), 125);
  EXPECT_EQ(T(sheet->edtGreen), "49");
  EXPECT_EQ(LastSent(), RGB(131, 125, 0));
  // Decimal: plain steps; a step at the limit sends nothing.
  SelectForm(0);
  Show(RGB(255, 0, 0));
  const size_t sent = host.foreCalls.size();
  QTest::mouseClick(sheet->updRed->UpButton(), Qt::LeftButton);
  EXPECT_EQ(host.foreCalls.size(), sent);
  QTest::mouseClick(sheet->updYellow->DownButton(), Qt::LeftButton);  // Y 255 -> 254
  EXPECT_EQ(LastSent(), RGB(255, 0, 1));
}

TEST_F(RGBSheet, WheelMovesAllComponentsOfItsGroupAndSendsOnce) {
  Make();
  Show(RGB(255, 255, 255));  // CMYK all 0
  size_t sent = host.foreCalls.size();
  Wheel(sheet->icsYellow, -120);  // towards the user: nothing can go lower
  EXPECT_EQ(host.foreCalls.size(), sent + 1);
  EXPECT_EQ(LastSent(), RGB(255, 255, 255));

  Show(RGB(255, 0, 0));  // C 0, M 255, Y 255, K 0
  sent = host.foreCalls.size();
  Wheel(sheet->icsCyan, -120);
  EXPECT_EQ(host.foreCalls.size(), sent + 1);
  EXPECT_EQ(LastSent(), RGB(255, 1, 1));
  EXPECT_EQ(T(sheet->edtMagenta), "254");

  sent = host.foreCalls.size();
  Wheel(sheet->icsGreen, 120);  // away: lighter
  EXPECT_EQ(host.foreCalls.size(), sent + 1);
  EXPECT_EQ(LastSent(), RGB(255, 2, 2));

  sent = host.foreCalls.size();
  Wheel(sheet->chkRealColor, 120);
  Wheel(sheet->edtRed, 120);
  EXPECT_EQ(host.foreCalls.size(), sent);
}

TEST_F(RGBSheet, RealColourGradientsFollowSliderMoves) {
  Make();
  Show(RGB(200, 100, 50));
  EXPECT_EQ(sheet->icsBlack->Color1(), clWhite);
  QTest::mouseClick(sheet->chkRealColor, Qt::LeftButton);
  ASSERT_TRUE(sheet->chkRealColor->isChecked());
  // C 0, M 100, Y 150, K 55
  EXPECT_EQ(sheet->icsRed->Color1(), RGB(0, 100, 50));
  EXPECT_EQ(sheet->icsRed->Color2(), RGB(255, 100, 50));
  EXPECT_EQ(sheet->icsBlack->Color1(), CMYKToColor(MakeCMYK(0, 100, 150, 0)));

  const TColor magentaFrom = sheet->icsMagenta->Color1();
  Drag(sheet->icsMagenta, 20);
  EXPECT_EQ(sheet->icsMagenta->PositionX(), 20);
  EXPECT_EQ(sheet->icsBlack->Color1(), CMYKToColor(MakeCMYK(0, 20, 150, 0)));
  EXPECT_EQ(sheet->icsBlack->Color2(), CMYKToColor(MakeCMYK(0, 20, 150, 255)));
  EXPECT_EQ(sheet->icsGreen->Color1(), RGB(200, 0, 50));  // G = 255 - 20 - 55 = 180
  EXPECT_EQ(sheet->icsRed->Color1(), RGB(0, 180, 50));
  EXPECT_EQ(sheet->icsMagenta->Color1(), magentaFrom);  // its own gradient is untouched

  // Off: the fixed gradients come back.
  QTest::mouseClick(sheet->chkRealColor, Qt::LeftButton);
  EXPECT_EQ(sheet->icsBlack->Color1(), clWhite);
  EXPECT_EQ(sheet->icsBlack->Color2(), clBlack);
  EXPECT_EQ(sheet->icsRed->Color2(), RGB(255, 0, 0));
}

TEST_F(RGBSheet, RealColourGradientsFollowTheWheelOnEverySlider) {
  Make();
  Show(RGB(100, 100, 100));
  QTest::mouseClick(sheet->chkRealColor, Qt::LeftButton);
  Wheel(sheet->icsRed, 120);
  EXPECT_EQ(sheet->icsBlue->Color1(), RGB(101, 101, 0));
}

TEST_F(RGBSheet, SettingsChooseTheNumberFormAndAreWrittenBack) {
  host.settings.IniFile().WriteInteger("RGB", "ValueType", 2);
  host.settings.IniFile().WriteBool("RGB", "RealColor", true);
  Make();
  EXPECT_EQ(sheet->ComboBox1->currentIndex(), 2);
  EXPECT_EQ(sheet->edtRed->maxLength(), 3);
  EXPECT_TRUE(sheet->chkRealColor->isChecked());
  Show(RGB(255, 0, 0));
  EXPECT_EQ(T(sheet->edtRed), "100");
  SelectForm(1);
  QTest::mouseClick(sheet->chkRealColor, Qt::LeftButton);
  sheet.reset();
  EXPECT_EQ(host.settings.ReadInteger("RGB", "ValueType", -1), 1);
  EXPECT_FALSE(host.settings.ReadBool("RGB", "RealColor", true));
}

TEST_F(RGBSheet, AnUnknownValueTypeStartsInDecimal) {
  host.settings.IniFile().WriteInteger("RGB", "ValueType", 7);
  Make();
  EXPECT_EQ(sheet->ComboBox1->currentIndex(), 0);
  Show(RGB(10, 0, 0));
  EXPECT_EQ(T(sheet->edtRed), "10");
}

TEST_F(RGBSheet, LayoutKeepsTheMarginsWhenResized) {
  Make();
  sheet->resize(500, 320);
  QApplication::processEvents();
  EXPECT_EQ(sheet->updRed->geometry().right(), 500 - 8 - 1);
  EXPECT_EQ(sheet->edtRed->geometry().right() + 1, sheet->updRed->geometry().left());
  EXPECT_EQ(sheet->icsRed->geometry().left(), 8);
  EXPECT_EQ(sheet->icsRed->geometry().right() + 1 + 8, sheet->edtRed->geometry().left());
  EXPECT_EQ(sheet->icsRed->height(), sheet->edtRed->height());
  EXPECT_EQ(sheet->Label1->geometry().right() + 1 + 8, sheet->ComboBox1->geometry().left());
  const int wide = sheet->icsBlack->width();
  sheet->resize(400, 320);
  QApplication::processEvents();
  EXPECT_EQ(sheet->icsBlack->width(), wide - 100);
}

}  // namespace
}  // namespace tintorb
