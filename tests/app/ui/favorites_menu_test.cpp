// The favourites drop-down: groups as submenus of drawn colour items, twenty
// to a column, picked with the mouse or the keys.
#include "app/ui/FavoritesMenu.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <QTest>
#include <map>
#include <set>

#include "collections/Favorites.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

using testing::ScopedFakes;

class FavoritesMenu : public ::testing::Test {
 protected:
  void Build() {
    BuildFavoritesMenu(menu, favorites, [this](TColor c) { picked.push_back(c); });
  }
  ScopedFakes fakes;
  TFavorites favorites;
  QMenu menu;
  std::vector<TColor> picked;
};

TEST_F(FavoritesMenu, FortyFiveColoursMakeThreeColumns) {
  const int g = favorites.AddGroup("many");
  for (int i = 0; i < 45; ++i) favorites.Group(g).Add(ColorToHex(RGB(i, 0, 0)), "n");
  Build();
  TFavoriteColorGrid* grid = FavoritesMenuGrid(menu, 0);
  ASSERT_NE(grid, nullptr);
  ASSERT_EQ(grid->Count(), 45);
  std::map<int, int> perColumn;  // x -> items
  std::set<std::pair<int, int>> cells;
  for (int i = 0; i < grid->Count(); ++i) {
    const QRect r = grid->ItemRect(i);
    EXPECT_EQ(r.size(), QSize(18, 18));
    ++perColumn[r.x()];
    cells.insert({r.x(), r.y()});
  }
  EXPECT_EQ(perColumn, (std::map<int, int>{{0, 20}, {18, 20}, {36, 5}}));
  EXPECT_EQ(cells.size(), 45u);
  EXPECT_EQ(grid->ItemRect(20).topLeft(), QPoint(18, 0));  // item 20 starts a column
  EXPECT_EQ(grid->sizeHint(), QSize(54, 360));
  EXPECT_EQ(grid->ItemAt(44).hex, "2C0000");
}

TEST_F(FavoritesMenu, GroupsInOrderRebuiltFromScratch) {
  favorites.AddGroup("Red & Blue");
  favorites.Group(0).AddRow("FF0000,red");
  favorites.Group(0).AddRow("no comma");
  favorites.Group(0).AddRow("XYZXYZ,bad code");
  favorites.Group(0).AddRow("0000FF,");
  favorites.AddGroup("empty");
  Build();
  ASSERT_EQ(menu.actions().size(), 2);
  EXPECT_EQ(menu.actions()[0]->text(), "Red && Blue");  // no accelerator from "&"
  ASSERT_NE(menu.actions()[0]->menu(), nullptr);
  EXPECT_EQ(menu.actions()[1]->text(), "empty");
  EXPECT_EQ(menu.actions()[1]->menu(), nullptr);
  TFavoriteColorGrid* grid = FavoritesMenuGrid(menu, 0);
  ASSERT_NE(grid, nullptr);
  ASSERT_EQ(grid->Count(), 2);  // unreadable rows are left out
  EXPECT_EQ(grid->ItemAt(0).name, "red");
  EXPECT_EQ(grid->ItemAt(1).color, RGB(0, 0, 255));

  favorites.DeleteGroup(0);
  favorites.Group(0).Add("00FF00", "green");
  Build();
  ASSERT_EQ(menu.actions().size(), 1);
  EXPECT_EQ(menu.actions()[0]->text(), "empty");
  ASSERT_NE(FavoritesMenuGrid(menu, 0), nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(menu.findChildren<QMenu*>().size(), 1);  // old submenus are gone
}

TEST_F(FavoritesMenu, ItemsAreDrawnAndPickedWithTheMouse) {
  const int g = favorites.AddGroup("g");
  for (int i = 0; i < 25; ++i) favorites.Group(g).Add(i == 21 ? "FFFF00" : "000080", "");
  Build();
  menu.popup(QPoint(10, 10));
  QMenu* sub = menu.actions()[0]->menu();
  sub->popup(QPoint(200, 10));
  TFavoriteColorGrid* grid = FavoritesMenuGrid(menu, 0);
  ASSERT_TRUE(grid->isVisible());

  const QRect r = grid->ItemRect(21);
  // Hovering (no button held) highlights the item.
  QMouseEvent move(QEvent::MouseMove, QPointF(r.center()), grid->mapToGlobal(QPointF(r.center())),
                   Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(grid, &move);
  EXPECT_EQ(grid->Highlighted(), 21);
  const QImage img = grid->grab().toImage();
  const QRgb face = img.pixel(r.left(), r.top());
  EXPECT_EQ(img.pixel(r.left() + 1, r.top() + 1) & 0xFFFFFF, 0xFFFF00u);
  EXPECT_EQ(img.pixel(r.right() - 1, r.bottom() - 1) & 0xFFFFFF, 0xFFFF00u);
  EXPECT_EQ(img.pixel(r.right(), r.bottom()), face);
  // The highlight frame, inset by 2, in the contrast colour (black on yellow).
  EXPECT_EQ(img.pixel(r.left() + 2, r.top() + 2) & 0xFFFFFF, 0x000000u);
  EXPECT_EQ(img.pixel(r.right() - 2, r.center().y()) & 0xFFFFFF, 0x000000u);
  EXPECT_EQ(img.pixel(r.left() + 3, r.top() + 3) & 0xFFFFFF, 0xFFFF00u);
  // An item not highlighted has no frame.
  const QRect r0 = grid->ItemRect(0);
  EXPECT_EQ(img.pixel(r0.left() + 2, r0.top() + 2) & 0xFFFFFF, 0x000080u);

  QTest::mouseClick(grid, Qt::LeftButton, {}, r.center());
  EXPECT_EQ(picked, (std::vector<TColor>{RGB(255, 255, 0)}));
  EXPECT_FALSE(sub->isVisible());
  EXPECT_FALSE(menu.isVisible());
  // A click beside the items picks nothing.
  QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(40, 300));
  EXPECT_EQ(picked.size(), 1u);
}

TEST_F(FavoritesMenu, KeysWalkTheColumns) {
  const int g = favorites.AddGroup("g");
  for (int i = 0; i < 30; ++i) favorites.Group(g).Add(ColorToHex(RGB(0, i, 0)), "");
  Build();
  TFavoriteColorGrid* grid = FavoritesMenuGrid(menu, 0);
  QTest::keyClick(grid, Qt::Key_Down);  // first item
  QTest::keyClick(grid, Qt::Key_Down);
  QTest::keyClick(grid, Qt::Key_Right);  // same row, next column
  EXPECT_EQ(grid->Highlighted(), 21);
  QTest::keyClick(grid, Qt::Key_Right);  // no third column: stays at the last item
  EXPECT_EQ(grid->Highlighted(), 29);
  QTest::keyClick(grid, Qt::Key_Left);
  EXPECT_EQ(grid->Highlighted(), 9);
  QTest::keyClick(grid, Qt::Key_Return);
  EXPECT_EQ(picked, (std::vector<TColor>{RGB(0, 9, 0)}));
}

}  // namespace
}  // namespace tintorb
