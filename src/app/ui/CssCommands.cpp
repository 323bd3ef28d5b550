#include "app/ui/CssCommands.h"

#include <QAction>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>

#include "app/ui/ColorSheet.h"
#include "core/Contrast.h"
#include "core/CssColor.h"
#include "platform/ui/QtConvert.h"

namespace tintorb {

namespace {

// The hex form has its own copy command; the menu starts at rgb().
std::vector<TCssForm> MenuForms() {
  return {kCssForms.begin() + 1, kCssForms.end()};
}

}  // namespace

TCssCommands::TCssCommands(TSheetHost& host, QObject* window)
    : QObject(window), FHost(host), FWindow(window) {
  for (TCssForm form : MenuForms()) {
    const QString name = ToQ(CssFormName(form));
    auto* a = new QAction(name, this);
    a->setObjectName("actCss_" + name);
    connect(a, &QAction::triggered, this,
            [this, form] { FHost.CopyText(ToQ(CssText(form, FHost.GetForeColor()))); });
    actCss.push_back(a);
  }
  actReachContrast = new QAction(QString::fromUtf8("コントラストを満たす色(&K)"), this);
  connect(actReachContrast, &QAction::triggered, this, [this] {
    ReachContrastExecute(QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier));
  });
}

QMenu* TCssCommands::BuildMenu(QMenuBar* bar) {
  mnuCss = bar->addMenu("CSS(&S)");
  for (QAction* a : actCss) mnuCss->addAction(a);
  connect(mnuCss, &QMenu::aboutToShow, this, [this] { mnuCssShow(); });
  return mnuCss;
}

void TCssCommands::mnuCssShow() {
  const std::vector<TCssForm> forms = MenuForms();
  for (size_t i = 0; i < forms.size(); ++i) {
    const std::string text = CssText(forms[i], FHost.GetForeColor());
    actCss[i]->setText(ToQ(text).replace('&', "&&"));
    actCss[i]->setVisible(!text.empty());
  }
}

QLabel* TCssCommands::BuildReadout(QWidget* parent, int x, int y) {
  lblContrast = new QLabel(parent);
  lblContrast->setObjectName("lblContrast");
  lblContrast->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  // Wide enough for the longest level, that of large text only.
  const QString widest = ToQ(ContrastReadout(RGB(0x77, 0x77, 0x77), clWhite));
  lblContrast->setGeometry(
      x, y, std::max(112, lblContrast->fontMetrics().horizontalAdvance(widest) + 12), 20);
  lblContrast->setAlignment(Qt::AlignCenter);
  return lblContrast;
}

void TCssCommands::UpdateReadout() {
  if (!lblContrast) return;
  const TColor fore = FHost.GetForeColor(), back = FHost.GetBackColor();
  lblContrast->setText(ToQ(ContrastReadout(fore, back)));
  lblContrast->setToolTip(ToQ(ContrastTooltip(fore, back)));
}

void TCssCommands::ReachContrastExecute(bool strict) {
  const TColor fore = FHost.GetForeColor();
  const TColor c = ReachContrast(fore, FHost.GetBackColor(), strict ? 7.0 : 4.5, FHost.IsWebSafe());
  if (c != fore) FHost.SetForeColor(FWindow, c);
}

}  // namespace tintorb
