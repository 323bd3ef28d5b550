// Colour-vision simulation in the real main window: what is drawn follows the
// simulation, what is copied and stored does not, and the choice is kept.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <memory>

#include "app/ui/ColorVisionCommands.h"
#include "app/ui/ColorVisionView.h"
#include "app/ui/ColorWell.h"
#include "app/ui/MainForm.h"
#include "collections/ui/ColorListBox.h"
#include "collections/ui/SheetFavorite.h"
#include "core/Contrast.h"
#include "core/ProgramDir.h"
#include "core/TextFile.h"
#include "sheets/ui/TintorbColorSlider.h"
#include "support/Fakes.h"
#include "support/ui/FavoritesWindow.h"

namespace tintorb {
namespace {

using testing::ProgramHome;
using testing::ScopedFakes;
using testing::ShowWithFavoritesSheet;

TColor PixelOf(QWidget* w, QPoint at) {
  const QColor c = w->grab().toImage().pixelColor(at);
  return RGB(c.red(), c.green(), c.blue());
}

class ColorVisionWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFileAtomic(dir / "mine.tintorb", EncodeTextFile("FF0000,red\r\n00A000,green\r\n"));
    Open();
  }
  void Open() {
    form = std::make_unique<TForm1>();
    sheet = ShowWithFavoritesSheet(*form);
    QApplication::processEvents();
  }
  void TearDown() override {
    form.reset();
    SetShownFilter(TCvdType::None, 100);
  }

  ProgramHome dir;
  ScopedFakes fakes;
  std::unique_ptr<TForm1> form;
  TfrmFavorite* sheet = nullptr;
};

TEST_F(ColorVisionWindow, DrawsThroughTheSimulationCopiesRealAndKeepsTheChoice) {
  const TColor red = RGB(255, 0, 0), seenRed = RGB(0xA3, 0x90, 0);  // deuteranopia
  form->SetForeColor(form.get(), red);
  const TRect fore = form->PaintBox1->Layout().Fore();
  const QPoint well(fore.left + fore.Width() / 2, fore.top + fore.Height() / 2);
  const QPoint row(30, 10);
  ASSERT_EQ(PixelOf(form->PaintBox1, well), red);

  form->ColorVision()->actCvdType[size_t(TCvdType::Deutan)]->trigger();
  EXPECT_EQ(PixelOf(form->PaintBox1, well), seenRed);
  EXPECT_EQ(PixelOf(sheet->lstColors->viewport(), row), seenRed);
  EXPECT_TRUE(
      form->windowTitle().endsWith(QString::fromUtf8(" - 色覚シミュレーション D型(2型) 100%")))
      << form->windowTitle().toStdString();
  form->actCopy->trigger();
  EXPECT_EQ(fakes.desktop.clipboard, "\"#FF0000\"");

  // 色覚チェック: the pair as each vision sees it, with its own ratio.
  form->SetBackColor(form.get(), RGB(0, 0xA0, 0));
  form->ColorVision()->actCvdCheck->trigger();
  TColorVisionCheck* check = form->ColorVision()->CheckWindow();
  ASSERT_TRUE(check && check->isVisible() && !check->isModal());
  ASSERT_EQ(check->Panes().size(), 5u);
  EXPECT_EQ(check->Panes()[0].fore, red);
  EXPECT_EQ(check->Panes()[2].fore, seenRed);
  EXPECT_EQ(check->Panes()[2].back, RGB(0x95, 0x85, 0x21));
  EXPECT_DOUBLE_EQ(check->Panes()[2].ratio, ContrastRatio(seenRed, RGB(0x95, 0x85, 0x21)));
  form->SetForeColor(form.get(), RGB(0, 0, 0));
  EXPECT_EQ(check->Panes()[0].fore, RGB(0, 0, 0));  // it follows the current colour
  check->close();

  // The group's confusable pairs, from its menu.
  sheet->actConfusablePairs->trigger();
  QListWidget* pairs = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "dlgConfusablePairs" && w->isVisible())
      pairs = w->findChild<QListWidget*>("lstPairs");
  ASSERT_TRUE(pairs);
  ASSERT_FALSE(pairs->findItems("#FF0000 / #00A000", Qt::MatchStartsWith).isEmpty());
  pairs->window()->close();

  // Kept across runs; the real colours are what the settings hold.
  form->close();
  form.reset();
  SetShownFilter(TCvdType::None, 100);
  Open();
  EXPECT_EQ(ShownType(), TCvdType::Deutan);
  EXPECT_EQ(form->CurrentColor(), RGB(0, 0, 0));
  form->ColorVision()->actCvdType[size_t(TCvdType::None)]->trigger();
  form->SetForeColor(form.get(), red);
  EXPECT_EQ(PixelOf(form->PaintBox1, well), red);
  EXPECT_EQ(form->windowTitle(), "Tintorb [\"#FF0000\"]");
}

// The slider keeps its composed picture; a change of simulation redraws it.
TEST(ColorVisionSlider, GradientFollowsTheSimulation) {
  TTintorbColorSlider slider;
  slider.resize(258, 20);
  slider.SetColor1(RGB(255, 0, 0));
  slider.SetColor2(RGB(255, 0, 0));
  const QPoint at(128, 10);
  EXPECT_EQ(slider.Composition().pixelColor(at), QColor(255, 0, 0));
  SetShownFilter(TCvdType::Achroma, 100);
  EXPECT_EQ(slider.Composition().pixelColor(at), QColor(0x7F, 0x7F, 0x7F));
  SetShownFilter(TCvdType::None, 100);
  EXPECT_EQ(slider.Composition().pixelColor(at), QColor(255, 0, 0));
}

}  // namespace
}  // namespace tintorb
