#include "canvas/ui/CanvasForm.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QScrollBar>

#include "app/IniFile.h"
#include "canvas/CanvasHtml.h"
#include "core/TextFile.h"
#include "platform/Desktop.h"
#include "platform/ui/QtConvert.h"

namespace tintorb {

namespace {

const std::string kSection = "Canvas";
constexpr int kScrollBarSize = 16;
constexpr int kLargeChange = 128;
// The hidden tree list and splitter beside the paint box still narrow the
// horizontal page.
constexpr int kHiddenTreeWidth = 121 + 3;
constexpr TColor clHighlightText = static_cast<TColor>(0x8000000E);

QRect ToQRect(const TCanvasRect& r) {
  return QRect(r.Left, r.Top, r.Width(), r.Height());
}

Qt::CursorShape HandleCursor(TDragMode mode) {
  switch (mode) {
    case TDragMode::dmTopLeft:
    case TDragMode::dmBottomRight:
      return Qt::SizeFDiagCursor;
    case TDragMode::dmTopRight:
    case TDragMode::dmBottomLeft:
      return Qt::SizeBDiagCursor;
    case TDragMode::dmTopMiddle:
    case TDragMode::dmBottomMiddle:
      return Qt::SizeVerCursor;
    case TDragMode::dmLeftMiddle:
    case TDragMode::dmRightMiddle:
      return Qt::SizeHorCursor;
    case TDragMode::dmNone:
    case TDragMode::dmMove:
      break;
  }
  return Qt::ArrowCursor;
}

QScrollBar* MakeScrollBar(Qt::Orientation orientation, QWidget* parent) {
  auto* bar = new QScrollBar(orientation, parent);
  bar->setRange(0, kCanvasSize);
  bar->setSingleStep(1);
  bar->setPageStep(kLargeChange);
  // The thumb shows the page; a click beside it still moves by the large change.
  QObject::connect(bar, &QAbstractSlider::actionTriggered, bar, [bar](int action) {
    if (action == QAbstractSlider::SliderPageStepAdd)
      bar->setSliderPosition(bar->value() + kLargeChange);
    else if (action == QAbstractSlider::SliderPageStepSub)
      bar->setSliderPosition(bar->value() - kLargeChange);
  });
  return bar;
}

}  // namespace

// ---- paint box ----

TCanvasPaintBox::TCanvasPaintBox(TCanvasForm& form, QWidget* parent)
    : QWidget(parent), form_(form) {
  setMouseTracking(true);  // resize cursors while hovering
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TCanvasPaintBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  form_.PaintBox1Paint(painter);
}

void TCanvasPaintBox::mousePressEvent(QMouseEvent* event) {
  form_.PaintBox1MouseDown(event);
}

void TCanvasPaintBox::mouseMoveEvent(QMouseEvent* event) {
  form_.PaintBox1MouseMove(event);
}

void TCanvasPaintBox::mouseReleaseEvent(QMouseEvent* event) {
  form_.PaintBox1MouseUp(event);
}

// ---- form ----

TCanvasForm::TCanvasForm(TSheetHost& host, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      host_(host) {
  setObjectName("CanvasForm");
  setWindowTitle(QString::fromUtf8("キャンバス"));
  // Closing the canvas only hides it; it never ends the program.
  setAttribute(Qt::WA_QuitOnClose, false);

  Panel1 = new QWidget(this);
  Panel1->setObjectName("Panel1");
  PaintBox1 = new TCanvasPaintBox(*this, Panel1);
  PaintBox1->setObjectName("PaintBox1");
  scrHorizontal = MakeScrollBar(Qt::Horizontal, Panel1);
  scrHorizontal->setObjectName("scrHorizontal");
  scrVertical = MakeScrollBar(Qt::Vertical, Panel1);
  scrVertical->setObjectName("scrVertical");
  connect(scrHorizontal, &QAbstractSlider::valueChanged, this, [this] { scrHorizontalChange(); });
  connect(scrVertical, &QAbstractSlider::valueChanged, this, [this] { scrHorizontalChange(); });

  CreateActions();
  LoadSettings();
}

TCanvasForm::~TCanvasForm() {
  SaveSettings();
}

void TCanvasForm::CreateActions() {
  auto make = [this](QAction*& action, const char* name, const char* caption,
                     QList<QKeySequence> keys, void (TCanvasForm::*handler)()) {
    action = new QAction(QString::fromUtf8(caption), this);
    action->setObjectName(name);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    addAction(action);
  };
  make(actAdd, "actAdd", "追加(&A)", {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)},
       &TCanvasForm::actAddExecute);
  make(actDelete, "actDelete", "削除(&D)", {QKeySequence(Qt::Key_Delete)},
       &TCanvasForm::actDeleteExecute);
  make(actBringToFront, "actBringToFront", "最前面へ(&F)",
       {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Up)}, &TCanvasForm::actBringToFrontExecute);
  make(actUp, "actUp", "一つ前へ(&U)", {QKeySequence(Qt::CTRL | Qt::Key_Up)},
       &TCanvasForm::actUpExecute);
  make(actDown, "actDown", "一つ後へ(&D)", {QKeySequence(Qt::CTRL | Qt::Key_Down)},
       &TCanvasForm::actDownExecute);
  make(actSendToBack, "actSendToBack", "最背面へ(&B)",
       {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Down)}, &TCanvasForm::actSendToBackExecute);
  make(actDeleteAll, "actDeleteAll", "すべて削除(&C)", {}, &TCanvasForm::actDeleteAllExecute);
  make(actExportHTML, "actExportHTML", "HTMLに書き出し(&H)...", {},
       &TCanvasForm::actExportHTMLExecute);

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  PopupMenu1->addAction(actAdd);
  PopupMenu1->addAction(actDelete);
  PopupMenu1->addSeparator();
  PopupMenu1->addAction(actBringToFront);
  PopupMenu1->addAction(actUp);
  PopupMenu1->addAction(actDown);
  PopupMenu1->addAction(actSendToBack);
  PopupMenu1->addSeparator();
  PopupMenu1->addAction(actDeleteAll);
  PopupMenu1->addSeparator();
  PopupMenu1->addAction(actExportHTML);
}

void TCanvasForm::LoadSettings() {
  TIniGT& ini = host_.GetSettingsFile();
  const int left = ini.ReadInteger(kSection, "Form.Left", 64);
  const int top = ini.ReadInteger(kSection, "Form.Top", 64);
  const int width = ini.ReadInteger(kSection, "Form.Width", 400);
  const int height = ini.ReadInteger(kSection, "Form.Height", 400);
  // A damaged size or position must not leave an unusable or huge window.
  const QRect r = FitToScreens(QRect(left, top, std::max(width, 1), std::max(height, 1)));
  move(r.topLeft());
  resize(r.size());
  Panel1Resize();
}

void TCanvasForm::SaveSettings() {
  TIniGT& ini = host_.GetSettingsFile();
  ini.WriteInteger(kSection, "Form.Left", pos().x());
  ini.WriteInteger(kSection, "Form.Top", pos().y());
  ini.WriteInteger(kSection, "Form.Width", width());
  ini.WriteInteger(kSection, "Form.Height", height());
}

void TCanvasForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Panel1Resize();
}

void TCanvasForm::Panel1Resize() {
  const int w = width(), h = height();
  Panel1->setGeometry(0, 0, w, h);
  const int inner_w = std::max(0, w - kScrollBarSize), inner_h = std::max(0, h - kScrollBarSize);
  scrVertical->setGeometry(inner_w, 0, kScrollBarSize, inner_h);
  scrHorizontal->setGeometry(0, inner_h, inner_w, kScrollBarSize);
  PaintBox1->setGeometry(0, 0, inner_w, inner_h);

  const int hPage = CanvasPageSize(w - kHiddenTreeWidth);
  const int vPage = CanvasPageSize(h);
  scrHorizontal->setPageStep(hPage);
  scrHorizontal->setMaximum(CanvasScrollMax(hPage));
  scrVertical->setPageStep(vPage);
  scrVertical->setMaximum(CanvasScrollMax(vPage));
}

void TCanvasForm::contextMenuEvent(QContextMenuEvent* event) {
  PopupMenu1->popup(event->globalPos());
}

TPoint TCanvasForm::ScrollPos() const {
  return {scrHorizontal->value(), scrVertical->value()};
}

// ---- coupling with the main window ----

void TCanvasForm::ApplyCurrentColor() {
  canvas_.ApplyColor(host_.GetForeColor());
  Repaint();
}

void TCanvasForm::TreeView1Change() {
  if (const TTintorbCanvasItem* item = canvas_.Selected()) host_.SetForeColor(this, item->Color);
  Repaint();
}

// ---- commands ----

void TCanvasForm::actAddExecute() {
  canvas_.AddItem(PaintBox1->width(), PaintBox1->height(), host_.GetForeColor());
  Repaint();
}

void TCanvasForm::actDeleteExecute() {
  // Nothing is selected afterwards, so the main window is not told anything.
  if (canvas_.DeleteSelected()) Repaint();
}

void TCanvasForm::actBringToFrontExecute() {
  canvas_.BringToFront();
  Repaint();
}

void TCanvasForm::actUpExecute() {
  canvas_.Up();
  Repaint();
}

void TCanvasForm::actDownExecute() {
  canvas_.Down();
  Repaint();
}

void TCanvasForm::actSendToBackExecute() {
  canvas_.SendToBack();
  Repaint();
}

void TCanvasForm::actDeleteAllExecute() {
  canvas_.DeleteAll();
  Repaint();
}

void TCanvasForm::actExportHTMLExecute() {
  TSaveFileRequest request;
  request.defaultExt = "html";
  request.filter = "HTML|*.html;*.htm|すべてのファイル|*.*";
  request.overwritePrompt = true;
  const auto path = Dialogs().SaveFile(request);
  if (!path) return;
  try {
    ExportCanvasHtml(*path, canvas_.Items, host_.GetBackColor());
  } catch (const EFileWriteError& e) {
    Dialogs().Error(e.what());
  }
}

void TCanvasForm::scrHorizontalChange() {
  Repaint();
}

void TCanvasForm::Repaint() {
  frozenStale_ = true;
  PaintBox1->update();
}

// ---- painting ----

void TCanvasForm::PaintCanvas(QPainter& painter, const QSize& size) const {
  const TPoint scroll = ScrollPos();
  painter.fillRect(QRect(QPoint(0, 0), size), ToQColor(host_.GetBackColor()));
  for (const TCanvasFill& fill : canvas_.ItemFills(scroll, size.width(), size.height()))
    painter.fillRect(ToQRect(fill.Rect), ToQColor(fill.Color));
  const QColor outline = ToQColor(clHighlightText);
  for (const TCanvasRect& square : canvas_.HandleSquares(scroll, size.width(), size.height())) {
    const QRect r = ToQRect(square);
    painter.fillRect(r, outline);
    painter.fillRect(r.adjusted(1, 1, -1, -1), Qt::black);
  }
}

void TCanvasForm::Freeze() {
  frozen_ = QImage(PaintBox1->size(), QImage::Format_RGB32);
  {
    QPainter painter(&frozen_);
    PaintCanvas(painter, frozen_.size());
  }
  frozenInverted_ = frozen_;
  frozenInverted_.invertPixels();
  frozenStale_ = false;
}

void TCanvasForm::PaintBox1Paint(QPainter& painter) {
  if (!canvas_.Dragged()) {
    PaintCanvas(painter, PaintBox1->size());
    return;
  }
  if (frozenStale_ || frozen_.size() != PaintBox1->size()) Freeze();
  painter.drawImage(0, 0, frozen_);
  // A one-pixel outline that inverts what lies under it; zero extents still show.
  const TCanvasRect o = canvas_.Outline(ScrollPos());
  const QRect outer(o.Left, o.Top, std::max(o.Width(), 1), std::max(o.Height(), 1));
  const QRegion border = QRegion(outer).subtracted(QRegion(outer.adjusted(1, 1, -1, -1)));
  painter.setClipRegion(border);
  painter.drawImage(0, 0, frozenInverted_);
}

// ---- mouse ----

void TCanvasForm::PaintBox1MouseDown(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint p = event->position().toPoint();
  const auto press = canvas_.MouseDown({p.x(), p.y()}, ScrollPos());
  if (press.selectionChanged) TreeView1Change();
  if (press.dragStarted) {
    Freeze();
    PaintBox1->update();
  }
}

void TCanvasForm::PaintBox1MouseMove(QMouseEvent* event) {
  PaintBox1->setCursor(Qt::ArrowCursor);
  const QPoint p = event->position().toPoint();
  if (canvas_.MouseMove({p.x(), p.y()}, ScrollPos())) {
    PaintBox1->update();
    return;
  }
  const Qt::CursorShape shape = HandleCursor(canvas_.HoverMode({p.x(), p.y()}, ScrollPos()));
  if (shape != Qt::ArrowCursor) PaintBox1->setCursor(shape);
}

void TCanvasForm::PaintBox1MouseUp(QMouseEvent*) {
  canvas_.MouseUp();
  Repaint();
}

}  // namespace tintorb
