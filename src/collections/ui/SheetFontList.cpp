#include "collections/ui/SheetFontList.h"

#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPen>
#include <QPixmap>
#include <QPolygonF>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "app/IniFile.h"

namespace tintorb {

namespace {

const char* const kSection = "ColorSheet_FontList";
const char* const kStyleKeys[3] = {"Style.Bold", "Style.Italic", "Style.Underline"};

QColor ToQColor(TColor c) {
  return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

}  // namespace

TfrmFontList::TfrmFontList(TSheetHost& host, QWidget* parent)
    : TColorSheetPreviewForm(host, PageCaption(), parent) {
  FontNameListBox1 = new TFontNameListBox(this);
  FontNameListBox1->hide();
  FontNameListBox1->SetCollectFilters({fnfTrueType, fnfSymbolFont, fnfJapanese, fnfFixedPitch});
  FontNameListBox1->SetValue(QStringLiteral("Arial"));

  ListBox1 = new TColorListBox(this);
  ListBox1->OnDrawItem = [this](QPainter& p, const QRect& r, int i, TOwnerDrawState s) {
    ListBox1DrawItem(p, r, i, s);
  };
  ListBox1->OnClick = [this] { ListBox1Click(); };
  ListBox1->OnPaintBegin = [this] {
    frameClock_.start();
    inFrame_ = true;
  };
  ListBox1->OnPaintEnd = [this] { inFrame_ = false; };

  Panel1 = new QFrame(this);
  Panel1->setFrameShape(QFrame::NoFrame);
  auto* pv = new QVBoxLayout(Panel1);
  pv->setContentsMargins(6, 4, 4, 4);
  chkFontName = new QCheckBox(QString::fromUtf8("フォント名"), Panel1);
  chkFace = new QCheckBox(QString::fromUtf8("フォントで表示"), Panel1);
  chkUseColor = new QCheckBox(QString::fromUtf8("色を反映"), Panel1);
  pv->addWidget(chkFontName);
  pv->addWidget(chkFace);
  pv->addWidget(chkUseColor);
  pv->addWidget(new QLabel(QString::fromUtf8("サイズ:"), Panel1));
  auto* sizeRow = new QHBoxLayout;
  LabeledEdit1 = new QLineEdit(Panel1);
  LabeledEdit1->setAttribute(Qt::WA_InputMethodEnabled, false);
  LabeledEdit1->setMaximumWidth(48);
  UpDown1 = new TUpDown(Panel1);
  sizeRow->addWidget(LabeledEdit1);
  sizeRow->addWidget(UpDown1);
  sizeRow->addStretch();
  pv->addLayout(sizeRow);
  lstStyle = new QListWidget(Panel1);
  for (const char* s : {"太字", "斜体", "下線"}) {
    auto* item = new QListWidgetItem(QString::fromUtf8(s), lstStyle);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  lstStyle->setMaximumHeight(64);
  pv->addWidget(lstStyle);
  cmbListFilter = new QComboBox(Panel1);
  for (const char* s : {"すべて", "日本語のみ", "固定ピッチのみ", "シンボルのみ"})
    cmbListFilter->addItem(QString::fromUtf8(s));
  pv->addWidget(cmbListFilter);
  pv->addStretch();
  Panel1->setFixedWidth(140);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(ListBox1, 1);
  layout->addWidget(Panel1);

  FormCreate();

  connect(chkFontName, &QCheckBox::clicked, this, [this] { ListBox1->Repaint(); });
  connect(chkFace, &QCheckBox::clicked, this, [this] { ListBox1->Repaint(); });
  connect(chkUseColor, &QCheckBox::clicked, this, [this] { chkUseColorClick(); });
  connect(lstStyle, &QListWidget::itemChanged, this, [this] { ListBox1->Repaint(); });
  connect(UpDown1, &TUpDown::Click, this,
          [this](TUpDown*, int step) { UpDown1Changing(std::clamp(fontSize_ + step, 1, 99)); });
  connect(LabeledEdit1, &QLineEdit::editingFinished, this, [this] { LabeledEdit1Exit(); });
  connect(cmbListFilter, &QComboBox::currentIndexChanged, this,
          [this](int i) { cmbListFilterChange(i); });
}

TfrmFontList::~TfrmFontList() {
  FormDestroy();
}

// A dark capital beside a small red letter, drawn as strokes: a face opened at
// two more sizes for a toolbar picture costs more start-up than the rest of
// the sheet icons together.
QIcon TfrmFontList::PageIcon() {
  QPixmap pm(16, 16);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(32, 32, 32), 2.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  p.drawPolyline(QPolygonF({QPointF(1, 15), QPointF(5.5, 2), QPointF(10, 15)}));
  p.drawLine(QPointF(3, 10.5), QPointF(8, 10.5));
  p.setPen(QPen(QColor(200, 30, 30), 1.6));
  p.drawEllipse(QPointF(11.9, 12.4), 2.1, 2.3);
  p.drawLine(QPointF(14.6, 10.1), QPointF(14.6, 14.9));
  return QIcon(pm);
}

void TfrmFontList::FormCreate() {
  TIniGT& ini = GetSettingsFile();
  chkFontName->setChecked(ini.ReadBool(kSection, "FontName", true));
  chkFace->setChecked(ini.ReadBool(kSection, "Face", true));
  chkUseColor->setChecked(ini.ReadBool(kSection, "UseColor", true));
  // A size outside the arrows' range would give rows nobody can read.
  const int size = std::clamp(ini.ReadInteger(kSection, "FontSize", 18), 1, 99);
  for (int i = 0; i < 3; ++i)
    lstStyle->item(i)->setCheckState(ini.ReadBool(kSection, kStyleKeys[i], false) ? Qt::Checked
                                                                                  : Qt::Unchecked);
  UpDown1Changing(size);
  chkUseColorClick();
}

void TfrmFontList::FormDestroy() {
  TIniGT& ini = GetSettingsFile();
  ini.WriteBool(kSection, "FontName", chkFontName->isChecked());
  ini.WriteBool(kSection, "Face", chkFace->isChecked());
  ini.WriteBool(kSection, "UseColor", chkUseColor->isChecked());
  // A number typed but not yet confirmed is kept for the next start.
  bool ok = false;
  const int typed = LabeledEdit1->text().trimmed().toInt(&ok);
  ini.WriteInteger(kSection, "FontSize", ok ? std::clamp(typed, 1, 99) : fontSize_);
  for (int i = 0; i < 3; ++i) ini.WriteBool(kSection, kStyleKeys[i], StyleChecked(i));
}

void TfrmFontList::showEvent(QShowEvent* event) {
  if (!filled_) FillFontList();
  TColorSheetPreviewForm::showEvent(event);
}

void TfrmFontList::FillFontList() {
  filled_ = true;
  names_.clear();
  rowCache_.Clear();  // another filter: the old rows are unlikely to come back soon
  const int n = FontNameListBox1->ItemCount();
  names_.reserve(n);
  for (int i = 0; i < n; ++i) names_ << FontNameListBox1->ItemName(i);
  ListBox1->SetItemIndex(-1);
  ListBox1->SetCount(int(names_.size()));
  ListBox1->Repaint();
}

void TfrmFontList::cmbListFilterChange(int index) {
  static const TFontNameFilters kFilters[4] = {{}, {fnfJapanese}, {fnfFixedPitch}, {fnfSymbolFont}};
  if (index < 0 || index > 3) return;
  FontNameListBox1->EnsureItems();
  FontNameListBox1->SetExclusiveFilters(kFilters[index]);
  FillFontList();
}

void TfrmFontList::UpDown1Changing(int newValue) {
  fontSize_ = std::clamp(newValue, 1, 99);
  LabeledEdit1->setText(QString::number(fontSize_));
  ListBox1->SetItemHeight(fontSize_ * 18 / 10);
  ListBox1->Repaint();
}

void TfrmFontList::LabeledEdit1Exit() {
  CheckEditRange(1, 99, LabeledEdit1);  // out of range: message, then the nearer bound
  bool ok = false;
  const int v = LabeledEdit1->text().trimmed().toInt(&ok);
  if (ok && v != fontSize_) UpDown1Changing(v);
}

void TfrmFontList::chkUseColorClick() {
  if (chkUseColor->isChecked()) {
    listFore_ = ToQColor(GetForeColor());
    listBack_ = ToQColor(GetBackColor());
  } else {
    listFore_ = palette().color(QPalette::WindowText);
    listBack_ = palette().color(QPalette::Base);
  }
  ListBox1->SetBackground(listBack_);  // also below the last row
  ListBox1->Repaint();
}

void TfrmFontList::ColorChanged(int kind) {
  (void)kind;
  if (chkUseColor->isChecked()) chkUseColorClick();
}

void TfrmFontList::PreviewTextChanged(const QString& text) {
  (void)text;
  ListBox1->Repaint();
}

void TfrmFontList::ListBox1Click() {
  const int i = ListBox1->ItemIndex();
  if (i >= 0 && i < int(names_.size())) SetPreviewFontName(names_[i]);
}

bool TfrmFontList::StyleChecked(int item) const {
  return lstStyle->item(item)->checkState() == Qt::Checked;
}

QString TfrmFontList::RowText(int index) const {
  return chkFontName->isChecked() ? names_[index] : GetPreviewText();
}

void TfrmFontList::PaintSample(QPainter& p, const QRect& rect, int index, bool selected,
                               bool inFace) {
  const QPalette& pal = palette();
  p.fillRect(rect, selected ? pal.color(QPalette::Highlight) : listBack_);
  QFont f = ListBox1->font();
  if (inFace && chkFace->isChecked()) f.setFamily(names_[index]);
  f.setPointSize(fontSize_);
  f.setBold(StyleChecked(0));
  f.setItalic(StyleChecked(1));
  f.setUnderline(StyleChecked(2));
  f.setStrikeOut(false);
  p.setFont(f);
  const int h = p.fontMetrics().height();
  const int o = (rect.height() - h) / 2;
  // A face taller than the row gives a negative offset; it must not push the
  // text off the left, so it keeps the name list's 2-pixel inset there.
  const int left = std::max(2, o);
  p.save();
  p.setClipRect(rect);
  p.setPen(selected ? pal.color(QPalette::HighlightedText) : listFore_);
  p.drawText(QRect(rect.left() + left, rect.top() + o, std::max(0, rect.width() - left), h),
             Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, RowText(index));
  p.restore();
}

// A change of anything but the face empties the cache.
void TfrmFontList::CheckRowLook(const QSize& size, qreal dpr) {
  RowLook look;
  look.size = size;
  look.dpr = dpr;
  look.pointSize = fontSize_;
  look.bold = StyleChecked(0);
  look.italic = StyleChecked(1);
  look.underline = StyleChecked(2);
  look.face = chkFace->isChecked();
  look.names = chkFontName->isChecked();
  look.fore = listFore_.rgb();
  look.back = listBack_.rgb();
  if (!look.face) look.listFont = ListBox1->font();
  if (!look.names) look.text = GetPreviewText();
  if (look == rowLook_) return;
  rowLook_ = std::move(look);
  rowCache_.Clear();
}

const QImage& TfrmFontList::CachedRow(int index, const QSize& size, qreal dpr) {
  if (const QImage* hit = rowCache_.Find(names_[index])) return *hit;
  QImage img(size * dpr, QImage::Format_RGB32);
  img.setDevicePixelRatio(dpr);
  {
    QPainter p(&img);
    PaintSample(p, QRect(QPoint(0, 0), size), index, false, true);
  }
  return rowCache_.Insert(names_[index], std::move(img));
}

void TfrmFontList::ListBox1DrawItem(QPainter& p, const QRect& rect, int index,
                                    TOwnerDrawState state) {
  if (index < 0 || index >= int(names_.size())) return;
  if (state.selected || rect.isEmpty()) {
    PaintSample(p, rect, index, state.selected, true);
    return;
  }
  const qreal dpr = p.device() ? p.device()->devicePixelRatioF() : 1.0;
  CheckRowLook(rect.size(), dpr);
  // Room for the screenful on show and one on either side.
  const qint64 screen = qint64(ListBox1->viewport()->width()) *
                        std::max(rect.height(), ListBox1->viewport()->height()) * 4 * dpr * dpr;
  rowCache_.SetBudget(std::max<qint64>(16 << 20, 4 * screen));
  SchedulePrefetch();
  if (inFrame_ && chkFace->isChecked() && !rowCache_.Contains(names_[index]) &&
      frameClock_.elapsed() >= frameBudgetMs_) {
    PaintSample(p, rect, index, false, false);
    rowsPending_ = true;
    return;
  }
  p.drawImage(rect.topLeft(), CachedRow(index, rect.size(), dpr));
}

bool TfrmFontList::PrefetchRows(int first, int last, const QSize& rowSize, int budgetMs) {
  if (rowSize.isEmpty()) return true;
  const qreal dpr = ListBox1->viewport()->devicePixelRatioF();
  CheckRowLook(rowSize, dpr);
  QElapsedTimer clock;
  clock.start();
  first = std::max(0, first);
  last = std::min(last, int(names_.size()));
  for (int i = first; i < last; ++i) {
    if (rowCache_.Contains(names_[i])) continue;
    if (budgetMs >= 0 && clock.elapsed() >= budgetMs) return false;
    CachedRow(i, rowSize, dpr);
  }
  return true;
}

void TfrmFontList::SchedulePrefetch() {
  if (prefetchQueued_) return;
  prefetchQueued_ = true;
  QTimer::singleShot(0, this, [this] { PrefetchAroundView(); });
}

// Draws rows still shown in the list's face, then the page below, then the
// page above, a few milliseconds at a time so input keeps flowing.
void TfrmFontList::PrefetchAroundView() {
  prefetchQueued_ = false;
  if (!ListBox1->isVisible() || names_.isEmpty()) return;
  const int itemHeight = ListBox1->ItemHeight();
  const QSize rowSize(ListBox1->viewport()->width(), itemHeight);
  const int top = ListBox1->TopIndex();
  const int page = ListBox1->viewport()->height() / itemHeight + 1;
  const int sliceMs = 6;
  QElapsedTimer clock;
  clock.start();
  const auto left = [&] { return std::max<int>(0, sliceMs - clock.elapsed()); };
  bool done = PrefetchRows(top, top + page, rowSize, sliceMs);
  if (rowsPending_) {
    rowsPending_ = false;
    ListBox1->viewport()->update();  // the new faces replace the stand-ins
  }
  done = done && PrefetchRows(top + page, top + 2 * page, rowSize, left()) &&
         PrefetchRows(top - page, top, rowSize, left());
  if (!done) SchedulePrefetch();
}

}  // namespace tintorb
