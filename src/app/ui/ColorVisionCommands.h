// The colour-vision commands of the main window: the 色覚シミュレーション
// menu and its saved setting, and 色覚チェック of the current pair.
#pragma once

#include <QObject>
#include <QPointer>
#include <array>
#include <functional>

#include "app/ui/ColorVisionDialogs.h"
#include "core/ColorVision.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QWidget;

namespace tintorb {

class TSheetHost;

class TColorVisionCommands : public QObject {
  Q_OBJECT
 public:
  // While the screen is read for a pick, the windows show their real colours,
  // so a pick from them never yields a simulated one.
  void ShowReal(bool real);
  // Reads the stored simulation from the host's settings (section
  // "ColorVision") and puts it in force.
  TColorVisionCommands(TSheetHost& host, QWidget* window);

  // The submenu "色覚シミュレーション(&M)" at the end of `menu`.
  QMenu* BuildMenu(QMenu* menu);
  // The read-out's context menu gets 色覚チェック; the preview lends its text
  // font; a screen pick by `pickButton` sees the real colours.
  void AttachControls(QLabel* readout, QWidget* preview, QWidget* pickButton);
  // The current or background colour changed: an open 色覚チェック follows.
  void ColorsChanged();

  void Select(TCvdType type, int percent);
  void actCvdCheckExecute();
  TColorVisionCheck* CheckWindow() const { return FCheck; }

  // Called after the simulation changed (caption, preview colours).
  std::function<void()> OnChanged;

  std::array<QAction*, 5> actCvdType;  // in TCvdType order
  QAction *actCvdHalf, *actCvdFull;
  QAction* actCvdCheck;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Apply();

  TSheetHost& FHost;
  QWidget* FWindow;
  QWidget* FPreview = nullptr;
  QWidget* FPickButton = nullptr;
  QPointer<TColorVisionCheck> FCheck;
};

}  // namespace tintorb
