#include "collections/ui/Sheetimode.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>
#include <QStringListModel>
#include <QToolButton>
#include <algorithm>

#include "app/IniFile.h"
#include "core/TextFile.h"
#include "platform/Desktop.h"

namespace tintorb {

namespace {

const char kSection[] = "ColorSheet_imode";
constexpr int kTopHeight = 21;  // height of the row of controls above the list
constexpr int kListTop = 22;    // the list starts this far below the edit's top
constexpr TColor clWindowText = static_cast<TColor>(0x80000008);

QColor ToQColor(TColor c) {
  const TColor rgb = ResolveColor(c);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

QImage ToImage(const TGLDBitmap& b) {
  QImage img(b.Width(), b.Height(), QImage::Format_RGB32);
  // The usual 24-bit glyph row by row: RGB32 is what the painter scales fastest.
  if (b.PixelFormat() == TGLDPixelFormat::pf24bit) {
    for (int y = 0; y < b.Height(); ++y) {
      const uint8_t* in = b.ScanLine(y);
      auto* out = reinterpret_cast<QRgb*>(img.scanLine(y));
      for (int x = 0; x < b.Width(); ++x, in += 3) out[x] = qRgb(in[2], in[1], in[0]);
    }
    return img;
  }
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) img.setPixel(x, y, ToQColor(b.PixelColor(x, y)).rgb());
  return img;
}

int Luma(TColor c) {
  const TColor rgb = ResolveColor(c);
  return (299 * GetRValue(rgb) + 587 * GetGValue(rgb) + 114 * GetBValue(rgb)) / 1000;
}

}  // namespace

void TPictogramListView::resizeEvent(QResizeEvent* event) {
  QListView::resizeEvent(event);
  emit ViewportResized();
}

void TPictogramListView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    event->accept();
    return;
  }
  QListView::mousePressEvent(event);
}

void TPictogramListView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    event->accept();
    return;
  }
  QListView::mouseReleaseEvent(event);
}

QSize TPictogramDelegate::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const {
  return sheet_.CellSize();
}

void TPictogramDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
  const int row = index.row();
  if (row < 0 || row >= int(PictogramRows().size())) return;
  const TPictogramInfo& info = sheet_.Info(row);
  const QRect cell = option.rect;
  const TColor listColor = sheet_.ListColor();
  painter->save();
  painter->fillRect(cell, ToQColor(listColor));

  const bool dim = sheet_.Gray504Emoji() && info.DecimalCode == -1;
  TGLDBitmap glyph;
  switch (sheet_.EmojiColor()) {
    case ecBlack:
      RenderGlyph(glyph, clBlack, listColor, row, dim);
      break;
    case ecSelected:
      RenderGlyph(glyph, sheet_.Host().GetForeColor(), sheet_.Host().GetBackColor(), row, dim);
      break;
    default:
      RenderGlyph(glyph, info.Color, listColor, row, dim);
      break;
  }
  const int h = sheet_.ItemHeight();
  const int side = h - 4;
  painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter->drawImage(QRect(cell.left() + 2, cell.top() + 2, side, side), ToImage(glyph));

  if (sheet_.ListStyle()) {
    // Readable on any list colour: black on the usual light list.
    painter->setPen(ToQColor(ContrastTextColor(listColor)));
    painter->setFont(option.font);
    const QFontMetrics fm(option.font);
    const int top = cell.top() + (cell.height() - fm.height()) / 2;
    auto text = [&](int dx, const std::string& s) {
      painter->drawText(
          QRect(cell.left() + h + dx, top, std::max(0, cell.right() - h - dx), fm.height()),
          Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, QString::fromStdString(s));
    };
    text(10, info.Name);
    text(202, info.SJISCode);
    text(258, info.UnicodeCode);
  }

  const bool selected = option.state & QStyle::State_Selected;
  const bool focused = option.state & QStyle::State_HasFocus;
  // The window-text colour, unless it would vanish into the list colour.
  const TColor frame = std::abs(Luma(clWindowText) - Luma(listColor)) < 96
                           ? ContrastTextColor(listColor)
                           : ResolveColor(clWindowText);
  if (selected) {
    painter->setPen(QPen(ToQColor(frame), 1));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(cell.adjusted(0, 0, -1, -1));
  }
  if (selected || focused) {
    painter->setPen(QPen(ToQColor(frame), 1, Qt::DotLine));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(cell.adjusted(1, 1, -2, -2));
  }
  painter->restore();
}

Tfrmimode::Tfrmimode(TSheetHost& host, QWidget* parent)
    : TColorSheetForm(host, PageCaption(), parent) {
  for (const std::string& row : PictogramRows()) infos_.push_back(ParsePictogram(row));
  CreateControls();
  resize(320, 240);
  PlaceControls();

  ListBox1->setCurrentIndex(model_->index(0));
  ListBox1Click();

  TIniGT& ini = GetSettingsFile();
  chkZoom->setChecked(ini.ReadBool(kSection, "Zoom", true));
  FEmojiColor = ini.ReadInteger(kSection, "EmojiColor", ecDefault);
  FListStyle = ini.ReadBool(kSection, "ListStyle", false);
  FGray504Emoji = ini.ReadBool(kSection, "Gray504Emoji", false);
  LayoutList();
  ApplyEmojiColor(FEmojiColor);
}

Tfrmimode::~Tfrmimode() {
  TIniGT& ini = GetSettingsFile();
  ini.WriteBool(kSection, "Zoom", chkZoom->isChecked());
  ini.WriteInteger(kSection, "EmojiColor", FEmojiColor);
  ini.WriteBool(kSection, "ListStyle", FListStyle);
  ini.WriteBool(kSection, "Gray504Emoji", FGray504Emoji);
}

void Tfrmimode::CreateControls() {
  btnCopy = new QToolButton(this);
  btnCopy->setObjectName("btnCopy");
  btnCopy->setText(QString::fromUtf8("コピー"));
  btnCopy->setToolTip(QString::fromUtf8("クリップボードへコピー"));
  btnCopy->setAutoRaise(true);
  connect(btnCopy, &QToolButton::clicked, this, [this] { btnCopyClick(); });

  Edit1 = new QLineEdit(this);
  Edit1->setObjectName("Edit1");
  Edit1->setReadOnly(true);

  chkZoom = new QCheckBox(QString::fromUtf8("拡大"), this);
  chkZoom->setObjectName("chkZoom");
  connect(chkZoom, &QCheckBox::clicked, this, [this] { chkZoomClick(); });

  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");
  Image1->setFixedSize(kGlyphSize, kGlyphSize);

  Label1 = new QLabel(QString::fromUtf8("S-JIS コード:"), this);
  Label1->setObjectName("Label1");
  Label1->clear();

  ListBox1 = new TPictogramListView(this);
  ListBox1->setObjectName("ListBox1");
  QStringList rows;
  for (const std::string& row : PictogramRows()) rows << QString::fromStdString(row);
  model_ = new QStringListModel(rows, this);
  ListBox1->setModel(model_);
  delegate_ = new TPictogramDelegate(*this);
  delegate_->setParent(this);
  ListBox1->setItemDelegate(delegate_);
  ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
  ListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ListBox1->setViewMode(QListView::ListMode);
  ListBox1->setMovement(QListView::Static);
  ListBox1->setFlow(QListView::TopToBottom);
  ListBox1->setUniformItemSizes(true);
  ListBox1->setSpacing(0);
  ListBox1->setFrameShape(QFrame::StyledPanel);
  ListBox1->viewport()->setAutoFillBackground(true);
  connect(ListBox1, &TPictogramListView::ViewportResized, this, [this] { LayoutList(); });
  connect(ListBox1->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this] { ListBox1Click(); });
  connect(ListBox1, &QListView::clicked, this, [this] { ListBox1Click(); });
  connect(ListBox1, &QListView::doubleClicked, this, [this] { btnCopyClick(); });

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  mnuListStyle = PopupMenu1->addAction(QString::fromUtf8("リスト表示(&L)"));
  mnuListStyle->setObjectName("mnuListStyle");
  mnuListStyle->setCheckable(true);
  connect(mnuListStyle, &QAction::triggered, this, [this] { mnuListStyleClick(); });
  mnuGray504Emoji = PopupMenu1->addAction(QString::fromUtf8("拡張絵文字を淡色表示(&E)"));
  mnuGray504Emoji->setObjectName("mnuGray504Emoji");
  mnuGray504Emoji->setCheckable(true);
  connect(mnuGray504Emoji, &QAction::triggered, this, [this] { mnuGray504EmojiClick(); });
  PopupMenu1->addSeparator();
  colorGroup_ = new QActionGroup(this);
  colorGroup_->setExclusive(true);
  auto radio = [this](QAction*& a, const char* name, const char* caption, int mode) {
    a = PopupMenu1->addAction(QString::fromUtf8(caption));
    a->setObjectName(name);
    a->setCheckable(true);
    colorGroup_->addAction(a);
    connect(a, &QAction::triggered, this, [this, mode] { ApplyEmojiColor(mode); });
  };
  radio(mnuColorDefault, "mnuColorDefault", "標準の色で表示(&D)", ecDefault);
  radio(mnuColorSelected, "mnuColorSelected", "現在の色で表示(&S)", ecSelected);
  radio(mnuColorBlack, "mnuColorBlack", "すべて黒で表示(&B)", ecBlack);
  PopupMenu1->addSeparator();
  PNGP1 = PopupMenu1->addAction(QString::fromUtf8("PNG形式で保存(&P)"));
  PNGP1->setObjectName("PNGP1");
  connect(PNGP1, &QAction::triggered, this, [this] { PNGP1Click(); });
  connect(PopupMenu1, &QMenu::aboutToShow, this, [this] { PopupMenu1Popup(); });

  ListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ListBox1, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { PopupMenu1->popup(ListBox1->viewport()->mapToGlobal(pos)); });
}

void Tfrmimode::PlaceControls() {
  const int w = width();
  const int copyWidth = std::max(btnCopy->sizeHint().width(), 48);
  btnCopy->setGeometry(w - copyWidth, 0, copyWidth, kTopHeight);
  const int editWidth = Edit1->fontMetrics().horizontalAdvance("&#x00000;") + 12;
  Edit1->setGeometry(btnCopy->x() - 2 - editWidth, 0, editWidth, kTopHeight);
  const int zoomWidth = chkZoom->sizeHint().width();
  chkZoom->setGeometry(Edit1->x() - zoomWidth, 0, zoomWidth, kTopHeight);
  Image1->move(2, (kTopHeight - kGlyphSize) / 2);
  const int labelHeight = Label1->sizeHint().height();
  Label1->setGeometry(2 + kGlyphSize + 8, (kTopHeight - labelHeight) / 2,
                      std::max(0, chkZoom->x() - (2 + kGlyphSize + 8) - 4), labelHeight);
  ListBox1->setGeometry(0, kListTop, w, std::max(0, height() - kListTop));
}

void Tfrmimode::resizeEvent(QResizeEvent* event) {
  TColorSheetForm::resizeEvent(event);
  PlaceControls();
}

int Tfrmimode::ItemHeight() const {
  return chkZoom->isChecked() ? 28 : 16;
}

int Tfrmimode::Columns() const {
  if (FListStyle) return 1;
  return std::max(1, ListBox1->viewport()->width() / ItemHeight());
}

void Tfrmimode::LayoutList() {
  const int h = ItemHeight();
  ListBox1->setWrapping(!FListStyle);
  ListBox1->setHorizontalScrollBarPolicy(FListStyle ? Qt::ScrollBarAlwaysOff
                                                    : Qt::ScrollBarAsNeeded);
  ListBox1->setVerticalScrollBarPolicy(FListStyle ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
  const int w = std::max(1, ListBox1->viewport()->width());
  const QSize cell = FListStyle ? QSize(w, h) : QSize(std::max(1, w / Columns()), h);
  if (cell != cellSize_ || ListBox1->gridSize() != cell) {
    cellSize_ = cell;
    ListBox1->setGridSize(cell);
    ListBox1->doItemsLayout();
  }
  if (ListBox1->currentIndex().isValid()) ListBox1->scrollTo(ListBox1->currentIndex());
  ListBox1->viewport()->update();
}

TColor Tfrmimode::ListColor() const {
  return ResolveColor(FEmojiColor == ecSelected ? GetBackColor() : clWindow);
}

int Tfrmimode::SelectedRow() const {
  const QModelIndexList sel = ListBox1->selectionModel()->selectedIndexes();
  return sel.isEmpty() ? -1 : sel.first().row();
}

void Tfrmimode::ApplyEmojiColor(int mode) {
  // A stored mode from a damaged settings file falls back to the standard colours.
  FEmojiColor = (mode == ecBlack || mode == ecSelected) ? mode : ecDefault;
  QPalette pal = ListBox1->palette();
  pal.setColor(QPalette::Base, ToQColor(ListColor()));
  ListBox1->setPalette(pal);
  ListBox1->viewport()->update();
}

void Tfrmimode::ColorChanged(int kind) {
  (void)kind;
  ApplyEmojiColor(FEmojiColor);
}

void Tfrmimode::ListBox1Click() {
  const int row = SelectedRow() >= 0 ? SelectedRow() : ListBox1->currentIndex().row();
  if (row < 0 || row >= int(infos_.size())) return;
  const TPictogramInfo& info = infos_[size_t(row)];
  Edit1->setText(QString::fromStdString(PictogramReference(info)));
  if (PictogramHasGlyph(row)) {
    TGLDBitmap glyph;
    RenderGlyph(glyph, clBlack, clBtnFace, row, false);
    Image1->setPixmap(QPixmap::fromImage(ToImage(glyph)));
  }
  Label1->setText(QString::fromStdString(info.Name));
}

void Tfrmimode::btnCopyClick() {
  CopyText(Edit1->text());
}

void Tfrmimode::chkZoomClick() {
  LayoutList();
}

void Tfrmimode::mnuListStyleClick() {
  FListStyle = !FListStyle;
  LayoutList();
}

void Tfrmimode::mnuGray504EmojiClick() {
  FGray504Emoji = !FGray504Emoji;
  ListBox1->viewport()->update();
}

void Tfrmimode::PopupMenu1Popup() {
  mnuListStyle->setChecked(FListStyle);
  mnuGray504Emoji->setChecked(FGray504Emoji);
  mnuColorDefault->setChecked(FEmojiColor == ecDefault);
  mnuColorSelected->setChecked(FEmojiColor == ecSelected);
  mnuColorBlack->setChecked(FEmojiColor == ecBlack);
}

void Tfrmimode::PNGP1Click() {
  const int row = SelectedRow();
  if (row < 0 || !PictogramHasGlyph(row)) return;
  TSaveFileRequest request;
  request.defaultExt = "png";
  request.filter = "PNG (*.png)|*.png|すべてのファイル|*.*";
  request.overwritePrompt = true;
  const std::optional<std::string> path = Dialogs().SaveFile(request);
  if (!path) return;
  try {
    MakePictogramPNG(row, FEmojiColor, GetForeColor(), GetBackColor()).SaveToFile(*path);
  } catch (const EGLDPNG& e) {
    Dialogs().Error(e.what());
  } catch (const EFileWriteError& e) {
    Dialogs().Error(e.what());
  }
}

QIcon Tfrmimode::PageIcon() {
  // The i-mode glyph in its own colour.
  const int row = 107;
  QImage img(16, 16, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  if (PictogramHasGlyph(row)) {
    const QColor ink = ToQColor(ParsePictogram(PictogramRows()[size_t(row)]).Color);
    for (int y = 0; y < kGlyphSize; ++y)
      for (int x = 0; x < kGlyphSize; ++x)
        if (GlyphPixel(PictogramGlyph(row), x, y)) img.setPixelColor(x + 2, y + 2, ink);
  }
  return QIcon(QPixmap::fromImage(img));
}

}  // namespace tintorb
