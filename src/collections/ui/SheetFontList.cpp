#include "collections/ui/SheetFontList.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
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
    : TColorSheetPreviewForm(host, QString::fromUtf8("フォント"), parent) {
  FontNameListBox1 = new TFontNameListBox(this);
  FontNameListBox1->hide();
  FontNameListBox1->SetCollectFilters({fnfTrueType, fnfSymbolFont, fnfJapanese, fnfFixedPitch});
  FontNameListBox1->SetValue(QStringLiteral("Arial"));

  ListBox1 = new TColorListBox(this);
  ListBox1->OnDrawItem = [this](QPainter& p, const QRect& r, int i, TOwnerDrawState s) {
    ListBox1DrawItem(p, r, i, s);
  };
  ListBox1->OnClick = [this] { ListBox1Click(); };

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
  for (const char* s : {"太字", "斜線", "下線"}) {
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
  if (!CheckEditRange(1, 99, LabeledEdit1)) return;
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

void TfrmFontList::ListBox1DrawItem(QPainter& p, const QRect& rect, int index,
                                    TOwnerDrawState state) {
  if (index < 0 || index >= int(names_.size())) return;
  const QPalette& pal = palette();
  p.fillRect(rect, state.selected ? pal.color(QPalette::Highlight) : listBack_);
  QFont f = ListBox1->font();
  if (chkFace->isChecked()) f.setFamily(names_[index]);
  f.setPointSize(fontSize_);
  f.setBold(StyleChecked(0));
  f.setItalic(StyleChecked(1));
  f.setUnderline(StyleChecked(2));
  f.setStrikeOut(false);
  p.setFont(f);
  const QString text = chkFontName->isChecked() ? names_[index] : GetPreviewText();
  const int h = p.fontMetrics().height();
  const int o = (rect.height() - h) / 2;
  p.save();
  p.setClipRect(rect);
  p.setPen(state.selected ? pal.color(QPalette::HighlightedText) : listFore_);
  p.drawText(QRect(rect.left() + o, rect.top() + o, std::max(0, rect.width() - o), h),
             Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, text);
  p.restore();
}

}  // namespace tintorb
