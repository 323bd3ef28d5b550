#include "collections/ui/SheetPalette.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QToolButton>

#include "app/IniFile.h"
#include "app/ui/ColorVisionView.h"

namespace tintorb {

namespace {

const char* const kSection = "Palette";

// The three tool-bar pictures, drawn rather than shipped.
QIcon WebSafeIcon() {
  QPixmap pm(16, 16);
  pm.fill(Qt::white);
  QPainter p(&pm);
  const int levels[] = {0x00, 0x66, 0xCC};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x)
      p.fillRect(1 + x * 5, 1 + y * 5, 4, 4, QColor(levels[x], levels[2 - y], levels[(x + y) % 3]));
  return QIcon(pm);
}

QIcon SystemIcon() {
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setPen(QColor(64, 64, 64));
  p.setBrush(QColor(212, 208, 200));
  p.drawRect(1, 2, 13, 11);
  p.fillRect(2, 3, 12, 3, QColor(10, 36, 106));
  p.fillRect(2, 6, 12, 7, Qt::white);
  return QIcon(pm);
}

QIcon RGB332Icon() {
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.fillRect(1, 1, 14, 4, QColor(255, 0, 0));
  p.fillRect(1, 6, 14, 4, QColor(0, 255, 0));
  p.fillRect(1, 11, 14, 4, QColor(0, 0, 255));
  p.setPen(Qt::white);
  for (int x = 3; x < 15; x += 2) p.drawLine(x, 1, x, 9);    // eight levels
  for (int x = 4; x < 15; x += 4) p.drawLine(x, 11, x, 14);  // four levels
  return QIcon(pm);
}

}  // namespace

TfrmPalette::TfrmPalette(TSheetHost& host, QWidget* parent)
    : TColorSheetForm(host, PageCaption(), parent) {
  setObjectName("frmPalette");
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  ToolBar1 = new QToolBar(this);
  ToolBar1->setObjectName("ToolBar1");
  ToolBar1->setOrientation(Qt::Vertical);
  ToolBar1->setIconSize(QSize(16, 16));
  ToolBar1->setMovable(false);
  ToolBar1->setFloatable(false);
  auto* group = new QActionGroup(this);
  group->setExclusive(true);
  auto button = [&](const char* name, const char* hint, const QIcon& icon) {
    auto* a = new QAction(icon, QString::fromUtf8(hint), this);
    a->setObjectName(name);
    a->setToolTip(QString::fromUtf8(hint));
    a->setCheckable(true);
    group->addAction(a);
    ToolBar1->addAction(a);
    if (auto* b = qobject_cast<QToolButton*>(ToolBar1->widgetForAction(a))) {
      b->setObjectName(QString(name) + "Button");
      b->setAutoRaise(true);
    }
    connect(a, &QAction::triggered, this, [this] { tlbWebSafeClick(); });
    return a;
  };
  tlbWebSafe = button("tlbWebSafe", "Webセーフカラー", WebSafeIcon());
  tlbSystem = button("tlbSystem", "Windowsシステムカラー", SystemIcon());
  tlbRGB332 = button("tlbRGB332", "RGB332形式（携帯端末など）", RGB332Icon());
  // One button wide: the button plus 2 pixels.
  ToolBar1->setFixedWidth(ToolBar1->widgetForAction(tlbWebSafe)->sizeHint().width() + 2);
  layout->addWidget(ToolBar1);

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  auto* styles = new QActionGroup(this);
  mnuPaletteStyleList = PopupMenu1->addAction(QString::fromUtf8("リスト表示"));
  mnuPaletteStyleList->setObjectName("mnuPaletteStyleList");
  mnuPaletteStyleIcon = PopupMenu1->addAction(QString::fromUtf8("一覧表示"));
  mnuPaletteStyleIcon->setObjectName("mnuPaletteStyleIcon");
  for (QAction* a : {mnuPaletteStyleList, mnuPaletteStyleIcon}) {
    a->setCheckable(true);
    styles->addAction(a);
  }
  connect(mnuPaletteStyleList, &QAction::triggered, this, [this] { SetPaletteStyle(0); });
  connect(mnuPaletteStyleIcon, &QAction::triggered, this, [this] { SetPaletteStyle(1); });
  connect(PopupMenu1, &QMenu::aboutToShow, this, [this] { PopupMenu1Popup(); });
  ToolBar1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ToolBar1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { PopupMenu1->popup(ToolBar1->mapToGlobal(pos)); });

  ListBox1 = new TColorListBox(this);
  ListBox1->setObjectName("ListBox1");
  ListBox1->SetItemHeight(20);
  // The right button picks the background colour, so the list has no menu.
  ListBox1->setContextMenuPolicy(Qt::PreventContextMenu);
  layout->addWidget(ListBox1, 1);
  ListBox1->OnDrawItem = [this](QPainter& p, const QRect& r, int i, TOwnerDrawState s) {
    ListBox1DrawItem(p, r, i, s);
  };
  ListBox1->OnMouseDown = [this](Qt::MouseButton b, const QPoint& pos) {
    ListBox1MouseDown(b, pos);
  };
  // The column rule needs the list's own client width, which is known only
  // once the list itself has been resized (a hidden page resizes late).
  ListBox1->OnResize = [this] { FormResize(); };

  // Later downs raise the earlier buttons of the group, as reading them in
  // this order always did.
  TIniGT& ini = GetSettingsFile();
  if (ini.ReadBool(kSection, "WebSafePalette", true)) tlbWebSafe->setChecked(true);
  if (ini.ReadBool(kSection, "SystemPalette", false)) tlbSystem->setChecked(true);
  if (ini.ReadBool(kSection, "RGB332Palette", false)) tlbRGB332->setChecked(true);
  FPaletteStyle = ini.ReadInteger(kSection, "PaletteStyle", 0) == 1 ? 1 : 0;
  tlbWebSafeClick();
}

TfrmPalette::~TfrmPalette() {
  TIniGT& ini = GetSettingsFile();
  ini.WriteBool(kSection, "WebSafePalette", tlbWebSafe->isChecked());
  ini.WriteBool(kSection, "SystemPalette", tlbSystem->isChecked());
  ini.WriteBool(kSection, "RGB332Palette", tlbRGB332->isChecked());
  ini.WriteInteger(kSection, "PaletteStyle", FPaletteStyle);
}

QIcon TfrmPalette::PageIcon() {
  return WebSafeIcon();
}

void TfrmPalette::SetPaletteStyle(int style) {
  FPaletteStyle = style == 1 ? 1 : 0;
  ListBox1->SetColumns(FPaletteStyle == 1 ? PaletteColumns(ListBox1->viewport()->width()) : 0);
  ListBox1->Repaint();
}

void TfrmPalette::FormResize() {
  if (FPaletteStyle == 1)
    SetPaletteStyle(1);
  else
    ListBox1->Repaint();
}

void TfrmPalette::tlbWebSafeClick() {
  FEntries.clear();
  const std::pair<QAction*, TPaletteKind> kinds[] = {{tlbWebSafe, TPaletteKind::WebSafe},
                                                     {tlbSystem, TPaletteKind::System},
                                                     {tlbRGB332, TPaletteKind::RGB332}};
  for (const auto& [button, kind] : kinds)
    if (button->isChecked())
      FEntries.insert(FEntries.end(), Palette(kind).begin(), Palette(kind).end());
  ListBox1->SetItemIndex(-1);
  ListBox1->SetCount(static_cast<int>(FEntries.size()));
  ListBox1->Repaint();
}

void TfrmPalette::ListBox1DrawItem(QPainter& canvas, const QRect& rect, int index,
                                   TOwnerDrawState state) {
  if (index < 0 || index >= static_cast<int>(FEntries.size())) return;
  const TPaletteEntry e = ReadPaletteEntry(FEntries[static_cast<size_t>(index)]);
  if (FPaletteStyle == 0) {
    DrawColorItem(canvas, rect, e.Color, QString::fromStdString(e.Label), state, ListBox1->font());
    return;
  }
  canvas.fillRect(rect, ShownQColor(e.Color));
  canvas.save();
  canvas.setPen(Qt::white);
  canvas.setBrush(Qt::NoBrush);
  canvas.drawRect(rect.adjusted(0, 0, -1, -1));
  canvas.restore();
}

void TfrmPalette::ListBox1MouseDown(Qt::MouseButton button, const QPoint& pos) {
  const int index = ListBox1->ItemAtPos(pos);
  if (index < 0) return;
  // Handed over as listed: a system entry stays a reference to that colour.
  const TColor c = ReadPaletteEntry(FEntries[static_cast<size_t>(index)]).Color;
  if (button == Qt::RightButton)
    SetBackColor(c);
  else
    SetForeColor(c);
}

void TfrmPalette::PopupMenu1Popup() {
  (FPaletteStyle == 1 ? mnuPaletteStyleIcon : mnuPaletteStyleList)->setChecked(true);
}

}  // namespace tintorb
