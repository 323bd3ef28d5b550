// TForm1, the main window: owner of the colour of record, host of the sheets.
#pragma once

#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/IniFile.h"
#include "app/MainSettings.h"
#include "app/ui/CanvasLink.h"
#include "app/ui/ColorSheet.h"
#include "core/ColorText.h"

class QAction;
class QActionGroup;
class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QSplitter;
class QStackedWidget;
class QSystemTrayIcon;
class QTimer;
class QToolBar;
class QToolButton;

namespace tintorb {

class TColorPickerButton;
class TColorWell;
class TColorVisionCommands;
class TCssCommands;
class TSwatchBar;
class TFavorites;
class TPickController;
class TPictureCommands;
class THistoryMenu;

// The preview box: a text box in which Return inserts no line break.
class TPreviewMemo : public QPlainTextEdit {
  Q_OBJECT
 public:
  using QPlainTextEdit::QPlainTextEdit;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

class TForm1 : public QMainWindow, public TSheetHost {
  Q_OBJECT
 public:
  // FormCreate: reads the main window's settings from the program directory's
  // settings file, loads the favourites.
  explicit TForm1(QWidget* parent = nullptr);
  // Teardown: the sheets (page order, that is reverse creation order), then
  // the canvas, write their keys; then the settings file is written once, the
  // favourites saved, and last the recent-copies section.
  ~TForm1() override;

  // Collects the pages (given in creation order) last-to-first, builds the
  // sheet toolbar and activates the stored page. A page's sheet is made when
  // the page is first shown; until then it has nothing to be told, and its
  // settings section stays as it was read.
  void BuildSheetPages(std::vector<TSheetPage> created);
  // The same with every sheet already made.
  void BuildSheets(std::vector<std::unique_ptr<TColorSheetForm>> created);
  void SetCanvas(std::unique_ptr<TCanvasLink> canvas);
  // Shows the window in the stored show state (normal, minimised, maximised).
  void ShowWithPlacement();

  // TSheetHost
  void SetForeColor(QObject* sender, TColor color) override;
  void SetBackColor(QObject* sender, TColor color) override;
  TColor GetForeColor() const override;
  TColor GetBackColor() const override { return FBackColor; }
  bool IsWebSafe() const override;
  TIniGT& GetSettingsFile() override { return IniGT1; }
  TFavorites& GetFavorites() override;
  void NotifyFavoritesChanged() override;
  void CopyText(const QString& text) override;
  QString ApplyCopyOptions(const QString& text, bool noSharp) const override;
  void SetPreviewFontName(const QString& face) override;
  QString GetPreviewText() const override;
  bool CheckEditRange(int lo, int hi, QLineEdit* edit) override;

  void NotifyActiveSheet(int kind);
  void ActivateSheet(int n);
  void RefreshColorDisplays();
  void UpdateCaption();
  void SetSwatch(int index, TColor color);
  // Pages hidden here are skipped by ActivateSheet.
  void SetSheetVisible(int page, bool visible);
  // The user was told at start-up that the directory is read-only; the
  // failing writes at the end of the run are not told again.
  void FolderReadOnlyTold() { FReadOnlyTold = true; }

  TColor CurrentColor() const { return FCurrentColor; }
  TColor UndoColor() const { return FUndoColor; }
  int PickMode() const;
  TPickController* Pick() const { return FPick; }
  TPictureCommands* Pictures() const { return FPictures; }
  int ActivePage() const { return FActivePage; }
  // In page order; null for a page whose sheet is not made yet.
  const std::vector<TColorSheetForm*>& Sheets() const { return FSheets; }
  // The sheet of a page, made now if it was not yet; null for no such page.
  TColorSheetForm* Sheet(int page);
  const std::vector<QAction*>& SheetButtons() const { return FSheetButtons; }
  const std::array<std::string, 10>& Swatches() const { return FSwatches; }
  TCopyOptions CopyOptions() const;
  // The task-bar title ("Tintorb [RRGGBB]"), kept as the window's icon text.
  QString ApplicationTitle() const;
  TCanvasLink* Canvas() const { return FCanvas.get(); }
  // The CSS menu, the contrast read-out and its command.
  TCssCommands* Css() const { return FCss; }
  TColorVisionCommands* ColorVision() const { return FCvd; }

  // The notification-area icon reports its clicks here (QSystemTrayIcon
  // reasons); a single click restores the window once the double-click time
  // has passed without a second click.
  void TrayIconActivated(int reason);
  void TrayIcon1Click();

  // Controls and actions, named as on the form.
  QWidget* Panel1;
  TColorWell* PaintBox1;
  QToolBar* ToolBar1;
  TColorPickerButton* btnPicker;
  QToolButton* btnColorPick;
  QToolButton* btnFavorite;
  QFrame* pnlWebSafe;
  QCheckBox* chkWebSafe;
  QLabel* lblWebSafe;
  TSwatchBar* pntSwatch;
  QToolBar* tlbColorSheet;
  QStackedWidget* pnlPages;
  QSplitter* Splitter1;
  QWidget* pnlPreview;
  TPreviewMemo* memPreview;
  QSystemTrayIcon* TrayIcon1;

  QMenu* mnuFile;
  QMenu* mnuEdit;
  QMenu* E1;  // recent copies
  QMenu* N3;  // tags
  QMenu* P2;  // programming literals
  QMenu* mnuConfig;
  QMenu* popFavorite;

  QAction *actUndo, *actCopy, *actPaste, *actInvert, *actRandom, *actAddFavorite, *actCanvas,
      *actHelp, *actAbout, *actClose;
  std::array<QAction*, 12> actTags;     // actTagFont ... actVLink
  std::array<QAction*, 4> actLiterals;  // actDelphi ... actIAppli16
  QAction *actWebSafe, *actAddSharp, *actAddQuotation, *actLowerCase, *actAddColorTag,
      *actShowPreview, *actPreviewFont, *actStayOnTop, *actTaskTray;
  QAction* actESCPick;
  std::array<QAction*, 10> actSwatches;  // actSwatch0 ... actSwatch9

 signals:
  // The window has closed (FormClose has stored its keys); the program ends.
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateActions();
  void CreateMenus();
  void CreateControls();
  void LoadSettings();
  void SaveSettings();
  void FormShow();
  void FormDestroy();
  void ApplyPlacement(const TWindowPlacement& wp);
  TWindowPlacement CurrentPlacement() const;
  void ApplyPreviewColors();
  int PreviewLineHeight() const;  // the strip's height for one whole line
  void FitPanel1();
  void ApplyStayOnTop(bool on);

  void CollectPages(std::vector<TSheetPage> created);
  void BuildFavoritesMenu();
  void WebSafeChange();
  void pnlWebSafeClick();
  void PaintBox1MouseDown(QPoint pos, Qt::MouseButton button);
  void pntSwatchMouseDown(QPoint pos, Qt::MouseButton button);
  void btnPickerChange();
  void actSwatch1Execute(QAction* action);
  void actCopyExecute();
  void actPasteExecute();
  void actTagFontExecute(int index);
  void actDelphiExecute(int index);
  void N3Click();
  void P2Click();
  void actPreviewFontExecute();
  void actHelpExecute();
  void actAboutExecute();
  void actCanvasExecute();
  bool FormMouseWheel(QWheelEvent* event);
  bool IsWindowShortcut(QWidget* focus, QKeyEvent* key) const;
  void memPreviewChange();

  TIniGT IniGT1;
  TColor FCurrentColor = 0;
  TColor FBackColor = 0xFFFFFF;
  TColor FUndoColor = 0;
  TPickController* FPick = nullptr;  // the screen pick, a child of the window
  // Picture files and pasted images opened for picking.
  TPictureCommands* FPictures = nullptr;
  int FActivePage = -1;
  std::vector<TColorSheetForm*> FSheets;
  std::vector<QWidget*> FSheetPanels;
  std::vector<QAction*> FSheetButtons;
  std::vector<bool> FSheetVisible;
  std::vector<TSheetPage> FPages;                              // page order
  std::vector<std::unique_ptr<TColorSheetForm>> FOwnedSheets;  // page order
  QActionGroup* FSheetGroup = nullptr;
  std::array<std::string, 10> FSwatches;
  std::unique_ptr<TFavorites> FFavorites;
  std::unique_ptr<TCanvasLink> FCanvas;
  TCssCommands* FCss = nullptr;
  TColorVisionCommands* FCvd = nullptr;

  TMainSettings FLoaded;  // what LoadSettings read; the base of what closing writes
  bool FShown = false;
  bool FTearingDown = false;
  bool FReadOnlyTold = false;
  QRect FNormalRect;  // frame position and client size while in the normal state
  TFontSpec FPreviewFont;
  TColor FPreviewTextColor = 0;
  TColor FPreviewBackColor = 0xFFFFFF;
  int FShowCmd = 1;
  const QEvent* FLastWheel = nullptr;
  qulonglong FLastWheelStamp = 0;
  QTimer* FTrayClickTimer = nullptr;

  std::unique_ptr<THistoryMenu> HistoryMenu1;  // destroyed last: writes History
};

}  // namespace tintorb
