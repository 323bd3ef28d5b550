// 「画像から配色を作る...」 from the group menu: the preview shows the shares
// and saves a new group under a free name only when asked.
#include "collections/ui/PalettePreview.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "collections/Favorites.h"
#include "collections/ui/SheetFavorite.h"
#include "support/Fakes.h"
#include "support/ui/FakeSheetHost.h"

namespace tintorb {
namespace {

TEST(PalettePreview, SharesShownThenSavedAsANewGroup) {
  testing::ScopedFakes fakes;
  testing::TempDir dir;
  TFavorites favorites;
  favorites.AddGroup("flag");
  testing::FakeSheetHost host;
  host.favorites = &favorites;
  TfrmFavorite sheet(host);
  // Three quarters white, one quarter red.
  QImage picture(40, 10, QImage::Format_RGB32);
  picture.fill(Qt::white);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) picture.setPixel(x, y, qRgb(255, 0, 0));
  ASSERT_TRUE(picture.save(QString::fromStdString(dir / "flag.png")));

  fakes.dialogs.openAnswers.push_back({dir / "flag.png"});
  sheet.actPaletteFromPicture->trigger();
  auto* preview = sheet.findChild<TPalettePreview*>();
  ASSERT_TRUE(preview);
  ASSERT_EQ(preview->Palette().colors.size(), 2u);
  EXPECT_EQ(preview->Palette().colors[0].color, RGB(255, 255, 255));
  EXPECT_EQ(preview->Palette().colors[0].pixels, 300u);
  EXPECT_EQ(favorites.Count(), 1) << "nothing saved before the button";

  QTest::mouseClick(preview->btnSave, Qt::LeftButton);
  ASSERT_EQ(favorites.Count(), 2);
  EXPECT_EQ(favorites.GroupName(1), "flag1");
  EXPECT_EQ(favorites.Group(1).Rows(), (std::vector<std::string>{"FFFFFF,75%", "FF0000,25%"}));
  EXPECT_EQ(host.favoritesChangedCalls, 1);
}

}  // namespace
}  // namespace tintorb
