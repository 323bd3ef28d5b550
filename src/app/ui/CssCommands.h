// The web-colour commands of the main window: the CSS menu, the contrast
// read-out beside the colour well and the command that meets a contrast.
#pragma once

#include <QObject>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QWidget;

namespace tintorb {

class TSheetHost;

class TCssCommands : public QObject {
  Q_OBJECT
 public:
  // `window` is the sender of the colour changes (the main window itself).
  TCssCommands(TSheetHost& host, QObject* window);

  // "CSS(&S)": one item per CSS form of the current colour, captioned with
  // the text it copies; the keyword item only when one fits.
  QMenu* BuildMenu(QMenuBar* bar);
  // The ratio and level label, placed at (x, y) in `parent`.
  QLabel* BuildReadout(QWidget* parent, int x, int y);
  void UpdateReadout();

  // The nearest lightness that reaches 4.5:1 (7:1 when strict) on the
  // background colour; nothing changes when the colour already does.
  void ReachContrastExecute(bool strict);

  QMenu* mnuCss = nullptr;
  std::vector<QAction*> actCss;  // in the order of kCssForms without hex
  QAction* actReachContrast;     // reads Shift when triggered
  QLabel* lblContrast = nullptr;

 private:
  void mnuCssShow();

  TSheetHost& FHost;
  QObject* FWindow;
};

}  // namespace tintorb
