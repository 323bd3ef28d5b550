// The font list sheet: the installed families as samples of a text in the
// current colours. The names come from a hidden TFontNameListBox, filled the
// first time the sheet is shown so that start-up never enumerates fonts.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>

#include "app/ui/ColorSheet.h"
#include "collections/ui/ColorListBox.h"
#include "collections/ui/FontNameListBox.h"
#include "sheets/ui/UpDown.h"

namespace tintorb {

class TfrmFontList : public TColorSheetPreviewForm {
  Q_OBJECT

 public:
  explicit TfrmFontList(TSheetHost& host, QWidget* parent = nullptr);
  ~TfrmFontList() override;

  void ColorChanged(int kind) override;
  void PreviewTextChanged(const QString& text) override;

  // Fills ListBox1 from the hidden list (enumerating fonts on first use).
  void FillFontList();
  bool Filled() const { return filled_; }
  int FontSize() const { return fontSize_; }
  QColor ListFontColor() const { return listFore_; }
  QColor ListBackColor() const { return listBack_; }
  // Paints one row as the list would.
  void ListBox1DrawItem(QPainter& p, const QRect& rect, int index, TOwnerDrawState state);

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

  QList<QString> names_;
  int fontSize_ = 18;
  QColor listFore_, listBack_;
  bool filled_ = false;
};

}  // namespace tintorb
