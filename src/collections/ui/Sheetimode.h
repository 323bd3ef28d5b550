// The pictogram sheet: the 252 mobile-phone pictograms as a grid or a list,
// their character references, and their glyphs saved as PNG pictures.
#pragma once

#include <QListView>
#include <QStyledItemDelegate>
#include <vector>

#include "app/ui/ColorSheet.h"
#include "collections/Pictogram.h"

class QAction;
class QActionGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QStringListModel;
class QToolButton;

namespace tintorb {

class Tfrmimode;

// The owner-drawn list: reports viewport resizes so that the sheet can
// recompute its columns.
class TPictogramListView : public QListView {
  Q_OBJECT
 public:
  using QListView::QListView;

 signals:
  void ViewportResized();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  // The right button only opens the menu: it leaves the selection alone.
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// Paints one list item (ListBox1DrawItem).
class TPictogramDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  explicit TPictogramDelegate(Tfrmimode& sheet) : QStyledItemDelegate(nullptr), sheet_(sheet) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  Tfrmimode& sheet_;
};

class Tfrmimode : public TColorSheetForm {
  Q_OBJECT
 public:
  explicit Tfrmimode(TSheetHost& host, QWidget* parent = nullptr);
  ~Tfrmimode() override;  // writes the ColorSheet_imode settings

  void ColorChanged(int kind) override;
  // Toolbar caption and picture, known before the sheet is built.
  static QString PageCaption() { return QString::fromUtf8("iモード絵文字"); }
  static QIcon PageIcon();
  QIcon SheetIcon() const override { return PageIcon(); }

  // Controls, named as on the form.
  QToolButton* btnCopy = nullptr;
  QLineEdit* Edit1 = nullptr;
  QCheckBox* chkZoom = nullptr;
  QLabel* Image1 = nullptr;
  QLabel* Label1 = nullptr;
  TPictogramListView* ListBox1 = nullptr;
  QMenu* PopupMenu1 = nullptr;
  QAction* mnuListStyle = nullptr;
  QAction* mnuGray504Emoji = nullptr;
  QAction* mnuColorDefault = nullptr;
  QAction* mnuColorSelected = nullptr;
  QAction* mnuColorBlack = nullptr;
  QAction* PNGP1 = nullptr;

  int EmojiColor() const { return FEmojiColor; }
  bool ListStyle() const { return FListStyle; }
  bool Gray504Emoji() const { return FGray504Emoji; }
  int ItemHeight() const;  // 28 zoomed, 16 otherwise
  int GlyphSide() const { return ItemHeight() - 4; }
  int Columns() const;  // 1 in list style
  QSize CellSize() const { return cellSize_; }
  int SelectedRow() const;  // -1 when none
  // The list's background: the background colour in mode 2, else the window colour.
  TColor ListColor() const;
  const TPictogramInfo& Info(int row) const { return infos_[size_t(row)]; }

  void ApplyEmojiColor(int mode);
  void btnCopyClick();
  void chkZoomClick();
  void ListBox1Click();
  void PNGP1Click();
  void mnuListStyleClick();
  void mnuGray504EmojiClick();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void CreateControls();
  void PlaceControls();
  void LayoutList();
  void PopupMenu1Popup();

  int FEmojiColor = ecDefault;
  bool FListStyle = false;
  bool FGray504Emoji = false;
  std::vector<TPictogramInfo> infos_;
  QStringListModel* model_ = nullptr;
  TPictogramDelegate* delegate_ = nullptr;
  QActionGroup* colorGroup_ = nullptr;
  QSize cellSize_;
};

}  // namespace tintorb
