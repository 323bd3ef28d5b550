// The favourites drop-down of the main window: one submenu per group, its
// colours as drawn 18 x 18 items, twenty to a column.
#pragma once

#include <QMenu>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

#include "core/Color.h"

namespace tintorb {

class TFavorites;

// The colour items of one group. Items run top to bottom, a new column
// starting every kItemsPerColumn items.
class TFavoriteColorGrid : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kItemSize = 18;
  static constexpr int kItemsPerColumn = 20;

  struct Item {
    QString hex;   // caption
    QString name;  // hint
    TColor color;
  };

  explicit TFavoriteColorGrid(std::vector<Item> items, QWidget* parent = nullptr);

  int Count() const { return static_cast<int>(items_.size()); }
  const Item& ItemAt(int index) const { return items_[static_cast<size_t>(index)]; }
  int Columns() const;
  QRect ItemRect(int index) const;
  int ItemAtPos(QPoint pos) const;  // -1 beside the items
  int Highlighted() const { return highlighted_; }
  void SetHighlighted(int index);
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

  // Closes the menus that hold the grid, then reports the colour.
  std::function<void(TColor)> OnPick;

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Pick(int index);

  std::vector<Item> items_;
  int highlighted_ = -1;
};

// Removes every item of `menu` and adds one entry per group of `favorites` in
// order: a submenu holding its colours, or a plain item for an empty group.
// A row that is not a readable colour is left out. `onPick` gets the colour
// of a clicked item.
void BuildFavoritesMenu(QMenu& menu, const TFavorites& favorites,
                        std::function<void(TColor)> onPick);

// The grid of a group's submenu (nullptr for an empty group).
TFavoriteColorGrid* FavoritesMenuGrid(QMenu& menu, int group);

}  // namespace tintorb
