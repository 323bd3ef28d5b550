// The add-favourite dialog run modally by AddFavoriteDialog and operated from
// inside its own event loop with keys and clicks.
#include "collections/ui/DialogFavorite.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

#include "collections/Favorites.h"
#include "support/Fakes.h"
#include "support/ui/FakeSheetHost.h"

namespace tintorb {
namespace {

using testing::FakeSheetHost;
using testing::ScopedFakes;

class AddFavorite : public ::testing::Test {
 protected:
  void SetUp() override { host.favorites = &favorites; }

  // Runs AddFavoriteDialog; `operate` gets the shown dialog. A dialog still
  // open after a few seconds is cancelled, so a failing test cannot hang.
  bool Run(TColor color, std::function<void(TdlgFavorite&)> operate) {
    bool operated = false;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<TdlgFavorite*>(QApplication::activeModalWidget());
      if (!dialog) {
        ADD_FAILURE() << "no modal add-favourite dialog";
        return;
      }
      operated = true;
      operate(*dialog);
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] {
      if (auto* d = qobject_cast<TdlgFavorite*>(QApplication::activeModalWidget())) {
        ADD_FAILURE() << "dialog left open";
        d->reject();
      }
    });
    guard.start(5000);
    const bool added = AddFavoriteDialog(host, color, nullptr);
    EXPECT_TRUE(operated);
    return added;
  }

  static QPoint NodePos(TdlgFavorite& d, int i) {
    return d.TreeView1->visualItemRect(d.TreeView1->topLevelItem(i)).center();
  }

  ScopedFakes fakes;
  TFavorites favorites;
  FakeSheetHost host;
};

TEST_F(AddFavorite, ProposesTheCodeAndAddsToTheChosenGroup) {
  favorites.AddGroup("first");
  favorites.AddGroup("second");
  const bool added = Run(RGB(0x12, 0x34, 0x56), [](TdlgFavorite& d) {
    EXPECT_EQ(d.windowTitle(), QString::fromUtf8("お気に入りの追加"));
    EXPECT_EQ(d.Label1->text(), QString::fromUtf8("この色がお気に入りに追加されます。"));
    EXPECT_EQ(d.Edit1->text(), "123456");
    EXPECT_EQ(d.Edit1->selectedText(), "123456");  // typing replaces it
    EXPECT_EQ(d.Panel1->palette().color(QPalette::Window), QColor(0x12, 0x34, 0x56));
    ASSERT_EQ(d.TreeView1->topLevelItemCount(), 2);
    EXPECT_EQ(d.TreeView1->topLevelItem(1)->text(0), "second");
    EXPECT_FALSE(d.TreeView1->topLevelItem(0)->icon(0).isNull());
    EXPECT_EQ(d.SelectedGroup(), 0);
    QTest::keyClicks(d.Edit1, "night, blue");
    QTest::mouseClick(d.TreeView1->viewport(), Qt::LeftButton, {}, NodePos(d, 1));
    EXPECT_EQ(d.SelectedGroup(), 1);
    QTest::mouseClick(d.btnOk, Qt::LeftButton);
  });
  EXPECT_TRUE(added);
  EXPECT_EQ(favorites.Group(0).Count(), 0);
  EXPECT_EQ(favorites.Group(1).Rows(), (std::vector<std::string>{"123456,night, blue"}));
  EXPECT_EQ(host.favoritesChangedCalls, 1);
}

TEST_F(AddFavorite, ReturnTakesTheProposalAndCancelAddsNothing) {
  favorites.AddGroup("only");
  // Return is the default button: the code itself becomes the name.
  EXPECT_TRUE(
      Run(RGB(255, 0, 0), [](TdlgFavorite& d) { QTest::keyClick(d.Edit1, Qt::Key_Return); }));
  // An emptied name stores an entry that shows only its code.
  EXPECT_TRUE(Run(RGB(0, 0, 255), [](TdlgFavorite& d) {
    d.Edit1->setFocus();
    QTest::keyClick(d.Edit1, Qt::Key_Delete);
    QTest::mouseClick(d.btnOk, Qt::LeftButton);
  }));
  EXPECT_FALSE(Run(RGB(0, 255, 0), [](TdlgFavorite& d) {
    QTest::keyClicks(d.Edit1, "never");
    QTest::mouseClick(d.btnCancel, Qt::LeftButton);
  }));
  EXPECT_FALSE(Run(RGB(0, 255, 0), [](TdlgFavorite& d) { QTest::keyClick(&d, Qt::Key_Escape); }));
  EXPECT_EQ(favorites.Group(0).Rows(), (std::vector<std::string>{"FF0000,FF0000", "0000FF,"}));
  EXPECT_EQ(host.favoritesChangedCalls, 2);
}

TEST_F(AddFavorite, SystemColoursAreStoredResolved) {
  favorites.AddGroup("g");
  fakes.desktop.sysColors[15] = RGB(0xD4, 0xD0, 0xC8);
  SetSysColorResolver([](int i) { return Desktop().SysColor(i); });
  Run(clBtnFace, [](TdlgFavorite& d) {
    EXPECT_EQ(d.Edit1->text(), "D4D0C8");
    EXPECT_EQ(d.Panel1->palette().color(QPalette::Window), QColor(0xD4, 0xD0, 0xC8));
    QTest::mouseClick(d.btnOk, Qt::LeftButton);
  });
  SetSysColorResolver(nullptr);
  EXPECT_EQ(favorites.Group(0).Rows(), (std::vector<std::string>{"D4D0C8,D4D0C8"}));
}

TEST_F(AddFavorite, WithoutGroupsNothingIsAddedButAGroupCanBeMade) {
  // OK cannot add: there is no group to add to.
  EXPECT_FALSE(Run(RGB(1, 2, 3), [](TdlgFavorite& d) {
    EXPECT_EQ(d.TreeView1->topLevelItemCount(), 0);
    EXPECT_FALSE(d.btnOk->isEnabled());
    QTest::mouseClick(d.btnOk, Qt::LeftButton);
    QTest::keyClick(d.Edit1, Qt::Key_Return);
    EXPECT_TRUE(d.isVisible());
    d.reject();
  }));
  EXPECT_EQ(favorites.Count(), 0);
  EXPECT_EQ(host.favoritesChangedCalls, 0);

  // The dialog's own "new group" makes one, selects it, and the colour goes there.
  fakes.dialogs.inputAnswers = {std::string("mine")};
  EXPECT_TRUE(Run(RGB(1, 2, 3), [](TdlgFavorite& d) {
    QTest::mouseClick(d.btnNewGroup, Qt::LeftButton);
    ASSERT_EQ(d.TreeView1->topLevelItemCount(), 1);
    EXPECT_EQ(d.SelectedGroup(), 0);
    EXPECT_TRUE(d.btnOk->isEnabled());
    QTest::mouseClick(d.btnOk, Qt::LeftButton);
  }));
  EXPECT_EQ(fakes.dialogs.inputPresets, (std::vector<std::string>{"新しいグループ"}));
  ASSERT_EQ(favorites.Count(), 1);
  EXPECT_EQ(favorites.GroupName(0), "mine");
  EXPECT_EQ(favorites.Group(0).Rows(), (std::vector<std::string>{"010203,010203"}));
  EXPECT_EQ(host.favoritesChangedCalls, 1);

  // A group made and then Cancel: the group stays and is announced; a taken
  // name is refused with the store's warning.
  fakes.dialogs.inputAnswers = {std::string("MINE"), std::string("other")};
  EXPECT_FALSE(Run(RGB(1, 2, 3), [](TdlgFavorite& d) {
    QTest::mouseClick(d.btnNewGroup, Qt::LeftButton);
    EXPECT_EQ(d.TreeView1->topLevelItemCount(), 1);
    QTest::mouseClick(d.btnNewGroup, Qt::LeftButton);
    EXPECT_EQ(d.TreeView1->topLevelItemCount(), 2);
    EXPECT_EQ(d.SelectedGroup(), 1);
    QTest::mouseClick(d.btnCancel, Qt::LeftButton);
  }));
  EXPECT_EQ(fakes.dialogs.Of("Warning"), (std::vector<std::string>{kMsgGroupNameTaken}));
  ASSERT_EQ(favorites.Count(), 2);
  EXPECT_EQ(favorites.GroupName(1), "other");
  EXPECT_EQ(favorites.Group(1).Count(), 0);
  EXPECT_EQ(host.favoritesChangedCalls, 2);
}

TEST_F(AddFavorite, ANewGroupNameTooLongForAFileKeepsTheDialogOpen) {
  favorites.AddGroup("mine");
  fakes.dialogs.inputAnswers = {std::string(300, 'x'), std::nullopt};
  EXPECT_TRUE(Run(RGB(1, 2, 3), [](TdlgFavorite& d) {
    QTest::mouseClick(d.btnNewGroup, Qt::LeftButton);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.TreeView1->topLevelItemCount(), 1);
    QTest::mouseClick(d.btnOk, Qt::LeftButton);
  }));
  EXPECT_EQ(fakes.dialogs.Of("Warning"), (std::vector<std::string>{kMsgGroupNameTooLong}));
  EXPECT_EQ(fakes.dialogs.inputPresets.back(), std::string(300, 'x'));
  EXPECT_EQ(favorites.Count(), 1);
  EXPECT_EQ(favorites.Group(0).Count(), 1);
}

}  // namespace
}  // namespace tintorb
