#include "collections/ui/SheetFavorite.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/IniFile.h"
#include "app/ui/ColorVisionDialogs.h"
#include "app/ui/ColorVisionView.h"
#include "collections/Favorites.h"
#include "collections/PaletteFiles.h"
#include "collections/ui/DrawColorItem.h"
#include "collections/ui/PalettePreview.h"
#include "core/TextFile.h"
#include "platform/Desktop.h"

namespace tintorb {

namespace {

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}
QString U(const char* s) {
  return QString::fromUtf8(s);
}

constexpr int kMinPaneWidth = 48;
constexpr int kDefaultGroupWidth = 80;

// Groups are shown in a flat, read-only list whose selection stays visible
// while another control has the focus.
void SetUpGroupTree(QTreeWidget* tree) {
  tree->setHeaderHidden(true);
  tree->setRootIsDecorated(false);
  tree->setItemsExpandable(false);
  tree->setIndentation(0);
  tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tree->setSelectionMode(QAbstractItemView::SingleSelection);
  tree->setSelectionBehavior(QAbstractItemView::SelectRows);
  tree->setUniformRowHeights(true);
  tree->setMouseTracking(true);  // hot tracking
  QPalette pal = tree->palette();
  for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
    pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
  tree->setPalette(pal);
}

}  // namespace

// ---- lstColors ----

TFavoriteColorList::TFavoriteColorList(QWidget* parent) : TColorListBox(parent) {}

void TFavoriteColorList::ShowDropMarker(int row, QPoint tip) {
  markerRow_ = row;
  markerPos_ = tip;
  viewport()->update();
}

void TFavoriteColorList::HideDropMarker() {
  if (markerRow_ < 0) return;
  markerRow_ = -1;
  viewport()->update();
}

void TFavoriteColorList::paintEvent(QPaintEvent* event) {
  TColorListBox::paintEvent(event);
  if (markerRow_ < 0) return;
  // A small arrow pointing right, inverting what lies under it.
  QPainter p(viewport());
  p.setCompositionMode(QPainter::RasterOp_NotDestination);
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::NoBrush);
  const int x = markerPos_.x(), y = markerPos_.y();
  const QPoint tri[3] = {{x, y}, {x - 5, y - 5}, {x - 5, y + 5}};
  p.drawPolygon(tri, 3);
}

void TFavoriteColorList::mousePressEvent(QMouseEvent* event) {
  TColorListBox::mousePressEvent(event);
  const QPoint pos = event->position().toPoint();
  pressed_ = event->button() == Qt::LeftButton && ItemIndex() >= 0 && ItemAtPos(pos) == ItemIndex();
  pressPos_ = pos;
}

void TFavoriteColorList::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) {
    // The release went elsewhere: the drag is over without a drop.
    pressed_ = false;
    if (dragging_) FinishDrag();
    return;
  }
  const QPoint pos = event->position().toPoint();
  if (pressed_ && !dragging_ &&
      (pos - pressPos_).manhattanLength() >= QApplication::startDragDistance()) {
    dragging_ = true;
    if (OnStartDrag) OnStartDrag();
  }
  if (!dragging_) return;
  lastGlobal_ = event->globalPosition().toPoint();
  UpdateDragCursor(lastGlobal_, event->modifiers());
  event->accept();
}

void TFavoriteColorList::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  pressed_ = false;
  if (!dragging_) return;
  lastGlobal_ = event->globalPosition().toPoint();
  if (OnDragOver) OnDragOver(lastGlobal_, event->modifiers());
  if (OnDragDrop) OnDragDrop(lastGlobal_, event->modifiers());
  FinishDrag();
  event->accept();
}

void TFavoriteColorList::mouseDoubleClickEvent(QMouseEvent* event) {
  TColorListBox::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton && OnDoubleClick) OnDoubleClick();
}

void TFavoriteColorList::keyPressEvent(QKeyEvent* event) {
  if (dragging_) {
    if (event->key() == Qt::Key_Escape)
      CancelDrag();
    else if (event->key() == Qt::Key_Control)
      UpdateDragCursor(lastGlobal_, event->modifiers());
    event->accept();
    return;
  }
  // Typing does not search the list: character keys stop here.
  const QString text = event->text();
  if (!text.isEmpty() && text.at(0).isPrint() &&
      !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
    event->accept();
    return;
  }
  TColorListBox::keyPressEvent(event);
}

void TFavoriteColorList::keyReleaseEvent(QKeyEvent* event) {
  if (dragging_ && event->key() == Qt::Key_Control) {
    UpdateDragCursor(lastGlobal_, event->modifiers());
    event->accept();
    return;
  }
  TColorListBox::keyReleaseEvent(event);
}

void TFavoriteColorList::focusOutEvent(QFocusEvent* event) {
  if (dragging_) CancelDrag();
  TColorListBox::focusOutEvent(event);
}

void TFavoriteColorList::UpdateDragCursor(QPoint globalPos, Qt::KeyboardModifiers mods) {
  const bool accepted = OnDragOver && OnDragOver(globalPos, mods);
  Qt::CursorShape shape = Qt::ForbiddenCursor;
  if (accepted) shape = (mods & Qt::ControlModifier) ? Qt::DragCopyCursor : Qt::DragMoveCursor;
  viewport()->setCursor(shape);
}

void TFavoriteColorList::CancelDrag() {
  pressed_ = false;
  if (dragging_) FinishDrag();
}

void TFavoriteColorList::FinishDrag() {
  dragging_ = false;
  viewport()->unsetCursor();
  if (OnEndDrag) OnEndDrag();
  HideDropMarker();
}

// ---- the sheet ----

TfrmFavorite::TfrmFavorite(TSheetHost& host, QWidget* parent)
    : TColorSheetForm(host, PageCaption(), parent) {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  Panel1 = new QWidget(this);
  outer->addWidget(Panel1);
  auto* inner = new QHBoxLayout(Panel1);
  inner->setContentsMargins(0, 0, 0, 0);
  Splitter1 = new QSplitter(Qt::Horizontal, Panel1);
  inner->addWidget(Splitter1);

  trvGroup = new QTreeWidget(Splitter1);
  SetUpGroupTree(trvGroup);
  trvGroup->setMinimumWidth(kMinPaneWidth);
  lstColors = new TFavoriteColorList(Splitter1);
  lstColors->setMinimumWidth(kMinPaneWidth);
  lstColors->SetItemHeight(20);
  Splitter1->addWidget(trvGroup);
  Splitter1->addWidget(lstColors);
  Splitter1->setChildrenCollapsible(false);
  Splitter1->setOpaqueResize(true);
  Splitter1->setHandleWidth(3);
  Splitter1->setStretchFactor(0, 0);
  Splitter1->setStretchFactor(1, 1);
  Splitter1->installEventFilter(this);
  connect(Splitter1, &QSplitter::splitterMoved, this, [this] { Splitter1Moved(); });

  CreateActions();
  CreateMenus();

  connect(trvGroup, &QTreeWidget::itemSelectionChanged, this, [this] { trvGroupChange(); });
  trvGroup->viewport()->installEventFilter(this);
  trvGroup->viewport()->setAcceptDrops(true);  // palette files from a file manager
  trvGroup->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(trvGroup, &QWidget::customContextMenuRequested, this,
          [this](QPoint pos) { popGroup->popup(trvGroup->viewport()->mapToGlobal(pos)); });
  lstColors->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(lstColors, &QWidget::customContextMenuRequested, this,
          [this](QPoint pos) { popColors->popup(lstColors->viewport()->mapToGlobal(pos)); });

  lstColors->OnDrawItem = [this](QPainter& p, const QRect& r, int i, TOwnerDrawState s) {
    lstColorsDrawItem(p, r, i, s);
  };
  lstColors->OnClick = [this] { lstColorsClick(); };
  lstColors->OnMouseDown = [this](Qt::MouseButton b, const QPoint& pos) {
    lstColorsMouseDown(b, pos);
  };
  lstColors->OnDoubleClick = [this] { mnuRenameClick(); };
  lstColors->OnStartDrag = [this] { lstColorsStartDrag(); };
  lstColors->OnDragOver = [this](QPoint g, Qt::KeyboardModifiers) {
    if (lstColors->viewport()->rect().contains(lstColors->viewport()->mapFromGlobal(g))) {
      SetDropTargetNode(-1);
      return lstColorsDragOver(g);
    }
    lstColors->HideDropMarker();
    return trvGroupDragOver(g);
  };
  lstColors->OnDragDrop = [this](QPoint g, Qt::KeyboardModifiers mods) {
    if (lstColors->viewport()->rect().contains(lstColors->viewport()->mapFromGlobal(g)))
      lstColorsDragDrop(g);
    else if (trvGroupDragOver(g))
      trvGroupDragDrop(g, mods & Qt::ControlModifier);
  };
  lstColors->OnEndDrag = [this] { lstColorsEndDrag(); };

  // FormCreate
  RebuildGroupTree();
  FGroupWidth = std::max(
      kMinPaneWidth, GetSettingsFile().ReadInteger("Favorite", "GroupWidth", kDefaultGroupWidth));
  Splitter1->setSizes({FGroupWidth, std::max(kMinPaneWidth, 400 - FGroupWidth)});
  const int index = GetSettingsFile().ReadInteger("Config", "FavoriteIndex", 0);
  if (index >= 0 && index < trvGroup->topLevelItemCount()) SelectGroup(index);
}

TfrmFavorite::~TfrmFavorite() {
  // FormDestroy
  const int width = FLaidOut ? Splitter1->sizes().value(0, FGroupWidth) : FGroupWidth;
  GetSettingsFile().WriteInteger("Favorite", "GroupWidth", width);
  GetSettingsFile().WriteInteger("Config", "FavoriteIndex", SelectedGroup());
}

QIcon TfrmFavorite::PageIcon() {
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath star;
  for (int i = 0; i < 10; ++i) {
    const double r = (i % 2) ? 3.2 : 7.4;
    const double a = -M_PI / 2 + i * M_PI / 5;
    const QPointF pt(8 + r * std::cos(a), 8.4 + r * std::sin(a));
    if (i == 0)
      star.moveTo(pt);
    else
      star.lineTo(pt);
  }
  star.closeSubpath();
  p.setPen(QPen(QColor(160, 110, 0), 1));
  p.setBrush(QColor(255, 200, 40));
  p.drawPath(star);
  return QIcon(pm);
}

void TfrmFavorite::CreateActions() {
  auto make = [this](const char* caption, auto handler) {
    auto* a = new QAction(U(caption), this);
    connect(a, &QAction::triggered, this, handler);
    return a;
  };
  actNewGroup = make("新規グループ...", [this] { actNewGroupExecute(); });
  mnuGroupClone = make("複製", [this] { mnuGroupCloneClick(); });
  actRemoveGroup = make("グループ削除", [this] { actRemoveGroupExecute(); });
  actRenameGroup = make("グループ名変更...", [this] { actRenameGroupExecute(); });
  actSetBack = make("背景色に指定(&B)", [this] { actSetBackExecute(); });
  mnuRename = make("名前の変更", [this] { mnuRenameClick(); });
  mnuSetActiveColor = make("現在の色に変更", [this] { mnuSetActiveColorClick(); });
  mnuClone = make("複製", [this] { mnuCloneClick(); });
  actRemove = make("削除", [this] { actRemoveExecute(); });
  actSort = make("色コード順に並び替え", [this] { actSortExecute(actSort); });
  actSortName = make("名前順に並び替え", [this] { actSortExecute(actSortName); });
  actSortLightness = make("明度順に並び替え", [this] { actSortExecute(actSortLightness); });
  actSortSaturation = make("彩度順に並び替え", [this] { actSortExecute(actSortSaturation); });
  actExportHTML = make("HTMLに書き出し(&H)...", [this] { actExportHTMLExecute(); });
  actExportACT = make("ACTに書き出し(&A)...", [this] { actExportACTExecute(); });
  actExportGPL = make("GPLに書き出し(&G)...", [this] {
    ExportPalette("gpl", "GIMP Palette|*.gpl|すべてのファイル|*.*", &GplBytes);
  });
  actExportASE = make("ASEに書き出し(&S)...", [this] {
    ExportPalette("ase", "Adobe Swatch Exchange|*.ase|すべてのファイル|*.*",
                  [](const std::string& name, const TNamedColorList& list) {
                    return AseBytes({{name, list}});
                  });
  });
  actExportCSS = make("CSSに書き出し(&C)...", [this] {
    ExportPalette("css", "CSS|*.css|すべてのファイル|*.*", &CssVariablesText);
  });
  actImport = make("読み込み...", [this] { actImportExecute(); });
  actConfusablePairs = make("色覚で見分けにくい組...", [this] {
    const TNamedColorList* list = SelectedList();
    if (!list) return;
    std::vector<TColor> colors;
    for (int i = 0; i < list->Count(); ++i) {
      TColor c = 0;
      if (TryHexToColor(list->GetColor(i).Hex, c)) colors.push_back(c);
    }
    ShowConfusablePairs(this, Q(GetFavorites().GroupName(SelectedGroup())), colors, ShownPercent());
  });
  actPaletteFromPicture =
      make("画像から配色を作る...", [this] { OpenPaletteFromPicture(Host(), this); });
}

void TfrmFavorite::CreateMenus() {
  popGroup = new QMenu(this);
  popGroup->addActions({actNewGroup, mnuGroupClone, actRemoveGroup, actRenameGroup});
  popGroup->addSeparator();
  popGroup->addAction(actConfusablePairs);
  popGroup->addSeparator();
  popGroup->addAction(actPaletteFromPicture);
  popGroup->addAction(actImport);
  popColors = new QMenu(this);
  popColors->addAction(actSetBack);
  popColors->addSeparator();
  popColors->addActions({mnuRename, mnuSetActiveColor, mnuClone, actRemove});
  popColors->addSeparator();
  popColors->addActions({actSort, actSortName, actSortLightness, actSortSaturation});
  popColors->addSeparator();
  popColors->addActions({actExportHTML, actExportACT, actExportGPL, actExportASE, actExportCSS});
}

// ---- state ----

int TfrmFavorite::SelectedGroup() const {
  const QList<QTreeWidgetItem*> items = trvGroup->selectedItems();
  if (items.isEmpty()) return -1;
  const int index = trvGroup->indexOfTopLevelItem(items.first());
  return index < GetFavorites().Count() ? index : -1;
}

void TfrmFavorite::SelectGroup(int index) {
  if (QTreeWidgetItem* item = trvGroup->topLevelItem(index)) trvGroup->setCurrentItem(item);
}

TNamedColorList* TfrmFavorite::SelectedList() const {
  const int g = SelectedGroup();
  return g < 0 ? nullptr : &GetFavorites().Group(g);
}

int TfrmFavorite::SelectedRow() const {
  const TNamedColorList* list = SelectedList();
  const int row = lstColors->ItemIndex();
  return list && row >= 0 && row < list->Count() ? row : -1;
}

int TfrmFavorite::GroupAt(QPoint viewportPos) const {
  QTreeWidgetItem* item = trvGroup->itemAt(viewportPos);
  return item ? trvGroup->indexOfTopLevelItem(item) : -1;
}

void TfrmFavorite::Guarded(const std::function<void()>& fn) {
  try {
    fn();
  } catch (const std::exception& e) {
    Dialogs().Error(e.what());
  }
}

void TfrmFavorite::RebuildGroupTree() {
  int selected = SelectedGroup();
  if (selected < 0) selected = 0;
  const TFavorites& favorites = GetFavorites();
  {
    // The list follows once, after the new node is selected.
    const QSignalBlocker block(trvGroup);
    FDropTargetNode = -1;
    trvGroup->clear();
    QList<QTreeWidgetItem*> nodes;
    for (int i = 0; i < favorites.Count(); ++i) {
      const QString name = Q(favorites.GroupName(i));
      nodes << new QTreeWidgetItem(QStringList{name});
      // The pane is narrow by default and the built-in names share a long prefix.
      nodes.back()->setToolTip(0, name);
    }
    trvGroup->addTopLevelItems(nodes);
    if (selected >= trvGroup->topLevelItemCount()) selected = 0;
    if (trvGroup->topLevelItemCount() > 0)
      trvGroup->setCurrentItem(trvGroup->topLevelItem(selected));
  }
  trvGroupChange();
}

void TfrmFavorite::trvGroupChange() {
  const TNamedColorList* list = SelectedList();
  if (list != FListGroup) {
    // Another group: its rows start unselected, from the top.
    lstColors->SetItemIndex(-1);
    lstColors->verticalScrollBar()->setValue(0);
  }
  FListGroup = list;
  lstColors->SetCount(list ? list->Count() : 0);
  lstColors->Repaint();
}

void TfrmFavorite::WebSafeChanged() {
  lstColors->Repaint();
}

void TfrmFavorite::FavoritesChanged() {
  RebuildGroupTree();
}

void TfrmFavorite::resizeEvent(QResizeEvent* event) {
  TColorSheetForm::resizeEvent(event);
  lstColors->Repaint();  // names are aligned to the right edge
}

void TfrmFavorite::Splitter1Moved() {
  FGroupWidth = Splitter1->sizes().value(0, FGroupWidth);
  lstColors->Repaint();
}

bool TfrmFavorite::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Splitter1 && event->type() == QEvent::Resize && Splitter1->isVisible())
    FLaidOut = true;
  if (watched == trvGroup->viewport() && event->type() == QEvent::MouseButtonPress)
    trvGroupMouseDown(static_cast<QMouseEvent*>(event)->position().toPoint());
  if (watched == trvGroup->viewport() &&
      (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
       event->type() == QEvent::Drop)) {
    auto* drop = static_cast<QDropEvent*>(event);
    std::vector<std::string> paths;
    for (const QUrl& url : drop->mimeData()->urls())
      if (url.isLocalFile()) paths.push_back(url.toLocalFile().toStdString());
    if (paths.empty()) {
      drop->ignore();
      return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (event->type() == QEvent::Drop) ImportPaletteFiles(paths);
    return true;
  }
  return TColorSheetForm::eventFilter(watched, event);
}

void TfrmFavorite::trvGroupMouseDown(QPoint viewportPos) {
  // Any button: the context menu then acts on the group under the pointer.
  const int node = GroupAt(viewportPos);
  if (node >= 0) SelectGroup(node);
}

// ---- the colour list ----

void TfrmFavorite::lstColorsDrawItem(QPainter& canvas, const QRect& rect, int index,
                                     TOwnerDrawState state) {
  const TNamedColorList* list = SelectedList();
  if (!list || index >= list->Count()) {
    canvas.fillRect(rect, Qt::white);
    return;
  }
  try {
    const TNamedColor entry = list->GetColor(index);
    DrawColorItem(canvas, rect, HexToColor(entry.Hex), Q(entry.Name), state, lstColors->font());
  } catch (const std::exception&) {
    // A row that is not "hex,name" shows its text in grey on white.
    canvas.save();
    canvas.fillRect(rect, Qt::white);
    canvas.setPen(Qt::gray);
    canvas.drawText(rect.adjusted(20, 0, -5, 0), Qt::AlignVCenter | Qt::AlignLeft,
                    Q(list->Row(index)));
    canvas.restore();
    if (state.selected || state.focused) DrawFocusFrame(canvas, rect);
  }
}

void TfrmFavorite::lstColorsClick() {
  const int row = SelectedRow();
  if (row < 0) return;
  Guarded([&] {
    TColor color = HexToColor(SelectedList()->GetColor(row).Hex);
    if (IsWebSafe()) color = RGBToColor(WebSafeRGB(ColorToRGBRec(color)));
    SetForeColor(color);
  });
}

void TfrmFavorite::lstColorsMouseDown(Qt::MouseButton button, QPoint pos) {
  (void)button;  // any button selects; the left one has already done so
  const int row = lstColors->ItemAtPos(pos);
  if (row != lstColors->ItemIndex()) lstColors->SetItemIndex(row);
}

void TfrmFavorite::actSetBackExecute() {
  const int row = SelectedRow();
  if (row < 0) return;
  Guarded([&] {
    TColor color = HexToColor(SelectedList()->GetColor(row).Hex);
    if (IsWebSafe()) color = WebSafeColor(color);
    SetBackColor(color);
  });
}

// ---- dragging ----

int TfrmFavorite::DragTargetRow(QPoint viewportPos) const {
  const int row = lstColors->ItemAtPos(viewportPos);
  return row >= 0 ? row : lstColors->Count() - 1;
}

void TfrmFavorite::lstColorsStartDrag() {
  lstColors->HideDropMarker();
}

bool TfrmFavorite::lstColorsDragOver(QPoint globalPos) {
  const int target = DragTargetRow(lstColors->viewport()->mapFromGlobal(globalPos));
  if (target < 0 || target == lstColors->DropMarkerRow()) return true;
  const QRect r = lstColors->ItemRect(target);
  // Above the dragged row the colour lands before the target, else after it.
  const int y = target < lstColors->ItemIndex() ? r.top() + 1 : r.bottom();
  lstColors->ShowDropMarker(target, QPoint(r.left() + 15, y));
  return true;
}

void TfrmFavorite::lstColorsDragDrop(QPoint globalPos) {
  const int row = SelectedRow();
  if (row < 0) return;
  const int target = DragTargetRow(lstColors->viewport()->mapFromGlobal(globalPos));
  if (target < 0) return;
  SelectedList()->Move(row, target);
  RebuildGroupTree();
  lstColors->SetItemIndex(target);
  lstColors->HideDropMarker();
  NotifyFavoritesChanged();
}

void TfrmFavorite::lstColorsEndDrag() {
  lstColors->HideDropMarker();
  SetDropTargetNode(-1);
}

bool TfrmFavorite::trvGroupDragOver(QPoint globalPos) {
  const QPoint pos = trvGroup->viewport()->mapFromGlobal(globalPos);
  if (!trvGroup->isVisible() || !trvGroup->viewport()->rect().contains(pos)) {
    SetDropTargetNode(-1);
    return false;
  }
  const int node = GroupAt(pos);
  // Only another group's node takes the colour; show which one.
  const bool takes = node >= 0 && node != SelectedGroup();
  SetDropTargetNode(takes ? node : -1);
  return takes;
}

void TfrmFavorite::trvGroupDragDrop(QPoint globalPos, bool ctrl) {
  const int source = SelectedGroup();
  const int row = SelectedRow();
  const int target = GroupAt(trvGroup->viewport()->mapFromGlobal(globalPos));
  if (row < 0 || target < 0 || target == source) return;
  Guarded([&] {
    TFavorites& favorites = GetFavorites();
    const TNamedColor entry = favorites.Group(source).GetColor(row);
    favorites.Group(target).Add(entry.Hex, entry.Name);
    if (!ctrl) {
      favorites.Group(source).Delete(row);
      RebuildGroupTree();
    }
    NotifyFavoritesChanged();
  });
}

void TfrmFavorite::SetDropTargetNode(int index) {
  if (index == FDropTargetNode) return;
  if (QTreeWidgetItem* old = trvGroup->topLevelItem(FDropTargetNode))
    old->setData(0, Qt::BackgroundRole, QVariant());
  FDropTargetNode = index;
  if (QTreeWidgetItem* item = trvGroup->topLevelItem(index)) {
    QColor c = trvGroup->palette().color(QPalette::Highlight);
    c.setAlpha(90);
    item->setBackground(0, c);
  }
}

// ---- group commands ----

void TfrmFavorite::actNewGroupExecute() {
  std::string name = "新しいグループ";
  if (!InputGroupName("グループの新規作成", "グループ名を入力して下さい", name)) return;
  if (GetFavorites().AddGroup(name) < 0) return;
  trvGroup->addTopLevelItem(new QTreeWidgetItem(QStringList{Q(name)}));
  NotifyFavoritesChanged();
}

void TfrmFavorite::mnuGroupCloneClick() {
  const int g = SelectedGroup();
  if (g < 0) return;
  TFavorites& favorites = GetFavorites();
  const int copy = favorites.AddGroup(favorites.UniqueGroupName(favorites.GroupName(g)));
  if (copy < 0) return;
  favorites.Group(copy).Assign(favorites.Group(g));
  RebuildGroupTree();
  NotifyFavoritesChanged();
}

void TfrmFavorite::actRemoveGroupExecute() {
  const int g = SelectedGroup();
  if (g < 0) return;
  TFavorites& favorites = GetFavorites();
  const std::string text = favorites.GroupName(g) + " グループを削除します。よろしいですか？" +
                           "\r" + "グループに登録されている色も全て削除されます。";
  if (!Dialogs().OkCancel(text)) return;
  favorites.DeleteGroup(g);
  RebuildGroupTree();
  NotifyFavoritesChanged();
}

void TfrmFavorite::actRenameGroupExecute() {
  const int g = SelectedGroup();
  if (g < 0) return;
  TFavorites& favorites = GetFavorites();
  std::string name = favorites.GroupName(g);
  if (!InputGroupName("グループの名前", "グループ名を変更します", name)) return;
  favorites.RenameGroup(g, name);  // a taken name is refused with a warning
  RebuildGroupTree();
  NotifyFavoritesChanged();
}

// ---- colour commands ----

void TfrmFavorite::actRemoveExecute() {
  const int row = SelectedRow();
  if (row < 0) return;
  Guarded([&] {
    TNamedColorList& list = *SelectedList();
    if (!Dialogs().YesNo(list.GetColor(row).Name + " を削除します。よろしいですか？")) return;
    list.Delete(row);
    RebuildGroupTree();
    NotifyFavoritesChanged();
  });
}

void TfrmFavorite::mnuRenameClick() {
  const int row = SelectedRow();
  if (row < 0) return;
  Guarded([&] {
    TNamedColorList& list = *SelectedList();
    TNamedColor entry = list.GetColor(row);
    if (!Dialogs().InputBox("名前の変更", "新しい名前を入力してください", entry.Name)) return;
    list.Put(row, entry);
    RebuildGroupTree();
    NotifyFavoritesChanged();
  });
}

void TfrmFavorite::mnuSetActiveColorClick() {
  const int row = SelectedRow();
  if (row < 0) return;
  Guarded([&] {
    TNamedColorList& list = *SelectedList();
    TNamedColor entry = list.GetColor(row);
    if (!Dialogs().OkCancel(entry.Name + " を前景色に変更します。よろしいですか？")) return;
    entry.Hex = ColorToHex(GetForeColor());
    list.Put(row, entry);
    RebuildGroupTree();
    lstColors->SetItemIndex(row);
    NotifyFavoritesChanged();
  });
}

void TfrmFavorite::mnuCloneClick() {
  const int row = SelectedRow();
  if (row < 0) return;
  Guarded([&] {
    TNamedColorList& list = *SelectedList();
    list.Insert(row, list.GetColor(row));
    RebuildGroupTree();
    lstColors->SetItemIndex(row);
    NotifyFavoritesChanged();
  });
}

void TfrmFavorite::actSortExecute(QAction* sender) {
  TNamedColorList* list = SelectedList();
  if (!list) return;
  int kind = 1;
  if (sender == actSortName)
    kind = 0;
  else if (sender == actSortSaturation)
    kind = 2;
  else if (sender == actSortLightness)
    kind = 3;
  Guarded([&] {
    list->Sort(kind);
    RebuildGroupTree();
    NotifyFavoritesChanged();
  });
}

void TfrmFavorite::actExportHTMLExecute() {
  const int g = SelectedGroup();
  if (g < 0) return;
  TSaveFileRequest request;
  request.defaultExt = "html";
  request.filter = "HTML|*.html;*.htm|すべてのファイル|*.*";
  request.fileName = ProposedExportName(FSaveFileName, "html");
  const auto path = Dialogs().SaveFile(request);
  if (!path) return;
  FSaveFileName = *path;
  Guarded([&] {
    THTMLTableOptions options;
    options.Title = GetFavorites().GroupName(g);
    options.SampleText = GetPreviewText().toStdString();
    options.SampleBackColor = GetBackColor();
    options.FileName = *path;
    GetFavorites().Group(g).SaveToHTML(options);
  });
}

void TfrmFavorite::actExportACTExecute() {
  const int g = SelectedGroup();
  if (g < 0) return;
  TSaveFileRequest request;
  request.defaultExt = "act";
  request.filter = "Adobe Color Table File|*.act|すべてのファイル|*.*";
  request.fileName = ProposedExportName(FSaveFileName, "act");
  const auto path = Dialogs().SaveFile(request);
  if (!path) return;
  FSaveFileName = *path;
  Guarded([&] { GetFavorites().Group(g).SaveToACT(*path); });
}

void TfrmFavorite::actImportExecute() {
  TOpenFilesRequest request;
  request.title = "パレットの読み込み";
  request.filter =
      "パレット|*.gpl;*.ase;*.act|GIMP Palette|*.gpl|Adobe Swatch Exchange|*.ase|"
      "Adobe Color Table File|*.act|すべてのファイル|*.*";
  const std::vector<std::string> paths = Dialogs().OpenFiles(request);
  if (!paths.empty()) ImportPaletteFiles(paths);
}

void TfrmFavorite::ImportPaletteFiles(const std::vector<std::string>& paths) {
  std::string errors;
  int first = -1;
  for (const auto& path : paths) {
    try {
      const std::vector<int> added = AddPaletteGroups(GetFavorites(), ReadPaletteFile(path));
      if (first < 0 && !added.empty()) first = added.front();
    } catch (const EPaletteFormatError& e) {
      errors += (errors.empty() ? "" : "\n") + std::string(e.what());
    }
  }
  if (first >= 0) {
    RebuildGroupTree();
    SelectGroup(first);
    NotifyFavoritesChanged();
  }
  if (!errors.empty()) Dialogs().Error("次のファイルを読み込めませんでした。\n" + errors);
}

void TfrmFavorite::ExportPalette(const char* defaultExt, const char* filter,
                                 std::string (*bytes)(const std::string&, const TNamedColorList&)) {
  const int g = SelectedGroup();
  if (g < 0) return;
  TSaveFileRequest request;
  request.defaultExt = defaultExt;
  request.filter = filter;
  request.fileName = ProposedExportName(FSaveFileName, defaultExt);
  const auto path = Dialogs().SaveFile(request);
  if (!path) return;
  FSaveFileName = *path;
  Guarded(
      [&] { WriteFileAtomic(*path, bytes(GetFavorites().GroupName(g), GetFavorites().Group(g))); });
}

}  // namespace tintorb
