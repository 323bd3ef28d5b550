// The main window with recording test sheets: the colour of record, the sheet
// protocol, the colour well, the screen pick, the swatches and the settings
// that closing writes. Driven with real mouse and key events.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QSystemTrayIcon>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/HistoryList.h"
#include "app/IniFile.h"
#include "app/ui/AboutBox.h"
#include "app/ui/AppStyle.h"
#include "app/ui/CanvasLink.h"
#include "app/ui/ColorWell.h"
#include "app/ui/CssCommands.h"
#include "app/ui/HistMenu.h"
#include "app/ui/MainForm.h"
#include "collections/Favorites.h"
#include "core/ProgramDir.h"
#include "core/TextFile.h"
#include "support/Fakes.h"

namespace tintorb {
namespace {

using testing::FakeDesktop;
using testing::FakeDialogs;
using testing::ScopedFakes;
using testing::TempDir;

using Log = std::vector<std::string>;

std::string S(const QString& q) {
  return q.toStdString();
}

// A sheet that records every call the main window makes on it.
class TRecordingSheet : public TColorSheetForm {
 public:
  TRecordingSheet(TSheetHost& host, const QString& caption, Log& log)
      : TColorSheetForm(host, caption), log_(log) {
    edit = new QLineEdit(this);
  }
  ~TRecordingSheet() override {
    log_.push_back(S(Caption()) + " destroyed");
    Host().GetSettingsFile().WriteString("TestSheets", S(Caption()), "stored");
  }
  void ColorChanged(int kind) override {
    log_.push_back(S(Caption()) + " ColorChanged " + std::to_string(kind));
    seenFore = GetForeColor();
  }
  void WebSafeChanged() override { log_.push_back(S(Caption()) + " WebSafeChanged"); }
  void FavoritesChanged() override { log_.push_back(S(Caption()) + " FavoritesChanged"); }
  bool SheetMouseWheel(QWheelEvent*) override {
    log_.push_back(S(Caption()) + " wheel");
    return true;
  }
  void Pick(TColor c) { SetForeColor(c); }
  void PickBack(TColor c) { SetBackColor(c); }

  QLineEdit* edit;
  TColor seenFore = -1;

 private:
  Log& log_;
};

class TRecordingPreviewSheet : public TColorSheetPreviewForm {
 public:
  TRecordingPreviewSheet(TSheetHost& host, const QString& caption, Log& log)
      : TColorSheetPreviewForm(host, caption), log_(log) {}
  void ColorChanged(int kind) override {
    log_.push_back(S(Caption()) + " ColorChanged " + std::to_string(kind));
  }
  void PreviewTextChanged(const QString& text) override {
    log_.push_back(S(Caption()) + " PreviewTextChanged " + S(text));
  }

 private:
  Log& log_;
};

class TRecordingCanvas : public TCanvasLink {
 public:
  explicit TRecordingCanvas(Log& log) : log_(log) {}
  ~TRecordingCanvas() override { log_.push_back("canvas destroyed"); }
  QWidget* CanvasWindow() override { return &window; }
  void ApplyCurrentColor() override { log_.push_back("canvas ApplyCurrentColor"); }
  QWidget window;

 private:
  Log& log_;
};

// Creation order of the program's ten sheets.
const char* const kCreationCaptions[] = {"RGB/CMYK", "HSV",          "HLS",      "YUV",
                                         "HTML",     "パレット",     "スキーム", "お気に入り",
                                         "フォント", "iモード絵文字"};

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TINTORB_HOME", dir.path().c_str(), 1);
    ResetProgramDirForTests();
  }
  void TearDown() override {
    form.reset();
    unsetenv("TINTORB_HOME");
    ResetProgramDirForTests();
  }

  std::string IniPath() const { return DefaultIniPath(); }
  void WriteIni(const std::string& text) { WriteFileAtomic(IniPath(), EncodeTextFile(text)); }
  std::string ReadIni() const {
    auto bytes = ReadFileBytes(IniPath());
    return bytes ? DecodeTextFile(*bytes) : std::string();
  }

  // The main window with the ten recording sheets (the font sheet a preview
  // sheet), built as the program builds it.
  void Open(bool withSheets = true) {
    form = std::make_unique<TForm1>();
    auto canvasPtr = std::make_unique<TRecordingCanvas>(log);
    canvas = canvasPtr.get();
    form->SetCanvas(std::move(canvasPtr));
    std::vector<std::unique_ptr<TColorSheetForm>> created;
    if (withSheets) {
      for (const char* c : kCreationCaptions) {
        if (std::string(c) == "フォント")
          created.push_back(
              std::make_unique<TRecordingPreviewSheet>(*form, QString::fromUtf8(c), log));
        else
          created.push_back(std::make_unique<TRecordingSheet>(*form, QString::fromUtf8(c), log));
      }
    }
    form->BuildSheets(std::move(created));
  }
  void ShowForm() {
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }
  TRecordingSheet* Page(int i) { return dynamic_cast<TRecordingSheet*>(form->Sheets()[i]); }
  Log Take() {
    Log out;
    out.swap(log);
    return out;
  }
  std::string Caption() const { return S(form->windowTitle()); }

  TempDir dir;
  ScopedFakes fakes;
  Log log;
  std::unique_ptr<TForm1> form;
  TRecordingCanvas* canvas = nullptr;
};

// ---------------------------------------------------------------------------

TEST_F(MainFormTest, FreshStartShowsBlackOnWhiteWithDefaultOptions) {
  Open();
  ShowForm();
  EXPECT_EQ(form->CurrentColor(), 0);
  EXPECT_EQ(form->GetBackColor(), 0xFFFFFF);
  EXPECT_EQ(form->UndoColor(), 0);
  EXPECT_EQ(Caption(), "Tintorb [\"#000000\"]");
  EXPECT_EQ(S(form->ApplicationTitle()), "Tintorb [000000]");
  EXPECT_TRUE(form->actAddSharp->isChecked());
  EXPECT_TRUE(form->actAddQuotation->isChecked());
  EXPECT_FALSE(form->actLowerCase->isChecked());
  EXPECT_FALSE(form->actAddColorTag->isChecked());
  EXPECT_FALSE(form->IsWebSafe());
  EXPECT_EQ(S(form->memPreview->toPlainText()), "だってTintorbなんだもん！");
  EXPECT_TRUE(form->pnlPreview->isVisible());
  // A whole line of the preview shows; at the least width every control does.
  QPlainTextEdit* memo = form->memPreview;
  EXPECT_LT(memo->cursorRect(QTextCursor(memo->document())).bottom(), memo->viewport()->height());
  form->resize(1, form->height());
  QApplication::processEvents();
  for (QWidget* w : form->Panel1->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    EXPECT_LE(w->x() + w->width(), form->Panel1->width()) << S(w->metaObject()->className());
  EXPECT_EQ(form->ActivePage(), 0);
  EXPECT_EQ(S(form->lblWebSafe->text()), "000000");
  for (const auto& s : form->Swatches()) EXPECT_EQ(s, "000000");
}

TEST_F(MainFormTest, EveryMenuHoldsItsCommandsInOrder) {
  Open(false);
  auto captions = [](QMenu* m) {
    std::vector<std::string> out;
    for (QAction* a : m->actions()) out.push_back(a->isSeparator() ? "-" : S(a->text()));
    return out;
  };
  const QList<QAction*> top = form->menuBar()->actions();
  ASSERT_EQ(top.size(), 6);
  EXPECT_EQ(S(top[0]->text()), "ファイル(&F)");
  EXPECT_EQ(S(top[1]->text()), "編集(&E)");
  EXPECT_EQ(S(top[2]->text()), "タグ(&T)");
  EXPECT_EQ(S(top[3]->text()), "CSS(&S)");
  EXPECT_EQ(S(top[4]->text()), "プログラミング(&P)");
  EXPECT_EQ(S(top[5]->text()), "設定(&C)");
  EXPECT_EQ(captions(form->mnuFile),
            (std::vector<std::string>{"キャンバスの表示(&C)", "画像から色を取る(&G)...",
                                      "画像から配色を作る(&M)...", "-", "ヘルプ(&H)",
                                      "バージョン情報(&A)...", "-", "終了(&X)"}));
  EXPECT_EQ(
      captions(form->mnuEdit),
      (std::vector<std::string>{"元に戻す(&U)", "-", "コピー(&C)", "最近コピーした色(&E)",
                                "貼り付け(&P)", "-", "色の反転(&I)", "コントラストを満たす色(&K)",
                                "色覚チェック(&V)...", "-", "ランダム(&R)"}));
  EXPECT_EQ(captions(form->N3),
            (std::vector<std::string>{"<&FONT>", "<&HR>", "<&TABLE>", "<T&R>", "<T&H>", "<T&D>",
                                      "&color:", "actTagText", "actTagBgColor", "actLink",
                                      "actALink", "actVLink"}));
  EXPECT_EQ(captions(form->mnuConfig),
            (std::vector<std::string>{
                "Web セーフカラーのみに限定(&W)", "-", "# を付加する(&S)", "値を \"\" で囲む(&D)",
                "16進数は小文字を使う(&H)", "COLOR= を付加する(&C)", "-", "プレビューを表示(&P)",
                "プレビューのフォント(&F)", "-", "常に手前に表示(&V)", "タスクトレイを使用する(&T)",
                "-", "色覚シミュレーション(&M)"}));
  EXPECT_EQ(form->actUndo->shortcut(), QKeySequence("Ctrl+Z"));
  EXPECT_EQ(form->actCopy->shortcut(), QKeySequence("Ctrl+C"));
  EXPECT_EQ(form->actInvert->shortcut(), QKeySequence("Ctrl+I"));
  EXPECT_EQ(form->actAddFavorite->shortcut(), QKeySequence("Ctrl+A"));
  EXPECT_EQ(S(form->actAddFavorite->text()), "お気に入りに追加");
  EXPECT_EQ(form->actESCPick->shortcut(), QKeySequence(Qt::Key_Escape));
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(form->actSwatches[i]->shortcut(), QKeySequence(QString::number(i)));
  EXPECT_EQ(S(form->btnColorPick->toolTip()), "カラーピック");
  EXPECT_EQ(S(form->chkWebSafe->toolTip()), "Web セーフカラーのみに限定");
}

TEST_F(MainFormTest, PagesAreCollectedLastToFirstAndTheToolbarReadsRgbFirst) {
  Open();
  ASSERT_EQ(form->Sheets().size(), 10u);
  for (int page = 0; page < 10; ++page)
    EXPECT_EQ(S(form->Sheets()[page]->Caption()), kCreationCaptions[9 - page]) << page;
  std::vector<std::string> toolbar;
  for (QAction* a : form->tlbColorSheet->actions()) {
    toolbar.push_back(S(a->toolTip()));
    EXPECT_TRUE(a->isCheckable());
  }
  EXPECT_EQ(toolbar,
            (std::vector<std::string>(std::begin(kCreationCaptions), std::end(kCreationCaptions))));
  // Fresh settings: page 0 (pictograms) is active and was told so.
  EXPECT_EQ(form->ActivePage(), 0);
  EXPECT_TRUE(form->SheetButtons()[0]->isChecked());
  EXPECT_EQ(Take(), (Log{"iモード絵文字 ColorChanged 2"}));
}

TEST_F(MainFormTest, StoredPageOutOfRangeIsClamped) {
  WriteIni("[Config]\r\nActivePage=12\r\n");
  Open();
  EXPECT_EQ(form->ActivePage(), 9);
  EXPECT_EQ(S(form->Sheets()[9]->Caption()), "RGB/CMYK");
  form.reset();
  WriteIni("[Config]\r\nActivePage=-5\r\n");
  Open();
  EXPECT_EQ(form->ActivePage(), 0);
}

TEST_F(MainFormTest, HiddenPagePassesTheTurnUpwardsThenDownwards) {
  Open();
  form->SetSheetVisible(4, false);
  form->ActivateSheet(4);
  EXPECT_EQ(form->ActivePage(), 5);
  for (int p = 5; p <= 9; ++p) form->SetSheetVisible(p, false);
  form->ActivateSheet(4);
  EXPECT_EQ(form->ActivePage(), 3);
  for (int p = 0; p <= 3; ++p) form->SetSheetVisible(p, false);
  Take();
  form->ActivateSheet(0);
  EXPECT_EQ(form->ActivePage(), -1);
  EXPECT_TRUE(Take().empty());  // nobody to tell
}

TEST_F(MainFormTest, SheetChangesAreNeverEchoedAndInactiveSheetsCatchUpOnActivation) {
  Open();
  form->ActivateSheet(8);  // HSV
  Take();
  Page(8)->Pick(RGB(10, 20, 30));
  Page(8)->PickBack(RGB(1, 1, 1));
  EXPECT_EQ(Take(), (Log{"canvas ApplyCurrentColor", "canvas ApplyCurrentColor"}));
  EXPECT_EQ(form->GetForeColor(), RGB(10, 20, 30));

  // Switching to RGB through its toolbar button: it is told and reads afresh.
  form->SheetButtons()[9]->trigger();
  EXPECT_EQ(form->ActivePage(), 9);
  EXPECT_EQ(Take(), (Log{"RGB/CMYK ColorChanged 2"}));
  EXPECT_EQ(Page(9)->seenFore, RGB(10, 20, 30));

  // A change made by the main window reaches the active sheet only.
  form->actUndo->trigger();
  EXPECT_EQ(Take(), (Log{"canvas ApplyCurrentColor", "RGB/CMYK ColorChanged 0"}));
  form->actInvert->trigger();
  form->actRandom->trigger();
  EXPECT_EQ(Take(), (Log{"canvas ApplyCurrentColor", "RGB/CMYK ColorChanged 0",
                         "canvas ApplyCurrentColor", "RGB/CMYK ColorChanged 0"}));
}

TEST_F(MainFormTest, CanvasChangesReachTheActiveSheetButNotTheCanvas) {
  Open();
  Take();
  form->SetForeColor(&canvas->window, RGB(5, 6, 7));
  form->SetBackColor(&canvas->window, RGB(8, 9, 10));
  EXPECT_EQ(Take(), (Log{"iモード絵文字 ColorChanged 0", "iモード絵文字 ColorChanged 1"}));
}

TEST_F(MainFormTest, WebSafeSwitchTellsEverySheetInPageOrder) {
  Open();
  ShowForm();
  Take();
  form->actWebSafe->trigger();
  Log expected;
  for (int page = 0; page < 10; ++page)
    if (std::string(kCreationCaptions[9 - page]) != "フォント")
      expected.push_back(std::string(kCreationCaptions[9 - page]) + " WebSafeChanged");
  EXPECT_EQ(Take(), expected);  // the preview test sheet keeps the empty default
  EXPECT_TRUE(form->chkWebSafe->isChecked());
  // The check box is bound to the same option.
  QTest::mouseClick(form->chkWebSafe, Qt::LeftButton);
  EXPECT_FALSE(form->IsWebSafe());
  EXPECT_EQ(Take(), expected);
}

TEST_F(MainFormTest, WebSafeShowsAndCopiesTheSnappedColourButStoresTheTrueOne) {
  WriteIni("[Config]\r\nWebSafe=1\r\n");
  Open();
  EXPECT_FALSE(form->IsWebSafe());  // only from the first show on
  ShowForm();
  EXPECT_TRUE(form->IsWebSafe());
  form->SetForeColor(form.get(), 0x00123456);
  EXPECT_EQ(form->CurrentColor(), 0x00123456);
  EXPECT_EQ(form->GetForeColor(), WebSafeColor(0x00123456));
  EXPECT_EQ(Caption(), "Tintorb [\"#663300\"]");
  EXPECT_EQ(S(form->lblWebSafe->text()), "663300");
  form->actCopy->trigger();
  EXPECT_EQ(fakes.desktop.clipboard, "\"#663300\"");
  form->actWebSafe->trigger();
  EXPECT_EQ(Caption(), "Tintorb [\"#563412\"]");
  EXPECT_EQ(S(form->lblWebSafe->text()), "663300");  // always the snapped colour
  form->actWebSafe->trigger();
  form->close();
  form.reset();
  const std::string ini = ReadIni();
  EXPECT_NE(ini.find("Red=86\r\nGreen=52\r\nBlue=18\r\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("WebSafe=1\r\n"), std::string::npos);
}

TEST_F(MainFormTest, ClickingTheWebSafeBoxTakesTheSnappedColour) {
  Open();
  ShowForm();
  form->SetForeColor(form.get(), 0x00123456);
  QTest::mouseClick(form->lblWebSafe, Qt::LeftButton);
  EXPECT_EQ(form->CurrentColor(), WebSafeColor(0x00123456));
  EXPECT_EQ(form->UndoColor(), 0x00123456);
}

TEST_F(MainFormTest, UndoAfterStartUpGoesToBlackThenBack) {
  WriteIni("[Color]\r\nRed=255\r\nGreen=0\r\nBlue=0\r\n");
  Open();
  ShowForm();
  EXPECT_EQ(Caption(), "Tintorb [\"#FF0000\"]");
  QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(form->CurrentColor(), 0);
  QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(form->CurrentColor(), RGB(255, 0, 0));
}

TEST_F(MainFormTest, CopyPasteInvertWithRealKeys) {
  Open();
  ShowForm();
  QTest::keyClick(form.get(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(fakes.desktop.clipboard, "\"#000000\"");
  fakes.desktop.clipboard = "#ABCDEF";
  form->actPaste->trigger();
  EXPECT_EQ(form->CurrentColor(), RGB(0xAB, 0xCD, 0xEF));
  fakes.desktop.clipboard = "\"#123456\"";
  form->actPaste->trigger();
  EXPECT_EQ(form->CurrentColor(), RGB(0xAB, 0xCD, 0xEF));  // decorated text is refused
  QTest::keyClick(form.get(), Qt::Key_I, Qt::ControlModifier);
  EXPECT_EQ(form->CurrentColor(), RGB(0x54, 0x32, 0x10));
  // Options change the caption at once.
  form->actLowerCase->trigger();
  form->actAddColorTag->trigger();
  EXPECT_EQ(Caption(), "Tintorb [COLOR=\"#543210\"]");
}

TEST_F(MainFormTest, EveryCopyGoesToTheRecentCopiesMenu) {
  Open();
  form->SetForeColor(form.get(), RGB(0xAB, 0xCD, 0xEF));
  form->actCopy->trigger();
  emit form->N3->aboutToShow();
  EXPECT_EQ(S(form->actTags[6]->text()), "color: \"#ABCDEF\"");
  form->actTags[6]->trigger();
  EXPECT_EQ(fakes.desktop.clipboard, "color: #ABCDEF");
  emit form->P2->aboutToShow();
  EXPECT_EQ(S(form->actLiterals[1]->text()), "&&HEFCDAB");
  form->actLiterals[1]->trigger();
  EXPECT_EQ(fakes.desktop.clipboard, "&HEFCDAB");
  // Captions are those of the colour when the menu opened.
  form->SetForeColor(form.get(), 0);
  form->actLiterals[0]->trigger();
  EXPECT_EQ(fakes.desktop.clipboard, "$00EFCDAB");

  std::vector<std::string> entries;
  for (QAction* a : form->E1->actions()) entries.push_back(S(a->text()));
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_NE(entries[0].find("$00EFCDAB"), std::string::npos);
  EXPECT_NE(entries[3].find("\"#ABCDEF\""), std::string::npos);

  // Choosing an entry copies it again and leaves the colour alone.
  form->E1->actions()[3]->trigger();
  EXPECT_EQ(fakes.desktop.clipboard, "\"#ABCDEF\"");
  EXPECT_EQ(form->CurrentColor(), 0);
}

TEST_F(MainFormTest, CssMenuShowsAndCopiesTheFormsOfTheShownColour) {
  Open();
  TCssCommands& css = *form->Css();
  auto captions = [&] {
    emit css.mnuCss->aboutToShow();
    std::vector<std::string> out;
    for (QAction* a : css.mnuCss->actions())
      if (a->isVisible()) out.push_back(S(a->text()));
    return out;
  };
  form->SetForeColor(form.get(), RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(
      captions(),
      (std::vector<std::string>{
          "rgb(18 52 86)", "rgb(18, 52, 86)", "hsl(210 65.4% 20.4%)", "hwb(210 7.1% 66.3%)",
          "lab(20.68 -2.28 -24.59)", "lch(20.68 24.7 264.71)", "oklab(31.92% -0.02339 -0.06858)",
          "oklch(31.92% 0.07245 251.17)", "color(display-p3 0.1066 0.2009 0.327)"}));
  css.actCss[7]->trigger();
  EXPECT_EQ(fakes.desktop.clipboard, "oklch(31.92% 0.07245 251.17)");
  ASSERT_EQ(form->E1->actions().size(), 1);
  EXPECT_NE(S(form->E1->actions()[0]->text()).find("oklch(31.92%"), std::string::npos);

  form->SetForeColor(form.get(), RGB(0x99, 0x32, 0xCC));
  EXPECT_EQ(captions().back(), "darkorchid");
  // With web-safe colours the forms are those of the snapped colour.
  form->actWebSafe->trigger();
  EXPECT_EQ(captions().front(), "rgb(153 51 204)");
  form->SetForeColor(form.get(), RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(captions().front(), "rgb(0 51 102)");
  css.actCss[0]->trigger();
  EXPECT_EQ(fakes.desktop.clipboard, "rgb(0 51 102)");
}

TEST_F(MainFormTest, PasteReadsCssTextsAndStillRefusesDecoratedOnes) {
  Open();
  fakes.desktop.clipboard = " oklch(62.8% 0.2577 29.23) ";
  form->actPaste->trigger();
  EXPECT_EQ(form->CurrentColor(), RGB(255, 0, 0));
  for (const char* refused : {"COLOR=\"#abcdef\"", "hsl(10% 50% 50%)", "rgb(1 2)"}) {
    fakes.desktop.clipboard = refused;
    form->actPaste->trigger();
    EXPECT_EQ(form->CurrentColor(), RGB(255, 0, 0)) << refused;
  }
}

TEST_F(MainFormTest, ContrastReadoutFollowsBothColoursAndItsCommandIsUndoable) {
  Open();
  QLabel* readout = form->Css()->lblContrast;
  form->SetForeColor(form.get(), RGB(0x77, 0x77, 0x77));
  EXPECT_EQ(S(readout->text()), "4.48:1 AA 大きな文字");
  EXPECT_NE(S(readout->toolTip()).find("APCA Lc 71.1"), std::string::npos) << S(readout->toolTip());
  form->SetBackColor(form.get(), clBlack);
  EXPECT_EQ(S(readout->text()), "4.69:1 AA");
  form->SetBackColor(form.get(), clWhite);

  form->SetForeColor(form.get(), RGB(0x99, 0x99, 0x99));
  Take();
  form->Css()->actReachContrast->trigger();
  EXPECT_EQ(form->CurrentColor(), RGB(0x76, 0x76, 0x76));
  EXPECT_EQ(S(readout->text()), "4.54:1 AA");
  EXPECT_EQ(Take(), (Log{"canvas ApplyCurrentColor", "iモード絵文字 ColorChanged 0"}));
  // Shift asks for 7:1.
  QTest::keyPress(form.get(), Qt::Key_Shift, Qt::ShiftModifier);
  form->Css()->actReachContrast->trigger();
  QTest::keyRelease(form.get(), Qt::Key_Shift);
  EXPECT_EQ(form->CurrentColor(), RGB(0x59, 0x59, 0x59));
  form->actUndo->trigger();
  EXPECT_EQ(form->CurrentColor(), RGB(0x76, 0x76, 0x76));
  // A colour that already passes stays, and leaves the undo colour alone.
  form->Css()->actReachContrast->trigger();
  EXPECT_EQ(form->UndoColor(), RGB(0x59, 0x59, 0x59));
}

TEST_F(MainFormTest, CheckEditRangeShowsTheMessageAndClamps) {
  Open();
  QLineEdit* edit = Page(0)->edit;
  edit->setText("400");
  EXPECT_TRUE(form->CheckEditRange(0, 359, edit));
  EXPECT_EQ(S(edit->text()), "359");
  ASSERT_EQ(fakes.dialogs.Of("Error").size(), 1u);
  EXPECT_EQ(fakes.dialogs.Of("Error")[0],
            "0 ～ 359 の範囲で入力してたも。\r近い方にしとくでおじゃる。");
  edit->setText("abc");
  EXPECT_FALSE(form->CheckEditRange(0, 359, edit));
  EXPECT_EQ(S(edit->text()), "abc");
  edit->setText("-3");
  EXPECT_TRUE(form->CheckEditRange(0, 359, edit));
  EXPECT_EQ(S(edit->text()), "0");
}

TEST_F(MainFormTest, ColourWellZones) {
  Open();
  ShowForm();
  form->SetForeColor(form.get(), RGB(1, 2, 3));
  // The overlap belongs to the foreground.
  fakes.dialogs.colorAnswers.push_back(RGB(200, 0, 0));
  QTest::mouseClick(form->PaintBox1, Qt::LeftButton, {}, QPoint(40, 25));
  EXPECT_EQ(fakes.dialogs.log.back(), "ChooseColor: 010203");
  EXPECT_EQ(form->CurrentColor(), RGB(200, 0, 0));

  fakes.dialogs.colorAnswers.push_back(RGB(0, 0, 200));
  QTest::mouseClick(form->PaintBox1, Qt::LeftButton, {}, QPoint(70, 40));
  EXPECT_EQ(fakes.dialogs.log.back(), "ChooseColor: FFFFFF");
  EXPECT_EQ(form->GetBackColor(), RGB(0, 0, 200));

  // Cancel changes nothing; other buttons do nothing at all.
  QTest::mouseClick(form->PaintBox1, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(form->CurrentColor(), RGB(200, 0, 0));
  const size_t asked = fakes.dialogs.log.size();
  QTest::mouseClick(form->PaintBox1, Qt::RightButton, {}, QPoint(5, 5));
  EXPECT_EQ(fakes.dialogs.log.size(), asked);

  QTest::mouseClick(form->PaintBox1, Qt::LeftButton, {}, QPoint(67, 4));  // swap
  EXPECT_EQ(form->CurrentColor(), RGB(0, 0, 200));
  EXPECT_EQ(form->GetBackColor(), RGB(200, 0, 0));
  QTest::mouseClick(form->PaintBox1, Qt::LeftButton, {}, QPoint(3, 42));  // defaults
  EXPECT_EQ(form->CurrentColor(), 0);
  EXPECT_EQ(form->GetBackColor(), 0xFFFFFF);
  EXPECT_EQ(form->UndoColor(), RGB(0, 0, 200));
}

// Mouse moves with modifiers, as a drag with keys held delivers them.
void SendMove(QWidget* w, QPoint local, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods) {
  QMouseEvent ev(QEvent::MouseMove, QPointF(local), QPointF(w->mapToGlobal(local)), Qt::NoButton,
                 buttons, mods);
  QApplication::sendEvent(w, &ev);
}

TEST_F(MainFormTest, ScreenPickAveragesTheSquareUnderThePointer) {
  Open();
  ShowForm();
  QToolButton* pick = form->btnColorPick;
  int lastX = 0, lastY = 0;
  fakes.desktop.pixelFn = [&](int x, int y) {
    lastX = x;
    lastY = y;
    return RGB(x & 0xFF, y & 0xFF, 7);
  };
  QTest::mousePress(pick, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(form->PickMode(), 1);
  EXPECT_TRUE(pick->isDown());

  const QPoint at(40, 60);
  const QPoint g = pick->mapToGlobal(at);
  fakes.desktop.pixelReads = 0;
  SendMove(pick, at, Qt::LeftButton, Qt::NoModifier);
  EXPECT_EQ(fakes.desktop.pixelReads, 1);
  EXPECT_EQ(form->CurrentColor(), RGB(g.x() & 0xFF, g.y() & 0xFF, 7));

  fakes.desktop.pixelReads = 0;
  SendMove(pick, at, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(fakes.desktop.pixelReads, 81);  // 9 x 9
  EXPECT_EQ(lastX, g.x() + 4);
  EXPECT_EQ(lastY, g.y() + 4);
  EXPECT_EQ(form->CurrentColor(), RGB(g.x() & 0xFF, g.y() & 0xFF, 7));  // symmetric mean

  fakes.desktop.pixelReads = 0;
  SendMove(pick, at, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
  EXPECT_EQ(fakes.desktop.pixelReads, 121);  // 11 x 11

  QTest::mouseRelease(pick, Qt::LeftButton, {}, at);
  EXPECT_EQ(form->PickMode(), 0);
  EXPECT_FALSE(pick->isDown());
  const TColor afterRelease = form->CurrentColor();
  SendMove(pick, QPoint(1, 1), Qt::NoButton, Qt::NoModifier);
  EXPECT_EQ(form->CurrentColor(), afterRelease);

  // Any other button picks the background colour.
  fakes.desktop.pixelFn = nullptr;
  fakes.desktop.defaultPixel = RGB(9, 8, 7);
  QTest::mousePress(pick, Qt::RightButton, {}, QPoint(5, 5));
  EXPECT_EQ(form->PickMode(), 2);
  SendMove(pick, at, Qt::RightButton, Qt::NoModifier);
  QTest::mouseRelease(pick, Qt::RightButton, {}, at);
  EXPECT_EQ(form->GetBackColor(), RGB(9, 8, 7));
  EXPECT_EQ(form->CurrentColor(), afterRelease);
}

TEST_F(MainFormTest, SwatchKeysSampleUnderThePointerAndTheBarReadsOneToZero) {
  Open();
  ShowForm();
  fakes.desktop.cursor = {500, 400};
  fakes.desktop.pixels[{500, 400}] = RGB(0x11, 0x22, 0x33);
  QTest::keyClick(form.get(), Qt::Key_0);
  EXPECT_EQ(form->Swatches()[0], "112233");
  fakes.desktop.pixels[{500, 400}] = RGB(0x44, 0x55, 0x66);
  QTest::keyClick(form.get(), Qt::Key_1);
  EXPECT_EQ(form->Swatches()[1], "445566");

  // Box 0 at the left holds swatch 1, the right-most box swatch 0.
  QTest::mouseClick(form->pntSwatch, Qt::LeftButton, {}, QPoint(5, 10));
  EXPECT_EQ(form->CurrentColor(), RGB(0x44, 0x55, 0x66));
  QTest::mouseClick(form->pntSwatch, Qt::RightButton, {}, QPoint(104, 10));
  EXPECT_EQ(form->GetBackColor(), RGB(0x11, 0x22, 0x33));
  const TColor before = form->CurrentColor();
  QTest::mouseClick(form->pntSwatch, Qt::LeftButton, {}, QPoint(10, 10));  // the gap
  EXPECT_EQ(form->CurrentColor(), before);

  // Esc takes the pixel as the current colour.
  fakes.desktop.pixels[{500, 400}] = RGB(0x77, 0x88, 0x99);
  QTest::keyClick(form.get(), Qt::Key_Escape);
  EXPECT_EQ(form->CurrentColor(), RGB(0x77, 0x88, 0x99));
}

TEST_F(MainFormTest, DigitTypedIntoAnEditStaysADigit) {
  Open();
  ShowForm();
  QLineEdit* edit = Page(0)->edit;
  edit->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return edit->hasFocus(); }));
  fakes.desktop.defaultPixel = RGB(1, 2, 3);
  QTest::keyClick(edit, Qt::Key_5);
  EXPECT_EQ(S(edit->text()), "5");
  EXPECT_EQ(form->Swatches()[5], "000000");
  // Even when the action fires, the edit takes the digit.
  form->actSwatches[7]->trigger();
  EXPECT_EQ(S(edit->text()), "57");
  EXPECT_EQ(form->Swatches()[7], "000000");
  // Esc still picks.
  form->actESCPick->trigger();
  EXPECT_EQ(form->CurrentColor(), RGB(1, 2, 3));
}

TEST_F(MainFormTest, DigitsInThePreviewStayTheSwatchKeys) {
  Open();
  ShowForm();
  form->memPreview->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([&] { return form->memPreview->hasFocus(); }));
  fakes.desktop.defaultPixel = RGB(4, 5, 6);
  QTest::keyClick(form->memPreview, Qt::Key_3);
  EXPECT_EQ(form->Swatches()[3], "040506");
  EXPECT_EQ(S(form->memPreview->toPlainText()), "だってTintorbなんだもん！");
  QTest::keyClicks(form->memPreview, "ab");
  EXPECT_EQ(S(form->memPreview->toPlainText()), "abだってTintorbなんだもん！");
}

TEST_F(MainFormTest, WindowCommandsWinOverTextBoxKeys) {
  Open();
  ShowForm();
  form->SetForeColor(form.get(), RGB(0x12, 0x34, 0x56));
  form->memPreview->setFocus();
  form->memPreview->selectAll();
  QTest::keyClick(form->memPreview, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(fakes.desktop.clipboard, "\"#123456\"");
  QTest::keyClick(form->memPreview, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(form->CurrentColor(), 0);
  QLineEdit* edit = Page(0)->edit;
  edit->setFocus();
  edit->setText("77");
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(fakes.desktop.clipboard, "\"#000000\"");
  QTest::keyClick(edit, Qt::Key_I, Qt::ControlModifier);
  EXPECT_EQ(form->CurrentColor(), 0xFFFFFF);
  EXPECT_EQ(S(edit->text()), "77");
}

TEST_F(MainFormTest, TextBoxesKeepSelectAllAndPasteElsewhereTheyAreCommands) {
  Open();
  ShowForm();
  int favorites = 0;  // counted instead of opening the dialog
  QObject::disconnect(form->actAddFavorite, &QAction::triggered, form.get(), nullptr);
  QObject::connect(form->actAddFavorite, &QAction::triggered, [&] { ++favorites; });
  QApplication::clipboard()->setText("x");
  fakes.desktop.clipboard = "#EFCDAB";
  for (QWidget* box : std::vector<QWidget*>{form->memPreview, Page(0)->edit}) {
    box->setFocus();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
  }
  EXPECT_EQ(S(Page(0)->edit->selectedText()), "x");
  EXPECT_EQ(S(form->memPreview->textCursor().selectedText()), "xだってTintorbなんだもん！");
  EXPECT_EQ(favorites, 0);
  EXPECT_EQ(form->CurrentColor(), 0);
  Page(0)->edit->clearFocus();
  QTest::keyClick(form.get(), Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(form.get(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(form->CurrentColor(), 0xABCDEF);
  EXPECT_EQ(favorites, 1);
}

TEST_F(MainFormTest, SetSwatchOutsideTheTenIsRefused) {
  Open();
  form->SetSwatch(10, RGB(1, 2, 3));
  form->SetSwatch(-1, RGB(1, 2, 3));
  EXPECT_EQ(fakes.dialogs.Of("Error"),
            (std::vector<std::string>{"スウォッチは10個しかありません",
                                      "スウォッチは10個しかありません"}));
  for (const auto& s : form->Swatches()) EXPECT_EQ(s, "000000");
  form->SetSwatch(9, RGB(0xFE, 0xDC, 0xBA));
  EXPECT_EQ(form->Swatches()[9], "FEDCBA");
}

TEST_F(MainFormTest, WheelGoesToTheActiveSheet) {
  Open();
  ShowForm();
  form->ActivateSheet(9);
  Take();
  QWidget* target = Page(9)->edit;
  const QPoint local(2, 2);
  QWheelEvent wheel(QPointF(local), QPointF(target->mapToGlobal(local)), QPoint(), QPoint(0, 120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  wheel.setTimestamp(42);
  QApplication::sendEvent(target, &wheel);
  EXPECT_EQ(Take(), (Log{"RGB/CMYK wheel"}));
  // Over another part of the window too.
  QWheelEvent again(QPointF(local), QPointF(form->PaintBox1->mapToGlobal(local)), QPoint(),
                    QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  again.setTimestamp(43);
  QApplication::sendEvent(form->PaintBox1, &again);
  EXPECT_EQ(Take(), (Log{"RGB/CMYK wheel"}));
}

TEST_F(MainFormTest, PreviewSheetGetsThePreviewText) {
  Open();
  ShowForm();
  Take();
  form->ActivateSheet(1);
  EXPECT_EQ(Take(), (Log{"フォント ColorChanged 2",
                         "フォント PreviewTextChanged だってTintorbなんだもん！"}));
  form->memPreview->setFocus();
  form->memPreview->moveCursor(QTextCursor::End);
  QTest::keyClick(form->memPreview, Qt::Key_Return);  // no line break
  QTest::keyClicks(form->memPreview, "x");
  EXPECT_EQ(S(form->memPreview->toPlainText()), "だってTintorbなんだもん！x");
  EXPECT_EQ(Take(), (Log{"フォント PreviewTextChanged だってTintorbなんだもん！x"}));
  form->memPreview->setPlainText("first\nsecond");
  EXPECT_EQ(S(form->GetPreviewText()), "first");
  Take();
  form->SetBackColor(form.get(), 0);
  EXPECT_EQ(Take(), (Log{"canvas ApplyCurrentColor", "フォント ColorChanged 1",
                         "フォント PreviewTextChanged first\nsecond"}));
}

TEST_F(MainFormTest, PreviewFontComesFromTheDialogWithItsColour) {
  Open();
  TFontSpec chosen{"IPAGothic", 12, RGB(0, 0, 255), 1};
  fakes.dialogs.fontAnswers.push_back(chosen);
  form->actPreviewFont->trigger();
  EXPECT_EQ(fakes.dialogs.log.back(), "ChooseFont: MS UI Gothic");
  EXPECT_EQ(S(form->memPreview->font().family()), "IPAGothic");
  EXPECT_TRUE(form->memPreview->font().bold());
  form->SetPreviewFontName("IPAPGothic");
  form->close();
  form.reset();
  const std::string ini = ReadIni();
  EXPECT_NE(ini.find("Font.Name=IPAPGothic\r\nFont.Size=12\r\nFont.Color=16711680\r\nFont.Style=1"),
            std::string::npos)
      << ini;
}

TEST_F(MainFormTest, PlacementAndPreviewSizeComeBack) {
  WriteIni(
      "[Config]\r\nForm.X=10\r\nForm.Y=20\r\nForm.XSize=450\r\nForm.YSize=320\r\n"
      "[Preview]\r\nSize=3\r\nShow=1\r\n");
  Open();
  ShowForm();
  EXPECT_EQ(form->size(), QSize(440, 300));
  EXPECT_EQ(form->pos(), QPoint(10, 20));
  EXPECT_EQ(form->pnlPreview->height(), 16);
  form->actShowPreview->trigger();
  EXPECT_FALSE(form->pnlPreview->isVisible());
  form->close();
  form.reset();
  const std::string ini = ReadIni();
  EXPECT_NE(ini.find("Form.X=10\r\nForm.Y=20\r\nForm.XSize=450\r\nForm.YSize=320\r\n"),
            std::string::npos)
      << ini;
  EXPECT_NE(ini.find("[Preview]\r\nSize=16\r\nShow=0\r\n"), std::string::npos) << ini;
}

TEST_F(MainFormTest, NonsensePlacementKeepsAUsableWindow) {
  WriteIni("[Config]\r\nForm.X=-90000\r\nForm.Y=5\r\nForm.XSize=-3\r\nForm.YSize=x\r\n");
  Open();
  ShowForm();
  EXPECT_GE(form->width(), 50);
  EXPECT_GE(form->height(), 50);
  bool onScreen = false;
  for (QScreen* s : QGuiApplication::screens())
    onScreen |= s->availableGeometry().intersects(form->frameGeometry());
  EXPECT_TRUE(onScreen);
}

TEST_F(MainFormTest, HugePlacementIsFittedToTheScreen) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  for (const char* rect :
       {"X=100\r\nForm.Y=50\r\nForm.XSize=100100\r\nForm.YSize=90050",
        "X=-2000000000\r\nForm.Y=0\r\nForm.XSize=2000000000\r\nForm.YSize=99999"}) {
    WriteIni(std::string("[Config]\r\nForm.") + rect + "\r\n");
    Open();
    ShowForm();
    EXPECT_TRUE(area.contains(QRect(form->pos(), form->size())))
        << form->pos().x() << "," << form->pos().y() << " " << form->width() << "x"
        << form->height();
    EXPECT_EQ(form->size(), area.size()) << rect;
    form.reset();
  }
}

TEST_F(MainFormTest, TeardownStoresSheetsAndCanvasBeforeTheFileIsWrittenThenHistory) {
  Open();
  ShowForm();
  form->SetSwatch(3, RGB(0xAB, 0xCD, 0xEF));
  form->actCopy->trigger();
  Take();
  form->close();
  EXPECT_FALSE(QFile::exists(QString::fromStdString(IniPath())));  // not before teardown
  form.reset();
  Log expected;
  for (int page = 0; page < 10; ++page)
    if (std::string(kCreationCaptions[9 - page]) != "フォント")
      expected.push_back(std::string(kCreationCaptions[9 - page]) + " destroyed");
  expected.push_back("canvas destroyed");
  EXPECT_EQ(Take(), expected);

  const auto bytes = ReadFileBytes(IniPath());
  ASSERT_TRUE(bytes);
  EXPECT_NE(bytes->find("\r\n"), std::string::npos);
  EXPECT_EQ(bytes->find("\xEF\xBB\xBF"), std::string::npos);  // CP932, no BOM
  const std::string ini = DecodeTextFile(*bytes);
  EXPECT_NE(ini.find("[TestSheets]\r\niモード絵文字=stored\r\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("RGB/CMYK=stored\r\n"), std::string::npos);
  EXPECT_NE(ini.find("3=ABCDEF\r\n"), std::string::npos);
  EXPECT_NE(ini.find("Caption=だってTintorbなんだもん！\r\n"), std::string::npos);
  EXPECT_NE(ini.find("ActivePage=0\r\n"), std::string::npos);
  // The History section is written by its own copy after the main write.
  EXPECT_NE(ini.find("[History]\r\nCount=1\r\nH0=\"#000000\"\r\n"), std::string::npos) << ini;

  // The built-in favourite groups were written as eight group files.
  int groups = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.path()))
    if (e.path().extension() == ".tintorb") ++groups;
  EXPECT_EQ(groups, 8);
}

TEST_F(MainFormTest, FavouritesChangeRebuildsTheDropDownThenTellsEverySheet) {
  Open();
  ASSERT_EQ(form->GetFavorites().Count(), 8);  // a fresh directory gets the built-in groups
  EXPECT_EQ(form->popFavorite->actions().size(), 8);
  EXPECT_EQ(form->btnFavorite->menu(), form->popFavorite);
  Take();
  form->GetFavorites().AddGroup("new");
  form->NotifyFavoritesChanged();
  EXPECT_EQ(form->popFavorite->actions().size(), 9);
  Log expected;
  for (int page = 0; page < 10; ++page)
    if (std::string(kCreationCaptions[9 - page]) != "フォント")
      expected.push_back(std::string(kCreationCaptions[9 - page]) + " FavoritesChanged");
  EXPECT_EQ(Take(), expected);
  form->close();
  form.reset();
  EXPECT_TRUE(std::filesystem::exists(dir / "new.tintorb"));
}

TEST_F(MainFormTest, StayOnTopFollowsItsOptionAndIsStored) {
  WriteIni("[Config]\r\nStayOnTop=1\r\n");
  Open(false);
  EXPECT_TRUE(form->actStayOnTop->isChecked());
  EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  ShowForm();
  form->actStayOnTop->trigger();
  EXPECT_FALSE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_TRUE(form->isVisible());
  form->actStayOnTop->trigger();
  form->close();
  form.reset();
  EXPECT_NE(ReadIni().find("StayOnTop=1\r\n"), std::string::npos);
}

TEST_F(MainFormTest, TrayClickRestoresButADoubleClickDoesNot) {
  Open(false);
  form->showMinimized();
  const int wait = QApplication::doubleClickInterval() + 150;
  form->TrayIconActivated(QSystemTrayIcon::Trigger);
  form->TrayIconActivated(QSystemTrayIcon::Trigger);  // the second click of a double click
  form->TrayIconActivated(QSystemTrayIcon::DoubleClick);
  QTest::qWait(wait);
  EXPECT_TRUE(form->isMinimized());
  form->TrayIconActivated(QSystemTrayIcon::Trigger);
  EXPECT_TRUE(form->isMinimized());  // not before the double-click time is over
  QTest::qWait(wait);
  EXPECT_FALSE(form->isMinimized());
  EXPECT_TRUE(form->isVisible());
}

TEST_F(MainFormTest, AboutBoxTexts) {
  Open(false);
  fakes.desktop.memory = 2048ull * 1024 * 1024;
  TAboutBox box(form.get());
  EXPECT_EQ(S(box.windowTitle()), "Tintorbのバージョン情報");
  EXPECT_EQ(box.width(), 400);
  EXPECT_EQ(S(box.ProductName->text()), "Tintorb");
  EXPECT_EQ(S(box.Version->text()), std::string("Version ") + TINTORB_VERSION);
  EXPECT_EQ(S(box.PhysMem->text()), "Physical Memory Aviailable to Windows: 2,097,152 KB");
  box.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
  QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(200, 5));
  EXPECT_TRUE(box.OKButton->hasFocus() || QApplication::focusWidget() == box.OKButton);
}

TEST_F(MainFormTest, HelpOpensThePageBesideTheProgram) {
  Open(false);
  form->actHelp->trigger();
  ASSERT_EQ(fakes.desktop.helpOpened.size(), 1u);
  EXPECT_EQ(fakes.desktop.helpOpened[0], ExecutableDir() + "/tintorb-help.html");
  EXPECT_TRUE(fakes.dialogs.log.empty());
  fakes.desktop.helpFails = true;  // no browser: the message names the file
  form->actHelp->trigger();
  ASSERT_EQ(fakes.dialogs.Of("Warning").size(), 1u);
  EXPECT_EQ(fakes.dialogs.Of("Warning")[0],
            "ヘルプを表示できなかったでおじゃる。\rブラウザーでこのファイルを開いてたも。\r" +
                ExecutableDir() + "/tintorb-help.html");
}

TEST_F(MainFormTest, ToolbarTooltipsLeaveOutTheAccelerators) {
  Open(false);
  const std::pair<QAction*, const char*> cases[] = {{form->actCopy, "コピー"},
                                                    {form->actRandom, "ランダム"},
                                                    {form->actInvert, "色の反転"},
                                                    {form->actCanvas, "キャンバスの表示"}};
  for (const auto& [action, tip] : cases) {
    QWidget* button = form->ToolBar1->widgetForAction(action);
    ASSERT_NE(button, nullptr) << tip;
    EXPECT_EQ(S(button->toolTip()), tip);
  }
}

TEST_F(MainFormTest, CanvasToggleShowsAndHidesItsWindow) {
  Open(false);
  EXPECT_TRUE(form->actCanvas->isEnabled());
  form->actCanvas->trigger();
  EXPECT_TRUE(canvas->window.isVisible());
  form->actCanvas->trigger();
  EXPECT_FALSE(canvas->window.isVisible());
}

// The overflow button of a menu bar too narrow for its menus shows the
// platform style's picture, although the app style reads it only when drawn.
TEST(AppStyle, OverflowButtonShowsThePlatformPicture) {
  std::unique_ptr<QStyle> style(CreateAppStyle());
  QMenuBar bar;
  bar.setStyle(style.get());
  for (const char* title : {"ファイル(&F)", "編集(&E)", "タグ(&T)", "設定(&C)"})
    bar.addMenu(QString::fromUtf8(title));
  bar.resize(60, 24);
  bar.show();
  const auto buttons = bar.findChildren<QToolButton*>();
  ASSERT_EQ(buttons.size(), 1);
  const QStyle* plain = static_cast<QProxyStyle*>(style.get())->baseStyle();
  EXPECT_EQ(
      buttons[0]->icon().pixmap(16, 16).toImage(),
      plain->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).pixmap(16, 16).toImage());
}

}  // namespace
}  // namespace tintorb
