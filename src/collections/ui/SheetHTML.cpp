#include "collections/ui/SheetHTML.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <QVBoxLayout>

namespace tintorb {

namespace {

QIcon CopyIcon() {
  // Two overlapping sheets of paper.
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setPen(QColor(64, 64, 64));
  p.setBrush(Qt::white);
  p.drawRect(1, 1, 8, 10);
  p.drawRect(6, 4, 8, 10);
  for (int y = 7; y < 13; y += 2) p.drawLine(8, y, 12, y);
  return QIcon(pm);
}

}  // namespace

TfrmHTML::TfrmHTML(TSheetHost& host, QWidget* parent)
    : TColorSheetForm(host, PageCaption(), parent) {
  setObjectName("frmHTML");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  Panel1 = new QWidget(this);
  Panel1->setObjectName("Panel1");
  Panel1->setFixedHeight(25);
  lblName = new QLabel(QString::fromUtf8("名前:"), Panel1);
  edtName = new QLineEdit(Panel1);
  btnCopy = new QToolButton(Panel1);
  lblHex = new QLabel(QString::fromUtf8("値:"), Panel1);
  edtHex = new QLineEdit(Panel1);
  lblName->setObjectName("lblName");
  edtName->setObjectName("edtName");
  btnCopy->setObjectName("btnCopy");
  lblHex->setObjectName("lblHex");
  edtHex->setObjectName("edtHex");
  btnCopy->setAutoRaise(true);
  btnCopy->setIcon(CopyIcon());
  btnCopy->setFixedSize(30, 20);
  edtHex->setMaxLength(6);
  for (QLineEdit* e : {edtName, edtHex}) {
    e->setAttribute(Qt::WA_InputMethodEnabled, false);
    e->installEventFilter(this);
  }
  for (QLabel* l : {lblName, lblHex}) l->adjustSize();
  connect(btnCopy, &QToolButton::clicked, this, [this] { btnCopyClick(); });
  layout->addWidget(Panel1);
  Panel1->installEventFilter(this);

  ListBox1 = new TColorListBox(this);
  ListBox1->setObjectName("ListBox1");
  ListBox1->SetItemHeight(20);
  ListBox1->setContextMenuPolicy(Qt::PreventContextMenu);
  ListBox1->SetCount(FTable.Count());
  layout->addWidget(ListBox1, 1);
  ListBox1->OnDrawItem = [this](QPainter& p, const QRect& r, int i, TOwnerDrawState s) {
    ListBox1DrawItem(p, r, i, s);
  };
  ListBox1->OnClick = [this] { ListBox1Click(); };
  ListBox1->OnMouseDown = [this](Qt::MouseButton b, const QPoint& pos) {
    ListBox1MouseDown(b, pos);
  };
  LayoutPanel();
}

// A tag's angle brackets, drawn as strokes rather than text in a face opened
// for this one picture.
QIcon TfrmHTML::PageIcon() {
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0, 0, 160), 2.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  p.drawPolyline(QPolygonF({QPointF(6.5, 4), QPointF(2, 8), QPointF(6.5, 12)}));
  p.drawPolyline(QPolygonF({QPointF(9.5, 4), QPointF(14, 8), QPointF(9.5, 12)}));
  return QIcon(pm);
}

void TfrmHTML::LayoutPanel() {
  const int w = Panel1->width();
  const int editH = edtName->sizeHint().height();
  const int top = (Panel1->height() - editH) / 2;
  edtName->setFixedHeight(editH);
  edtHex->setFixedHeight(editH);
  edtHex->setGeometry(w - top - 65, top, 65, editH);
  lblHex->setGeometry(edtHex->x() - lblHex->sizeHint().width(), top, lblHex->sizeHint().width(),
                      editH);
  btnCopy->move(lblHex->x() - 8 - btnCopy->width(), top);
  lblName->setGeometry(top, top, lblName->sizeHint().width(), editH);
  const int nameLeft = lblName->x() + lblName->width();
  edtName->setGeometry(nameLeft, top, std::max(0, btnCopy->x() - nameLeft), editH);
}

bool TfrmHTML::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Panel1 && event->type() == QEvent::Resize) LayoutPanel();
  if (event->type() == QEvent::KeyPress && (watched == edtName || watched == edtHex)) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      if (watched == edtName)
        edtNameKeyDown();
      else
        edtHexKeyDown();
      return true;
    }
  }
  return TColorSheetForm::eventFilter(watched, event);
}

void TfrmHTML::resizeEvent(QResizeEvent* event) {
  TColorSheetForm::resizeEvent(event);
  ListBox1->Repaint();  // the names are right-aligned
}

void TfrmHTML::ListBox1DrawItem(QPainter& canvas, const QRect& rect, int index,
                                TOwnerDrawState state) {
  if (index < 0 || index >= FTable.Count()) return;
  const size_t i = static_cast<size_t>(index);
  DrawColorItem(canvas, rect, HexToColor(FTable.Codes[i]), QString::fromStdString(FTable.Names[i]),
                state, ListBox1->font());
}

void TfrmHTML::ListBox1Click() {
  const int index = ListBox1->ItemIndex();
  if (index < 0) return;
  const size_t i = static_cast<size_t>(index);
  edtName->setText(QString::fromStdString(FTable.Names[i]));
  edtHex->setText(QString::fromStdString(FTable.Codes[i]));
  SetForeColor(Snapped(HexToColor(FTable.Codes[i])));
}

void TfrmHTML::ListBox1MouseDown(Qt::MouseButton button, const QPoint& pos) {
  if (button != Qt::RightButton) return;
  const int index = ListBox1->ItemAtPos(pos);
  if (index < 0) return;
  SetBackColor(Snapped(HexToColor(FTable.Codes[static_cast<size_t>(index)])));
}

void TfrmHTML::edtNameKeyDown() {
  const int index = FTable.IndexOfName(edtName->text().toStdString());
  if (index < 0) return;
  ListBox1->SetItemIndex(index);
  ListBox1Click();
}

void TfrmHTML::edtHexKeyDown() {
  const std::string text = edtHex->text().toStdString();
  const int index = FTable.IndexOfCode(text);
  if (index >= 0) {
    ListBox1->SetItemIndex(index);
    ListBox1Click();
    return;
  }
  ListBox1->SetItemIndex(-1);
  TColor c = 0;
  if (TryHexToColor(text, c)) SetForeColor(Snapped(c));
}

void TfrmHTML::btnCopyClick() {
  if (edtName->text().isEmpty()) return;
  CopyText(ApplyCopyOptions(edtName->text(), true));
}

}  // namespace tintorb
