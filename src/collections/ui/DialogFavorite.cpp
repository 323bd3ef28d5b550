#include "collections/ui/DialogFavorite.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/ui/ColorSheet.h"
#include "collections/Favorites.h"
#include "platform/Desktop.h"

namespace tintorb {

namespace {

QString U(const char* s) {
  return QString::fromUtf8(s);
}

}  // namespace

TdlgFavorite::TdlgFavorite(TFavorites& favorites, QWidget* parent)
    : QDialog(parent), favorites_(favorites) {
  setWindowTitle(U("お気に入りの追加"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  Panel1 = new QFrame(this);
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel1->setLineWidth(1);
  Panel1->setFixedSize(40, 40);
  Panel1->setAutoFillBackground(true);
  Label1 = new QLabel(U("この色がお気に入りに追加されます。"), this);
  Label2 = new QLabel(U("名前(&N):"), this);
  Edit1 = new QLineEdit(this);
  Label2->setBuddy(Edit1);
  Label3 = new QLabel(U("フォルダ(&F):"), this);
  TreeView1 = new QTreeWidget(this);
  Label3->setBuddy(TreeView1);
  TreeView1->setHeaderHidden(true);
  TreeView1->setRootIsDecorated(false);
  TreeView1->setItemsExpandable(false);
  TreeView1->setIndentation(0);
  TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  TreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
  TreeView1->setSelectionBehavior(QAbstractItemView::SelectRows);
  TreeView1->setMouseTracking(true);
  QPalette pal = TreeView1->palette();
  for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
    pal.setColor(QPalette::Inactive, role, pal.color(QPalette::Active, role));
  TreeView1->setPalette(pal);
  // With no group at all a colour has nowhere to go; this makes one.
  btnNewGroup = new QPushButton(U("新規グループ(&G)..."), this);
  btnNewGroup->setAutoDefault(false);
  btnOk = new QPushButton(U("OK"), this);
  btnOk->setDefault(true);
  btnCancel = new QPushButton(U("キャンセル"), this);
  btnCancel->setAutoDefault(false);

  auto* top = new QHBoxLayout;
  top->addWidget(Panel1, 0, Qt::AlignTop);
  top->addSpacing(8);
  top->addWidget(Label1, 1, Qt::AlignVCenter);
  auto* name = new QHBoxLayout;
  name->addWidget(Label2);
  name->addWidget(Edit1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btnNewGroup);
  buttons->addStretch(1);
  buttons->addWidget(btnOk);
  buttons->addWidget(btnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addLayout(name);
  layout->addWidget(Label3);
  layout->addWidget(TreeView1, 1);
  layout->addLayout(buttons);

  connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(btnNewGroup, &QPushButton::clicked, this, [this] { btnNewGroupClick(); });
  connect(TreeView1, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateOk(); });

  setFixedSize(320, 300);
  setSizeGripEnabled(false);
}

void TdlgFavorite::Prepare(TColor color) {
  const TColor rgb = ResolveColor(color);
  QPalette pal = Panel1->palette();
  pal.setColor(QPalette::Window, QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)));
  Panel1->setPalette(pal);
  Edit1->setText(QString::fromStdString(ColorToHex(color)));
  Edit1->selectAll();
  Edit1->setFocus();
  FillGroups();
}

void TdlgFavorite::FillGroups() {
  TreeView1->clear();
  const QIcon folder = style()->standardIcon(QStyle::SP_DirIcon);
  for (int i = 0; i < favorites_.Count(); ++i)
    TreeView1->addTopLevelItem(
        new QTreeWidgetItem(QStringList{QString::fromStdString(favorites_.GroupName(i))}));
  for (int i = 0; i < TreeView1->topLevelItemCount(); ++i)
    TreeView1->topLevelItem(i)->setIcon(0, folder);
  if (TreeView1->topLevelItemCount() > 0) TreeView1->setCurrentItem(TreeView1->topLevelItem(0));
  UpdateOk();
}

int TdlgFavorite::SelectedGroup() const {
  const QList<QTreeWidgetItem*> items = TreeView1->selectedItems();
  if (items.isEmpty()) return -1;
  const int index = TreeView1->indexOfTopLevelItem(items.first());
  return index < favorites_.Count() ? index : -1;
}

void TdlgFavorite::UpdateOk() {
  btnOk->setEnabled(SelectedGroup() >= 0);
}

void TdlgFavorite::btnNewGroupClick() {
  std::string name = "新しいグループ";
  if (!InputGroupName("グループの新規作成", "グループ名を入力して下さい", name)) return;
  const int index = favorites_.AddGroup(name);  // a taken name is refused with a warning
  if (index < 0) return;
  ++groupsAdded_;
  auto* node = new QTreeWidgetItem(QStringList{QString::fromStdString(name)});
  node->setIcon(0, style()->standardIcon(QStyle::SP_DirIcon));
  TreeView1->addTopLevelItem(node);
  TreeView1->setCurrentItem(node);
  Edit1->setFocus();
}

bool AddFavoriteDialog(TSheetHost& host, TColor color, QWidget* parent) {
  TFavorites& favorites = host.GetFavorites();
  TdlgFavorite dialog(favorites, parent);
  dialog.Prepare(color);
  const bool ok = dialog.exec() == QDialog::Accepted;
  const int group = dialog.SelectedGroup();
  const bool add = ok && group >= 0;
  if (add) favorites.Group(group).Add(ColorToHex(color), dialog.Edit1->text().toStdString());
  if (add || dialog.GroupsAdded() > 0) host.NotifyFavoritesChanged();
  return add;
}

}  // namespace tintorb
