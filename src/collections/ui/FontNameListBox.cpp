#include "collections/ui/FontNameListBox.h"

#include <QPainter>
#include <QPixmap>

namespace tintorb {

namespace {

std::vector<std::string> ToStd(const QStringList& l) {
  std::vector<std::string> out;
  for (const QString& s : l) out.push_back(s.toStdString());
  return out;
}

QStringList ToQt(const std::vector<std::string>& l) {
  QStringList out;
  for (const std::string& s : l) out << QString::fromStdString(s);
  return out;
}

// The two type icons on black, so that exclusive-or leaves the row around
// the picture untouched: a double "T", and a small printer.
QPixmap MakeIcon(bool trueType) {
  QPixmap pm(16, 12);
  pm.fill(Qt::black);
  QPainter p(&pm);
  if (trueType) {
    p.setPen(QPen(QColor(0, 255, 255), 2));
    p.drawLine(1, 2, 9, 2);
    p.drawLine(5, 2, 5, 10);
    p.setPen(QPen(QColor(255, 0, 255), 2));
    p.drawLine(8, 5, 14, 5);
    p.drawLine(11, 5, 11, 11);
  } else {
    p.fillRect(4, 1, 8, 4, QColor(255, 255, 0));
    p.fillRect(1, 5, 14, 4, QColor(255, 0, 255));
    p.fillRect(4, 9, 8, 3, QColor(255, 255, 0));
  }
  return pm;
}

const QPixmap& Icon(bool trueType) {
  static const QPixmap tt = MakeIcon(true), dev = MakeIcon(false);
  return trueType ? tt : dev;
}

}  // namespace

TFontNameListBox::TFontNameListBox(QWidget* parent) : TColorListBox(parent) {
  SetItemHeight(16);
  list_.SetCollectFilters(TFontNameList::kDefaultCollect);
  list_.OnRebuilt = [this] { SyncFromList(); };
  TColorListBox::OnDrawItem = [this](QPainter& p, const QRect& r, int i, TOwnerDrawState s) {
    Draw(p, r, i, s);
  };
  TColorListBox::OnClick = [this] {
    if (list_.SetItemIndex(ItemIndex())) SelectionChanged();
  };
}

QStringList TFontNameListBox::VisibleFontNames() const {
  return ToQt(list_.VisibleFontNames());
}
void TFontNameListBox::SetVisibleFontNames(const QStringList& names) {
  list_.SetVisibleFontNames(ToStd(names));
}
QStringList TFontNameListBox::InvisibleFontNames() const {
  return ToQt(list_.InvisibleFontNames());
}
void TFontNameListBox::SetInvisibleFontNames(const QStringList& names) {
  list_.SetInvisibleFontNames(ToStd(names));
}

QString TFontNameListBox::Value() const {
  return QString::fromStdString(list_.Value());
}

void TFontNameListBox::SetValue(const QString& name) {
  if (list_.SetValue(name.toStdString())) {
    SetItemIndex(list_.ItemIndex());
    SelectionChanged();
  }
}

void TFontNameListBox::SetChangeControl(QWidget* control) {
  changeControl_ = control;
  if (control) SetValue(control->font().family());
}

void TFontNameListBox::SetIconVisible(bool v) {
  iconVisible_ = v;
  Repaint();
}
void TFontNameListBox::SetIconPriority(TFontIconPriority p) {
  iconPriority_ = p;
  Repaint();
}
void TFontNameListBox::SetTextFontFace(bool v) {
  textFontFace_ = v;
  Repaint();
}

void TFontNameListBox::EnsureItems() {
  if (!list_.Built()) RebuildItems();
}

void TFontNameListBox::RebuildItems(const std::vector<TFontEntry>* table) {
  const int before = list_.ItemIndex();
  list_.RebuildItems(table);
  SyncFromList();
  (void)before;
}

void TFontNameListBox::SyncFromList() {
  SetCount(int(list_.Items().size()));
  SetItemIndex(list_.ItemIndex());
  Repaint();
}

int TFontNameListBox::ItemCount() {
  EnsureItems();
  return int(list_.Items().size());
}

QString TFontNameListBox::ItemName(int index) {
  EnsureItems();
  if (index < 0 || index >= int(list_.Items().size())) return {};
  return QString::fromStdString(list_.Items()[size_t(index)].name);
}

void TFontNameListBox::SelectionChanged() {
  if (changeControl_) {
    QFont f = changeControl_->font();
    f.setFamily(Value());
    changeControl_->setFont(f);
  }
  if (OnClick) OnClick();
}

void TFontNameListBox::showEvent(QShowEvent* event) {
  EnsureItems();
  TColorListBox::showEvent(event);
}

void TFontNameListBox::Draw(QPainter& p, const QRect& rect, int index, TOwnerDrawState state) {
  if (index < 0 || index >= int(list_.Items().size())) return;
  const TFontEntry& e = list_.Items()[size_t(index)];
  const QPalette& pal = palette();
  p.fillRect(rect, state.selected ? pal.color(QPalette::Highlight) : pal.color(QPalette::Base));
  QFont f = font();
  if (textFontFace_) f.setFamily(QString::fromStdString(e.name));
  p.setFont(f);
  int x = rect.left() + 2;
  if (iconVisible_) {
    const TFontNameFilters a = FontAttributes(e);
    const bool tt = a.Has(fnfTrueType) && CollectFilters().Has(fnfTrueType);
    const bool pr = a.Has(fnfPrinter) && CollectFilters().Has(fnfPrinter);
    const QPixmap* icon = nullptr;
    if (iconPriority_ == TFontIconPriority::fipTrueType)
      icon = tt ? &Icon(true) : pr ? &Icon(false) : nullptr;
    else
      icon = pr ? &Icon(false) : tt ? &Icon(true) : nullptr;
    if (icon) {
      p.save();
      p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
      p.drawPixmap(rect.left() + 2, rect.top() + (rect.height() - icon->height()) / 2, *icon);
      p.restore();
    }
    x = rect.left() + 20;
  }
  QColor text = state.selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text);
  if (!isEnabled()) text = pal.color(QPalette::Disabled, QPalette::Text);
  p.setPen(text);
  // Plain drawText shows "&" as itself; no mnemonic handling here.
  p.drawText(QRect(x, rect.top(), rect.right() - x + 1, rect.height()),
             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, QString::fromStdString(e.name));
}

}  // namespace tintorb
