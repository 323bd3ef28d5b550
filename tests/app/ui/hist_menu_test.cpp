#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <memory>

#include "app/IniFile.h"
#include "app/ui/HistMenu.h"
#include "core/TextFile.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

using testing::TempDir;

QStringList Captions(const QMenu* menu) {
  QStringList out;
  for (const QAction* a : menu->actions()) out << (a->isSeparator() ? "-" : a->text());
  return out;
}

// Lets queued rebuilds and deferred deletions run.
void Settle() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class HistoryMenuTest : public ::testing::Test {
 protected:
  // A menu like the main window's: 編集 > 最近コピーした色, shown as a submenu.
  void SetUp() override {
    edit_ = std::make_unique<QMenu>("編集(&E)");
    edit_->addAction("コピー(&C)");
    recent_ = edit_->addMenu("最近コピーした色(&E)");
    menu_ = std::make_unique<THistoryMenu>();
    menu_->SetIniFileName(path_);
  }
  void Activate(int historyNum = 16) {
    menu_->SetHistoryNum(historyNum);
    menu_->SetTargetMenuItem(recent_);
    menu_->SetActive(true);
  }
  void AddNumbered(int n) {
    for (int i = 0; i < n; ++i) menu_->AddHistory(QStringLiteral("#C%1").arg(i, 5, 10, QChar('0')));
  }

  TempDir dir_;
  std::string path_ = dir_ / "tintorb.ini";
  std::unique_ptr<QMenu> edit_;
  QMenu* recent_ = nullptr;
  std::unique_ptr<THistoryMenu> menu_;
};

TEST_F(HistoryMenuTest, ActivationNeedsATarget) {
  THistoryMenu bare;
  EXPECT_EQ(bare.SectionName(), "History");
  EXPECT_EQ(bare.HistoryNum(), 8);
  try {
    bare.SetActive(true);
    FAIL() << "no error";
  } catch (const EHistoryMenuError& e) {
    EXPECT_STREQ(e.what(), "ターゲットが指定されていません");
  }
  EXPECT_FALSE(bare.Active());

  Activate();
  EXPECT_TRUE(menu_->Active());
  menu_->AddHistory("#123456");
  // Dropping the target deactivates, which saves and removes the items.
  menu_->SetTargetMenuItem(static_cast<QAction*>(nullptr));
  EXPECT_FALSE(menu_->Active());
  EXPECT_TRUE(recent_->actions().isEmpty());
  EXPECT_EQ(TIniFile(path_).ReadString("History", "H0", ""), "#123456");
}

TEST_F(HistoryMenuTest, FortyCopiesShowTheSixteenMostRecentAndSave32) {
  Activate(16);
  EXPECT_EQ(menu_->Placement(), THistoryMenu::TPlacement::Submenu);
  AddNumbered(40);
  const QStringList captions = Captions(recent_);
  ASSERT_EQ(captions.size(), 16);
  EXPECT_EQ(captions[0], " &0 #C00039");
  EXPECT_EQ(captions[9], " &9 #C00030");
  EXPECT_EQ(captions[10], "&10 #C00029");
  EXPECT_EQ(captions[15], "&15 #C00024");
  EXPECT_EQ(recent_->actions()[3]->statusTip(), "#C00036");
  menu_.reset();  // destroying the active component saves

  const TIniFile ini(path_);
  EXPECT_EQ(ini.ReadInteger("History", "Count", 0), 32);
  EXPECT_EQ(ini.ReadString("History", "H0", ""), "#C00039");
  EXPECT_EQ(ini.ReadString("History", "H31", ""), "#C00008");
  EXPECT_FALSE(ini.ValueExists("History", "H32"));
  EXPECT_TRUE(recent_->actions().isEmpty());
}

TEST_F(HistoryMenuTest, CaptionsAndHistoryNum) {
  Activate(16);
  AddNumbered(10);
  EXPECT_EQ(Captions(recent_).first(), "&0 #C00009");  // ten entries: no padding
  EXPECT_EQ(Captions(recent_).last(), "&9 #C00000");

  menu_->SetHistoryNum(100);
  EXPECT_EQ(menu_->HistoryNum(), 32);
  AddNumbered(40);
  EXPECT_EQ(recent_->actions().size(), 32);
  EXPECT_EQ(Captions(recent_)[31], "&31 #C00008");
  menu_->SetHistoryNum(0);
  EXPECT_TRUE(recent_->actions().isEmpty());
  menu_->SetHistoryNum(3);
  EXPECT_EQ(Captions(recent_), (QStringList{"&0 #C00039", "&1 #C00038", "&2 #C00037"}));

  // Entry texts show literally: an "&" is no accelerator, a line break no new line.
  menu_->AddHistory("&#63647;");
  menu_->AddHistory("one\r\ntwo");
  EXPECT_EQ(Captions(recent_)[0], "&0 one two");
  EXPECT_EQ(Captions(recent_)[1], "&1 &&#63647;");
  EXPECT_EQ(recent_->actions()[1]->statusTip(), "&#63647;");
  menu_->AddHistory("");
  EXPECT_EQ(menu_->List().Count(), 34 - 2);
}

TEST_F(HistoryMenuTest, PlacementModes) {
  // Top level: a menu of the menu bar gets a separator when it already has items.
  QMenuBar bar;
  QMenu* file = bar.addMenu("ファイル(&F)");
  file->addAction("開く(&O)");
  QMenu* empty = bar.addMenu("空");
  THistoryMenu top;
  top.SetIniFileName(path_);
  top.SetTargetMenuItem(file);
  EXPECT_EQ(top.Placement(), THistoryMenu::TPlacement::TopLevel);
  top.SetActive(true);
  top.AddHistory("a");
  top.AddHistory("b");
  EXPECT_EQ(Captions(file), (QStringList{"開く(&O)", "-", "&0 b", "&1 a"}));
  top.AddHistory("c");  // rebuilding removes exactly what it made
  EXPECT_EQ(Captions(file), (QStringList{"開く(&O)", "-", "&0 c", "&1 b", "&2 a"}));
  top.SetTargetMenuItem(empty);
  EXPECT_EQ(Captions(file), (QStringList{"開く(&O)"}));
  EXPECT_EQ(Captions(empty), (QStringList{"&0 c", "&1 b", "&2 a"}));

  // Separator: entries right after it, then a new separator.
  QMenu m;
  m.addAction("A");
  QAction* sep = m.addSeparator();
  m.addAction("B");
  top.SetTargetMenuItem(sep);
  EXPECT_EQ(top.Placement(), THistoryMenu::TPlacement::Separator);
  EXPECT_EQ(Captions(&m), (QStringList{"A", "-", "&0 c", "&1 b", "&2 a", "-", "B"}));
  top.AddHistory("b");
  EXPECT_EQ(Captions(&m), (QStringList{"A", "-", "&0 b", "&1 c", "&2 a", "-", "B"}));
  EXPECT_TRUE(empty->actions().isEmpty());

  // A plain item becomes a submenu.
  QAction* plain = m.addAction("最近");
  top.SetTargetMenuItem(plain);
  EXPECT_EQ(top.Placement(), THistoryMenu::TPlacement::Submenu);
  ASSERT_NE(plain->menu(), nullptr);
  EXPECT_EQ(Captions(plain->menu()), (QStringList{"&0 b", "&1 c", "&2 a"}));
  EXPECT_EQ(Captions(&m), (QStringList{"A", "-", "B", "最近"}));
}

TEST_F(HistoryMenuTest, ClickMovesTheEntryUpFiresTheEventAndRebuildsAfterwards) {
  Activate(16);
  AddNumbered(5);  // #C00004 on top
  struct Call {
    QObject* sender;
    QString text;
  };
  std::vector<Call> calls;
  // Like the main window: copying again adds the text once more.
  menu_->SetOnHistorySelected([&](QObject* sender, const QString& text) {
    calls.push_back({sender, text});
    menu_->AddHistory(text);
  });
  QStringList signalled;
  QObject::connect(menu_.get(), &THistoryMenu::historySelected,
                   [&](const QString& t) { signalled << t; });

  QPointer<QAction> third = recent_->actions()[2];
  third->trigger();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].sender, menu_.get());
  EXPECT_EQ(calls[0].text, "#C00002");
  EXPECT_EQ(signalled, QStringList{"#C00002"});
  EXPECT_EQ(menu_->List()[0], "#C00002");
  EXPECT_EQ(menu_->List().Count(), 5);
  // The clicked item is still there while its click is being handled.
  ASSERT_TRUE(third);
  EXPECT_EQ(recent_->actions()[2], third.data());

  Settle();
  EXPECT_FALSE(third);
  EXPECT_EQ(Captions(recent_),
            (QStringList{"&0 #C00002", "&1 #C00004", "&2 #C00003", "&3 #C00001", "&4 #C00000"}));
}

TEST_F(HistoryMenuTest, RealMouseClickAndAcceleratorInAnOpenMenu) {
  Activate(16);
  AddNumbered(5);
  QStringList chosen;
  menu_->SetOnHistorySelected([&](QObject*, const QString& t) { chosen << t; });

  recent_->popup(QPoint(10, 10));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(recent_));
  QAction* fourth = recent_->actions()[3];
  QTest::mouseClick(recent_, Qt::LeftButton, {}, recent_->actionGeometry(fourth).center());
  Settle();
  EXPECT_EQ(chosen, QStringList{"#C00001"});
  EXPECT_EQ(Captions(recent_)[0], "&0 #C00001");

  recent_->popup(QPoint(10, 10));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(recent_));
  QTest::keyClick(recent_, Qt::Key_4);  // "&4" is the accelerator of the last entry
  Settle();
  EXPECT_EQ(chosen, (QStringList{"#C00001", "#C00000"}));
  EXPECT_EQ(Captions(recent_)[0], "&0 #C00000");
  recent_->hide();
}

TEST_F(HistoryMenuTest, HistoryWrittenLastSurvivesTheMainWindowWrite) {
  WriteFileAtomic(path_,
                  "[Config]\r\nWebSafe=0\r\n[History]\r\nCount=3\r\nH0=#FF0000\r\nH2=#00FF00\r\n");
  TIniGT settings;
  settings.SetFileName(path_);
  Activate(16);
  EXPECT_EQ(Captions(recent_), (QStringList{"&0 #FF0000", "&1 BUG", "&2 #00FF00"}));
  menu_->AddHistory("#ff0000");  // same colour, other case: stays one entry
  menu_->AddHistory("#0000FF");
  menu_->AddHistory("#ff0000");
  EXPECT_EQ(Captions(recent_)[0], "&0 #FF0000");
  EXPECT_EQ(menu_->List().Count(), 4);

  // Shut-down: the main window writes its copy (with the History it read at
  // start), then the component writes its own section.
  settings.WriteBool("Config", "WebSafe", true);
  settings.UpdateFile();
  menu_.reset();

  const TIniFile ini(path_);
  EXPECT_TRUE(ini.ReadBool("Config", "WebSafe", false));
  EXPECT_EQ(ini.ReadInteger("History", "Count", 0), 4);
  EXPECT_EQ(ini.ReadString("History", "H0", ""), "#FF0000");
  EXPECT_EQ(ini.ReadString("History", "H1", ""), "#0000FF");
  EXPECT_EQ(ini.ReadString("History", "H2", ""), "BUG");
  EXPECT_EQ(ini.ReadString("History", "H3", ""), "#00FF00");
}

TEST_F(HistoryMenuTest, DestroyedTargetIsForgotten) {
  auto* sub = new QMenu("sub", edit_.get());
  edit_->addMenu(sub);
  menu_->SetTargetMenuItem(sub);
  menu_->SetActive(true);
  menu_->AddHistory("x");
  EXPECT_EQ(menu_->CreatedItems().size(), 1u);
  delete sub;
  EXPECT_EQ(menu_->TargetMenuItem(), nullptr);
  EXPECT_TRUE(menu_->CreatedItems().empty());
  menu_->AddHistory("y");  // nowhere to show it, but it is kept
  EXPECT_TRUE(menu_->CreatedItems().empty());
  menu_.reset();
  EXPECT_EQ(TIniFile(path_).ReadString("History", "H0", ""), "y");
}

TEST_F(HistoryMenuTest, FailedSavesAreReported) {
  auto& dialogs = dynamic_cast<testing::FakeDialogs&>(Dialogs());
  dialogs.log.clear();
  menu_->SetIniFileName(dir_ / "no/such/dir/tintorb.ini");
  Activate();
  menu_->AddHistory("x");
  EXPECT_THROW(menu_->SetActive(false), EFileWriteError);
  EXPECT_FALSE(menu_->Active());
  EXPECT_TRUE(recent_->actions().isEmpty());

  menu_->SetActive(true);
  menu_.reset();  // a destructor cannot throw: the failure is shown instead
  ASSERT_EQ(dialogs.Of("Error").size(), 1u);
  EXPECT_NE(dialogs.Of("Error")[0].find("no/such/dir"), std::string::npos);
}

}  // namespace
}  // namespace tintorb
