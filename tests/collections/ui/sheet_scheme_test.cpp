// The scheme sheet driven with real mouse and key events against a fake main
// window and the fake dialogs.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>

#include "collections/Favorites.h"
#include "collections/ui/SheetScheme.h"
#include "core/TextFile.h"
#include "support/Fakes.h"
#include "support/ui/FakeSheetHost.h"

namespace tintorb {
namespace {

using testing::FakeDialogs;
using testing::FakeSheetHost;
using testing::TempDir;

FakeDialogs& Fake() {
  return static_cast<FakeDialogs&>(Dialogs());
}

class SchemeSheet : public ::testing::Test {
 protected:
  void SetUp() override {
    Fake() = FakeDialogs();
    host.fore = clBlack;
    host.back = clWhite;
    sheet = std::make_unique<TfrmScheme>(host);
    sheet->resize(260, 240);
    sheet->show();
    QApplication::processEvents();
  }
  // Runs a counted template through its menu action, answering the prompt.
  void Counted(TSchemeTemplate t, std::optional<std::string> answer) {
    Fake().inputAnswers.push_back(answer);
    sheet->TemplateAction(t)->trigger();
  }
  std::vector<TColor> Colors() {
    std::vector<TColor> out;
    for (int i = 0; i < sheet->Scheme().Count(); ++i) out.push_back(sheet->Scheme().Items(i).Color);
    return out;
  }
  QPoint RowCenter(int row) { return sheet->ListBox1->ItemRect(row).center(); }
  QRgb PaintedSwatch(int row) {
    const QImage img = sheet->ListBox1->viewport()->grab().toImage();
    const QRect r = sheet->ListBox1->ItemRect(row);
    return img.pixel(r.right() - 3, r.top() + 3) & 0xFFFFFF;
  }

  FakeSheetHost host;
  std::unique_ptr<TfrmScheme> sheet;
};

TEST_F(SchemeSheet, MenuHoldsEveryActionInOrder) {
  QStringList captions;
  for (QAction* a : sheet->PopupMenu1->actions())
    captions << (a->isSeparator() ? QString("-") : a->text());
  EXPECT_EQ(captions.join("|").toStdString(),
            "更新(&U)|-|ダイアード（２色配色）|トリアード（３色配色）|"
            "スプリット・コンプリメンタリー（３色配色）|テトラード（４色配色）|"
            "テトラード長方形（４色配色）|ペンタード（５色配色）|ヘキサード（６色配色）|-|"
            "色相ランダム|彩度・明度ランダム|-|色相のグラデーション|彩度のグラデーション（鈍く）|"
            "彩度のグラデーション（鮮やかに）|明度のグラデーション（明るく）|"
            "明度のグラデーション（暗く）|前景色から背景色へ|-|お気に入りに登録(&F)|"
            "HTMLに書き出し(&H)...|ACTに書き出し(&A)...|-|色覚で見分けにくい組...");
  EXPECT_EQ(sheet->actRefresh->shortcut(), QKeySequence(Qt::Key_F5));
  EXPECT_EQ(sheet->ListBox1->Count(), 0);  // empty until a template is chosen
}

TEST_F(SchemeSheet, CountPromptAndItsRefusals) {
  Counted(TSchemeTemplate::GradSaturation, std::string("5"));
  ASSERT_EQ(Fake().log.size(), 1u);
  EXPECT_EQ(Fake().log[0], "InputBox: 彩度のグラデーション（鮮やかに） / 何色作成しますか？");
  EXPECT_EQ(Fake().inputPresets.back(), "8");
  EXPECT_EQ(sheet->ListBox1->Count(), 5);
  const auto before = Colors();

  // Cancel, garbage, zero and negatives leave the list as it is, silently.
  for (std::optional<std::string> a :
       {std::optional<std::string>(), std::optional<std::string>("abc"),
        std::optional<std::string>("0"), std::optional<std::string>("-4")}) {
    Counted(TSchemeTemplate::ForeToBack, a);
    EXPECT_EQ(sheet->ListBox1->Count(), 5);
    EXPECT_EQ(Colors(), before);
  }
  EXPECT_TRUE(Fake().Of("Warning").empty());

  // Above the cap: a warning naming it, and still nothing changes.
  Counted(TSchemeTemplate::ForeToBack, std::string("4097"));
  Counted(TSchemeTemplate::ForeToBack, std::string("100000000000"));
  EXPECT_EQ(Fake().Of("Warning"), (std::vector<std::string>(2, kMsgSchemeCountTooLarge)));
  EXPECT_EQ(sheet->ListBox1->Count(), 5);

  // The prompt titles follow the action.
  Counted(TSchemeTemplate::GradValueDark, std::nullopt);
  EXPECT_EQ(Fake().log.back(), "InputBox: 明度のグラデーション（暗く） / 何色作成しますか？");
}

TEST_F(SchemeSheet, BackgroundChangeWaitsForF5) {
  Counted(TSchemeTemplate::ForeToBack, std::string("3"));
  EXPECT_EQ(Colors(), (std::vector<TColor>{clBlack, RGB(128, 128, 128), clWhite}));
  EXPECT_EQ(PaintedSwatch(1), 0x808080u);

  host.back = RGB(0, 0, 254);
  sheet->ColorChanged(1);
  sheet->ColorChanged(2);
  EXPECT_EQ(Colors()[2], clWhite);

  sheet->ListBox1->setFocus();
  QTest::keyClick(sheet->ListBox1, Qt::Key_F5);
  EXPECT_EQ(Colors(), (std::vector<TColor>{clBlack, RGB(0, 0, 127), RGB(0, 0, 254)}));
  EXPECT_EQ(PaintedSwatch(2), qRgb(0, 0, 254) & 0xFFFFFF);

  // A foreground change from the main window recalculates at once.
  host.fore = RGB(254, 0, 0);
  sheet->ColorChanged(0);
  EXPECT_EQ(Colors()[0], RGB(254, 0, 0));
  EXPECT_EQ(Colors()[1], RGB(127, 0, 127));
  EXPECT_TRUE(host.foreCalls.empty());
}

TEST_F(SchemeSheet, WebSafeListShowsUnsnappedButClickSetsSnapped) {
  host.webSafe = true;
  host.fore = RGB(10, 10, 10);  // snapped to black by GetForeColor
  Counted(TSchemeTemplate::ForeToBack, std::string("3"));
  EXPECT_EQ(Colors()[0], clBlack);
  EXPECT_EQ(Colors()[1], RGB(128, 128, 128));
  EXPECT_EQ(PaintedSwatch(1), 0x808080u);

  QTest::mouseClick(sheet->ListBox1->viewport(), Qt::LeftButton, {}, RowCenter(1));
  ASSERT_EQ(host.foreCalls.size(), 1u);
  EXPECT_EQ(host.foreCalls[0].sender, sheet.get());
  EXPECT_EQ(host.foreCalls[0].color, RGB(153, 153, 153));
  EXPECT_EQ(sheet->ListBox1->ItemIndex(), 1);
  // No echo: the list keeps its colours after its own click.
  EXPECT_EQ(Colors()[1], RGB(128, 128, 128));

  // The arrow keys walk the foreground colour through the list.
  QTest::keyClick(sheet->ListBox1, Qt::Key_Down);
  ASSERT_EQ(host.foreCalls.size(), 2u);
  EXPECT_EQ(host.foreCalls[1].color, clWhite);
  QTest::keyClick(sheet->ListBox1, Qt::Key_Down);  // already the last row
  EXPECT_EQ(host.foreCalls.size(), 2u);
  QTest::keyClick(sheet->ListBox1, Qt::Key_Home);
  EXPECT_EQ(host.foreCalls.back().color, clBlack);

  // A right press selects nothing and sets nothing.
  QTest::mouseClick(sheet->ListBox1->viewport(), Qt::RightButton, {}, RowCenter(2));
  EXPECT_EQ(host.foreCalls.size(), 3u);
  EXPECT_EQ(sheet->ListBox1->ItemIndex(), 0);
}

TEST_F(SchemeSheet, FixedTemplatesFillTheListAtOnce) {
  host.fore = RGB(200, 100, 50);
  sheet->TemplateAction(TSchemeTemplate::Pentards)->trigger();
  EXPECT_TRUE(Fake().log.empty());
  ASSERT_EQ(sheet->ListBox1->Count(), 5);
  EXPECT_EQ(Colors()[1], clWhite);
  EXPECT_EQ(Colors()[3], clBlack);
  EXPECT_EQ(PaintedSwatch(3), 0x000000u);
  sheet->TemplateAction(TSchemeTemplate::Hexards)->trigger();
  EXPECT_EQ(sheet->ListBox1->Count(), 6);
}

TEST_F(SchemeSheet, RegistersTheListAsAFavouritesGroup) {
  TFavorites store;
  store.AddGroup("既存");
  host.favorites = &store;
  Counted(TSchemeTemplate::ForeToBack, std::string("3"));

  Fake().inputAnswers.push_back(std::string("既存"));
  sheet->actMakeFavoriteGroup->trigger();
  EXPECT_EQ(Fake().log.back(), std::string("Warning: ") + kMsgGroupNameTaken);
  EXPECT_EQ(store.Count(), 1);
  EXPECT_EQ(host.favoritesChangedCalls, 0);

  Fake().inputAnswers.push_back(std::nullopt);
  sheet->actMakeFavoriteGroup->trigger();
  EXPECT_EQ(store.Count(), 1);

  // A name too long for a file: the warning, and the box again.
  Fake().inputAnswers = {std::string(300, 'x'), std::nullopt};
  sheet->actMakeFavoriteGroup->trigger();
  EXPECT_EQ(Fake().Of("Warning").back(), kMsgGroupNameTooLong);
  EXPECT_EQ(Fake().inputPresets.back(), std::string(300, 'x'));
  EXPECT_EQ(store.Count(), 1);

  Fake().inputAnswers.push_back(std::string("グラデ"));
  sheet->actMakeFavoriteGroup->trigger();
  EXPECT_EQ(Fake().log.back(), "InputBox: グループの新規作成 / グループ名を入力して下さい");
  EXPECT_EQ(Fake().inputPresets.back(), "新しいグループ");
  ASSERT_EQ(store.Count(), 2);
  EXPECT_EQ(store.GroupName(1), "グラデ");
  EXPECT_EQ(store.Group(1).Rows(), (std::vector<std::string>{"000000,", "808080,", "FFFFFF,"}));
  EXPECT_EQ(host.favoritesChangedCalls, 1);
}

TEST_F(SchemeSheet, ExportsGoThroughATemporaryList) {
  TempDir dir;
  host.back = RGB(0, 0, 255);
  Counted(TSchemeTemplate::ForeToBack, std::string("2"));
  host.previewText = "見本";

  Fake().saveAnswers.push_back(dir / "s.html");
  sheet->actExportHTML->trigger();
  ASSERT_EQ(Fake().saveRequests.size(), 1u);
  EXPECT_EQ(Fake().saveRequests[0].defaultExt, "html");
  EXPECT_EQ(Fake().saveRequests[0].filter, "HTML|*.html;*.htm|すべてのファイル|*.*");
  TNamedColorList expected;
  expected.Add("000000", "");
  expected.Add("0000FF", "");
  THTMLTableOptions o;
  o.SampleText = "見本";
  o.SampleBackColor = RGB(0, 0, 255);
  o.FileName = dir / "expected.html";
  expected.SaveToHTML(o);
  EXPECT_EQ(ReadFileBytes(dir / "s.html"), ReadFileBytes(dir / "expected.html"));
  EXPECT_EQ(ReadFileBytes(dir / "s.html")->find("<title>"), std::string::npos);

  Fake().saveAnswers.push_back(dir / "s.act");
  sheet->actExportACT->trigger();
  EXPECT_EQ(Fake().saveRequests[1].defaultExt, "act");
  EXPECT_EQ(Fake().saveRequests[1].filter, "Adobe Color Table File|*.act|すべてのファイル|*.*");
  EXPECT_EQ(Fake().saveRequests[1].fileName, dir / "s.act");  // not the last "s.html"
  EXPECT_EQ(ReadFileBytes(dir / "s.act"), expected.ACTBytes());

  // Cancelled dialog: nothing written.
  sheet->actExportACT->trigger();
  EXPECT_FALSE(ReadFileBytes(dir / "none.act"));

  // More than 256 colours: the store's error, and no file.
  Counted(TSchemeTemplate::GradHue, std::string("257"));
  Fake().saveAnswers.push_back(dir / "big.act");
  sheet->actExportACT->trigger();
  EXPECT_EQ(Fake().Of("Error"), (std::vector<std::string>{kMsgActTooManyColors}));
  EXPECT_FALSE(ReadFileBytes(dir / "big.act"));

  // An unwritable place is reported, not thrown through the event loop.
  Fake().saveAnswers.push_back(dir / "missing/dir/s.html");
  sheet->actExportHTML->trigger();
  EXPECT_EQ(Fake().Of("Error").size(), 2u);
}

}  // namespace
}  // namespace tintorb
