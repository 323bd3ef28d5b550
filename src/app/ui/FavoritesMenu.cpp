#include "app/ui/FavoritesMenu.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWidgetAction>
#include <algorithm>

#include "collections/Favorites.h"

namespace tintorb {

namespace {

QColor ToQColor(TColor c) {
  const TRGBRec rgb = ColorToRGBRec(c);
  return QColor(rgb.R, rgb.G, rgb.B);
}

// Menus never gain accelerators from group names.
QString MenuCaption(const std::string& text) {
  return QString::fromStdString(text).replace(QLatin1Char('&'), QLatin1String("&&"));
}

}  // namespace

TFavoriteColorGrid::TFavoriteColorGrid(std::vector<Item> items, QWidget* parent)
    : QWidget(parent), items_(std::move(items)) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

int TFavoriteColorGrid::Columns() const {
  return (Count() + kItemsPerColumn - 1) / kItemsPerColumn;
}

QRect TFavoriteColorGrid::ItemRect(int index) const {
  return QRect((index / kItemsPerColumn) * kItemSize, (index % kItemsPerColumn) * kItemSize,
               kItemSize, kItemSize);
}

int TFavoriteColorGrid::ItemAtPos(QPoint pos) const {
  if (pos.x() < 0 || pos.y() < 0) return -1;
  const int col = pos.x() / kItemSize, row = pos.y() / kItemSize;
  if (row >= kItemsPerColumn) return -1;
  const int index = col * kItemsPerColumn + row;
  return index < Count() ? index : -1;
}

QSize TFavoriteColorGrid::sizeHint() const {
  return QSize(std::max(1, Columns()) * kItemSize,
               std::max(1, std::min(Count(), kItemsPerColumn)) * kItemSize);
}

void TFavoriteColorGrid::SetHighlighted(int index) {
  if (index < -1 || index >= Count()) index = -1;
  if (index == highlighted_) return;
  highlighted_ = index;
  update();
}

void TFavoriteColorGrid::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  p.fillRect(event->rect(), palette().color(QPalette::Button));
  for (int i = 0; i < Count(); ++i) {
    const QRect r = ItemRect(i);
    if (!r.intersects(event->rect())) continue;
    const QColor c = ToQColor(items_[static_cast<size_t>(i)].color);
    p.fillRect(r, palette().color(QPalette::Button));
    // Inset by one pixel, filled and outlined with the colour.
    p.fillRect(r.adjusted(1, 1, -1, -1), c);
    if (i == highlighted_) {
      p.setPen(ToQColor(ContrastTextColor(items_[static_cast<size_t>(i)].color)));
      p.setBrush(Qt::NoBrush);
      p.drawRect(r.adjusted(2, 2, -3, -3));
    }
  }
}

bool TFavoriteColorGrid::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const int index = ItemAtPos(help->pos());
    if (index >= 0 && !items_[static_cast<size_t>(index)].name.isEmpty())
      QToolTip::showText(help->globalPos(), items_[static_cast<size_t>(index)].name, this,
                         ItemRect(index));
    else
      QToolTip::hideText();
    return true;
  }
  return QWidget::event(event);
}

void TFavoriteColorGrid::mouseMoveEvent(QMouseEvent* event) {
  SetHighlighted(ItemAtPos(event->position().toPoint()));
}

void TFavoriteColorGrid::leaveEvent(QEvent*) {
  SetHighlighted(-1);
}

void TFavoriteColorGrid::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const int index = ItemAtPos(event->position().toPoint());
  if (index >= 0) Pick(index);
}

void TFavoriteColorGrid::keyPressEvent(QKeyEvent* event) {
  if (Count() == 0) return QWidget::keyPressEvent(event);
  const int cur = highlighted_;
  int next = cur;
  switch (event->key()) {
    case Qt::Key_Up:
      next = cur < 0 ? 0 : cur - 1;
      break;
    case Qt::Key_Down:
      next = cur < 0 ? 0 : cur + 1;
      break;
    case Qt::Key_Right:
      next = cur < 0 ? 0 : cur + kItemsPerColumn;
      break;
    case Qt::Key_Left:
      // The first column hands Left back to the menu (closes the submenu).
      if (cur < kItemsPerColumn) return QWidget::keyPressEvent(event);
      next = cur - kItemsPerColumn;
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      if (cur >= 0) Pick(cur);
      return;
    default:
      return QWidget::keyPressEvent(event);
  }
  SetHighlighted(std::clamp(next, 0, Count() - 1));
}

void TFavoriteColorGrid::Pick(int index) {
  const TColor color = items_[static_cast<size_t>(index)].color;
  // Close the whole chain of menus first: the pick may open dialogs.
  for (QWidget* w = parentWidget(); w; w = w->parentWidget())
    if (auto* menu = qobject_cast<QMenu*>(w)) menu->hide();
  if (OnPick) OnPick(color);
}

void BuildFavoritesMenu(QMenu& menu, const TFavorites& favorites,
                        std::function<void(TColor)> onPick) {
  // Submenus are children of the menu; clear() leaves them alive.
  for (QMenu* old : menu.findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) old->deleteLater();
  menu.clear();
  for (int g = 0; g < favorites.Count(); ++g) {
    const TNamedColorList& group = favorites.Group(g);
    std::vector<TFavoriteColorGrid::Item> items;
    items.reserve(static_cast<size_t>(group.Count()));
    for (int i = 0; i < group.Count(); ++i) {
      TNamedColor entry;
      TColor color;
      try {
        entry = group.GetColor(i);
      } catch (const EFavoritesError&) {
        continue;
      }
      if (!TryHexToColor(entry.Hex, color)) continue;
      items.push_back(
          {QString::fromStdString(entry.Hex), QString::fromStdString(entry.Name), color});
    }
    const QString caption = MenuCaption(favorites.GroupName(g));
    if (items.empty()) {
      menu.addAction(caption);
      continue;
    }
    QMenu* sub = menu.addMenu(caption);
    auto* grid = new TFavoriteColorGrid(std::move(items), sub);
    grid->OnPick = onPick;
    auto* action = new QWidgetAction(sub);
    action->setDefaultWidget(grid);
    sub->addAction(action);
  }
}

TFavoriteColorGrid* FavoritesMenuGrid(QMenu& menu, int group) {
  const QList<QAction*> actions = menu.actions();
  if (group < 0 || group >= actions.size()) return nullptr;
  QMenu* sub = actions[group]->menu();
  if (!sub) return nullptr;
  for (QAction* a : sub->actions())
    if (auto* wa = qobject_cast<QWidgetAction*>(a))
      if (auto* grid = qobject_cast<TFavoriteColorGrid*>(wa->defaultWidget())) return grid;
  return nullptr;
}

}  // namespace tintorb
