// The HTML colour-name sheet: the 140 names with look-ups by name and code.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "app/ui/ColorSheet.h"
#include "collections/HtmlColorNames.h"
#include "collections/ui/ColorListBox.h"

namespace tintorb {

class TfrmHTML : public TColorSheetForm {
  Q_OBJECT

 public:
  explicit TfrmHTML(TSheetHost& host, QWidget* parent = nullptr);

  // Toolbar caption and picture, known before the sheet is built.
  static QString PageCaption() { return QStringLiteral("HTML"); }
  static QIcon PageIcon();
  QIcon SheetIcon() const override { return PageIcon(); }
  const THtmlColorNames& Table() const { return FTable; }

  QWidget* Panel1;
  QLabel* lblName;
  QLineEdit* edtName;
  QToolButton* btnCopy;
  QLabel* lblHex;
  QLineEdit* edtHex;
  TColorListBox* ListBox1;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void LayoutPanel();
  void ListBox1Click();
  void ListBox1MouseDown(Qt::MouseButton button, const QPoint& pos);
  void ListBox1DrawItem(QPainter& canvas, const QRect& rect, int index, TOwnerDrawState state);
  void edtNameKeyDown();
  void edtHexKeyDown();
  void btnCopyClick();
  TColor Snapped(TColor c) const { return IsWebSafe() ? WebSafeColor(c) : c; }

  THtmlColorNames FTable;
};

}  // namespace tintorb
