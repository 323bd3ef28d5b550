#include "app/ui/ColorVisionCommands.h"

#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QWidget>

#include "app/IniFile.h"
#include "app/ui/ColorSheet.h"
#include "app/ui/ColorVisionDialogs.h"
#include "app/ui/ColorVisionView.h"

namespace tintorb {

namespace {

constexpr const char* kSection = "ColorVision";

}  // namespace

TColorVisionCommands::TColorVisionCommands(TSheetHost& host, QWidget* window)
    : QObject(window), FHost(host), FWindow(window) {
  auto* types = new QActionGroup(this);
  for (int i = 0; i < 5; ++i) {
    const auto t = TCvdType(i);
    actCvdType[size_t(i)] = new QAction(CvdTypeCaption(t), types);
    actCvdType[size_t(i)]->setCheckable(true);
    actCvdType[size_t(i)]->setObjectName("actCvd_" + QString::fromLatin1(CvdTypeName(t)));
    connect(actCvdType[size_t(i)], &QAction::triggered, this,
            [this, t] { Select(t, ShownPercent()); });
  }
  auto* strengths = new QActionGroup(this);
  actCvdHalf = new QAction(QString::fromUtf8("強さ 50 %"), strengths);
  actCvdFull = new QAction(QString::fromUtf8("強さ 100 %"), strengths);
  for (QAction* a : {actCvdHalf, actCvdFull}) {
    a->setCheckable(true);
    connect(a, &QAction::triggered, this,
            [this, a] { Select(ShownType(), a == actCvdHalf ? 50 : 100); });
  }
  actCvdCheck = new QAction(QString::fromUtf8("色覚チェック(&V)..."), this);
  actCvdCheck->setObjectName("actCvdCheck");
  connect(actCvdCheck, &QAction::triggered, this, [this] { actCvdCheckExecute(); });

  TIniGT& ini = FHost.GetSettingsFile();
  int type = ini.ReadInteger(kSection, "Type", 0);
  if (type < 0 || type > 4) type = 0;
  const int percent = ini.ReadInteger(kSection, "Severity", 100) == 50 ? 50 : 100;
  SetShownFilter(TCvdType(type), percent);
  Apply();
}

QMenu* TColorVisionCommands::BuildMenu(QMenu* menu) {
  menu->addSeparator();
  QMenu* sub = menu->addMenu(QString::fromUtf8("色覚シミュレーション(&M)"));
  sub->setObjectName("mnuColorVision");
  for (QAction* a : actCvdType) sub->addAction(a);
  sub->addSeparator();
  sub->addAction(actCvdHalf);
  sub->addAction(actCvdFull);
  sub->addSeparator();
  sub->addAction(actCvdCheck);
  return sub;
}

void TColorVisionCommands::AttachControls(QLabel* readout, QWidget* preview, QWidget* pickButton) {
  if (readout) {
    readout->setContextMenuPolicy(Qt::ActionsContextMenu);
    readout->addAction(actCvdCheck);
  }
  FPreview = preview;
  FPickButton = pickButton;
  if (pickButton) pickButton->installEventFilter(this);
}

void TColorVisionCommands::Select(TCvdType type, int percent) {
  SetShownFilter(type, percent);
  TIniGT& ini = FHost.GetSettingsFile();
  ini.WriteInteger(kSection, "Type", int(type));
  ini.WriteInteger(kSection, "Severity", percent);
  Apply();
  ColorsChanged();
}

// Checks the menu, and repaints everything drawn through the simulation.
void TColorVisionCommands::Apply() {
  actCvdType[size_t(ShownType())]->setChecked(true);
  (ShownPercent() == 50 ? actCvdHalf : actCvdFull)->setChecked(true);
  actCvdHalf->setEnabled(ShownType() != TCvdType::Achroma);
  actCvdFull->setEnabled(ShownType() != TCvdType::Achroma);
  if (OnChanged) OnChanged();
  if (!FWindow) return;
  FWindow->update();
  for (QWidget* w : FWindow->findChildren<QWidget*>()) w->update();
}

void TColorVisionCommands::ColorsChanged() {
  if (!FCheck || !FCheck->isVisible()) return;
  FCheck->ShowPair(FHost.GetForeColor(), FHost.GetBackColor(), FHost.GetPreviewText(),
                   FPreview ? FPreview->font() : FWindow->font(), ShownPercent());
}

void TColorVisionCommands::actCvdCheckExecute() {
  if (!FCheck) FCheck = new TColorVisionCheck(FWindow);
  FCheck->show();
  ColorsChanged();
  FCheck->raise();
  FCheck->activateWindow();
}

void TColorVisionCommands::ShowReal(bool real) {
  if (ShownType() == TCvdType::None) return;
  SuspendShownFilter(real);
  Apply();
  if (FWindow) FWindow->repaint();
}

// The drag pick reads the screen while the pick button is held.
bool TColorVisionCommands::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FPickButton) {
    const bool press = event->type() == QEvent::MouseButtonPress;
    if (press || event->type() == QEvent::MouseButtonRelease) ShowReal(press);
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace tintorb
