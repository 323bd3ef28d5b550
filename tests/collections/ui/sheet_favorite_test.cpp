// The favourites sheet driven like a user: mouse presses, drags and keys on
// the real controls, context-menu commands clicked in the shown menus.
#include "collections/ui/SheetFavorite.h"

#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QSplitter>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>
#include <filesystem>
#include <memory>

#include "collections/Favorites.h"
#include "collections/PaletteFiles.h"
#include "core/TextFile.h"
#include "support/Fakes.h"
#include "support/ui/FakeSheetHost.h"

namespace tintorb {
namespace {

using testing::FakeSheetHost;
using testing::ScopedFakes;
using testing::TempDir;

// Like the main window: a change is announced back to the sheet.
class Host : public FakeSheetHost {
 public:
  TColorSheetForm* sheet = nullptr;
  void NotifyFavoritesChanged() override {
    FakeSheetHost::NotifyFavoritesChanged();
    if (sheet) sheet->FavoritesChanged();
  }
};

std::vector<std::string> Rows(const TNamedColorList& list) {
  return list.Rows();
}

class FavoriteSheet : public ::testing::Test {
 protected:
  void SetUp() override { host.favorites = &favorites; }
  void TearDown() override {
    host.sheet = nullptr;
    sheet.reset();
  }

  void AddGroup(const std::string& name, std::vector<std::string> rows) {
    const int g = favorites.AddGroup(name);
    for (const auto& r : rows) favorites.Group(g).AddRow(r);
  }
  void AddFive() { AddGroup("five", {"000001,a", "000002,b", "000003,c", "000004,d", "000005,e"}); }
  void Make() {
    sheet = std::make_unique<TfrmFavorite>(host);
    host.sheet = sheet.get();
    sheet->resize(420, 240);
    sheet->show();
    QCoreApplication::processEvents();
  }

  QWidget* ListPort() const { return sheet->lstColors->viewport(); }
  QWidget* TreePort() const { return sheet->trvGroup->viewport(); }
  QPoint RowPos(int i) const { return sheet->lstColors->ItemRect(i).center(); }
  QPoint NodePos(int g) const {
    return sheet->trvGroup->visualItemRect(sheet->trvGroup->topLevelItem(g)).center();
  }
  // A point of the tree in the list's coordinates (the list keeps the mouse
  // while the button is down).
  QPoint TreeInList(QPoint treePos) const {
    return ListPort()->mapFromGlobal(TreePort()->mapToGlobal(treePos));
  }

  void StartDrag(int row) {
    QTest::mousePress(ListPort(), Qt::LeftButton, {}, RowPos(row));
    QTest::mouseMove(ListPort(), RowPos(row) + QPoint(0, 3));
    QTest::mouseMove(ListPort(), RowPos(row) + QPoint(0, 12));
  }
  void DragTo(int row, QPoint to, Qt::KeyboardModifiers mods = {}) {
    StartDrag(row);
    QTest::mouseMove(ListPort(), to);
    QTest::mouseRelease(ListPort(), Qt::LeftButton, mods, to);
  }

  // Opens the context menu of `port` at `pos` and clicks `action` in it.
  void MenuCommand(QWidget* port, QPoint pos, QMenu* menu, QAction* action) {
    QTest::mousePress(port, Qt::RightButton, {}, pos);
    QContextMenuEvent ev(QContextMenuEvent::Mouse, pos, port->mapToGlobal(pos));
    QCoreApplication::sendEvent(port, &ev);
    QTest::mouseRelease(port, Qt::RightButton, {}, pos);
    ASSERT_TRUE(menu->isVisible());
    const QRect r = menu->actionGeometry(action);
    ASSERT_TRUE(r.isValid());
    QTest::mouseMove(menu, r.center());
    QTest::mouseClick(menu, Qt::LeftButton, {}, r.center());
    QCoreApplication::processEvents();
    EXPECT_FALSE(menu->isVisible());
  }
  void ColorCommand(int row, QAction* action) {
    MenuCommand(ListPort(), RowPos(row), sheet->popColors, action);
  }
  void GroupCommand(int g, QAction* action) {
    MenuCommand(TreePort(), NodePos(g), sheet->popGroup, action);
  }

  ScopedFakes fakes;
  TFavorites favorites;
  Host host;
  std::unique_ptr<TfrmFavorite> sheet;
};

TEST_F(FavoriteSheet, DraggingARowReordersTheGroup) {
  AddFive();
  Make();
  TNamedColorList& g = favorites.Group(0);

  // Down: lands after the entry that was at the target, marker on its bottom edge.
  StartDrag(0);
  ASSERT_TRUE(sheet->lstColors->Dragging());
  QTest::mouseMove(ListPort(), RowPos(3));
  EXPECT_EQ(sheet->lstColors->DropMarkerRow(), 3);
  const QRect r3 = sheet->lstColors->ItemRect(3);
  EXPECT_EQ(sheet->lstColors->DropMarkerPos(), QPoint(r3.left() + 15, r3.bottom()));
  QTest::mouseRelease(ListPort(), Qt::LeftButton, {}, RowPos(3));
  EXPECT_EQ(Rows(g),
            (std::vector<std::string>{"000002,b", "000003,c", "000004,d", "000001,a", "000005,e"}));
  EXPECT_EQ(sheet->lstColors->ItemIndex(), 3);
  EXPECT_EQ(sheet->lstColors->DropMarkerRow(), -1);
  EXPECT_FALSE(sheet->lstColors->Dragging());
  EXPECT_EQ(host.favoritesChangedCalls, 1);

  // Up: lands before it, marker on its top edge.
  StartDrag(3);
  QTest::mouseMove(ListPort(), RowPos(0));
  const QRect r0 = sheet->lstColors->ItemRect(0);
  EXPECT_EQ(sheet->lstColors->DropMarkerPos(), QPoint(r0.left() + 15, r0.top() + 1));
  QTest::mouseRelease(ListPort(), Qt::LeftButton, {}, RowPos(0));
  EXPECT_EQ(Rows(g),
            (std::vector<std::string>{"000001,a", "000002,b", "000003,c", "000004,d", "000005,e"}));
  EXPECT_EQ(sheet->lstColors->ItemIndex(), 0);

  // Below the last row: to the end.
  const QPoint below(RowPos(0).x(), ListPort()->height() - 3);
  ASSERT_EQ(sheet->lstColors->ItemAtPos(below), -1);
  DragTo(1, below);
  EXPECT_EQ(Rows(g),
            (std::vector<std::string>{"000001,a", "000003,c", "000004,d", "000005,e", "000002,b"}));
  EXPECT_EQ(sheet->lstColors->ItemIndex(), 4);
  EXPECT_EQ(host.favoritesChangedCalls, 3);
}

TEST_F(FavoriteSheet, DropMarkerIsAnInvertedArrowThatLeavesNoTrace) {
  AddGroup("g", {"FFFFFF,w", "FFFFFF,w", "FFFFFF,w", "FFFFFF,w"});
  Make();
  const QImage before = ListPort()->grab().toImage();
  StartDrag(0);
  QTest::mouseMove(ListPort(), RowPos(2));
  const QPoint tip = sheet->lstColors->DropMarkerPos();
  const QImage during = ListPort()->grab().toImage();
  // Tip and the two back corners of the arrow are inverted; white turns black.
  for (QPoint p : {tip, tip + QPoint(-5, -5), tip + QPoint(-5, 5)})
    EXPECT_EQ(during.pixel(p) & 0xFFFFFF, ~before.pixel(p) & 0xFFFFFF) << p.x() << "," << p.y();
  // Escape ends the drag: nothing moved and the arrow is gone.
  QTest::keyClick(sheet->lstColors, Qt::Key_Escape);
  EXPECT_FALSE(sheet->lstColors->Dragging());
  EXPECT_EQ(sheet->lstColors->DropMarkerRow(), -1);
  QTest::mouseRelease(ListPort(), Qt::LeftButton, {}, RowPos(2));
  EXPECT_EQ(host.favoritesChangedCalls, 0);
  sheet->lstColors->SetItemIndex(-1);
  EXPECT_EQ(ListPort()->grab().toImage(), before);
}

TEST_F(FavoriteSheet, DroppingOnAnotherGroupMovesOrWithCtrlCopies) {
  AddGroup("src", {"FF0000,red", "00FF00,green, light", "0000FF,blue"});
  AddGroup("dst", {"FFFFFF,white"});
  Make();
  ASSERT_EQ(sheet->SelectedGroup(), 0);

  // Ctrl held at the drop: a copy.
  DragTo(1, TreeInList(NodePos(1)), Qt::ControlModifier);
  EXPECT_EQ(favorites.Group(0).Count(), 3);
  EXPECT_EQ(Rows(favorites.Group(1)),
            (std::vector<std::string>{"FFFFFF,white", "00FF00,green, light"}));
  EXPECT_EQ(sheet->SelectedGroup(), 0);
  EXPECT_EQ(host.favoritesChangedCalls, 1);

  // Without Ctrl: a move.
  DragTo(0, TreeInList(NodePos(1)));
  EXPECT_EQ(Rows(favorites.Group(0)),
            (std::vector<std::string>{"00FF00,green, light", "0000FF,blue"}));
  EXPECT_EQ(Rows(favorites.Group(1)).back(), "FF0000,red");
  EXPECT_EQ(sheet->SelectedGroup(), 0);
  EXPECT_EQ(sheet->lstColors->Count(), 2);
  EXPECT_EQ(host.favoritesChangedCalls, 2);

  // On its own group's node, or beside the nodes: nothing.
  DragTo(0, TreeInList(NodePos(0)));
  QPoint beside = NodePos(1) + QPoint(0, 60);
  ASSERT_EQ(sheet->trvGroup->itemAt(beside), nullptr);
  DragTo(0, TreeInList(beside));
  EXPECT_EQ(favorites.Group(0).Count(), 2);
  EXPECT_EQ(favorites.Group(1).Count(), 3);
  EXPECT_EQ(host.favoritesChangedCalls, 2);
  EXPECT_FALSE(sheet->lstColors->Dragging());
}

TEST_F(FavoriteSheet, ClicksAndArrowKeysWalkTheCurrentColour) {
  AddGroup("g", {"FF0000,red", "123456,odd", "00FF00,green"});
  Make();
  QTest::mouseClick(ListPort(), Qt::LeftButton, {}, RowPos(0));
  ASSERT_EQ(host.foreCalls.size(), 1u);
  EXPECT_EQ(host.foreCalls[0].sender, sheet.get());
  EXPECT_EQ(host.foreCalls[0].color, RGB(255, 0, 0));
  // The selected row is coloured across; others keep the white strip.
  const QImage img = ListPort()->grab().toImage();
  EXPECT_EQ(img.pixel(5, RowPos(0).y()) & 0xFFFFFF, 0xFF0000u);
  EXPECT_EQ(img.pixel(5, RowPos(1).y()) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_EQ(img.pixel(17, sheet->lstColors->ItemRect(1).top() + 1) & 0xFFFFFF, 0x123456u);

  host.webSafe = true;
  QTest::keyClick(sheet->lstColors, Qt::Key_Down);
  ASSERT_EQ(host.foreCalls.size(), 2u);
  EXPECT_EQ(host.foreCalls[1].color, RGB(0x00, 0x33, 0x66));  // 12 34 56 snapped
  QTest::keyClick(sheet->lstColors, Qt::Key_Down);
  EXPECT_EQ(host.foreCalls.back().color, RGB(0, 255, 0));
  // Typing does not move the selection.
  QTest::keyClicks(sheet->lstColors, "ar");
  EXPECT_EQ(sheet->lstColors->ItemIndex(), 2);
  EXPECT_EQ(host.foreCalls.size(), 3u);
  EXPECT_TRUE(host.backCalls.empty());
}

TEST_F(FavoriteSheet, AnyButtonSelectsWhatIsUnderThePointer) {
  AddGroup("one", {"FF0000,red", "00FF00,green"});
  AddGroup("two", {"0000FF,blue"});
  Make();
  // Right press on a row selects it without making it the current colour.
  QTest::mousePress(ListPort(), Qt::RightButton, {}, RowPos(1));
  QTest::mouseRelease(ListPort(), Qt::RightButton, {}, RowPos(1));
  EXPECT_EQ(sheet->lstColors->ItemIndex(), 1);
  EXPECT_TRUE(host.foreCalls.empty());
  // Over empty space no row is selected.
  QTest::mousePress(ListPort(), Qt::RightButton, {}, QPoint(30, ListPort()->height() - 2));
  EXPECT_EQ(sheet->lstColors->ItemIndex(), -1);
  // Right press on a node selects that group.
  QTest::mousePress(TreePort(), Qt::RightButton, {}, NodePos(1));
  QTest::mouseRelease(TreePort(), Qt::RightButton, {}, NodePos(1));
  EXPECT_EQ(sheet->SelectedGroup(), 1);
  EXPECT_EQ(sheet->lstColors->Count(), 1);
  // The double click renames (the box is cancelled here).
  QTest::mouseDClick(ListPort(), Qt::LeftButton, {}, RowPos(0));
  EXPECT_EQ(fakes.dialogs.inputPresets, (std::vector<std::string>{"blue"}));
}

TEST_F(FavoriteSheet, CloningAGroupPicksTheNextFreeNumber) {
  AddGroup("A", {"FF0000,red", "00FF00,green"});
  AddGroup("a1", {});
  Make();
  GroupCommand(0, sheet->mnuGroupClone);
  ASSERT_EQ(favorites.Count(), 3);
  EXPECT_EQ(favorites.GroupName(2), "A2");
  EXPECT_EQ(Rows(favorites.Group(2)), Rows(favorites.Group(0)));
  EXPECT_EQ(sheet->trvGroup->topLevelItemCount(), 3);
  EXPECT_EQ(sheet->trvGroup->topLevelItem(2)->text(0), "A2");
  EXPECT_EQ(sheet->SelectedGroup(), 0);
  EXPECT_EQ(host.favoritesChangedCalls, 1);
}

TEST_F(FavoriteSheet, RenamingAGroup) {
  AddGroup("Alpha", {});
  AddGroup("Beta", {});
  Make();
  // The unchanged name is taken by the group itself.
  fakes.dialogs.inputAnswers = {std::string("Alpha")};
  GroupCommand(0, sheet->actRenameGroup);
  EXPECT_EQ(fakes.dialogs.inputPresets.back(), "Alpha");
  EXPECT_EQ(fakes.dialogs.Of("Warning"), (std::vector<std::string>{kMsgGroupNameTaken}));
  EXPECT_EQ(favorites.GroupName(0), "Alpha");
  EXPECT_EQ(host.favoritesChangedCalls, 1);

  fakes.dialogs.inputAnswers = {std::string("Gamma")};
  GroupCommand(1, sheet->actRenameGroup);
  EXPECT_EQ(favorites.GroupName(1), "Gamma");
  EXPECT_EQ(sheet->trvGroup->topLevelItem(1)->text(0), "Gamma");
  EXPECT_EQ(sheet->trvGroup->topLevelItem(1)->toolTip(0), "Gamma");  // full name when cut
  EXPECT_EQ(sheet->SelectedGroup(), 1);

  // Cancel leaves everything alone.
  GroupCommand(1, sheet->actRenameGroup);
  EXPECT_EQ(favorites.GroupName(1), "Gamma");
  EXPECT_EQ(host.favoritesChangedCalls, 2);
}

TEST_F(FavoriteSheet, NamesTooLongForAFileAreRefusedWhereTheyAreEntered) {
  const std::string tooLong(248, 'x');  // 256 bytes with ".tintorb"
  AddGroup(std::string(247, 'x'), {"FF0000,red"});
  Make();
  // New group: the box comes back with the typed text; Cancel adds nothing.
  fakes.dialogs.inputAnswers = {tooLong, std::nullopt};
  GroupCommand(0, sheet->actNewGroup);
  EXPECT_EQ(fakes.dialogs.inputPresets, (std::vector<std::string>{"新しいグループ", tooLong}));
  // Rename: the name stays.
  fakes.dialogs.inputAnswers = {tooLong, std::nullopt};
  GroupCommand(0, sheet->actRenameGroup);
  EXPECT_EQ(fakes.dialogs.inputPresets.back(), tooLong);
  // Clone: the numbered name would not fit.
  GroupCommand(0, sheet->mnuGroupClone);
  EXPECT_EQ(fakes.dialogs.Of("Warning"), std::vector<std::string>(3, kMsgGroupNameTooLong));
  ASSERT_EQ(favorites.Count(), 1);
  EXPECT_EQ(favorites.GroupName(0), std::string(247, 'x'));
  EXPECT_EQ(sheet->trvGroup->topLevelItemCount(), 1);
}

TEST_F(FavoriteSheet, RemovingGroupsDownToNone) {
  AddGroup("one", {"FF0000,red"});
  AddGroup("two", {"00FF00,green"});
  Make();
  GroupCommand(1, sheet->actRemoveGroup);  // cancelled
  EXPECT_EQ(favorites.Count(), 2);
  EXPECT_EQ(fakes.dialogs.log.back(),
            "OkCancel: two グループを削除します。よろしいですか？\r"
            "グループに登録されている色も全て削除されます。");
  // The last group in the list goes: the selection falls back to 0.
  fakes.dialogs.okCancelAnswers = {true};
  GroupCommand(1, sheet->actRemoveGroup);
  ASSERT_EQ(favorites.Count(), 1);
  EXPECT_EQ(sheet->SelectedGroup(), 0);
  fakes.dialogs.okCancelAnswers = {true};
  GroupCommand(0, sheet->actRemoveGroup);
  EXPECT_EQ(favorites.Count(), 0);
  EXPECT_EQ(sheet->trvGroup->topLevelItemCount(), 0);
  EXPECT_EQ(sheet->lstColors->Count(), 0);
  EXPECT_EQ(host.favoritesChangedCalls, 2);

  // Now the colour commands and the exports do nothing at all.
  fakes.dialogs.log.clear();
  for (QAction* a : {sheet->actSetBack, sheet->mnuRename, sheet->mnuSetActiveColor, sheet->mnuClone,
                     sheet->actRemove, sheet->actSort, sheet->actSortName, sheet->actSortLightness,
                     sheet->actSortSaturation, sheet->actExportHTML, sheet->actExportACT,
                     sheet->actExportGPL, sheet->actExportASE, sheet->actExportCSS})
    ColorCommand(0, a);
  for (QAction* a : {sheet->mnuGroupClone, sheet->actRemoveGroup, sheet->actRenameGroup})
    MenuCommand(TreePort(), QPoint(20, 10), sheet->popGroup, a);
  EXPECT_TRUE(fakes.dialogs.log.empty());
  EXPECT_TRUE(fakes.dialogs.saveRequests.empty());
  EXPECT_EQ(host.favoritesChangedCalls, 2);

  // "新規グループ..." still works.
  fakes.dialogs.inputAnswers = {std::string("fresh")};
  MenuCommand(TreePort(), QPoint(20, 10), sheet->popGroup, sheet->actNewGroup);
  EXPECT_EQ(fakes.dialogs.log.back(), "InputBox: グループの新規作成 / グループ名を入力して下さい");
  EXPECT_EQ(fakes.dialogs.inputPresets.back(), "新しいグループ");
  ASSERT_EQ(favorites.Count(), 1);
  EXPECT_EQ(favorites.GroupName(0), "fresh");
  EXPECT_EQ(sheet->trvGroup->topLevelItemCount(), 1);
  EXPECT_EQ(sheet->SelectedGroup(), 0);
}

TEST_F(FavoriteSheet, CloningAColourPutsTheCopyFirstAndSelectsIt) {
  AddGroup("g", {"FF0000,red", "00FF00,green", "0000FF,blue"});
  Make();
  ColorCommand(1, sheet->mnuClone);
  EXPECT_EQ(Rows(favorites.Group(0)), (std::vector<std::string>{"FF0000,red", "00FF00,green",
                                                                "00FF00,green", "0000FF,blue"}));
  EXPECT_EQ(sheet->lstColors->ItemIndex(), 1);
  EXPECT_EQ(sheet->lstColors->Count(), 4);
  EXPECT_EQ(host.favoritesChangedCalls, 1);
  // The copy is what the next command acts on: removing it (Yes) leaves one.
  fakes.dialogs.yesNoAnswers = {true};
  ColorCommand(1, sheet->actRemove);
  EXPECT_EQ(fakes.dialogs.log.back(), "YesNo: green を削除します。よろしいですか？");
  EXPECT_EQ(Rows(favorites.Group(0)),
            (std::vector<std::string>{"FF0000,red", "00FF00,green", "0000FF,blue"}));
  // No keeps it.
  ColorCommand(2, sheet->actRemove);
  EXPECT_EQ(favorites.Group(0).Count(), 3);
  EXPECT_EQ(host.favoritesChangedCalls, 2);
}

TEST_F(FavoriteSheet, RenamingAndRecolouringAnEntry) {
  AddGroup("g", {"FF0000,red", "00FF00,green"});
  Make();
  fakes.dialogs.inputAnswers = {std::string("grass, fresh")};
  ColorCommand(1, sheet->mnuRename);
  EXPECT_EQ(fakes.dialogs.log.back(), "InputBox: 名前の変更 / 新しい名前を入力してください");
  EXPECT_EQ(fakes.dialogs.inputPresets.back(), "green");
  EXPECT_EQ(favorites.Group(0).Row(1), "00FF00,grass, fresh");

  host.fore = RGB(0x12, 0x34, 0x56);
  host.webSafe = true;                        // the current colour is handed out snapped
  ColorCommand(0, sheet->mnuSetActiveColor);  // cancelled
  EXPECT_EQ(fakes.dialogs.log.back(), "OkCancel: red を前景色に変更します。よろしいですか？");
  EXPECT_EQ(favorites.Group(0).Row(0), "FF0000,red");
  fakes.dialogs.okCancelAnswers = {true};
  ColorCommand(0, sheet->mnuSetActiveColor);
  EXPECT_EQ(favorites.Group(0).Row(0), "003366,red");
  EXPECT_EQ(sheet->lstColors->ItemIndex(), 0);
  EXPECT_EQ(host.favoritesChangedCalls, 2);

  // Background: web-safe snapped too.
  fakes.dialogs.log.clear();
  ColorCommand(1, sheet->actSetBack);
  ASSERT_EQ(host.backCalls.size(), 1u);
  EXPECT_EQ(host.backCalls[0].sender, sheet.get());
  EXPECT_EQ(host.backCalls[0].color, RGB(0, 255, 0));
  favorites.Group(0).Put(1, {"x", "123456"});
  ColorCommand(1, sheet->actSetBack);
  EXPECT_EQ(host.backCalls.back().color, RGB(0x00, 0x33, 0x66));
  EXPECT_TRUE(host.foreCalls.empty());
}

TEST_F(FavoriteSheet, SortCommandsUseTheirKinds) {
  AddGroup("g", {"808080,b grey", "CC6666,c rose", "FF0000,a red", "FFFFFF,d white"});
  Make();
  auto names = [&] {
    std::vector<std::string> out;
    for (int i = 0; i < favorites.Group(0).Count(); ++i)
      out.push_back(favorites.Group(0).GetColor(i).Name);
    return out;
  };
  ColorCommand(0, sheet->actSortName);
  EXPECT_EQ(names(), (std::vector<std::string>{"a red", "b grey", "c rose", "d white"}));
  ColorCommand(0, sheet->actSort);
  EXPECT_EQ(names(), (std::vector<std::string>{"b grey", "c rose", "a red", "d white"}));
  ColorCommand(0, sheet->actSortSaturation);
  EXPECT_EQ(names().front(), "a red");
  ColorCommand(0, sheet->actSortLightness);
  EXPECT_EQ(names().front(), "d white");
  EXPECT_EQ(host.favoritesChangedCalls, 4);
}

TEST_F(FavoriteSheet, ExportsGoThroughTheSaveDialog) {
  TempDir dir;
  AddGroup("Reds", {"FF0000,赤"});
  Make();
  host.previewText = "Sample";
  host.back = RGB(0, 0, 0);
  fakes.dialogs.saveAnswers = {dir / "reds.html"};
  ColorCommand(0, sheet->actExportHTML);
  ASSERT_EQ(fakes.dialogs.saveRequests.size(), 1u);
  EXPECT_EQ(fakes.dialogs.saveRequests[0].defaultExt, "html");
  EXPECT_EQ(fakes.dialogs.saveRequests[0].filter, "HTML|*.html;*.htm|すべてのファイル|*.*");
  EXPECT_TRUE(fakes.dialogs.saveRequests[0].overwritePrompt);
  const std::string html = DecodeTextFile(ReadFileBytes(dir / "reds.html").value_or(""));
  EXPECT_NE(html.find("<title>Reds</title>"), std::string::npos);
  EXPECT_NE(
      html.find("<td bgcolor=\"#000000\" align=\"center\"><font color=\"FF0000\">Sample</td>"),
      std::string::npos);

  fakes.dialogs.saveAnswers = {dir / "reds.act"};
  ColorCommand(0, sheet->actExportACT);
  ASSERT_EQ(fakes.dialogs.saveRequests.size(), 2u);
  EXPECT_EQ(fakes.dialogs.saveRequests[1].defaultExt, "act");
  EXPECT_EQ(fakes.dialogs.saveRequests[1].filter,
            "Adobe Color Table File|*.act|すべてのファイル|*.*");
  // The dialog remembers the name, with the extension of this export.
  EXPECT_EQ(fakes.dialogs.saveRequests[1].fileName, dir / "reds.act");
  EXPECT_EQ(ReadFileBytes(dir / "reds.act").value_or("").size(), 772u);

  // Too many colours for ACT: the error, and no file.
  for (int i = 0; i < 256; ++i) favorites.Group(0).Add("000000", "");
  fakes.dialogs.saveAnswers = {dir / "big.act"};
  ColorCommand(0, sheet->actExportACT);
  EXPECT_EQ(fakes.dialogs.Of("Error"), (std::vector<std::string>{kMsgActTooManyColors}));
  EXPECT_FALSE(std::filesystem::exists(dir / "big.act"));
  // Cancelled dialog: nothing written, nothing shown.
  ColorCommand(0, sheet->actExportHTML);
  EXPECT_EQ(fakes.dialogs.saveRequests.back().fileName, dir / "big.html");
  EXPECT_EQ(fakes.dialogs.Of("Error").size(), 1u);
}

TEST_F(FavoriteSheet, PaletteFilesComeInThroughTheMenuAndByDropping) {
  TempDir dir;
  AddGroup("Web", {"000000,black"});
  Make();
  WriteFileAtomic(dir / "web.gpl", "GIMP Palette\nName: web\n255 0 0\t赤\n");
  WriteFileAtomic(dir / "bad.ase", "ASEF");
  fakes.dialogs.openAnswers = {{dir / "web.gpl", dir / "bad.ase"}};
  GroupCommand(0, sheet->actImport);
  EXPECT_EQ(fakes.dialogs.Of("OpenFiles"),
            (std::vector<std::string>{
                "パレット|*.gpl;*.ase;*.act|GIMP Palette|*.gpl|Adobe Swatch Exchange|*.ase|"
                "Adobe Color Table File|*.act|すべてのファイル|*.*"}));
  ASSERT_EQ(favorites.Count(), 2);
  EXPECT_EQ(favorites.GroupName(1), "web1");
  EXPECT_EQ(Rows(favorites.Group(1)), (std::vector<std::string>{"FF0000,赤"}));
  EXPECT_EQ(sheet->SelectedGroup(), 1);  // the new group is shown
  ASSERT_EQ(fakes.dialogs.Of("Error").size(), 1u);
  EXPECT_NE(fakes.dialogs.Of("Error")[0].find(dir / "bad.ase" + ": バイト 4"), std::string::npos);
  EXPECT_EQ(host.favoritesChangedCalls, 1);

  // Dropped from a file manager onto the tree.
  std::vector<TPaletteGroup> groups(1);
  groups[0].name = "Swatches";
  groups[0].colors.Add("00FF00", "g");
  WriteFileAtomic(dir / "s.ase", AseBytes(groups));
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(dir / "s.ase"))});
  QDragEnterEvent enter(NodePos(0), Qt::CopyAction, &mime, Qt::LeftButton, {});
  QCoreApplication::sendEvent(TreePort(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(NodePos(0)), Qt::CopyAction, &mime, Qt::LeftButton, {});
  QCoreApplication::sendEvent(TreePort(), &drop);
  ASSERT_EQ(favorites.Count(), 3);
  EXPECT_EQ(favorites.GroupName(2), "Swatches");
  EXPECT_EQ(sheet->trvGroup->topLevelItemCount(), 3);
}

TEST_F(FavoriteSheet, PaletteExportsWriteTheSelectedGroup) {
  TempDir dir;
  AddGroup("Reds", {"FF0000,赤"});
  Make();
  const struct {
    QAction* action;
    std::string ext, bytes;
  } cases[] = {
      {sheet->actExportGPL, "gpl", GplBytes("Reds", favorites.Group(0))},
      {sheet->actExportASE, "ase", AseBytes({{"Reds", favorites.Group(0)}})},
      {sheet->actExportCSS, "css", CssVariablesText("Reds", favorites.Group(0))},
  };
  // Each export proposes the last name with its own extension.
  fakes.dialogs.saveAnswers = {dir / "reds.html"};
  ColorCommand(0, sheet->actExportHTML);
  for (const auto& c : cases) {
    fakes.dialogs.saveAnswers = {dir / ("reds." + c.ext)};
    ColorCommand(0, c.action);
    EXPECT_EQ(fakes.dialogs.saveRequests.back().defaultExt, c.ext);
    EXPECT_EQ(fakes.dialogs.saveRequests.back().fileName, dir / ("reds." + c.ext));
    EXPECT_EQ(ReadFileBytes(dir / ("reds." + c.ext)).value_or(""), c.bytes) << c.ext;
  }
}

TEST_F(FavoriteSheet, UnreadableRowsAreShownAndRefusedWithTheMessage) {
  AddGroup("g", {"FF0000,red", "no comma here", "GGHHII,bad code"});
  Make();
  // Painting does not fail; the raw text is grey on white.
  const QImage img = ListPort()->grab().toImage();
  EXPECT_EQ(img.pixel(5, RowPos(1).y()) & 0xFFFFFF, 0xFFFFFFu);
  QTest::mouseClick(ListPort(), Qt::LeftButton, {}, RowPos(1));
  EXPECT_EQ(fakes.dialogs.Of("Error"), (std::vector<std::string>{kMsgGetColorError}));
  EXPECT_TRUE(host.foreCalls.empty());
  QTest::mouseClick(ListPort(), Qt::LeftButton, {}, RowPos(2));
  EXPECT_EQ(fakes.dialogs.Of("Error").size(), 2u);
  ColorCommand(1, sheet->mnuClone);
  EXPECT_EQ(fakes.dialogs.Of("Error").size(), 3u);
  EXPECT_EQ(favorites.Group(0).Count(), 3);
  // Dragging it to another group is refused the same way, nothing lost.
  AddGroup("other", {});
  sheet->RebuildGroupTree();
  DragTo(1, TreeInList(NodePos(1)));
  EXPECT_EQ(favorites.Group(0).Count(), 3);
  EXPECT_EQ(favorites.Group(1).Count(), 0);
}

TEST_F(FavoriteSheet, SettingsPickTheGroupAndTheTreeWidth) {
  AddGroup("one", {});
  AddGroup("two", {"FF0000,red"});
  AddGroup("three", {});
  host.settings.WriteInteger("Config", "FavoriteIndex", 1);
  host.settings.WriteInteger("Favorite", "GroupWidth", 130);
  Make();
  EXPECT_EQ(sheet->SelectedGroup(), 1);
  EXPECT_EQ(sheet->lstColors->Count(), 1);
  EXPECT_EQ(sheet->trvGroup->width(), 130);
  // The splitter moved by hand is what is stored.
  sheet->Splitter1->setSizes({150, 270});
  emit sheet->Splitter1->splitterMoved(150, 1);
  QTest::mouseClick(TreePort(), Qt::LeftButton, {}, NodePos(2));
  sheet.reset();
  EXPECT_EQ(host.settings.ReadInteger("Config", "FavoriteIndex", 99), 2);
  EXPECT_EQ(host.settings.ReadInteger("Favorite", "GroupWidth", 0), 150);

  // An index beyond the last group selects group 0.
  host.settings.WriteInteger("Config", "FavoriteIndex", 3);
  Make();
  EXPECT_EQ(sheet->SelectedGroup(), 0);
  // None selected is stored as -1; a width never laid out is kept as read.
  favorites.Clear();
  sheet->RebuildGroupTree();
  sheet->hide();
  sheet.reset();
  EXPECT_EQ(host.settings.ReadInteger("Config", "FavoriteIndex", 99), -1);

  // Defaults: width 80, group 0.
  host.settings.IniFile().EraseSection("Favorite");
  host.settings.IniFile().EraseSection("Config");
  AddGroup("x", {});
  AddGroup("y", {});
  Make();
  EXPECT_EQ(sheet->SelectedGroup(), 0);
  EXPECT_EQ(sheet->trvGroup->width(), 80);
}

TEST_F(FavoriteSheet, AnotherViewsChangeRebuildsTheTreeKeepingTheSelection) {
  AddGroup("one", {"FF0000,red", "00FF00,green"});
  AddGroup("two", {"0000FF,blue"});
  Make();
  QTest::mouseClick(ListPort(), Qt::LeftButton, {}, RowPos(1));
  favorites.Group(0).Add("FFFFFF", "white");
  favorites.AddGroup("three");
  sheet->FavoritesChanged();
  EXPECT_EQ(sheet->trvGroup->topLevelItemCount(), 3);
  EXPECT_EQ(sheet->SelectedGroup(), 0);
  EXPECT_EQ(sheet->lstColors->Count(), 3);
  EXPECT_EQ(sheet->lstColors->ItemIndex(), 1);
  // A different group starts without a selected row.
  QTest::mouseClick(TreePort(), Qt::LeftButton, {}, NodePos(1));
  EXPECT_EQ(sheet->lstColors->Count(), 1);
  EXPECT_EQ(sheet->lstColors->ItemIndex(), -1);
}

}  // namespace
}  // namespace tintorb
