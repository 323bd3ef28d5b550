// The palette sheet: web-safe, system and RGB332 palettes as rows or a grid.
#pragma once

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QToolBar>
#include <string>
#include <vector>

#include "app/ui/ColorSheet.h"
#include "collections/Palette.h"
#include "collections/ui/ColorListBox.h"

namespace tintorb {

class TfrmPalette : public TColorSheetForm {
  Q_OBJECT

 public:
  explicit TfrmPalette(TSheetHost& host, QWidget* parent = nullptr);
  ~TfrmPalette() override;  // writes the settings

  // Toolbar caption and picture, known before the sheet is built.
  static QString PageCaption() { return QString::fromUtf8("パレット"); }
  static QIcon PageIcon();
  QIcon SheetIcon() const override { return PageIcon(); }

  int PaletteStyle() const { return FPaletteStyle; }
  void SetPaletteStyle(int style);
  const std::vector<std::string>& Entries() const { return FEntries; }

  QToolBar* ToolBar1;
  QAction* tlbWebSafe;
  QAction* tlbSystem;
  QAction* tlbRGB332;
  TColorListBox* ListBox1;
  QMenu* PopupMenu1;
  QAction* mnuPaletteStyleList;
  QAction* mnuPaletteStyleIcon;

 private:
  void FormResize();
  void tlbWebSafeClick();
  void ListBox1DrawItem(QPainter& canvas, const QRect& rect, int index, TOwnerDrawState state);
  void ListBox1MouseDown(Qt::MouseButton button, const QPoint& pos);
  void PopupMenu1Popup();

  int FPaletteStyle = 0;
  std::vector<std::string> FEntries;  // the list's items
};

}  // namespace tintorb
