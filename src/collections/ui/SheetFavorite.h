// TfrmFavorite, the favourites sheet: groups on the left, the colours of the
// selected group on the right. Every row is read from the store when drawn;
// every edit goes to the store and is announced with NotifyFavoritesChanged.
#pragma once

#include <QPoint>
#include <functional>
#include <string>
#include <vector>

#include "app/ui/ColorSheet.h"
#include "collections/ui/ColorListBox.h"

class QAction;
class QMenu;
class QSplitter;
class QTreeWidget;
class QTreeWidgetItem;

namespace tintorb {

class TNamedColorList;

// lstColors: the colour list with its own mouse-tracking drag, so a drag is a
// plain sequence of press, moves and release (no nested drag loop).
class TFavoriteColorList : public TColorListBox {
  Q_OBJECT
 public:
  explicit TFavoriteColorList(QWidget* parent = nullptr);

  bool Dragging() const { return dragging_; }
  // Where the drop marker is drawn (the arrow tip), or no row when none is shown.
  int DropMarkerRow() const { return markerRow_; }
  QPoint DropMarkerPos() const { return markerPos_; }
  void ShowDropMarker(int row, QPoint tip);
  void HideDropMarker();
  void CancelDrag();

  // Drag events; positions are global. The handlers tell whether a drop there
  // would be accepted (that picks the cursor).
  std::function<void()> OnStartDrag;
  std::function<bool(QPoint globalPos, Qt::KeyboardModifiers mods)> OnDragOver;
  std::function<void(QPoint globalPos, Qt::KeyboardModifiers mods)> OnDragDrop;
  std::function<void()> OnEndDrag;
  std::function<void()> OnDoubleClick;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void UpdateDragCursor(QPoint globalPos, Qt::KeyboardModifiers mods);
  void FinishDrag();

  bool pressed_ = false;
  bool dragging_ = false;
  QPoint pressPos_;
  QPoint lastGlobal_;
  int markerRow_ = -1;
  QPoint markerPos_;
};

class TfrmFavorite : public TColorSheetForm {
  Q_OBJECT
 public:
  explicit TfrmFavorite(TSheetHost& host, QWidget* parent = nullptr);
  ~TfrmFavorite() override;  // FormDestroy: writes GroupWidth and FavoriteIndex

  // Toolbar caption and picture, known before the sheet is built.
  static QString PageCaption() { return QString::fromUtf8("お気に入り"); }
  static QIcon PageIcon();
  QIcon SheetIcon() const override { return PageIcon(); }
  void WebSafeChanged() override;
  void FavoritesChanged() override;

  int SelectedGroup() const;  // -1 when no node is selected
  void SelectGroup(int index);
  void RebuildGroupTree();

  // Controls and actions, named as on the form.
  QWidget* Panel1;
  QSplitter* Splitter1;
  QTreeWidget* trvGroup;
  TFavoriteColorList* lstColors;
  QMenu* popGroup;
  QMenu* popColors;
  QAction *actNewGroup, *mnuGroupClone, *actRemoveGroup, *actRenameGroup;
  QAction *actSetBack, *mnuRename, *mnuSetActiveColor, *mnuClone, *actRemove;
  QAction *actSort, *actSortName, *actSortLightness, *actSortSaturation;
  QAction *actExportHTML, *actExportACT;
  QAction *actImport, *actExportGPL, *actExportASE, *actExportCSS;
  QAction* actConfusablePairs;
  QAction* actPaletteFromPicture;

  // Adds the palettes of the files as new groups (each file whole or not at
  // all); the files that cannot be read are named in one error box.
  void ImportPaletteFiles(const std::vector<std::string>& paths);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateActions();
  void CreateMenus();
  TNamedColorList* SelectedList() const;
  int SelectedRow() const;  // -1 without a selected group and row
  // The tree node under a point of trvGroup's viewport, -1 beside the nodes.
  int GroupAt(QPoint viewportPos) const;
  void SetDropTargetNode(int index);
  // Runs an edit; a failure (a row that cannot be read, a file that cannot
  // be written) ends it with its message in an error box.
  void Guarded(const std::function<void()>& fn);

  void trvGroupChange();
  void trvGroupMouseDown(QPoint viewportPos);
  void lstColorsDrawItem(QPainter& canvas, const QRect& rect, int index, TOwnerDrawState state);
  void lstColorsClick();
  void lstColorsMouseDown(Qt::MouseButton button, QPoint pos);
  void lstColorsStartDrag();
  bool lstColorsDragOver(QPoint globalPos);
  void lstColorsDragDrop(QPoint globalPos);
  void lstColorsEndDrag();
  bool trvGroupDragOver(QPoint globalPos);
  void trvGroupDragDrop(QPoint globalPos, bool ctrl);
  int DragTargetRow(QPoint viewportPos) const;

  void actNewGroupExecute();
  void mnuGroupCloneClick();
  void actRemoveGroupExecute();
  void actRenameGroupExecute();
  void actSetBackExecute();
  void mnuRenameClick();
  void mnuSetActiveColorClick();
  void mnuCloneClick();
  void actRemoveExecute();
  void actSortExecute(QAction* sender);
  void actExportHTMLExecute();
  void actExportACTExecute();
  void actImportExecute();
  // Writes the selected group in a palette format through the save dialog.
  void ExportPalette(const char* defaultExt, const char* filter,
                     std::string (*bytes)(const std::string& name, const TNamedColorList& list));
  void Splitter1Moved();

  const TNamedColorList* FListGroup = nullptr;  // the group the list rows belong to
  int FDropTargetNode = -1;
  int FGroupWidth = 80;
  bool FLaidOut = false;
  std::string FSaveFileName;  // SaveDialog1 keeps the last chosen name
};

}  // namespace tintorb
