#include "app/ui/HistMenu.h"

#include <QAction>
#include <QMenu>
#include <algorithm>

#include "app/IniFile.h"
#include "platform/Desktop.h"

namespace tintorb {

namespace {

// "&" would turn the next character into an accelerator and vanish; a line
// break would split the item.
QString EntryCaption(QString text) {
  text.replace(QLatin1Char('&'), QLatin1String("&&"));
  text.replace(QLatin1String("\r\n"), QLatin1String(" "));
  text.replace(QLatin1Char('\r'), QLatin1Char(' '));
  text.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return text;
}

int Digits(int n) {
  int d = 1;
  while (n >= 10) {
    n /= 10;
    ++d;
  }
  return d;
}

}  // namespace

THistoryMenu::THistoryMenu(QObject* parent) : QObject(parent) {}

THistoryMenu::~THistoryMenu() {
  if (active_) {
    active_ = false;
    try {
      SaveHistory();
    } catch (const std::exception& e) {
      Dialogs().Error(e.what());
    }
  }
  RemoveItems();
  if (ownSubmenu_ && !ownSubmenu_->parent()) {
    if (target_ && target_->menu() == ownSubmenu_.data()) target_->setMenu(nullptr);
    delete ownSubmenu_.data();
  }
}

void THistoryMenu::SetActive(bool active) {
  if (active == active_) return;
  if (active) {
    if (!target_) throw EHistoryMenuError("ターゲットが指定されていません");
    LoadHistory();
    active_ = true;
    RebuildMenu();
    return;
  }
  active_ = false;
  try {
    SaveHistory();
  } catch (...) {
    RemoveItems();
    throw;
  }
  RemoveItems();
}

void THistoryMenu::SetHistoryNum(int n) {
  historyNum_ = std::min(n, THistoryList::MaxCount);
  RebuildMenu();
}

void THistoryMenu::SetTargetMenuItem(QMenu* menu) {
  SetTargetMenuItem(menu ? menu->menuAction() : nullptr);
}

void THistoryMenu::SetTargetMenuItem(QAction* item) {
  disconnect(targetDestroyed_);
  if (!item) {
    target_ = nullptr;
    SetActive(false);
    RemoveItems();
    return;
  }
  RemoveItems();
  target_ = item;
  targetDestroyed_ = connect(item, &QObject::destroyed, this, [this] { RemoveItems(); });
  if (item->isSeparator()) {
    placement_ = TPlacement::Separator;
  } else if (item->menu() && !ParentMenu(item)) {
    placement_ = TPlacement::TopLevel;
  } else {
    placement_ = TPlacement::Submenu;
  }
  RebuildMenu();
}

void THistoryMenu::AddHistory(const QString& text) {
  if (text.isEmpty()) return;
  list_.Add(text.toStdString());
  RebuildMenu();
}

void THistoryMenu::LoadHistory() {
  list_.LoadHistory(iniFileName_.empty() ? DefaultIniPath() : iniFileName_,
                    sectionName_.toStdString());
}

void THistoryMenu::SaveHistory() {
  list_.SaveHistory(iniFileName_.empty() ? DefaultIniPath() : iniFileName_,
                    sectionName_.toStdString());
}

void THistoryMenu::RebuildMenu() {
  if (inClick_ == 0) {
    Rebuild();
    return;
  }
  // The clicked item is one of those the rebuild removes; let the menu finish
  // handling the click first.
  if (rebuildPending_) return;
  rebuildPending_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        rebuildPending_ = false;
        Rebuild();
      },
      Qt::QueuedConnection);
}

std::vector<QAction*> THistoryMenu::CreatedItems() const {
  std::vector<QAction*> items;
  for (const auto& a : created_)
    if (a) items.push_back(a.data());
  return items;
}

QMenu* THistoryMenu::ParentMenu(QAction* item) {
  for (QObject* o : item->associatedObjects())
    if (auto* m = qobject_cast<QMenu*>(o)) return m;
  return nullptr;
}

QMenu* THistoryMenu::TargetSubmenu() {
  if (QMenu* m = target_->menu()) return m;
  auto* m = new QMenu(ParentMenu(target_));
  target_->setMenu(m);
  ownSubmenu_ = m;
  return m;
}

void THistoryMenu::RemoveItems() {
  for (const auto& a : created_) {
    if (!a) continue;
    for (QObject* o : a->associatedObjects())
      if (auto* w = qobject_cast<QWidget*>(o)) w->removeAction(a);
    // Later, not now: this may run inside the item's own triggered signal.
    a->deleteLater();
  }
  created_.clear();
}

void THistoryMenu::Rebuild() {
  RemoveItems();
  if (!active_ || !target_ || historyNum_ < 1 || list_.Count() == 0) return;
  const int shown = std::min(list_.Count(), historyNum_);

  QMenu* menu = nullptr;
  QAction* before = nullptr;  // insert before this one; nullptr appends
  switch (placement_) {
    case TPlacement::Separator: {
      menu = ParentMenu(target_);
      if (!menu) return;
      const auto actions = menu->actions();
      const qsizetype at = actions.indexOf(target_.data());
      if (at >= 0 && at + 1 < actions.size()) before = actions[at + 1];
      break;
    }
    case TPlacement::TopLevel:
      menu = target_->menu();
      if (!menu) return;
      if (!menu->actions().isEmpty()) created_.emplace_back(menu->addSeparator());
      break;
    case TPlacement::Submenu:
      menu = TargetSubmenu();
      break;
  }

  const int width = Digits(shown - 1) + 2;
  for (int i = 0; i < shown; ++i) {
    const QString full = QString::fromStdString(list_[i]);
    const QString number = QStringLiteral("&%1 ").arg(i).rightJustified(width, QLatin1Char(' '));
    auto* item = new QAction(number + EntryCaption(full), menu);
    item->setStatusTip(full);
    item->setData(full);
    connect(item, &QAction::triggered, this, [this, item] { ItemTriggered(item); });
    menu->insertAction(before, item);
    created_.emplace_back(item);
  }
  if (placement_ == TPlacement::Separator) {
    auto* sep = new QAction(menu);
    sep->setSeparator(true);
    menu->insertAction(before, sep);
    created_.emplace_back(sep);
  }
}

void THistoryMenu::ItemTriggered(QAction* item) {
  const QString text = item->data().toString();
  QPointer<THistoryMenu> self(this);
  ++inClick_;
  try {
    AddHistory(text);
    if (onSelected_) onSelected_(this, text);
  } catch (...) {
    if (self) --inClick_;
    throw;
  }
  if (!self) return;  // the handler may close what owns this component
  --inClick_;
  emit historySelected(text);
}

}  // namespace tintorb
