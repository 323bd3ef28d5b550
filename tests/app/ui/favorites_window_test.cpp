// The favourites inside the real main window: btnFavorite runs the add
// dialog, the drop-down and the favourites sheet follow at once, a colour
// picked from the drop-down becomes current and is copied, and the group file
// holds the new row once the window is gone.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <cstdlib>
#include <memory>

#include "app/ui/FavoritesMenu.h"
#include "app/ui/MainForm.h"
#include "collections/Favorites.h"
#include "collections/ui/DialogFavorite.h"
#include "collections/ui/SheetFavorite.h"
#include "core/ProgramDir.h"
#include "core/TextFile.h"
#include "support/Fakes.h"
#include "support/ui/FavoritesWindow.h"

namespace tintorb {
namespace {

using testing::ProgramHome;
using testing::ScopedFakes;
using testing::ShowWithFavoritesSheet;

class FavoritesInMainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFileAtomic(dir / "mine.tintorb", EncodeTextFile("FF0000,red\r\n"));
    WriteFileAtomic(dir / "other.tintorb", EncodeTextFile("0000FF,blue\r\n"));
    form = std::make_unique<TForm1>();
    sheet = ShowWithFavoritesSheet(*form);
  }
  void TearDown() override { form.reset(); }

  ProgramHome dir;
  ScopedFakes fakes;
  std::unique_ptr<TForm1> form;
  TfrmFavorite* sheet = nullptr;
};

TEST_F(FavoritesInMainWindow, AddingFromTheToolbarUpdatesMenuSheetAndFile) {
  ASSERT_EQ(form->GetFavorites().Count(), 2);
  ASSERT_EQ(form->GetFavorites().GroupName(0), "mine");
  form->SetForeColor(form.get(), RGB(0x12, 0x34, 0x56));
  ASSERT_EQ(FavoritesMenuGrid(*form->popFavorite, 0)->Count(), 1);
  ASSERT_EQ(sheet->lstColors->Count(), 1);

  bool operated = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<TdlgFavorite*>(QApplication::activeModalWidget());
    if (!dialog) return;
    operated = true;
    EXPECT_EQ(dialog->Edit1->text(), "123456");
    QTest::keyClicks(dialog->Edit1, "night");
    QTest::mouseClick(dialog->btnOk, Qt::LeftButton);
  });
  QTimer::singleShot(5000, [] {
    if (auto* d = qobject_cast<TdlgFavorite*>(QApplication::activeModalWidget())) d->reject();
  });
  QToolButton* button = form->btnFavorite;
  // The main part of the button, left of its drop-down arrow.
  QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(4, button->height() / 2));
  ASSERT_TRUE(operated);

  // Both views show the row at once.
  TFavoriteColorGrid* grid = FavoritesMenuGrid(*form->popFavorite, 0);
  ASSERT_EQ(grid->Count(), 2);
  EXPECT_EQ(grid->ItemAt(1).hex, "123456");
  EXPECT_EQ(grid->ItemAt(1).name, "night");
  EXPECT_EQ(sheet->lstColors->Count(), 2);
  EXPECT_EQ(FavoritesMenuGrid(*form->popFavorite, 1)->Count(), 1);

  // Picking from the drop-down: current colour, copied as Ctrl+C copies.
  form->SetForeColor(form.get(), 0);
  form->popFavorite->popup(QPoint(0, 0));
  form->popFavorite->actions()[1]->menu()->popup(QPoint(100, 0));
  grid = FavoritesMenuGrid(*form->popFavorite, 1);
  QTest::mouseClick(grid, Qt::LeftButton, {}, grid->ItemRect(0).center());
  EXPECT_EQ(form->CurrentColor(), RGB(0, 0, 255));
  EXPECT_EQ(fakes.desktop.clipboard, "\"#0000FF\"");
  EXPECT_FALSE(form->popFavorite->isVisible());

  form->close();
  form.reset();
  EXPECT_EQ(ReadFileBytes(dir / "mine.tintorb").value_or(""), "FF0000,red\r\n123456,night\r\n");
}

TEST_F(FavoritesInMainWindow, SheetEditsRebuildTheDropDown) {
  // Remove the only colour of "other": its menu entry becomes a plain item.
  sheet->SelectGroup(1);
  sheet->lstColors->SetItemIndex(0);
  fakes.dialogs.yesNoAnswers = {true};
  sheet->actRemove->trigger();
  EXPECT_EQ(form->GetFavorites().Group(1).Count(), 0);
  EXPECT_EQ(FavoritesMenuGrid(*form->popFavorite, 1), nullptr);
  EXPECT_EQ(form->popFavorite->actions().size(), 2);
  EXPECT_EQ(sheet->SelectedGroup(), 1);
}

}  // namespace
}  // namespace tintorb
