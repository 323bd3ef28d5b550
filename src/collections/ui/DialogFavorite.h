// TdlgFavorite, the add-favourite dialog, and AddFavoriteDialog, which runs it
// for a colour and stores the result.
#pragma once

#include <QDialog>

#include "core/Color.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace tintorb {

class TFavorites;
class TSheetHost;

class TdlgFavorite : public QDialog {
  Q_OBJECT
 public:
  explicit TdlgFavorite(TFavorites& favorites, QWidget* parent = nullptr);

  // The swatch shows `color` (system colours resolved); the name is preset
  // to its code; the tree lists the groups with the first one selected.
  void Prepare(TColor color);
  int SelectedGroup() const;  // -1 without a selected node
  // Groups made with btnNewGroup while the dialog was open.
  int GroupsAdded() const { return groupsAdded_; }

  QFrame* Panel1;
  QLabel *Label1, *Label2, *Label3;
  QLineEdit* Edit1;
  QTreeWidget* TreeView1;
  QPushButton *btnNewGroup, *btnOk, *btnCancel;

 private:
  void FillGroups();
  void btnNewGroupClick();
  void UpdateOk();

  TFavorites& favorites_;
  int groupsAdded_ = 0;
};

// Runs the dialog modally for `color` on the host's store. On OK with a
// group selected the row (code, name) is appended to that group. Any change
// (the row, or a group made in the dialog) is announced once with
// NotifyFavoritesChanged. True when a row was added.
bool AddFavoriteDialog(TSheetHost& host, TColor color, QWidget* parent);

}  // namespace tintorb
