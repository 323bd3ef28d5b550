// The canvas window: coloured rectangles on a scrolled 4096 x 4096 area,
// coupled to the main window's current colour both ways.
#pragma once

#include <QImage>
#include <QWidget>

#include "app/ui/CanvasLink.h"
#include "app/ui/ColorSheet.h"
#include "canvas/Canvas.h"

class QAction;
class QMenu;
class QScrollBar;

namespace tintorb {

class TCanvasForm;

// The drawing surface; it hands painting and the mouse to the form.
class TCanvasPaintBox : public QWidget {
 public:
  explicit TCanvasPaintBox(TCanvasForm& form, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TCanvasForm& form_;
};

class TCanvasForm : public QWidget, public TCanvasLink {
  Q_OBJECT
  friend class TCanvasPaintBox;

 public:
  explicit TCanvasForm(TSheetHost& host, QWidget* parent = nullptr);
  ~TCanvasForm() override;  // writes the "Canvas" keys

  QWidget* CanvasWindow() override { return this; }
  void ApplyCurrentColor() override;

  TCanvas& Canvas() { return canvas_; }
  // The canvas point shown at the paint box's top-left corner.
  TPoint ScrollPos() const;

  QWidget* Panel1 = nullptr;
  TCanvasPaintBox* PaintBox1 = nullptr;
  QScrollBar* scrHorizontal = nullptr;
  QScrollBar* scrVertical = nullptr;
  QMenu* PopupMenu1 = nullptr;
  QAction* actAdd = nullptr;
  QAction* actDelete = nullptr;
  QAction* actBringToFront = nullptr;
  QAction* actUp = nullptr;
  QAction* actDown = nullptr;
  QAction* actSendToBack = nullptr;
  QAction* actDeleteAll = nullptr;
  QAction* actExportHTML = nullptr;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void CreateActions();
  void LoadSettings();
  void SaveSettings();
  void Panel1Resize();

  void actAddExecute();
  void actDeleteExecute();
  void actBringToFrontExecute();
  void actUpExecute();
  void actDownExecute();
  void actSendToBackExecute();
  void actDeleteAllExecute();
  void actExportHTMLExecute();
  void TreeView1Change();
  void scrHorizontalChange();
  void Repaint();

  void PaintBox1Paint(QPainter& painter);
  void PaintBox1MouseDown(QMouseEvent* event);
  void PaintBox1MouseMove(QMouseEvent* event);
  void PaintBox1MouseUp(QMouseEvent* event);
  // The canvas as it stands, without the drag outline.
  void PaintCanvas(QPainter& painter, const QSize& size) const;
  void Freeze();

  TSheetHost& host_;
  TCanvas canvas_;
  // While dragging the items stay as they were at the press; the outline is
  // drawn over this picture inverted, so the canvas is unchanged until release.
  QImage frozen_, frozenInverted_;
  bool frozenStale_ = false;
};

}  // namespace tintorb
