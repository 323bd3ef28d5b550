#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QTest>
#include <QToolTip>
#include <memory>
#include <vector>

#include "controls/ui/ColorPickerButton.h"

namespace tintorb {
namespace {

QPoint Center(const TPopupRect& r) {
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

QRgb Rgb(TColor c) {
  c = ResolveColor(c);
  return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

// The program's button on a small window, with its events recorded.
class PickerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = std::make_unique<QWidget>();
    window->setGeometry(100, 100, 300, 200);
    button = new TColorPickerButton(window.get());
    button->setGeometry(10, 10, 40, 22);
    button->SetFlat(true);
    button->SetAllowAllUp(true);
    button->SetDefaultText(QString::fromUtf8("基本色"));
    button->SetCustomText(QString::fromUtf8("カスタムカラー"));
    button->SetPopupSpacing(2);
    button->SetShowSystemColors(true);
    button->SetShowHint(true);
    button->OnChange = [this](TColorPickerButton* b) { changes.push_back(b->SelectionColor()); };
    button->OnClick = [this](TColorPickerButton*) { ++clicks; };
    button->OnDropChanged = [this](TColorPickerButton*) { ++dropChanges; };
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }
  void TearDown() override {
    if (button->DroppedDown()) button->CloseUp(false);
    window.reset();
  }

  TColorPopup* Popup() { return button->Popup(); }
  TColorPopupModel& Model() { return button->Popup()->Model(); }

  void Open() {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(32, 11));  // the arrow part
    ASSERT_TRUE(button->DroppedDown());
    ASSERT_TRUE(Popup()->isVisible());
  }
  void ClickPopup(QPoint p) { QTest::mouseClick(Popup(), Qt::LeftButton, {}, p); }

  std::unique_ptr<QWidget> window;
  TColorPickerButton* button = nullptr;
  std::vector<TColor> changes;
  int clicks = 0;
  int dropChanges = 0;
};

TEST_F(PickerTest, ArrowOpensThePopupUnderTheButtonAndTheReleaseKeepsItOpen) {
  EXPECT_EQ(button->SelectionColor(), clBlack);
  Open();
  EXPECT_EQ(dropChanges, 1);
  EXPECT_EQ(QApplication::activePopupWidget(), Popup());
  const QPoint at = button->mapToGlobal(QPoint(0, 0));
  EXPECT_EQ(Popup()->geometry().topLeft(), QPoint(at.x() - 1, at.y() + 22));
  EXPECT_EQ(Popup()->width(), 152);
  EXPECT_EQ(Popup()->height(), Model().Layout().height);
  EXPECT_EQ(Model().SelectedIndex, 0);  // black is matched on opening
  EXPECT_TRUE(changes.empty());
  EXPECT_EQ(clicks, 0);
}

TEST_F(PickerTest, ArrowKeysWalkAndEnterPicks) {
  Open();
  QTest::keyClick(Popup(), Qt::Key_Right);
  QTest::keyClick(Popup(), Qt::Key_Right);
  EXPECT_EQ(Model().HotIndex, 2);
  QTest::keyClick(Popup(), Qt::Key_Down);
  QTest::keyClick(Popup(), Qt::Key_Down);
  EXPECT_EQ(Model().HotIndex, 18);
  QTest::keyClick(Popup(), Qt::Key_Left);
  EXPECT_EQ(Model().HotIndex, 17);
  EXPECT_TRUE(changes.empty());
  QTest::keyClick(Popup(), Qt::Key_Return);
  EXPECT_FALSE(button->DroppedDown());
  EXPECT_FALSE(Popup()->isVisible());
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes[0], RGB(0xFF, 0x99, 0x00));  // Light Orange
  EXPECT_EQ(button->SelectionColor(), RGB(0xFF, 0x99, 0x00));

  // Left from cell 0 reaches the default button; Down from entry 64 the custom button.
  Open();
  QTest::keyClick(Popup(), Qt::Key_Right);  // cursor starts at the selection (17)
  EXPECT_EQ(Model().HotIndex, 18);
  Model().HotIndex = 0;
  QTest::keyClick(Popup(), Qt::Key_Left);
  EXPECT_EQ(Model().HotIndex, kDefaultCell);
  Model().HotIndex = 64;
  QTest::keyClick(Popup(), Qt::Key_Down);
  EXPECT_EQ(Model().HotIndex, kCustomCell);
  QTest::keyClick(Popup(), Qt::Key_Escape);
  EXPECT_FALSE(button->DroppedDown());
  EXPECT_EQ(changes.size(), 1u);
}

TEST_F(PickerTest, ClickingACellPicksItAndTheSameColourAgainFiresNoChange) {
  Open();
  const QPoint red = Center(Model().CellRect(16));
  QTest::mouseMove(Popup(), red);
  ClickPopup(red);
  EXPECT_FALSE(button->DroppedDown());
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(button->SelectionColor(), RGB(255, 0, 0));

  Open();
  EXPECT_EQ(Model().SelectedIndex, 16);
  ClickPopup(red);
  EXPECT_FALSE(button->DroppedDown());
  EXPECT_EQ(changes.size(), 1u);  // no OnChange for the same colour
  // The face applies the colour instead.
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 11));
  EXPECT_EQ(clicks, 1);
}

TEST_F(PickerTest, SystemColourArrivesSymbolic) {
  Open();
  ClickPopup(Center(Model().CellRect(45)));  // system color: window
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(button->SelectionColor(), static_cast<TColor>(0x80000005));
  Open();
  EXPECT_EQ(Model().SelectedIndex, 45);
}

TEST_F(PickerTest, CustomButtonOpensTheCombAndACombClickPicks) {
  Open();
  const int plain = Popup()->height();
  ClickPopup(Center(Model().Layout().customButton));
  ASSERT_TRUE(button->DroppedDown());
  EXPECT_EQ(Model().SelectedIndex, kCustomCell);
  EXPECT_EQ(Popup()->height(), Model().Layout().extendedHeight);
  EXPECT_GT(Popup()->height(), plain);
  const TPopupLayout& g = Model().Layout();
  ClickPopup(QPoint(g.CombCenterX() + 9, g.CombCenterY()));
  EXPECT_FALSE(button->DroppedDown());
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(button->SelectionColor(), RGB(255, 212, 255));

  // Reopening with that colour goes straight to the comb view.
  Open();
  EXPECT_EQ(Model().SelectedIndex, kCustomCell);
  EXPECT_EQ(Model().CombSelection, 2);
  EXPECT_EQ(Popup()->height(), Model().Layout().extendedHeight);
}

TEST_F(PickerTest, SliderDragFollowsItsSpanAtAnyHeightAndNeverCloses) {
  Open();
  ClickPopup(Center(Model().Layout().customButton));
  const TPopupRect s = Model().Layout().sliderRect;
  const int x = s.left + 4;
  QTest::mousePress(Popup(), Qt::LeftButton, {}, QPoint(x, s.top + s.Height() / 2));
  EXPECT_DOUBLE_EQ(Model().Brightness(), 0.5);
  QTest::mouseMove(Popup(), QPoint(x, Popup()->height() + 150));  // below the popup
  EXPECT_EQ(Model().Brightness(), 0.0);
  EXPECT_EQ(Model().ColorComb()[0].color, clBlack);
  QTest::mouseMove(Popup(), QPoint(x, s.top + s.Height() / 4));
  EXPECT_DOUBLE_EQ(Model().Brightness(), 1.0 - 26.0 / 104.0);
  const QPoint cell = Center(Model().CellRect(23));  // column 7, above the slider
  QTest::mouseMove(Popup(), QPoint(x, cell.y()));
  EXPECT_EQ(Model().Brightness(), 1.0);
  QTest::mouseRelease(Popup(), Qt::LeftButton, {}, QPoint(x, cell.y()));
  EXPECT_TRUE(button->DroppedDown());
  EXPECT_TRUE(Popup()->isVisible());
  EXPECT_EQ(Model().SelectedIndex, kCustomCell);
  EXPECT_TRUE(changes.empty());

  // Sideways onto the comb the drag picks nothing and clears the comb choice.
  Model().CombSelection = 1;
  QTest::mousePress(Popup(), Qt::LeftButton, {}, QPoint(x, s.top + 52));
  QTest::mouseMove(Popup(), QPoint(Model().Layout().CombCenterX(), s.top + 52));
  EXPECT_EQ(Model().CombSelection, 0);
  QTest::mouseRelease(Popup(), Qt::LeftButton, {},
                      QPoint(Model().Layout().CombCenterX(), s.top + 52));
  EXPECT_TRUE(button->DroppedDown());
  EXPECT_TRUE(changes.empty());
}

TEST_F(PickerTest, PressOutsideOrOnTheButtonClosesWithoutChange) {
  Open();
  QTest::keyClick(Popup(), Qt::Key_Right);
  QTest::mousePress(Popup(), Qt::LeftButton, {}, QPoint(-20, -20));
  EXPECT_FALSE(button->DroppedDown());
  EXPECT_EQ(dropChanges, 2);
  QTest::mouseRelease(Popup(), Qt::LeftButton, {}, QPoint(-20, -20));
  EXPECT_TRUE(changes.empty());

  // A press that reaches the button while open goes to the popup: it is
  // outside, so the popup closes and does not reopen.
  Open();
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(32, 11));
  EXPECT_FALSE(button->DroppedDown());
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(32, 11));
  EXPECT_FALSE(button->DroppedDown());
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(changes.empty());
}

TEST_F(PickerTest, KeysReachingTheButtonGoToThePopup) {
  Open();
  QTest::keyClick(button, Qt::Key_Right);
  EXPECT_EQ(Model().HotIndex, 1);
  QTest::keyClick(button, Qt::Key_Enter);
  EXPECT_FALSE(button->DroppedDown());
  EXPECT_EQ(button->SelectionColor(), kPopupColors[1].color);
}

TEST_F(PickerTest, DropChangingCanVetoAndDefaultSelectFires) {
  int defaults = 0;
  button->OnDefaultSelect = [&](TColorPickerButton*) { ++defaults; };
  bool allow = false;
  button->OnDropChanging = [&](TColorPickerButton*, bool& allowed) { allowed = allow; };
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(32, 11));
  EXPECT_FALSE(button->DroppedDown());
  EXPECT_FALSE(Popup()->isVisible());
  allow = true;
  Open();
  allow = false;
  QTest::keyClick(Popup(), Qt::Key_Escape);
  EXPECT_TRUE(button->DroppedDown());  // closing vetoed too
  allow = true;
  ClickPopup(Center(Model().Layout().defaultButton));
  EXPECT_FALSE(button->DroppedDown());
  EXPECT_EQ(defaults, 1);
  EXPECT_EQ(button->SelectionColor(), clBlack);
  EXPECT_TRUE(changes.empty());
}

TEST_F(PickerTest, SelectionColourSetterAndTextChangesWhileOpen) {
  button->SetSelectionColor(clBlack);
  EXPECT_TRUE(changes.empty());
  button->SetSelectionColor(RGB(0xE1, 0xE1, 0xE1));
  ASSERT_EQ(changes.size(), 1u);
  Open();
  EXPECT_EQ(Model().SelectedIndex, kCustomCell);
  EXPECT_EQ(Model().CombSelection, -2);
  // Re-matched while open.
  button->SetSelectionColor(kPopupColors[30].color);
  EXPECT_EQ(Model().SelectedIndex, 30);
  EXPECT_EQ(Popup()->height(), Model().Layout().height);
  ClickPopup(Center(Model().Layout().customButton));
  button->SetCustomText(QString());
  EXPECT_EQ(Model().SelectedIndex, kNoCell);
  EXPECT_EQ(Popup()->height(), Model().Layout().height);
  button->SetShowSystemColors(false);
  EXPECT_LT(Popup()->height(), 150);
}

TEST_F(PickerTest, FacePressTracksThePointer) {
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseMove(button, QPoint(100, 100));
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(100, 100));
  EXPECT_EQ(clicks, 0);
  QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseMove(button, QPoint(100, 100));
  QTest::mouseMove(button, QPoint(12, 12));
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(12, 12));
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(button->DroppedDown());

  // With a group the face toggles Down; double-clicks count only while down.
  int dbl = 0;
  button->OnDblClick = [&](TColorPickerButton*) { ++dbl; };
  QTest::mouseDClick(button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(dbl, 0);
  button->SetGroupIndex(1);
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_TRUE(button->Down());
  QTest::mouseDClick(button, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_EQ(dbl, 1);
}

TEST_F(PickerTest, PaintsSwatchCellsCombAndSlider) {
  button->SetSelectionColor(RGB(0x12, 0x34, 0x56));
  const QImage face = button->grab().toImage();
  EXPECT_EQ(button->SwatchRect(), QRect(3, 3, 17, 16));
  EXPECT_EQ(face.pixel(10, 10), qRgb(0x12, 0x34, 0x56));
  EXPECT_EQ(face.pixel(3, 3), Rgb(static_cast<TColor>(0x80000010)));  // flat indicator frame
  EXPECT_EQ(face.pixel(32, 12), qRgb(0, 0, 0));                       // the arrow

  button->SetSelectionColor(clWhite);
  Open();
  QImage img = Popup()->grab().toImage();
  EXPECT_EQ(img.pixel(Center(Model().CellRect(16))), qRgb(255, 0, 0));
  EXPECT_EQ(img.pixel(Center(Model().CellRect(45))), Rgb(static_cast<TColor>(0x80000005)));
  // The selected cell (white) sits on the highlight colour.
  EXPECT_EQ(img.pixel(Model().CellRect(39).left + 1, Model().CellRect(39).top + 2),
            Rgb(static_cast<TColor>(0x80000014)));

  ClickPopup(Center(Model().Layout().customButton));
  Model().CombSelection = 0;
  img = Popup()->grab().toImage();
  const TPopupLayout& g = Model().Layout();
  EXPECT_EQ(img.pixel(g.CombCenterX(), g.CombCenterY()), qRgb(255, 255, 255));
  EXPECT_EQ(img.pixel(g.CombCenterX() + 55, g.CombCenterY()), qRgb(255, 0, 255));
  EXPECT_EQ(img.pixel(g.greyStripRect.left + 124, g.greyStripRect.top + 11), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(g.sliderRect.left + 3, g.sliderRect.top), qRgb(255, 255, 255));
  EXPECT_EQ(img.pixel(g.sliderRect.left + 3, g.sliderRect.bottom - 1), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(g.sliderRect.left + 13, g.sliderRect.top), qRgb(0, 0, 0));  // marker

  // The chosen cell gets an XOR outline: white over the white centre turns black.
  Model().CombSelection = 1;
  img = Popup()->grab().toImage();
  EXPECT_EQ(img.pixel(g.CombCenterX(), g.CombCenterY()), qRgb(255, 255, 255));
  EXPECT_EQ(img.pixel(g.CombCenterX(), g.CombCenterY() - 5), qRgb(0, 0, 0));
}

TEST_F(PickerTest, HintsNameTheCellsAndTheComb) {
  button->SetHint("colour");
  Open();
  auto hintAt = [&](QPoint p) {
    QHelpEvent e(QEvent::ToolTip, p, Popup()->mapToGlobal(p));
    QApplication::sendEvent(Popup(), &e);
    return QToolTip::text();
  };
  EXPECT_EQ(hintAt(Center(Model().CellRect(13))), "Blue");
  EXPECT_EQ(hintAt(Center(Model().CellRect(40))), "system color: scroll bar");
  EXPECT_EQ(hintAt(Center(Model().Layout().defaultButton)), "colour");
  int asked = 0;
  button->OnHint = [&](TColorPickerButton*, int cell, QString& hint) {
    ++asked;
    if (cell == kCustomCell) hint = "more";
  };
  EXPECT_EQ(hintAt(Center(Model().Layout().customButton)), "more");
  EXPECT_EQ(asked, 1);
  ClickPopup(Center(Model().Layout().customButton));
  const TPopupLayout& g = Model().Layout();
  EXPECT_EQ(hintAt(QPoint(g.sliderRect.left + 3, g.sliderRect.top + 3)), "Intensity: 100%");
  EXPECT_EQ(hintAt(QPoint(g.CombCenterX(), g.CombCenterY())), "red: 255, green: 255, blue: 255");
  QToolTip::hideText();
}

TEST_F(PickerTest, AnotherWindowTakingTheFocusClosesWithoutChange) {
  Open();
  QTest::keyClick(Popup(), Qt::Key_Right);
  QWidget other;
  other.setGeometry(500, 300, 100, 100);
  other.show();
  other.activateWindow();
  QTRY_VERIFY_WITH_TIMEOUT(!button->DroppedDown(), 2000);
  EXPECT_FALSE(Popup()->isVisible());
  EXPECT_TRUE(changes.empty());
  EXPECT_EQ(dropChanges, 2);
}

}  // namespace
}  // namespace tintorb
