#include "app/ui/PickWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <cmath>

#include "app/ColorWellLayout.h"
#include "core/ColorText.h"

namespace tintorb {

namespace {

constexpr int kLoupeCells = 11;  // frame pixels across the loupe
constexpr int kLoupeZoom = 8;
constexpr int kLoupeSide = kLoupeCells * kLoupeZoom;
constexpr int kLoupeText = 20;  // the hex line under the enlarged square
constexpr int kLoupeOffset = 24;
constexpr int kArmGap = 8, kArm = 10;  // the cross leaves the picked square free

Qt::KeyboardModifier ModifierOfKey(int key) {
  switch (key) {
    case Qt::Key_Control:
      return Qt::ControlModifier;
    case Qt::Key_Shift:
      return Qt::ShiftModifier;
    case Qt::Key_Alt:
      return Qt::AltModifier;
    default:
      return Qt::NoModifier;
  }
}

int RadiusOf(Qt::KeyboardModifiers m) {
  return PickRadius(m.testFlag(Qt::ControlModifier), m.testFlag(Qt::ShiftModifier),
                    m.testFlag(Qt::AltModifier));
}

QString Utf(const char* s) {
  return QString::fromUtf8(s);
}

// A black line under a white one, readable on any picture.
void Outline(QPainter& p, const QRectF& r) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Qt::black, 3));
  p.drawRect(r);
  p.setPen(QPen(Qt::white, 1));
  p.drawRect(r);
}

}  // namespace

TPickWindow::TPickWindow(TPickSession& session, QScreen* screen, QRect source)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      FSession(session),
      FSource(source) {
  setWindowTitle(Utf("画面から色を取る"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  setCursor(Qt::CrossCursor);
  setFocusPolicy(Qt::StrongFocus);
  setScreen(screen);
  setGeometry(screen->geometry());
}

TCrossPos TPickWindow::FramePos(QPointF local) const {
  const double kx = double(FSource.width()) / std::max(1, width());
  const double ky = double(FSource.height()) / std::max(1, height());
  const int x = FSource.x() + int(std::floor(local.x() * kx));
  const int y = FSource.y() + int(std::floor(local.y() * ky));
  return {std::clamp(x, FSource.left(), FSource.right()),
          std::clamp(y, FSource.top(), FSource.bottom())};
}

QPointF TPickWindow::WindowPos(TCrossPos p) const {
  const double kx = double(FSource.width()) / std::max(1, width());
  const double ky = double(FSource.height()) / std::max(1, height());
  return {(p.x - FSource.x() + 0.5) / kx, (p.y - FSource.y() + 0.5) / ky};
}

QRect TPickWindow::LoupeRect(TCrossPos cross) const {
  const QPoint c = WindowPos(cross).toPoint();
  const int w = kLoupeSide + 2, h = kLoupeSide + kLoupeText + 2;
  int x = c.x() + kLoupeOffset, y = c.y() + kLoupeOffset;
  if (x + w > width()) x = c.x() - kLoupeOffset - w;
  if (y + h > height()) y = c.y() - kLoupeOffset - h;
  return {x, y, w, h};
}

QRect TPickWindow::MarkRect(TCrossPos cross, int radius) const {
  if (!FSource.contains(cross.x, cross.y)) return {};
  const QPoint c = WindowPos(cross).toPoint();
  const double k = double(FSource.width()) / std::max(1, width());
  const int reach = kArmGap + kArm + int(std::ceil(radius / k)) + 4;
  return QRect(c.x() - reach, c.y() - reach, 2 * reach + 1, 2 * reach + 1)
      .united(LoupeRect(cross).adjusted(-2, -2, 2, 2));
}

void TPickWindow::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  const QRect r = event->rect();
  const double kx = double(FSource.width()) / std::max(1, width());
  const double ky = double(FSource.height()) / std::max(1, height());
  // Frame pixels map one to one onto device pixels when the picture was taken
  // at this screen's scale; no smoothing either way.
  p.drawImage(
      QRectF(r), FSession.FFrame,
      QRectF(FSource.x() + r.x() * kx, FSource.y() + r.y() * ky, r.width() * kx, r.height() * ky));
  const TCrossPos cross = FSession.FCross;
  if (FSource.contains(cross.x, cross.y)) {
    const int rad = FSession.FRadius;
    const QPointF c = WindowPos(cross);
    // The averaged square, then the four arms of the cross around it.
    const double half = (rad + 0.5) / kx;
    Outline(p, QRectF(c.x() - half - 1, c.y() - half - 1, 2 * half + 2, 2 * half + 2));
    const double g = half + kArmGap;
    for (int pass = 0; pass < 2; ++pass) {
      p.setPen(pass == 0 ? QPen(Qt::black, 3) : QPen(Qt::white, 1));
      p.drawLine(QPointF(c.x() - g - kArm, c.y()), QPointF(c.x() - g, c.y()));
      p.drawLine(QPointF(c.x() + g, c.y()), QPointF(c.x() + g + kArm, c.y()));
      p.drawLine(QPointF(c.x(), c.y() - g - kArm), QPointF(c.x(), c.y() - g));
      p.drawLine(QPointF(c.x(), c.y() + g), QPointF(c.x(), c.y() + g + kArm));
    }

    // The loupe: the square around the point enlarged, the averaged square
    // outlined, and the colour that would be taken.
    const QRect box = LoupeRect(cross);
    const QRect cells(box.x() + 1, box.y() + 1, kLoupeSide, kLoupeSide);
    p.fillRect(box, QColor(48, 48, 48));
    const QRect want(cross.x - kLoupeCells / 2, cross.y - kLoupeCells / 2, kLoupeCells,
                     kLoupeCells);
    const QRect have = want.intersected(FSession.FFrame.rect());
    if (!have.isEmpty())
      p.drawImage(QRect(cells.x() + (have.x() - want.x()) * kLoupeZoom,
                        cells.y() + (have.y() - want.y()) * kLoupeZoom, have.width() * kLoupeZoom,
                        have.height() * kLoupeZoom),
                  FSession.FFrame, have);
    const int side = (2 * rad + 1) * kLoupeZoom;
    const int off = (kLoupeCells / 2 - rad) * kLoupeZoom;
    Outline(p, QRectF(cells.x() + off, cells.y() + off, side, side));
    const TColor color = FSession.ColorAt(cross, rad);
    const QRect text(box.x(), cells.bottom() + 1, box.width(), kLoupeText);
    QString label = "#" + QString::fromStdString(ColorToHex(color));
    if (rad > 0) label += QString(" %1×%1").arg(2 * rad + 1);
    p.setPen(Qt::white);
    p.drawText(text, Qt::AlignCenter, label);
    p.setPen(QPen(Qt::black, 1));
    p.drawRect(box.adjusted(0, 0, -1, -1));
  }
  if (!FSession.FPainted) {
    FSession.FPainted = true;
    emit FSession.FirstPaint();
  }
}

void TPickWindow::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers m = event->modifiers();
  // A modifier's own event does not carry the others on every platform (on
  // Wayland it names just itself, and repeats): keep count of what is held.
  if (const Qt::KeyboardModifier mod = ModifierOfKey(event->key())) {
    FHeld |= mod;
    if (!event->isAutoRepeat()) FHeld |= m;
    return FSession.SetRadius(RadiusOf(FHeld));
  }
  FHeld = m;
  switch (event->key()) {
    case Qt::Key_Left:
      return FSession.MoveCrossBy(TCrossKey::Left);
    case Qt::Key_Right:
      return FSession.MoveCrossBy(TCrossKey::Right);
    case Qt::Key_Up:
      return FSession.MoveCrossBy(TCrossKey::Up);
    case Qt::Key_Down:
      return FSession.MoveCrossBy(TCrossKey::Down);
    case Qt::Key_PageUp:
      return FSession.MoveCrossBy(TCrossKey::PageUp);
    case Qt::Key_PageDown:
      return FSession.MoveCrossBy(TCrossKey::PageDown);
    case Qt::Key_Home:
      return FSession.MoveCrossBy(TCrossKey::Home);
    case Qt::Key_End:
      return FSession.MoveCrossBy(TCrossKey::End);
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      return FSession.Take(RadiusOf(m));
    case Qt::Key_Escape:
      return FSession.Cancel();
    default:
      break;
  }
  if (event->key() >= Qt::Key_0 && event->key() <= Qt::Key_9)
    return FSession.StoreSwatch(event->key() - Qt::Key_0);
  QWidget::keyPressEvent(event);
}

void TPickWindow::keyReleaseEvent(QKeyEvent* event) {
  const Qt::KeyboardModifier mod = ModifierOfKey(event->key());
  if (!mod) return QWidget::keyReleaseEvent(event);
  if (event->isAutoRepeat()) return;
  FHeld &= ~mod;
  FSession.SetRadius(RadiusOf(FHeld));
}

void TPickWindow::closeEvent(QCloseEvent* event) {
  // Closed by the desktop (not by a take): the same as Esc.
  FSession.Cancel();
  QWidget::closeEvent(event);
}

void TPickWindow::mouseMoveEvent(QMouseEvent* event) {
  FHeld = event->modifiers();
  FSession.PointerAt(FramePos(event->position()), RadiusOf(event->modifiers()));
}

void TPickWindow::mousePressEvent(QMouseEvent* event) {
  FSession.PointerAt(FramePos(event->position()), RadiusOf(event->modifiers()));
  FSession.Take(RadiusOf(event->modifiers()));
}

// ---------------------------------------------------------------------------

TPickSession::TPickSession(QImage frame, QRect desktop, TPickTarget target, TCrossPos start,
                           THooks hooks)
    : FFrame(std::move(frame)), FTarget(target), FCross(start), FHooks(std::move(hooks)) {
  if (FFrame.format() != QImage::Format_RGB32)
    FFrame = FFrame.convertToFormat(QImage::Format_RGB32);
  FCross = start.x < FFrame.width() && start.y < FFrame.height() && start.x >= 0 && start.y >= 0
               ? start
               : TCrossPos{FFrame.width() / 2, FFrame.height() / 2};
  FBefore = FHooks.current(target);
  const double sx = double(FFrame.width()) / std::max(1, desktop.width());
  const double sy = double(FFrame.height()) / std::max(1, desktop.height());
  for (QScreen* screen : QGuiApplication::screens()) {
    const QRect g = screen->geometry();
    const QRect src = QRect(int(std::lround((g.x() - desktop.x()) * sx)),
                            int(std::lround((g.y() - desktop.y()) * sy)),
                            int(std::lround(g.width() * sx)), int(std::lround(g.height() * sy)))
                          .intersected(FFrame.rect());
    if (!src.isEmpty()) FWindows.push_back(new TPickWindow(*this, screen, src));
  }
}

TPickSession::~TPickSession() {
  for (TPickWindow* w : FWindows) delete w;
}

void TPickSession::Show() {
  for (TPickWindow* w : FWindows) {
    w->showFullScreen();
    if (w->Source().contains(FCross.x, FCross.y)) {
      w->raise();
      w->activateWindow();
      w->setFocus();
    }
  }
}

TFrameView TPickSession::View() const {
  return {reinterpret_cast<const uint32_t*>(FFrame.constBits()), FFrame.width(), FFrame.height(),
          int(FFrame.bytesPerLine() / 4)};
}

TColor TPickSession::ColorAt(TCrossPos p, int radius) const {
  return FrameAverage(View(), p.x, p.y, radius);
}

void TPickSession::MoveCross(TCrossPos to) {
  if (FEnded || to == FCross) return;
  for (TPickWindow* w : FWindows) {
    w->update(w->MarkRect(FCross, FRadius));
    w->update(w->MarkRect(to, FRadius));
  }
  FCross = to;
}

void TPickSession::MoveCrossBy(TCrossKey key) {
  MoveCross(::tintorb::MoveCross(FCross, key, FFrame.width(), FFrame.height()));
}

void TPickSession::SetRadius(int radius) {
  if (FEnded || radius == FRadius) return;
  FRadius = std::max(FRadius, radius);  // the marks of the larger square
  for (TPickWindow* w : FWindows) w->update(w->MarkRect(FCross, FRadius));
  FRadius = radius;
}

void TPickSession::PointerAt(TCrossPos p, int radius) {
  if (FEnded) return;
  SetRadius(radius);
  MoveCross(p);
  if (!FHooks.live || FTarget.kind == TPickTarget::Swatch) return;  // taken on a click only
  FHooks.take(FTarget, ColorAt(FCross, radius));
  FChanged = true;
}

void TPickSession::Take(int radius) {
  if (FEnded) return;
  const TColor c = ColorAt(FCross, radius);
  End();
  FHooks.take(FTarget, c);
}

void TPickSession::StoreSwatch(int d) {
  if (FEnded) return;
  const TColor c = ColorAt(FCross, 0);
  End();
  FHooks.take({TPickTarget::Swatch, d}, c);
}

void TPickSession::Cancel() {
  if (FEnded) return;
  End();
  if (FChanged) FHooks.take(FTarget, FBefore);
}

void TPickSession::End() {
  FEnded = true;
  for (TPickWindow* w : FWindows) w->hide();
  if (FHooks.ended) QMetaObject::invokeMethod(this, FHooks.ended, Qt::QueuedConnection);
}

}  // namespace tintorb
