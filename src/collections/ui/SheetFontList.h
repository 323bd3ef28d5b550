// The font list sheet: the installed families as samples of a text in the
// current colours. The names come from a hidden TFontNameListBox, filled the
// first time the sheet is shown so that start-up never enumerates fonts.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>

#include "app/ui/ColorSheet.h"
#include "collections/ui/ColorListBox.h"
#include "collections/ui/FontNameListBox.h"
#include "collections/ui/RowImageCache.h"
#include "sheets/ui/UpDown.h"

namespace tintorb {

class TfrmFontList : public TColorSheetPreviewForm {
  Q_OBJECT

 public:
  explicit TfrmFontList(TSheetHost& host, QWidget* parent = nullptr);
  ~TfrmFontList() override;

  void ColorChanged(int kind) override;
  void PreviewTextChanged(const QString& text) override;
  // Toolbar caption and picture, known before the sheet is built.
  static QString PageCaption() { return QString::fromUtf8("フォント"); }
  static QIcon PageIcon();
  QIcon SheetIcon() const override { return PageIcon(); }

  // Fills ListBox1 from the hidden list (enumerating fonts on first use).
  void FillFontList();
  bool Filled() const { return filled_; }
  int FontSize() const { return fontSize_; }
  QColor ListFontColor() const { return listFore_; }
  QColor ListBackColor() const { return listBack_; }
  // Paints one row as the list would (from the row cache when it can).
  void ListBox1DrawItem(QPainter& p, const QRect& rect, int index, TOwnerDrawState state);
  // Draws rows [first, last) of the given size into the row cache, stopping
  // after `budgetMs` (negative: no limit); true when all of them are there.
  bool PrefetchRows(int first, int last, const QSize& rowSize, int budgetMs);
  const TRowImageCache& RowCache() const { return rowCache_; }
  void ClearRowCache() { rowCache_.Clear(); }
  // How long one paint may spend drawing faces not cached yet.
  void SetFrameBudgetMs(int ms) { frameBudgetMs_ = ms; }

  TFontNameListBox* FontNameListBox1;
  TColorListBox* ListBox1;
  QFrame* Panel1;
  QCheckBox* chkFontName;
  QCheckBox* chkFace;
  QCheckBox* chkUseColor;
  QLineEdit* LabeledEdit1;
  TUpDown* UpDown1;
  QListWidget* lstStyle;
  QComboBox* cmbListFilter;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormCreate();
  void FormDestroy();
  void ListBox1Click();
  void chkUseColorClick();
  void UpDown1Changing(int newValue);
  void cmbListFilterChange(int index);
  void LabeledEdit1Exit();
  bool StyleChecked(int item) const;
  QString RowText(int index) const;
  void PaintSample(QPainter& p, const QRect& rect, int index, bool selected, bool inFace);
  const QImage& CachedRow(int index, const QSize& size, qreal dpr);
  void CheckRowLook(const QSize& size, qreal dpr);
  void SchedulePrefetch();
  void PrefetchAroundView();

  QList<QString> names_;
  int fontSize_ = 18;
  QColor listFore_, listBack_;
  bool filled_ = false;
  // Drawing a face the first time costs the toolkit a font lookup (most of a
  // millisecond); rows are kept as images, and the rows a page away are drawn
  // while idle, so scrolling only copies pixels.
  TRowImageCache rowCache_;
  // Everything but the face that decides a row's pixels.
  struct RowLook {
    QSize size;
    qreal dpr = 0;
    int pointSize = 0;
    bool bold = false, italic = false, underline = false, face = false, names = false;
    QRgb fore = 0, back = 0;
    QFont listFont;  // only when rows are not in their own faces
    QString text;    // only when rows show the preview text
    bool operator==(const RowLook&) const = default;
  };
  RowLook rowLook_;
  bool prefetchQueued_ = false;
  // One paint draws new faces for at most a few milliseconds; the rest show
  // in the list's face until the idle pass has drawn them.
  QElapsedTimer frameClock_;
  bool inFrame_ = false;
  bool rowsPending_ = false;
  int frameBudgetMs_ = 8;
};

}  // namespace tintorb
