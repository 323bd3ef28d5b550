#include "app/ui/MainForm.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QSystemTrayIcon>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <limits>

#include "app/Caption.h"
#include "app/ColorWellLayout.h"
#include "app/SaveReport.h"
#include "app/SheetPages.h"
#include "app/ui/AboutBox.h"
#include "app/ui/ColorVisionCommands.h"
#include "app/ui/ColorVisionView.h"
#include "app/ui/ColorWell.h"
#include "app/ui/CssCommands.h"
#include "app/ui/FavoritesMenu.h"
#include "app/ui/HistMenu.h"
#include "app/ui/Icons.h"
#include "app/ui/PickController.h"
#include "app/ui/PictureCommands.h"
#include "collections/Favorites.h"
#include "collections/ui/DialogFavorite.h"
#include "controls/ui/ColorPickerButton.h"
#include "core/ProgramDir.h"
#include "core/TextFile.h"
#include "platform/Desktop.h"
#include "platform/ui/QtConvert.h"

namespace tintorb {

namespace {

// The window's own placement before any setting: client 500 x 430.
constexpr TWindowPlacement kDesignPlacement{0, 1, -1, -1, 120, 80, 620, 510};

QString Utf(const char* s) {
  return QString::fromUtf8(s);
}

void SetTextColors(QWidget* w, QPalette::ColorRole textRole, TColor text,
                   QPalette::ColorRole bgRole, TColor back) {
  QPalette pal = w->palette();
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    pal.setColor(group, textRole, ToQColor(text));
    pal.setColor(group, bgRole, ToQColor(back));
  }
  w->setPalette(pal);
}

QAction* MakeAction(QObject* owner, const QString& caption, const QKeySequence& key = {},
                    bool checkable = false) {
  auto* a = new QAction(caption, owner);
  if (!key.isEmpty()) a->setShortcut(key);
  a->setCheckable(checkable);
  return a;
}

// A focused text box selects all its text, and pastes where it can be typed into.
bool TextBoxKeepsKey(QWidget* focus, QKeyEvent* key) {
  const bool selectAll = key->matches(QKeySequence::SelectAll);
  if (!selectAll && !key->matches(QKeySequence::Paste)) return false;
  QLineEdit* line = qobject_cast<QLineEdit*>(focus);
  if (qobject_cast<QAbstractSpinBox*>(focus)) line = focus->findChild<QLineEdit*>();
  if (line) return selectAll || !line->isReadOnly();
  if (auto* plain = qobject_cast<QPlainTextEdit*>(focus)) return selectAll || !plain->isReadOnly();
  if (auto* rich = qobject_cast<QTextEdit*>(focus)) return selectAll || !rich->isReadOnly();
  return false;
}

}  // namespace

void TPreviewMemo::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->ignore();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

// ---------------------------------------------------------------------------
// Creation

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
  FSwatches.fill("000000");
  IniGT1.Loaded();

  CreateActions();
  CreateMenus();
  CreateControls();
  FPictures = new TPictureCommands(*this);

  LoadSettings();

  FFavorites = std::make_unique<TFavorites>();
  LoadFavorites(*FFavorites, IniGT1.IniFile(), ProgramDir());
  BuildFavoritesMenu();
  UpdateCaption();

  // The recent copies keep their own section of the same file.
  HistoryMenu1 = std::make_unique<THistoryMenu>();
  HistoryMenu1->SetIniFileName(IniGT1.IniFile().FileName());
  HistoryMenu1->SetHistoryNum(16);
  HistoryMenu1->SetTargetMenuItem(E1);
  HistoryMenu1->SetOnHistorySelected([this](QObject*, const QString& text) { CopyText(text); });
  HistoryMenu1->SetActive(true);
  qApp->installEventFilter(this);
}

void TForm1::CreateActions() {
  actUndo = MakeAction(this, Utf("元に戻す(&U)"), QKeySequence(Qt::CTRL | Qt::Key_Z));
  actCopy = MakeAction(this, Utf("コピー(&C)"), QKeySequence(Qt::CTRL | Qt::Key_C));
  actCopy->setIcon(ToolIcon(TToolImage::Copy));
  actPaste = MakeAction(this, Utf("貼り付け(&P)"), QKeySequence(Qt::CTRL | Qt::Key_V));
  actInvert = MakeAction(this, Utf("色の反転(&I)"), QKeySequence(Qt::CTRL | Qt::Key_I));
  actInvert->setIcon(ToolIcon(TToolImage::Invert));
  actRandom = MakeAction(this, Utf("ランダム(&R)"));
  actRandom->setIcon(ToolIcon(TToolImage::Random));
  actAddFavorite = MakeAction(this, Utf("お気に入りに追加"), QKeySequence(Qt::CTRL | Qt::Key_A));
  actAddFavorite->setIcon(ToolIcon(TToolImage::Favorite));
  actCanvas = MakeAction(this, Utf("キャンバスの表示(&C)"));
  actCanvas->setIcon(ToolIcon(TToolImage::Canvas));
  actHelp = MakeAction(this, Utf("ヘルプ(&H)"));
  actAbout = MakeAction(this, Utf("バージョン情報(&A)..."));
  actClose = MakeAction(this, Utf("終了(&X)"));
  FCss = new TCssCommands(*this, this);
  FCvd = new TColorVisionCommands(*this, this);
  FCvd->OnChanged = [this] {
    ApplyPreviewColors();
    UpdateCaption();
  };

  for (size_t i = 0; i < kTagActions.size(); ++i) {
    actTags[i] = MakeAction(this, ToQ(TagInitialCaption(kTagActions[i])));
    actTags[i]->setObjectName(ToQ(TagActionName(kTagActions[i])));
    connect(actTags[i], &QAction::triggered, this, [this, i] { actTagFontExecute(int(i)); });
  }
  for (size_t i = 0; i < kLiteralActions.size(); ++i) {
    // Until the menu first opens, a literal action's caption is its name.
    const QString name = ToQ(LiteralActionName(kLiteralActions[i]));
    actLiterals[i] = MakeAction(this, name);
    actLiterals[i]->setObjectName(name);
    connect(actLiterals[i], &QAction::triggered, this, [this, i] { actDelphiExecute(int(i)); });
  }

  actWebSafe = MakeAction(this, Utf("Web セーフカラーのみに限定(&W)"), {}, true);
  actAddSharp = MakeAction(this, ToQ(kCaptionAddSharp), {}, true);
  actAddQuotation = MakeAction(this, ToQ(kCaptionAddQuotation), {}, true);
  actLowerCase = MakeAction(this, ToQ(kCaptionLowerCase), {}, true);
  actAddColorTag = MakeAction(this, ToQ(kCaptionAddColorTag), {}, true);
  actShowPreview = MakeAction(this, Utf("プレビューを表示(&P)"), {}, true);
  actPreviewFont = MakeAction(this, Utf("プレビューのフォント(&F)"));
  actStayOnTop = MakeAction(this, Utf("常に手前に表示(&V)"), {}, true);
  actTaskTray = MakeAction(this, Utf("タスクトレイを使用する(&T)"), {}, true);

  actESCPick = MakeAction(this, "actESCPick", QKeySequence(Qt::Key_Escape));
  connect(actESCPick, &QAction::triggered, this, [this] { actSwatch1Execute(actESCPick); });
  for (int i = 0; i < 10; ++i) {
    actSwatches[i] =
        MakeAction(this, QString("actSwatch%1").arg(i), QKeySequence(Qt::Key(Qt::Key_0 + i)));
    QAction* a = actSwatches[i];
    connect(a, &QAction::triggered, this, [this, a] { actSwatch1Execute(a); });
  }

  connect(actUndo, &QAction::triggered, this, [this] { SetForeColor(this, FUndoColor); });
  connect(actCopy, &QAction::triggered, this, [this] { actCopyExecute(); });
  connect(actPaste, &QAction::triggered, this, [this] { actPasteExecute(); });
  connect(actInvert, &QAction::triggered, this,
          [this] { SetForeColor(this, InvertColor(GetForeColor())); });
  connect(actRandom, &QAction::triggered, this, [this] { SetForeColor(this, RandomColor()); });
  connect(actCanvas, &QAction::triggered, this, [this] { actCanvasExecute(); });
  connect(actAddFavorite, &QAction::triggered, this,
          [this] { AddFavoriteDialog(*this, GetForeColor(), this); });
  connect(actHelp, &QAction::triggered, this, [this] { actHelpExecute(); });
  connect(actAbout, &QAction::triggered, this, [this] { actAboutExecute(); });
  connect(actClose, &QAction::triggered, this, [this] { close(); });
  connect(actWebSafe, &QAction::triggered, this, [this] { WebSafeChange(); });
  for (QAction* a : {actAddSharp, actAddQuotation, actLowerCase, actAddColorTag})
    connect(a, &QAction::triggered, this, [this] { UpdateCaption(); });
  connect(actShowPreview, &QAction::toggled, this, [this](bool on) { pnlPreview->setVisible(on); });
  connect(actPreviewFont, &QAction::triggered, this, [this] { actPreviewFontExecute(); });
  connect(actStayOnTop, &QAction::triggered, this, [this](bool on) { ApplyStayOnTop(on); });
  connect(actTaskTray, &QAction::toggled, this, [this](bool on) {
    if (on && !TrayIcon1) {
      TrayIcon1 = new QSystemTrayIcon(AppIcon(), this);
      TrayIcon1->setToolTip("Tintorb");
      connect(TrayIcon1, &QSystemTrayIcon::activated, this,
              [this](QSystemTrayIcon::ActivationReason r) { TrayIconActivated(int(r)); });
    }
    if (TrayIcon1) TrayIcon1->setVisible(on);
  });

  // Shortcuts work wherever the focus is inside the window.
  for (QAction* a : {actUndo, actCopy, actPaste, actInvert, actAddFavorite, actESCPick})
    addAction(a);
  for (QAction* a : actSwatches) addAction(a);
}

void TForm1::CreateMenus() {
  QMenuBar* bar = menuBar();
  mnuFile = bar->addMenu(Utf("ファイル(&F)"));
  mnuFile->addAction(actCanvas);
  mnuFile->addAction(actHelp);
  mnuFile->addAction(actAbout);
  mnuFile->addSeparator();
  mnuFile->addAction(actClose);

  mnuEdit = bar->addMenu(Utf("編集(&E)"));
  mnuEdit->addAction(actUndo);
  mnuEdit->addSeparator();
  mnuEdit->addAction(actCopy);
  E1 = mnuEdit->addMenu(Utf("最近コピーした色(&E)"));
  mnuEdit->addAction(actPaste);
  mnuEdit->addSeparator();
  mnuEdit->addAction(actInvert);
  mnuEdit->addAction(FCss->actReachContrast);
  mnuEdit->addAction(FCvd->actCvdCheck);
  mnuEdit->addSeparator();
  mnuEdit->addAction(actRandom);

  N3 = bar->addMenu(Utf("タグ(&T)"));
  for (QAction* a : actTags) N3->addAction(a);
  connect(N3, &QMenu::aboutToShow, this, [this] { N3Click(); });
  FCss->BuildMenu(bar);

  P2 = bar->addMenu(Utf("プログラミング(&P)"));
  for (QAction* a : actLiterals) P2->addAction(a);
  connect(P2, &QMenu::aboutToShow, this, [this] { P2Click(); });

  mnuConfig = bar->addMenu(Utf("設定(&C)"));
  mnuConfig->addAction(actWebSafe);
  mnuConfig->addSeparator();
  for (QAction* a : {actAddSharp, actAddQuotation, actLowerCase, actAddColorTag})
    mnuConfig->addAction(a);
  mnuConfig->addSeparator();
  mnuConfig->addAction(actShowPreview);
  mnuConfig->addAction(actPreviewFont);
  mnuConfig->addSeparator();
  mnuConfig->addAction(actStayOnTop);
  mnuConfig->addAction(actTaskTray);
  FCvd->BuildMenu(mnuConfig);

  popFavorite = new QMenu(this);
}

void TForm1::CreateControls() {
  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);

  Panel1 = new QWidget(central);
  Panel1->setFixedHeight(53);
  PaintBox1 = new TColorWell(*this, Panel1);
  PaintBox1->move(4, 4);
  connect(PaintBox1, &TColorWell::pressed, this,
          [this](QPoint p, Qt::MouseButton b) { PaintBox1MouseDown(p, b); });

  ToolBar1 = new QToolBar(Panel1);
  ToolBar1->setIconSize(QSize(16, 16));
  ToolBar1->setMovable(false);
  ToolBar1->setFloatable(false);
  ToolBar1->setContentsMargins(0, 0, 0, 0);
  ToolBar1->layout()->setSpacing(0);
  btnPicker = new TColorPickerButton(ToolBar1);
  btnPicker->setFixedSize(40, 22);
  btnPicker->SetAllowAllUp(true);
  btnPicker->SetFlat(true);
  btnPicker->SetCustomText(Utf("カスタムカラー"));
  btnPicker->SetDefaultText(Utf("基本色"));
  btnPicker->SetPopupSpacing(2);
  btnPicker->SetShowSystemColors(true);
  btnPicker->SetShowHint(true);
  btnPicker->setFocusPolicy(Qt::NoFocus);
  btnPicker->OnChange = [this](TColorPickerButton*) { btnPickerChange(); };
  btnPicker->OnClick = [this](TColorPickerButton*) { btnPickerChange(); };
  ToolBar1->addWidget(btnPicker);
  ToolBar1->addAction(actCopy);
  ToolBar1->addAction(actRandom);
  ToolBar1->addAction(actInvert);
  btnColorPick = new QToolButton(ToolBar1);
  btnColorPick->setIcon(ToolIcon(TToolImage::ColorPick));
  btnColorPick->setToolTip(Utf("カラーピック"));
  btnColorPick->setAutoRaise(true);
  btnColorPick->setFocusPolicy(Qt::NoFocus);
  FPick = new TPickController(*this, btnColorPick);
  ToolBar1->addWidget(btnColorPick);
  btnFavorite = new QToolButton(ToolBar1);
  btnFavorite->setDefaultAction(actAddFavorite);
  btnFavorite->setToolTip(actAddFavorite->text());
  btnFavorite->setMenu(popFavorite);
  btnFavorite->setPopupMode(QToolButton::MenuButtonPopup);
  btnFavorite->setAutoRaise(true);
  btnFavorite->setFocusPolicy(Qt::NoFocus);
  ToolBar1->addWidget(btnFavorite);
  ToolBar1->addAction(actCanvas);
  for (QAction* a : ToolBar1->actions())
    if (!a->text().isEmpty()) a->setToolTip(ToQ(CaptionWithoutAccelerator(ToStd(a->text()))));
  ToolBar1->move(80, 4);
  ToolBar1->adjustSize();
  ToolBar1->installEventFilter(this);  // keeps it sized to its buttons

  pnlWebSafe = new QFrame(Panel1);
  pnlWebSafe->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  pnlWebSafe->setGeometry(80, 29, 73, 20);
  pnlWebSafe->setAutoFillBackground(true);
  pnlWebSafe->installEventFilter(this);
  chkWebSafe = new QCheckBox(pnlWebSafe);
  chkWebSafe->setToolTip(Utf("Web セーフカラーのみに限定"));
  chkWebSafe->setGeometry(3, 2, 16, 16);
  chkWebSafe->setFocusPolicy(Qt::NoFocus);
  connect(chkWebSafe, &QCheckBox::clicked, this, [this] { actWebSafe->trigger(); });
  connect(actWebSafe, &QAction::toggled, chkWebSafe, [this](bool on) {
    const QSignalBlocker block(chkWebSafe);
    chkWebSafe->setChecked(on);
  });
  lblWebSafe = new QLabel(pnlWebSafe);
  lblWebSafe->setGeometry(20, 2, 51, 16);
  lblWebSafe->setAlignment(Qt::AlignCenter);
  lblWebSafe->installEventFilter(this);

  pntSwatch = new TSwatchBar(FSwatches, Panel1);
  pntSwatch->setGeometry(160, 29, 113, 20);
  connect(pntSwatch, &TSwatchBar::pressed, this,
          [this](QPoint p, Qt::MouseButton b) { pntSwatchMouseDown(p, b); });
  FCss->BuildReadout(Panel1, 280, 29);
  FitPanel1();

  tlbColorSheet = new QToolBar(central);
  tlbColorSheet->setIconSize(QSize(16, 16));
  tlbColorSheet->setMovable(false);
  tlbColorSheet->setFloatable(false);
  tlbColorSheet->setContentsMargins(0, 0, 0, 0);
  FSheetGroup = new QActionGroup(this);
  FSheetGroup->setExclusive(true);

  Splitter1 = new QSplitter(Qt::Vertical, central);
  Splitter1->setHandleWidth(4);
  Splitter1->setChildrenCollapsible(false);
  pnlPages = new QStackedWidget(Splitter1);
  pnlPages->setMinimumHeight(kMinPreviewSize);
  pnlPreview = new QWidget(Splitter1);
  pnlPreview->setMinimumHeight(kMinPreviewSize);
  auto* previewLayout = new QVBoxLayout(pnlPreview);
  previewLayout->setContentsMargins(0, 0, 0, 0);
  memPreview = new TPreviewMemo(pnlPreview);
  memPreview->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
  memPreview->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  previewLayout->addWidget(memPreview);
  Splitter1->addWidget(pnlPages);
  Splitter1->addWidget(pnlPreview);
  Splitter1->setStretchFactor(0, 1);
  Splitter1->setStretchFactor(1, 0);
  connect(Splitter1, &QSplitter::splitterMoved, this,
          [this] { FLoaded.previewSize = std::max(kMinPreviewSize, pnlPreview->height()); });
  connect(memPreview, &QPlainTextEdit::textChanged, this, [this] { memPreviewChange(); });
  FCvd->AttachControls(FCss->lblContrast, memPreview, btnColorPick);

  // A click outside the text boxes gives the keys back to the window's commands.
  central->setFocusPolicy(Qt::ClickFocus);
  column->addWidget(Panel1);
  column->addWidget(tlbColorSheet);
  column->addWidget(Splitter1, 1);
  setCentralWidget(central);

  FTrayClickTimer = new QTimer(this);
  FTrayClickTimer->setSingleShot(true);
  connect(FTrayClickTimer, &QTimer::timeout, this, [this] { TrayIcon1Click(); });
}

// ---------------------------------------------------------------------------
// Settings

void TForm1::LoadSettings() {
  TMainSettings present;
  present.form = kDesignPlacement;
  present.previewFont = DefaultPreviewFont();
  FLoaded = ReadMainSettings(IniGT1.IniFile(), present);
  const TMainSettings& s = FLoaded;

  ApplyStayOnTop(s.stayOnTop);
  SetForeColor(this, s.current);
  SetBackColor(this, s.back);
  ApplyPlacement(s.form);
  actAddSharp->setChecked(s.copy.sharp);
  actAddQuotation->setChecked(s.copy.quote);
  actLowerCase->setChecked(s.copy.lower);
  actAddColorTag->setChecked(s.copy.colorTag);
  // The web-safe state waits for the first show.
  actTaskTray->setChecked(s.taskTray);
  {
    const QSignalBlocker block(memPreview);
    memPreview->setPlainText(ToQ(s.previewCaption));
  }
  FPreviewFont = s.previewFont;
  memPreview->setFont(DrawnFont(FPreviewFont));
  FPreviewTextColor = s.previewFontColor;
  FPreviewBackColor = s.previewColor;
  ApplyPreviewColors();
  // Without a stored height the strip shows one whole line of its font.
  if (!IniGT1.IniFile().ValueExists("Preview", "Size"))
    FLoaded.previewSize = std::max(kMinPreviewSize, PreviewLineHeight());
  Splitter1->setSizes({100000, s.previewSize});
  actShowPreview->setChecked(s.previewShow);
  pnlPreview->setVisible(s.previewShow);
  FSwatches = s.swatches;
  pntSwatch->update();
}

int TForm1::PreviewLineHeight() const {
  return memPreview->fontMetrics().lineSpacing() +
         2 * int(memPreview->document()->documentMargin() + memPreview->frameWidth());
}

// Panel1 places its controls itself: the window never gets narrower than they reach.
void TForm1::FitPanel1() {
  int right = 0;
  for (QWidget* w : Panel1->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (!w->isHidden()) right = std::max(right, w->x() + w->width());
  Panel1->setMinimumWidth(right + 4);
}

void TForm1::SaveSettings() {
  TMainSettings s = FLoaded;
  s.current = FCurrentColor;
  s.back = FBackColor;
  s.form = CurrentPlacement();
  s.copy = CopyOptions();
  s.stayOnTop = windowFlags().testFlag(Qt::WindowStaysOnTopHint);
  s.webSafe = IsWebSafe();
  s.taskTray = actTaskTray->isChecked();
  s.activePage = FActivePage;
  if (pnlPreview->isVisible()) s.previewSize = std::max(kMinPreviewSize, pnlPreview->height());
  s.previewShow = actShowPreview->isChecked();
  s.previewCaption = ToStd(memPreview->toPlainText());
  s.previewFont = FPreviewFont;
  s.previewFont.color = FPreviewTextColor;
  s.previewFontColor = FPreviewTextColor;
  s.previewColor = FPreviewBackColor;
  s.swatches = FSwatches;
  WriteMainSettings(IniGT1.IniFile(), s);
}

void TForm1::ApplyPlacement(const TWindowPlacement& wp) {
  const auto span = [](int from, int to) {
    return int(std::clamp<int64_t>(int64_t(to) - from, 0, std::numeric_limits<int>::max()));
  };
  int w = span(wp.left, wp.right), h = span(wp.top, wp.bottom);
  // A rectangle that cannot be a window keeps the design size.
  if (w < 50 || h < 50) {
    w = kDesignPlacement.right - kDesignPlacement.left;
    h = kDesignPlacement.bottom - kDesignPlacement.top;
  }
  const QRect r = FitToScreens(QRect(wp.left, wp.top, w, h));
  resize(r.size());
  move(r.topLeft());
  FNormalRect = r;
  FShowCmd = wp.showCmd;
}

TWindowPlacement TForm1::CurrentPlacement() const {
  TWindowPlacement wp = FLoaded.form;
  wp.showCmd = isMaximized() ? 3 : isMinimized() ? 2 : 1;
  wp.left = FNormalRect.x();
  wp.top = FNormalRect.y();
  wp.right = FNormalRect.x() + FNormalRect.width();
  wp.bottom = FNormalRect.y() + FNormalRect.height();
  return wp;
}

void TForm1::ShowWithPlacement() {
  if (FShowCmd == 3)
    showMaximized();
  else if (FShowCmd == 2)
    showMinimized();
  else
    show();
}

void TForm1::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  if (isVisible() && windowState() == Qt::WindowNoState) FNormalRect.moveTopLeft(pos());
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (isVisible() && windowState() == Qt::WindowNoState) FNormalRect.setSize(size());
}

// ---------------------------------------------------------------------------
// Show, close, teardown

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!FShown) {
    FShown = true;
    FormShow();
  }
}

void TForm1::FormShow() {
  {
    const QSignalBlocker block(actWebSafe);
    actWebSafe->setChecked(FLoaded.webSafe);
  }
  chkWebSafe->setChecked(FLoaded.webSafe);
  if (pnlPreview->isVisibleTo(this)) {
    const int total = Splitter1->height() - Splitter1->handleWidth();
    Splitter1->setSizes(
        {std::max(kMinPreviewSize, total - FLoaded.previewSize), FLoaded.previewSize});
  }
  WebSafeChange();
  NotifyActiveSheet(0);
  centralWidget()->setFocus();  // no text box takes Ctrl+A, Ctrl+V and the digits at start
}

void TForm1::closeEvent(QCloseEvent* event) {
  SaveSettings();
  event->accept();
  emit closed();
}

TForm1::~TForm1() {
  FTearingDown = true;
  qApp->removeEventFilter(this);
  FActivePage = -1;
  // Sheets go in page order (last-created first), then the canvas: each
  // stores its keys. A sheet never made leaves its section as it was read.
  FSheets.clear();
  for (auto& sheet : FOwnedSheets) sheet.reset();
  FCanvas.reset();
  FormDestroy();
}

void TForm1::FormDestroy() {
  // A read-only directory or a full disk fails every write: one message.
  TSaveReport report(ProgramDir());
  // The group files go first: favourites still kept in the old settings
  // layout leave the settings only once their files are on disk.
  std::vector<std::string> failures;
  if (FFavorites && FFavorites->SaveToDir(ProgramDir(), &failures))
    CompleteIniMigration(*FFavorites, IniGT1.IniFile());
  report.Failed(failures);
  FFavorites.reset();
  try {
    IniGT1.UpdateFile();
  } catch (const std::exception& e) {
    report.Failed(e.what());
  }
  try {
    if (HistoryMenu1) HistoryMenu1->SetActive(false);  // writes its section, last
  } catch (const std::exception& e) {
    report.Failed(e.what());
  }
  if (!report.Empty()) {
    const std::string text = report.Message(ProbeFolder(ProgramDir()), FReadOnlyTold);
    if (!text.empty()) Dialogs().Error(text);
  }
}

// ---------------------------------------------------------------------------
// Colour of record

TColor TForm1::GetForeColor() const {
  return IsWebSafe() ? WebSafeColor(FCurrentColor) : FCurrentColor;
}

bool TForm1::IsWebSafe() const {
  return actWebSafe->isChecked();
}

TCopyOptions TForm1::CopyOptions() const {
  TCopyOptions o;
  o.sharp = actAddSharp->isChecked();
  o.quote = actAddQuotation->isChecked();
  o.lower = actLowerCase->isChecked();
  o.colorTag = actAddColorTag->isChecked();
  return o;
}

void TForm1::SetForeColor(QObject* sender, TColor color) {
  FUndoColor = GetForeColor();
  FCurrentColor = color;
  const TColor safe = WebSafeColor(color);
  SetTextColors(pnlWebSafe, QPalette::WindowText, ContrastTextColor(safe), QPalette::Window, safe);
  SetTextColors(lblWebSafe, QPalette::WindowText, ContrastTextColor(safe), QPalette::Window, safe);
  lblWebSafe->setText(ToQ(ColorToHex(safe)));
  RefreshColorDisplays();
  if (FCanvas && sender != FCanvas->CanvasWindow()) FCanvas->ApplyCurrentColor();
  if (!qobject_cast<TColorSheetForm*>(sender)) NotifyActiveSheet(0);
}

void TForm1::SetBackColor(QObject* sender, TColor color) {
  FBackColor = color;
  FPreviewBackColor = color;
  ApplyPreviewColors();
  PaintBox1->update();
  FCss->UpdateReadout();
  if (FCvd) FCvd->ColorsChanged();
  if (FCanvas && sender != FCanvas->CanvasWindow()) FCanvas->ApplyCurrentColor();
  if (!qobject_cast<TColorSheetForm*>(sender)) NotifyActiveSheet(1);
}

void TForm1::RefreshColorDisplays() {
  FPreviewTextColor = GetForeColor();
  ApplyPreviewColors();
  setWindowIconText(ToQ(TaskBarTitleText(GetForeColor())));
  UpdateCaption();
  PaintBox1->update();
  FCss->UpdateReadout();
  if (FCvd) FCvd->ColorsChanged();
}

QString TForm1::ApplicationTitle() const {
  return windowIconText();
}

void TForm1::UpdateCaption() {
  setWindowTitle(ToQ(WindowCaptionText(GetForeColor(), CopyOptions())) + ShownFilterCaption());
}

void TForm1::ApplyPreviewColors() {
  SetTextColors(memPreview, QPalette::Text, ShownColor(FPreviewTextColor), QPalette::Base,
                ShownColor(FPreviewBackColor));
}

void TForm1::WebSafeChange() {
  RefreshColorDisplays();
  for (TColorSheetForm* s : FSheets)
    if (s) s->WebSafeChanged();
}

void TForm1::pnlWebSafeClick() {
  SetForeColor(this, WebSafeColor(FCurrentColor));
}

// A system colour from the picker becomes its current RGB value: the colour of
// record is a plain colour that settings, swatches and texts can keep.
void TForm1::btnPickerChange() {
  SetForeColor(this, ResolveColor(btnPicker->SelectionColor()));
}

// ---------------------------------------------------------------------------
// Sheets

void TForm1::BuildSheetPages(std::vector<TSheetPage> created) {
  CollectPages(std::move(created));
  ActivateSheet(FLoaded.activePage);
}

void TForm1::BuildSheets(std::vector<std::unique_ptr<TColorSheetForm>> created) {
  std::vector<TSheetPage> pages;
  for (auto& sheet : created) {
    auto held = std::make_shared<std::unique_ptr<TColorSheetForm>>(std::move(sheet));
    pages.push_back({(*held)->Caption(), (*held)->SheetIcon(),
                     [held](TSheetHost&) { return std::move(*held); }});
  }
  CollectPages(std::move(pages));
  for (int i = 0; i < int(FPages.size()); ++i) Sheet(i);
  ActivateSheet(FLoaded.activePage);
}

void TForm1::CollectPages(std::vector<TSheetPage> created) {
  FPages.assign(std::make_move_iterator(created.rbegin()), std::make_move_iterator(created.rend()));
  FSheets.assign(FPages.size(), nullptr);
  FOwnedSheets.resize(FPages.size());
  for (int i = 0; i < int(FPages.size()); ++i) {
    const TSheetPage& page = FPages[i];
    auto* button = new QAction(page.icon, page.caption, this);
    button->setCheckable(true);
    button->setToolTip(page.caption);
    button->setData(i);
    FSheetGroup->addAction(button);
    const QList<QAction*> existing = tlbColorSheet->actions();
    tlbColorSheet->insertAction(existing.isEmpty() ? nullptr : existing.front(), button);
    connect(button, &QAction::triggered, this, [this, i] { ActivateSheet(i); });
    FSheetButtons.push_back(button);

    auto* panel = new QWidget(pnlPages);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    pnlPages->addWidget(panel);
    FSheetPanels.push_back(panel);
    FSheetVisible.push_back(true);
  }
  pnlPages->setMinimumSize(0, kMinPreviewSize);
}

TColorSheetForm* TForm1::Sheet(int page) {
  if (page < 0 || page >= int(FPages.size())) return nullptr;
  if (FSheets[page]) return FSheets[page];
  FOwnedSheets[page] = FPages[page].make(*this);
  TColorSheetForm* sheet = FOwnedSheets[page].get();
  FSheets[page] = sheet;
  QWidget* panel = FSheetPanels[page];
  sheet->setParent(panel, Qt::Widget);
  panel->layout()->addWidget(sheet);
  sheet->show();
  // The page area never cuts off part of a sheet: the window stops shrinking
  // where the most demanding sheet made so far would.
  pnlPages->setMinimumSize(pnlPages->minimumSize().expandedTo(sheet->minimumSizeHint()));
  // The web-safe state every sheet was given at the first show.
  if (FShown) sheet->WebSafeChanged();
  return sheet;
}

void TForm1::SetCanvas(std::unique_ptr<TCanvasLink> canvas) {
  FCanvas = std::move(canvas);
  actCanvas->setEnabled(FCanvas != nullptr);
}

void TForm1::SetSheetVisible(int page, bool visible) {
  if (page < 0 || page >= int(FSheets.size())) return;
  FSheetVisible[page] = visible;
  FSheetButtons[page]->setVisible(visible);
  if (!visible && page == FActivePage) ActivateSheet(page);
}

void TForm1::ActivateSheet(int n) {
  const int page = ChooseActivePage(n, FSheetVisible);
  if (page != -1) Sheet(page);
  FActivePage = page;
  if (page != -1) {
    pnlPages->setCurrentWidget(FSheetPanels[page]);
    FSheetButtons[page]->setChecked(true);
  }
  NotifyActiveSheet(2);
}

void TForm1::NotifyActiveSheet(int kind) {
  if (FActivePage == -1) return;
  TColorSheetForm* sheet = FSheets[FActivePage];
  sheet->ColorChanged(kind);
  if (auto* p = qobject_cast<TColorSheetPreviewForm*>(sheet))
    p->PreviewTextChanged(memPreview->toPlainText());
}

void TForm1::memPreviewChange() {
  if (FActivePage == -1) return;
  if (auto* p = qobject_cast<TColorSheetPreviewForm*>(FSheets[FActivePage]))
    p->PreviewTextChanged(memPreview->toPlainText());
}

bool TForm1::FormMouseWheel(QWheelEvent* event) {
  if (FActivePage == -1) return false;
  return FSheets[FActivePage]->SheetMouseWheel(event);
}

// ---------------------------------------------------------------------------
// Sheet services

TFavorites& TForm1::GetFavorites() {
  if (!FFavorites) throw std::logic_error("favourites store not loaded");
  return *FFavorites;
}

void TForm1::BuildFavoritesMenu() {
  tintorb::BuildFavoritesMenu(*popFavorite, *FFavorites, [this](TColor c) {
    SetForeColor(this, c);
    actCopyExecute();
  });
}

void TForm1::NotifyFavoritesChanged() {
  BuildFavoritesMenu();
  for (TColorSheetForm* s : FSheets)
    if (s) s->FavoritesChanged();
}

void TForm1::CopyText(const QString& text) {
  Desktop().SetClipboardText(ToStd(text));
  HistoryMenu1->AddHistory(text);
}

QString TForm1::ApplyCopyOptions(const QString& text, bool noSharp) const {
  return ToQ(tintorb::ApplyCopyOptions(ToStd(text), noSharp, CopyOptions()));
}

void TForm1::SetPreviewFontName(const QString& face) {
  FPreviewFont.name = ToStd(face);
  QFont f = memPreview->font();
  f.setFamily(face);
  memPreview->setFont(f);
}

QString TForm1::GetPreviewText() const {
  const QString text = memPreview->toPlainText();
  const qsizetype nl = text.indexOf('\n');
  return nl < 0 ? text : text.left(nl);
}

bool TForm1::CheckEditRange(int lo, int hi, QLineEdit* edit) {
  return CheckEditRangeImpl(lo, hi, edit);
}

// ---------------------------------------------------------------------------
// Commands

void TForm1::actCopyExecute() {
  CopyText(ToQ(CopyColorText(GetForeColor(), CopyOptions())));
}

void TForm1::actPasteExecute() {
  TColor c = 0;
  if (AcceptPastedText(Desktop().ClipboardText(), c)) return SetForeColor(this, c);
  FPictures->PasteImage();
}

void TForm1::actTagFontExecute(int index) {
  CopyText(ToQ(TagText(kTagActions[index], GetForeColor(), CopyOptions())));
}

void TForm1::N3Click() {
  for (size_t i = 0; i < kTagActions.size(); ++i)
    actTags[i]->setText(ToQ(TagCaption(kTagActions[i], GetForeColor(), CopyOptions())));
}

void TForm1::actDelphiExecute(int index) {
  CopyText(ToQ(LiteralCopyText(ToStd(actLiterals[index]->text()))));
}

void TForm1::P2Click() {
  for (size_t i = 0; i < kLiteralActions.size(); ++i)
    actLiterals[i]->setText(ToQ(LiteralCaption(kLiteralActions[i], GetForeColor())));
}

void TForm1::actPreviewFontExecute() {
  TFontSpec font = FPreviewFont;
  font.color = 0;
  if (!Dialogs().ChooseFont(font)) return;
  FPreviewFont = font;
  memPreview->setFont(DrawnFont(font));
  FPreviewTextColor = font.color;
  ApplyPreviewColors();
}

void TForm1::actHelpExecute() {
  const std::string path = HelpFilePath();
  Desktop().OpenHelp(path, [path] {
    Dialogs().Warning(
        "ヘルプを表示できなかったでおじゃる。\rブラウザーでこのファイルを開いてたも。\r" + path);
  });
}

void TForm1::actAboutExecute() {
  TAboutBox box(this);
  box.exec();
}

void TForm1::actCanvasExecute() {
  if (!FCanvas) return;
  QWidget* w = FCanvas->CanvasWindow();
  if (w->isVisible()) {
    w->hide();
  } else {
    w->show();
    w->raise();
    w->activateWindow();
  }
}

void TForm1::ApplyStayOnTop(bool on) {
  const bool wasVisible = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, on);
  if (wasVisible) show();
  actStayOnTop->setChecked(windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

// ---------------------------------------------------------------------------
// Tray icon: a click restores the window, a double click does nothing.

void TForm1::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange) return;
  // Without a tray to click, hiding would leave no way back to the window.
  if (isMinimized() && actTaskTray->isChecked() && QSystemTrayIcon::isSystemTrayAvailable())
    QTimer::singleShot(0, this, [this] {
      if (isMinimized()) hide();
    });
}

void TForm1::TrayIconActivated(int reason) {
  if (reason == QSystemTrayIcon::DoubleClick) {
    FTrayClickTimer->stop();
  } else if (reason == QSystemTrayIcon::Trigger) {
    if (FTrayClickTimer->isActive())
      FTrayClickTimer->stop();  // the second click of a double click
    else
      FTrayClickTimer->start(QApplication::doubleClickInterval() + 50);
  }
}

void TForm1::TrayIcon1Click() {
  showNormal();
  raise();
  activateWindow();
}

// ---------------------------------------------------------------------------
// Colour well, screen pick, swatches

void TForm1::PaintBox1MouseDown(QPoint pos, Qt::MouseButton button) {
  if (button != Qt::LeftButton) return;
  switch (PaintBox1->Layout().HitTest(pos.x(), pos.y())) {
    case TWellZone::Fore: {
      TColor c = GetForeColor();
      if (Dialogs().ChooseColor(c)) SetForeColor(this, c);
      break;
    }
    case TWellZone::Back: {
      TColor c = FBackColor;
      if (Dialogs().ChooseColor(c)) SetBackColor(this, c);
      break;
    }
    case TWellZone::Swap: {
      const TColor fore = GetForeColor();
      SetForeColor(this, FBackColor);
      SetBackColor(this, fore);
      break;
    }
    case TWellZone::Defaults:
      SetForeColor(this, clBlack);
      SetBackColor(this, clWhite);
      break;
    case TWellZone::None:
      break;
  }
}

int TForm1::PickMode() const {
  return FPick->PickMode();
}

void TForm1::pntSwatchMouseDown(QPoint pos, Qt::MouseButton button) {
  if (pos.y() < 0 || pos.y() >= pntSwatch->height()) return;
  const int s = SwatchAtX(pos.x());
  TColor c = 0;
  if (s < 0 || !SwatchColor(FSwatches[s], c)) return;
  if (button == Qt::LeftButton)
    SetForeColor(this, c);
  else if (button == Qt::RightButton)
    SetBackColor(this, c);
}

void TForm1::actSwatch1Execute(QAction* action) {
  // A digit typed into a one-line edit stays a digit. Esc has no text: it picks.
  if (action != actESCPick) {
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus->window() == this) {
      QLineEdit* edit = qobject_cast<QLineEdit*>(focus);
      if (!edit && qobject_cast<QAbstractSpinBox*>(focus)) edit = focus->findChild<QLineEdit*>();
      const QString text = action->shortcut().toString(QKeySequence::NativeText);
      if (edit) {
        edit->insert(text);
        return;
      }
    }
  }
  if (action == actESCPick) return FPick->PickUnderPointer({TPickTarget::Fore});
  for (int d = 0; d < 10; ++d)
    if (actSwatches[d] == action) FPick->PickUnderPointer({TPickTarget::Swatch, d});
}

void TForm1::SetSwatch(int index, TColor color) {
  if (index < 0 || index > 9) {
    Dialogs().Error("スウォッチは10個しかありません");
    return;
  }
  FSwatches[index] = ColorToHex(color);
  pntSwatch->update();
}

// ---------------------------------------------------------------------------
// Event routing

bool TForm1::IsWindowShortcut(QWidget* focus, QKeyEvent* key) const {
  // The window's commands win over the text boxes' own keys (Ctrl+C copies the
  // colour, the digits sample the screen), except that a one-line edit keeps
  // its digits and every text box its select-all and paste.
  if (TextBoxKeepsKey(focus, key)) return false;
  const QKeySequence seq(key->keyCombination().toCombined() & ~Qt::KeypadModifier);
  const bool edit = qobject_cast<QLineEdit*>(focus) || qobject_cast<QAbstractSpinBox*>(focus);
  for (QAction* a : actions()) {
    if (a->shortcut() != seq || !a->isEnabled()) continue;
    const bool digit = std::find(actSwatches.begin(), actSwatches.end(), a) != actSwatches.end();
    return !(edit && digit);
  }
  return false;
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ToolBar1 && event->type() == QEvent::LayoutRequest) {
    ToolBar1->resize(ToolBar1->sizeHint());
    FitPanel1();
  }
  if (event->type() == QEvent::ShortcutOverride) {
    auto* w = qobject_cast<QWidget*>(watched);
    // Left unaccepted, the override lets the shortcut fire.
    if (w && w->window() == this && IsWindowShortcut(w, static_cast<QKeyEvent*>(event)))
      return true;
  }
  if ((watched == pnlWebSafe || watched == lblWebSafe) &&
      event->type() == QEvent::MouseButtonPress) {
    if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) pnlWebSafeClick();
    return true;
  } else if (event->type() == QEvent::Wheel && !FTearingDown) {
    auto* w = qobject_cast<QWidget*>(watched);
    // A wheel event climbs the parents when ignored; the sheet sees it once.
    auto* we = static_cast<QWheelEvent*>(event);
    if (w && w->window() == this && (event != FLastWheel || we->timestamp() != FLastWheelStamp)) {
      FLastWheel = event;
      FLastWheelStamp = we->timestamp();
      if (FormMouseWheel(we)) return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace tintorb
