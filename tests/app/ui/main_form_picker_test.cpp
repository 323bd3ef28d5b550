// The picker button on the main window's toolbar, driven with real mouse and
// key events: what it chooses becomes the current colour, system colours as
// their current RGB value.
#include <gtest/gtest.h>

#include <QTest>
#include <QToolBar>
#include <cstdlib>
#include <memory>

#include "app/ui/MainForm.h"
#include "controls/ui/ColorPickerButton.h"
#include "core/ProgramDir.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

class MainFormPickerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TINTORB_HOME", dir.path().c_str(), 1);
    ResetProgramDirForTests();
    form = std::make_unique<TForm1>();
    form->BuildSheets({});
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    picker = form->btnPicker;
  }
  void TearDown() override {
    if (picker->DroppedDown()) picker->CloseUp(false);
    form.reset();
    SetSysColorResolver(nullptr);
    unsetenv("TINTORB_HOME");
    ResetProgramDirForTests();
  }
  void OpenPopup() {
    QTest::mouseClick(picker, Qt::LeftButton, {}, QPoint(picker->width() - 7, 11));
    ASSERT_TRUE(picker->DroppedDown());
  }

  testing::TempDir dir;
  testing::ScopedFakes fakes;
  std::unique_ptr<TForm1> form;
  TColorPickerButton* picker = nullptr;
};

TEST_F(MainFormPickerTest, SitsFirstOnTheToolbarWithTheProgramsSettings) {
  ASSERT_FALSE(form->ToolBar1->actions().isEmpty());
  EXPECT_EQ(form->ToolBar1->widgetForAction(form->ToolBar1->actions().first()), picker);
  EXPECT_EQ(form->ToolBar1->actions().at(1), form->actCopy);
  EXPECT_EQ(picker->size(), QSize(40, 22));
  EXPECT_EQ(picker->DefaultText(), QString::fromUtf8("基本色"));
  EXPECT_EQ(picker->CustomText(), QString::fromUtf8("カスタムカラー"));
  EXPECT_TRUE(picker->ShowSystemColors());
  EXPECT_EQ(picker->PopupSpacing(), 2);
  EXPECT_TRUE(picker->Flat());
  EXPECT_TRUE(picker->AllowAllUp());
  EXPECT_EQ(picker->SelectionColor(), clBlack);
  EXPECT_EQ(picker->Popup()->width(), 152);
}

TEST_F(MainFormPickerTest, ChosenColourBecomesTheCurrentColourAndIsUndoable) {
  OpenPopup();
  TColorPopup* popup = picker->Popup();
  const TPopupRect red = popup->Model().CellRect(16);
  QTest::mouseClick(popup, Qt::LeftButton, {},
                    QPoint((red.left + red.right) / 2, (red.top + red.bottom) / 2));
  EXPECT_FALSE(picker->DroppedDown());
  EXPECT_EQ(form->CurrentColor(), RGB(255, 0, 0));
  EXPECT_EQ(form->windowTitle(), QString("Tintorb [\"#FF0000\"]"));
  form->actUndo->trigger();
  EXPECT_EQ(form->CurrentColor(), clBlack);
  // Choosing red again changes nothing; clicking the face applies it.
  OpenPopup();
  QTest::keyClick(popup, Qt::Key_Return);
  EXPECT_EQ(form->CurrentColor(), clBlack);
  QTest::mouseClick(picker, Qt::LeftButton, {}, QPoint(8, 11));
  EXPECT_EQ(form->CurrentColor(), RGB(255, 0, 0));
}

TEST_F(MainFormPickerTest, SystemColourArrivesResolvedToRgb) {
  SetSysColorResolver([](int index) { return index == 5 ? RGB(0x12, 0x34, 0x56) : 0; });
  OpenPopup();
  TColorPopup* popup = picker->Popup();
  EXPECT_EQ(popup->Model().SelectedIndex, 0);
  for (int i = 0; i < 5; ++i) QTest::keyClick(popup, Qt::Key_Down);
  for (int i = 0; i < 5; ++i) QTest::keyClick(popup, Qt::Key_Right);
  EXPECT_EQ(popup->Model().HotIndex, 45);  // system color: window
  QTest::keyClick(popup, Qt::Key_Return);
  EXPECT_EQ(picker->SelectionColor(), clWindow);  // the button keeps it symbolic
  EXPECT_EQ(form->CurrentColor(), RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(form->windowTitle(), QString("Tintorb [\"#123456\"]"));
}

}  // namespace
}  // namespace tintorb
