#include "controls/ui/ColorPickerButton.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>
#include <QScreen>
#include <QToolTip>
#include <QWindow>
#include <algorithm>

namespace tintorb {

namespace {

enum {
  kSysBtnFace = 15,
  kSysBtnShadow = 16,
  kSysBtnText = 18,
  kSysBtnHighlight = 20,
  kSys3DDkShadow = 21,
  kSys3DLight = 22,
};

QColor ToQColor(TColor c) {
  c = ResolveColor(c);
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

QColor SysColor(int index) {
  return ToQColor(static_cast<TColor>(0x80000000u | static_cast<uint32_t>(index)));
}

QRect ToQRect(const TPopupRect& r) {
  return QRect(r.left, r.top, r.Width(), r.Height());
}

// One ring of a 3-D frame on the border pixels of r.
void Frame(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
  p.setPen(topLeft);
  p.drawLine(r.left(), r.top(), r.right() - 1, r.top());
  p.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
  p.setPen(bottomRight);
  p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
  p.drawLine(r.right(), r.top(), r.right(), r.bottom());
}

void ThinEdge(QPainter& p, const QRect& r, bool raised) {
  const QColor hi = SysColor(kSysBtnHighlight), sh = SysColor(kSysBtnShadow);
  Frame(p, r, raised ? hi : sh, raised ? sh : hi);
}

void ThickEdge(QPainter& p, const QRect& r, bool raised) {
  if (raised) {
    Frame(p, r, SysColor(kSys3DLight), SysColor(kSys3DDkShadow));
    Frame(p, r.adjusted(1, 1, -1, -1), SysColor(kSysBtnHighlight), SysColor(kSysBtnShadow));
  } else {
    Frame(p, r, SysColor(kSysBtnShadow), SysColor(kSysBtnHighlight));
    Frame(p, r.adjusted(1, 1, -1, -1), SysColor(kSys3DDkShadow), SysColor(kSys3DLight));
  }
}

void EtchedLine(QPainter& p, int x0, int x1, int y) {
  p.setPen(SysColor(kSysBtnShadow));
  p.drawLine(x0, y, x1, y);
  p.setPen(SysColor(kSysBtnHighlight));
  p.drawLine(x0, y + 1, x1, y + 1);
}

QPolygonF Hexagon(double cx, double cy, double halfSize) {
  QPolygonF poly;
  for (const auto& [x, y] : HexagonVertices(cx, cy, halfSize)) poly << QPointF(x, y);
  return poly;
}

constexpr int kTextFlags = Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextSingleLine;

TPopupTextSize MeasureText(const QFontMetrics& fm, const QString& text) {
  if (text.isEmpty()) return {};
  const QSize s = fm.size(Qt::TextShowMnemonic | Qt::TextSingleLine, text);
  return {s.width(), s.height()};
}

}  // namespace

// ---------------------------------------------------------------- TColorPopup

TColorPopup::TColorPopup(TColorPickerButton* owner)
    : QWidget(owner, Qt::Popup | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      owner_(owner) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  Relayout();
  move(-10000, -10000);
}

void TColorPopup::Relayout() {
  TPopupOptions o;
  o.edge = kEdge;
  o.spacing = owner_->PopupSpacing();
  o.showSystemColors = owner_->ShowSystemColors();
  o.defaultText = owner_->DefaultText().toStdString();
  o.customText = owner_->CustomText().toStdString();
  const QFontMetrics fm(font());
  o.defaultTextSize = MeasureText(fm, owner_->DefaultText());
  o.customTextSize = MeasureText(fm, owner_->CustomText());
  model_.SetOptions(o);
  resize(model_.Layout().width, model_.PopupHeight());
}

void TColorPopup::Apply(const TPopupAction& action) {
  if (action.replace) owner_->PlacePopup();
  if (action.repaint || action.replace) update();
  if (action.close == TPopupAction::Accept)
    owner_->CloseUp(true);
  else if (action.close == TPopupAction::Cancel)
    owner_->CloseUp(false);
}

void TColorPopup::HandleMouseDown(QPoint pos) {
  // An outside press on the button itself must only close, not reopen.
  const QPoint global = mapToGlobal(pos);
  const QRect ownerRect(owner_->mapToGlobal(QPoint(0, 0)), owner_->size());
  setAttribute(Qt::WA_NoMouseReplay, ownerRect.contains(global));
  Apply(model_.MouseDown(pos.x(), pos.y()));
}

void TColorPopup::HandleMouseMove(QPoint pos, bool leftDown) {
  Apply(model_.MouseMove(pos.x(), pos.y(), leftDown));
  // While a comb cell or the brightness is being dragged, its hint follows.
  if (leftDown && model_.DragPart != TDragPart::None) ShowHintAt(pos, true);
}

void TColorPopup::HandleMouseUp(QPoint pos) {
  Apply(model_.MouseUp(pos.x(), pos.y()));
}

void TColorPopup::HandleKey(QKeyEvent* event) {
  if (event->modifiers() & Qt::AltModifier) {
    const QString t = event->text();
    char32_t letter = 0;
    if (event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z)
      letter = U'A' + (event->key() - Qt::Key_A);
    else if (!t.isEmpty())
      letter = t.toUcs4().value(0);
    Apply(model_.AltKey(letter));
    return;
  }
  TPopupKey key = TPopupKey::Other;
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      key = TPopupKey::Enter;
      break;
    case Qt::Key_Space:
      key = TPopupKey::Space;
      break;
    case Qt::Key_Escape:
      key = TPopupKey::Escape;
      break;
    case Qt::Key_Left:
      key = TPopupKey::Left;
      break;
    case Qt::Key_Up:
      key = TPopupKey::Up;
      break;
    case Qt::Key_Right:
      key = TPopupKey::Right;
      break;
    case Qt::Key_Down:
      key = TPopupKey::Down;
      break;
    default:
      break;
  }
  Apply(model_.KeyDown(key));
}

void TColorPopup::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (event->button() == Qt::LeftButton) {
    HandleMouseDown(pos);
  } else if (!rect().contains(pos)) {
    // Any press elsewhere ends the popup, or the grab would outlive it.
    setAttribute(Qt::WA_NoMouseReplay, false);
    owner_->CloseUp(false);
  }
}

void TColorPopup::mouseDoubleClickEvent(QMouseEvent* event) {
  mousePressEvent(event);
}

void TColorPopup::mouseMoveEvent(QMouseEvent* event) {
  HandleMouseMove(event->position().toPoint(), event->buttons() & Qt::LeftButton);
}

void TColorPopup::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) HandleMouseUp(event->position().toPoint());
}

void TColorPopup::keyPressEvent(QKeyEvent* event) {
  HandleKey(event);
}

void TColorPopup::closeEvent(QCloseEvent* event) {
  // Closed by the window system (focus moved, application deactivated).
  if (!closingByOwner_ && owner_->DroppedDown()) owner_->PopupLost();
  event->accept();
}

bool TColorPopup::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    ShowHintAt(help->pos(), QGuiApplication::mouseButtons() & Qt::LeftButton);
    return true;
  }
  return QWidget::event(event);
}

void TColorPopup::ShowHintAt(QPoint pos, bool leftDown) {
  if (!owner_->ShowHint()) return;
  const TPopupHint h = model_.HintAt(pos.x(), pos.y(), leftDown);
  QString text = QString::fromStdString(h.text);
  QRect area = ToQRect(h.rect);
  if (h.kind == TPopupHint::Button || h.kind == TPopupHint::None) {
    text = owner_->Hint();
    if (owner_->OnHint) owner_->OnHint(owner_, h.cell, text);
    if (h.kind == TPopupHint::None) area = QRect(pos, QSize(1, 1));
  }
  if (text.isEmpty()) {
    QToolTip::hideText();
    return;
  }
  QToolTip::showText(mapToGlobal(pos), text, this, area, h.hideAfterMs > 0 ? h.hideAfterMs : -1);
}

void TColorPopup::PaintCellFrame(QPainter& p, const TPopupRect& cell, int index) {
  const bool selected = model_.SelectedIndex == index;
  const bool hot = model_.HotIndex == index;
  const QRect r = ToQRect(cell);
  p.fillRect(r, selected && !hot ? SysColor(kSysBtnHighlight) : SysColor(kSysBtnFace));
  if (selected || (hot && model_.Pressed))
    ThinEdge(p, r, false);
  else if (hot)
    ThinEdge(p, r, true);
}

void TColorPopup::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const TPopupLayout& g = model_.Layout();
  const int E = g.edge;
  p.fillRect(rect(), SysColor(kSysBtnFace));
  p.setFont(font());

  if (g.hasDefault) {
    PaintCellFrame(p, g.defaultButton, kDefaultCell);
    const QRect r = ToQRect(g.defaultButton);
    p.setPen(SysColor(kSysBtnShadow));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(E + 1, E + 1, -(E + 2), -(E + 2)));
    p.setPen(SysColor(kSysBtnText));
    p.drawText(r, kTextFlags, owner_->DefaultText());
  }

  auto paintCell = [&](int i) {
    const TPopupRect cell = model_.CellRect(i);
    PaintCellFrame(p, cell, i);
    const QRect sq = ToQRect(cell.Inflated(-(E + 1)));
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.setBrush(ToQColor(kPopupColors[i].color));
    p.drawRect(sq.adjusted(0, 0, -1, -1));
  };
  for (int i = 0; i < kBasicColorCount; ++i) paintCell(i);
  if (g.showSystemColors) {
    EtchedLine(p, E, width() - E - 1, g.gridTop + 5 * kPopupCellSize + E);
    for (int i = kBasicColorCount; i < kPopupColorCount; ++i) paintCell(i);
  }

  if (g.hasCustom) {
    EtchedLine(p, E, width() - E - 1, g.customButton.top - 2 * E);
    PaintCellFrame(p, g.customButton, kCustomCell);
    p.setPen(SysColor(kSysBtnText));
    p.drawText(ToQRect(g.customButton), kTextFlags, owner_->CustomText());
    const QRect preview = ToQRect(g.customPreview);
    if (model_.CombSelection != 0) {
      p.setPen(QColor(0x80, 0x80, 0x80));
      p.setBrush(ToQColor(model_.CombCellColor(model_.CombSelection)));
    } else {
      p.setPen(SysColor(kSysBtnShadow));
      p.setBrush(Qt::NoBrush);
    }
    p.drawRect(preview.adjusted(0, 0, -1, -1));
  }

  if (model_.Extended()) PaintCombArea(p);
  p.setBrush(Qt::NoBrush);
  ThickEdge(p, rect(), true);
}

void TColorPopup::PaintCombArea(QPainter& p) {
  const TPopupLayout& g = model_.Layout();
  const double r = g.cellSize;
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(Qt::NoPen);
  const double cx = g.CombCenterX(), cy = g.CombCenterY();
  for (const TCombCell& c : model_.ColorComb()) {
    p.setBrush(ToQColor(c.color));
    p.drawPolygon(Hexagon(cx + c.x, cy + c.y, r / 2));
  }
  const auto& grey = model_.GreyStrip();
  const double gx = g.greyStripRect.left, gy = g.greyStripRect.top;
  for (size_t i = 0; i < grey.size(); ++i) {
    const bool big = i == 0 || i + 1 == grey.size();
    p.setBrush(ToQColor(grey[i].color));
    p.drawPolygon(Hexagon(gx + grey[i].x, gy + grey[i].y, big ? r : r / 2));
  }

  if (const int sel = model_.CombSelection; sel != 0) {
    const TPoint c = model_.CombCellCenter(sel);
    const bool big = sel == -1 || sel == -int(grey.size());
    p.save();
    p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    p.setPen(QPen(Qt::white, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(Hexagon(c.x, c.y, big ? r : r / 2));
    p.restore();
  }

  const TPopupRect& s = g.sliderRect;
  for (int j = 0; j < s.Height(); ++j) {
    const int grey = model_.SliderLineGrey(j);
    p.setPen(QColor(grey, grey, grey));
    p.drawLine(s.left, s.top + j, s.left + 9, s.top + j);
  }
  const int my = model_.SliderMarkerY();
  QPolygon marker;
  marker << QPoint(s.left + 11, my) << QPoint(s.left + 16, my - 3) << QPoint(s.left + 16, my + 3);
  p.setPen(Qt::black);
  p.setBrush(Qt::black);
  p.drawPolygon(marker);
}

// --------------------------------------------------------- TColorPickerButton

TColorPickerButton::TColorPickerButton(QWidget* parent) : QWidget(parent) {
  resize(45, 22);
  setMouseTracking(true);
  setAttribute(Qt::WA_Hover);
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
    if (s != Qt::ApplicationActive && droppedDown_) CloseUp(false);
  });
  connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* w) {
    if (!droppedDown_ || !w) return;
    if (w == popup_->windowHandle() || w == window()->windowHandle()) return;
    CloseUp(false);
  });
}

TColorPickerButton::~TColorPickerButton() {
  droppedDown_ = false;
}

void TColorPickerButton::SetSelectionColor(TColor color) {
  if (color == selectionColor_) return;
  selectionColor_ = color;
  update();
  if (droppedDown_) {
    popup_->Model().MatchSelection(color);
    PlacePopup();
    popup_->update();
  }
  if (OnChange) OnChange(this);
}

void TColorPickerButton::SetDropDownWidth(int width) {
  dropDownWidth_ = std::max(0, width);
  update();
}
void TColorPickerButton::SetDropDownArrowColor(TColor color) {
  arrowColor_ = color;
  update();
}
void TColorPickerButton::SetIndicatorBorder(TIndicatorBorder border) {
  indicatorBorder_ = border;
  update();
}
void TColorPickerButton::SetPopupSpacing(int spacing) {
  popupSpacing_ = std::max(0, spacing);
  PopupOptionsChanged();
}
void TColorPickerButton::SetShowSystemColors(bool show) {
  if (show == showSystemColors_) return;
  showSystemColors_ = show;
  PopupOptionsChanged();
}
void TColorPickerButton::SetCustomText(const QString& text) {
  if (text == customText_) return;
  customText_ = text;
  PopupOptionsChanged();
}
void TColorPickerButton::SetDefaultText(const QString& text) {
  if (text == defaultText_) return;
  defaultText_ = text;
  PopupOptionsChanged();
}
void TColorPickerButton::SetFlat(bool flat) {
  flat_ = flat;
  update();
}
void TColorPickerButton::SetTransparent(bool transparent) {
  transparent_ = transparent;
  update();
}
void TColorPickerButton::SetSpacing(int spacing) {
  spacing_ = spacing;
  update();
}
void TColorPickerButton::SetMargin(int margin) {
  margin_ = margin;
  update();
}
void TColorPickerButton::SetLayout(TButtonLayout layout) {
  layout_ = layout;
  update();
}
void TColorPickerButton::SetAllowAllUp(bool allow) {
  allowAllUp_ = allow;
}
void TColorPickerButton::SetGroupIndex(int index) {
  groupIndex_ = index;
}
void TColorPickerButton::SetDown(bool down) {
  if (groupIndex_ == 0) down = false;
  if (down == down_) return;
  if (!down && !allowAllUp_) {
    // One button of a group stays down unless the group allows all up.
    bool otherDown = false;
    if (parentWidget())
      for (auto* b : parentWidget()->findChildren<TColorPickerButton*>(Qt::FindDirectChildrenOnly))
        otherDown = otherDown || (b != this && b->groupIndex_ == groupIndex_ && b->down_);
    if (!otherDown) return;
  }
  down_ = down;
  if (down && parentWidget())
    for (auto* b : parentWidget()->findChildren<TColorPickerButton*>(Qt::FindDirectChildrenOnly))
      if (b != this && b->groupIndex_ == groupIndex_ && b->down_) {
        b->down_ = false;
        b->update();
      }
  update();
}
void TColorPickerButton::SetGlyph(const QPixmap& glyph) {
  glyph_ = glyph;
  update();
}
void TColorPickerButton::SetNumGlyphs(int count) {
  numGlyphs_ = std::clamp(count, 1, 4);
  update();
}
void TColorPickerButton::SetCaption(const QString& caption) {
  caption_ = caption;
  update();
}

TColorPopup* TColorPickerButton::Popup() const {
  if (!popup_) {
    auto* self = const_cast<TColorPickerButton*>(this);
    popup_ = new TColorPopup(self);
    popup_->setFont(font());
    popup_->hide();
  }
  return popup_;
}

void TColorPickerButton::PopupOptionsChanged() {
  if (!popup_) return;
  popup_->Relayout();
  if (droppedDown_) {
    PlacePopup();
    popup_->update();
  }
}

void TColorPickerButton::PlacePopup() {
  const TColorPopupModel& m = popup_->Model();
  const QPoint topLeft = mapToGlobal(QPoint(0, 0));
  const TPopupRect button{topLeft.x(), topLeft.y(), topLeft.x() + width(), topLeft.y() + height()};
  QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
  const QRect a = s ? s->availableGeometry() : QRect(0, 0, 1 << 16, 1 << 16);
  const TPopupRect area{a.left(), a.top(), a.left() + a.width(), a.top() + a.height()};
  const int w = m.Layout().width, h = m.PopupHeight();
  const TPoint at = tintorb::PlacePopup(button, w, h, area);
  popup_->setGeometry(at.x, at.y, w, h);
}

void TColorPickerButton::SetDroppedDown(bool dropped) {
  if (dropped == droppedDown_) return;
  bool allowed = true;
  if (OnDropChanging) OnDropChanging(this, allowed);
  if (!allowed) return;
  if (dropped) {
    TColorPopupModel& m = Popup()->Model();
    m.ResetTransient();
    m.MatchSelection(selectionColor_);
    droppedDown_ = true;
    PlacePopup();
    popup_->show();
  } else {
    droppedDown_ = false;
    popup_->closingByOwner_ = true;
    popup_->hide();
    popup_->closingByOwner_ = false;
    QToolTip::hideText();
  }
  tracking_ = pressed_ = false;
  update();
  if (OnDropChanged) OnDropChanged(this);
}

void TColorPickerButton::CloseUp(bool accept) {
  if (!droppedDown_) return;
  SetDroppedDown(false);
  if (droppedDown_ || !accept) return;
  const TPopupChoice choice = popup_->Model().Choice();
  if (choice.kind == TPopupChoice::Color)
    SetSelectionColor(choice.color);
  else if (choice.kind == TPopupChoice::DefaultSelect && OnDefaultSelect)
    OnDefaultSelect(this);
}

void TColorPickerButton::PopupLost() {
  droppedDown_ = false;
  tracking_ = pressed_ = false;
  update();
  if (OnDropChanged) OnDropChanged(this);
}

QPoint TColorPickerButton::ToPopup(QPointF globalPos) const {
  return popup_->mapFromGlobal(globalPos.toPoint());
}

void TColorPickerButton::FacePress() {
  tracking_ = true;
  pressed_ = true;
  update();
}

void TColorPickerButton::mousePressEvent(QMouseEvent* event) {
  if (!isEnabled()) return;
  if (droppedDown_) {
    if (event->button() == Qt::LeftButton)
      popup_->HandleMouseDown(ToPopup(event->globalPosition()));
    else
      CloseUp(false);
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  if (event->position().x() >= width() - dropDownWidth_)
    SetDroppedDown(true);
  else
    FacePress();
}

void TColorPickerButton::mouseDoubleClickEvent(QMouseEvent* event) {
  mousePressEvent(event);
  if (!droppedDown_ && event->button() == Qt::LeftButton && down_ && OnDblClick) OnDblClick(this);
}

void TColorPickerButton::mouseMoveEvent(QMouseEvent* event) {
  if (droppedDown_) {
    popup_->HandleMouseMove(ToPopup(event->globalPosition()), event->buttons() & Qt::LeftButton);
    return;
  }
  if (tracking_) {
    const bool over = rect().contains(event->position().toPoint());
    if (over != pressed_) {
      pressed_ = over;
      update();
    }
  }
}

void TColorPickerButton::mouseReleaseEvent(QMouseEvent* event) {
  if (droppedDown_) {
    if (event->button() == Qt::LeftButton) popup_->HandleMouseUp(ToPopup(event->globalPosition()));
    return;
  }
  if (!tracking_ || event->button() != Qt::LeftButton) return;
  tracking_ = pressed_ = false;
  update();
  if (!rect().contains(event->position().toPoint())) return;
  if (groupIndex_ != 0) SetDown(!down_);
  if (OnClick) OnClick(this);
}

void TColorPickerButton::keyPressEvent(QKeyEvent* event) {
  if (droppedDown_)
    popup_->HandleKey(event);
  else
    QWidget::keyPressEvent(event);
}

void TColorPickerButton::enterEvent(QEnterEvent*) {
  mouseInControl_ = true;
  update();
}

void TColorPickerButton::leaveEvent(QEvent*) {
  mouseInControl_ = false;
  update();
}

void TColorPickerButton::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) {
    if (!isEnabled() && droppedDown_) CloseUp(false);
    update();
  } else if (event->type() == QEvent::FontChange && popup_) {
    popup_->setFont(font());
    PopupOptionsChanged();
  }
  QWidget::changeEvent(event);
}

bool TColorPickerButton::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    if (showHint_ && !hint_.isEmpty() && !droppedDown_)
      QToolTip::showText(help->globalPos(), hint_, this);
    else
      QToolTip::hideText();
    return true;
  }
  return QWidget::event(event);
}

QRect TColorPickerButton::SwatchRect() const {
  QRect face = rect();
  if (flat_) face.adjust(1, 1, -1, -1);
  face.setRight(face.right() - (dropDownWidth_ + 2));
  face.adjust(2, 2, -2, -2);
  if (glyph_.isNull() && caption_.isEmpty()) return face;

  // With a glyph or a caption the swatch shares the face with them.
  const QSize gs = glyph_.isNull() ? QSize() : QSize(glyph_.width() / numGlyphs_, glyph_.height());
  const QFontMetrics fm(font());
  const QSize ts = caption_.isEmpty() ? QSize() : fm.size(Qt::TextShowMnemonic, caption_);
  const bool horizontal = layout_ == blGlyphLeft || layout_ == blGlyphRight;
  const int gap = (gs.isValid() && ts.isValid()) ? spacing_ : 0;
  QRect text;
  if (ts.isValid()) {
    // Text and swatch strip form one block; the glyph sits beside or above it.
    const QSize block(ts.width(), ts.height() + 6);
    const int totalW =
        horizontal ? gs.width() + gap + block.width() : std::max(gs.width(), block.width());
    const int totalH =
        horizontal ? std::max(gs.height(), block.height()) : gs.height() + gap + block.height();
    int x = face.left() + (margin_ >= 0 ? margin_ : (face.width() - totalW) / 2);
    int y = face.top() + (face.height() - totalH) / 2;
    if (layout_ == blGlyphTop || layout_ == blGlyphBottom) {
      x = face.left() + (face.width() - block.width()) / 2;
      y = face.top() + (margin_ >= 0 ? margin_ : (face.height() - totalH) / 2);
    }
    switch (layout_) {
      case blGlyphLeft:
        text = QRect(QPoint(x + gs.width() + gap, y + (totalH - block.height()) / 2), ts);
        break;
      case blGlyphRight:
        text = QRect(QPoint(x, y + (totalH - block.height()) / 2), ts);
        break;
      case blGlyphTop:
        text = QRect(QPoint(x, y + gs.height() + gap), ts);
        break;
      case blGlyphBottom:
        text = QRect(QPoint(x, y), ts);
        break;
    }
    return QRect(text.left(), text.bottom() + 1, text.width(), 6).intersected(face);
  }
  // Glyph only: the swatch fills the area beside it.
  const int m = std::max(margin_, 0);
  switch (layout_) {
    case blGlyphLeft:
      return face.adjusted(m + gs.width() + spacing_, 0, 0, 0);
    case blGlyphRight:
      return face.adjusted(0, 0, -(m + gs.width() + spacing_), 0);
    case blGlyphTop:
      return face.adjusted(0, m + gs.height() + spacing_, 0, 0);
    case blGlyphBottom:
      return face.adjusted(0, 0, 0, -(m + gs.height() + spacing_));
  }
  return face;
}

void TColorPickerButton::PaintContent(QPainter& p, bool pressed) {
  const int shift = pressed ? 1 : 0;
  const QRect swatch = SwatchRect().translated(shift, shift);

  if (!glyph_.isNull()) {
    const int gw = glyph_.width() / numGlyphs_;
    int frame = 0;
    if (!isEnabled() && numGlyphs_ > 1)
      frame = 1;
    else if ((pressed || down_) && numGlyphs_ > 2)
      frame = (down_ && numGlyphs_ > 3) ? 3 : 2;
    QRect face = rect();
    if (flat_) face.adjust(1, 1, -1, -1);
    face.setRight(face.right() - (dropDownWidth_ + 2));
    face.adjust(2, 2, -2, -2);
    const int m = margin_ >= 0 ? margin_ : 0;
    QPoint at;
    switch (layout_) {
      case blGlyphLeft:
        at = QPoint(face.left() + m, face.top() + (face.height() - glyph_.height()) / 2);
        break;
      case blGlyphRight:
        at = QPoint(face.right() + 1 - m - gw, face.top() + (face.height() - glyph_.height()) / 2);
        break;
      case blGlyphTop:
        at = QPoint(face.left() + (face.width() - gw) / 2, face.top() + m);
        break;
      case blGlyphBottom:
        at = QPoint(face.left() + (face.width() - gw) / 2, face.bottom() + 1 - m - glyph_.height());
        break;
    }
    p.drawPixmap(at + QPoint(shift, shift), glyph_, QRect(frame * gw, 0, gw, glyph_.height()));
  }
  if (!caption_.isEmpty()) {
    const QFontMetrics fm(font());
    const QSize ts = fm.size(Qt::TextShowMnemonic, caption_);
    const QRect text(swatch.left(), swatch.top() - ts.height(),
                     std::max(swatch.width(), ts.width()), ts.height());
    p.setPen(isEnabled() ? SysColor(kSysBtnText) : SysColor(kSysBtnShadow));
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, caption_);
  }

  if (!swatch.isEmpty()) {
    p.fillRect(swatch, ToQColor(selectionColor_));
    switch (indicatorBorder_) {
      case ibNone:
        break;
      case ibFlat:
        p.setPen(SysColor(kSysBtnShadow));
        p.setBrush(Qt::NoBrush);
        p.drawRect(swatch.adjusted(0, 0, -1, -1));
        break;
      case ibSunken:
      case ibRaised:
        ThinEdge(p, swatch, indicatorBorder_ == ibRaised);
        break;
    }
  }
}

void TColorPickerButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect r = rect();
  if (!transparent_) p.fillRect(r, SysColor(kSysBtnFace));
  const int split = width() - dropDownWidth_;
  const QRect face(0, 0, split, height()), arrow(split, 0, width() - split, height());
  const bool pressed = (tracking_ && pressed_) || down_;

  if (flat_) {
    if (droppedDown_) {
      ThinEdge(p, face, !pressed);
      ThinEdge(p, arrow, false);
    } else if (pressed) {
      ThinEdge(p, r, false);
    } else if (mouseInControl_ && isEnabled()) {
      ThinEdge(p, r, true);
      p.setPen(SysColor(kSysBtnShadow));
      p.drawLine(split - 1, 1, split - 1, height() - 2);
      p.setPen(SysColor(kSysBtnHighlight));
      p.drawLine(split, 1, split, height() - 2);
    }
  } else {
    ThickEdge(p, face, !pressed);
    ThickEdge(p, arrow, !droppedDown_);
  }

  PaintContent(p, pressed);

  const int h2 = height() / 2;
  const int a = width() + (dropDownWidth_ + 5) / 2 - dropDownWidth_ - 6;
  const int d = (pressed || droppedDown_) ? 1 : 0;
  QPolygon tri;
  tri << QPoint(a + d, h2 + d) << QPoint(a + 6 + d, h2 + d) << QPoint(a + 3 + d, h2 + 3 + d);
  if (isEnabled()) {
    p.setPen(ToQColor(arrowColor_));
    p.setBrush(ToQColor(arrowColor_));
  } else {
    p.setPen(Qt::NoPen);
    p.setBrush(SysColor(kSysBtnShadow));
  }
  p.drawPolygon(tri);
}

}  // namespace tintorb
