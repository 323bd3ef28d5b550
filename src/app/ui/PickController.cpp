#include "app/ui/PickController.h"

#include <QCursor>
#include <QDBusConnection>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QToolButton>

#include "app/ColorWellLayout.h"
#include "app/ui/MainForm.h"
#include "app/ui/PickWindow.h"
#include "platform/Desktop.h"
#include "platform/ui/PortalClient.h"
#include "platform/ui/ScreenGrab.h"

namespace tintorb {

namespace {

// Long enough for a desktop that asks the user once whether to allow it.
constexpr int kPortalTimeoutMs = 30000;

}  // namespace

const char* const TPickController::kNoPortalMessage =
    "画面から色を取るには、デスクトップポータル (xdg-desktop-portal) と、"
    "お使いのデスクトップ用の実装 (xdg-desktop-portal-gnome、xdg-desktop-portal-kde、"
    "xdg-desktop-portal-wlr など) が必要です。\n"
    "これらのパッケージを入れてから、もう一度お試しください。";
const char* const TPickController::kNoAnswerMessage =
    "デスクトップポータルから応答がありませんでした。画面の色は取っていません。";
const char* const TPickController::kFallbackHint =
    "カラーピック (デスクトップのスポイトを使います。範囲の平均はとれません)";

TPickController::TPickController(TForm1& form, QToolButton* button)
    : QObject(&form), FForm(form), FButton(button) {
  FButton->installEventFilter(this);
  if (IsWaylandSession(QGuiApplication::platformName().toStdString(),
                       qgetenv("WAYLAND_DISPLAY").constData(),
                       qgetenv("XDG_SESSION_TYPE").constData()))
    SetPortal(std::make_unique<TPortalClient>(kPortalTimeoutMs));
}

TPickController::~TPickController() {
  delete FSession;
}

void TPickController::SetPortal(std::unique_ptr<TPortalClient> portal) {
  FPortal = std::move(portal);
  if (FPortal)
    connect(FPortal.get(), &TPortalClient::Finished, this, &TPickController::PortalFinished);
}

void TPickController::btnColorPickMouseDown(Qt::MouseButton button) {
  const TPickTarget target{button == Qt::LeftButton ? TPickTarget::Fore : TPickTarget::Back};
  if (FPortal) return OpenFrozen(target);
  FPickMode = button == Qt::LeftButton ? 1 : 2;
  FButton->setDown(true);
  FButton->grabMouse(Qt::CrossCursor);
}

void TPickController::btnColorPickMouseMove(QPoint globalPos, Qt::KeyboardModifiers modifiers) {
  if (FPickMode == 0) return;
  const int r =
      PickRadius(modifiers.testFlag(Qt::ControlModifier), modifiers.testFlag(Qt::ShiftModifier),
                 modifiers.testFlag(Qt::AltModifier));
  const std::vector<TColor> px =
      Desktop().ScreenRect(globalPos.x() - r, globalPos.y() - r, 2 * r + 1, 2 * r + 1);
  const TColor c = AverageColor(px);
  if (FPickMode == 1)
    FForm.SetForeColor(&FForm, c);
  else
    FForm.SetBackColor(&FForm, c);
}

void TPickController::btnColorPickMouseUp() {
  if (FPickMode == 0) return;
  FPickMode = 0;
  FButton->setDown(false);
  FButton->releaseMouse();
}

bool TPickController::eventFilter(QObject* watched, QEvent* event) {
  if (watched != FButton) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      btnColorPickMouseDown(static_cast<QMouseEvent*>(event)->button());
      return true;
    case QEvent::MouseMove: {
      auto* me = static_cast<QMouseEvent*>(event);
      btnColorPickMouseMove(me->globalPosition().toPoint(), me->modifiers());
      return true;
    }
    case QEvent::MouseButtonRelease:
      btnColorPickMouseUp();
      return true;
    case QEvent::MouseButtonDblClick:
      return true;
    default:
      return false;
  }
}

void TPickController::PickUnderPointer(TPickTarget target) {
  if (FPortal) return OpenFrozen(target);
  const TPoint p = Desktop().CursorPos();
  Apply(target, Desktop().ScreenPixel(p.x, p.y));
}

void TPickController::Apply(TPickTarget target, TColor color) {
  switch (target.kind) {
    case TPickTarget::Fore:
      return FForm.SetForeColor(&FForm, color);
    case TPickTarget::Back:
      return FForm.SetBackColor(&FForm, color);
    case TPickTarget::Swatch:
      return FForm.SetSwatch(target.swatch, color);
  }
}

void TPickController::SetGrab(std::function<TDesktopFrame()> grab) {
  FGrab = std::move(grab);
}

bool TPickController::PickFromScreen(TPickDone done) {
  if (FSession || FDone || (FPortal && FPortal->Busy())) return false;
  FDone = std::move(done);
  FPending = {TPickTarget::Fore};  // what the portal's answer is for
  if (FPortal) {
    FPickingColor = false;
    FPortal->Screenshot();
    return true;
  }
  const TDesktopFrame f = FGrab ? FGrab() : GrabDesktop();
  if (f.image.isNull()) {
    Done(std::nullopt);
    return true;
  }
  OpenOnFrame(f.image, f.desktop, FPending);
  return true;
}

void TPickController::Done(std::optional<TColor> color) {
  const TPickDone done = std::move(FDone);
  FDone = nullptr;
  if (done) done(color);
}

void TPickController::OpenFrozen(TPickTarget target) {
  // One pick at a time: keys pressed while the portal works are dropped.
  if (FSession || FDone || FPortal->Busy()) return;
  FPending = target;
  FPickingColor = false;
  FPortal->Screenshot();
}

void TPickController::PortalFinished(const TPortalReply& reply) {
  switch (reply.status) {
    case TPortalStatus::Ok:
      break;
    case TPortalStatus::Cancelled:
      return Done(std::nullopt);
    case TPortalStatus::NoAnswer:
      Dialogs().Warning(kNoAnswerMessage);
      return Done(std::nullopt);
    case TPortalStatus::Failed:
    case TPortalStatus::BadReply:
    case TPortalStatus::NoInterface:
      // No frame: the desktop's own one-pixel picker, if it has one.
      if (!FPickingColor) {
        FPickingColor = true;
        FPortal->PickColor();
        return;
      }
      Dialogs().Warning(kNoPortalMessage);
      return Done(std::nullopt);
  }
  if (FPickingColor) {
    FButton->setToolTip(QString::fromUtf8(kFallbackHint));
    if (FDone) return Done(reply.color);
    return Apply(FPending, reply.color);
  }
  QRect desktop;
  for (QScreen* s : QGuiApplication::screens()) desktop = desktop.united(s->geometry());
  OpenOnFrame(reply.image, desktop, FPending);
}

void TPickController::OpenOnFrame(const QImage& frame, QRect desktop, TPickTarget target) {
  const double scale = double(frame.width()) / std::max(1, desktop.width());
  const bool command = bool(FDone);
  TPickSession::THooks hooks;
  hooks.live = !command;
  hooks.take = [this, command](TPickTarget t, TColor c) {
    if (command && t.kind != TPickTarget::Swatch) return Done(c);
    Apply(t, c);
  };
  hooks.current = [this](TPickTarget t) {
    return t.kind == TPickTarget::Back ? FForm.GetBackColor() : FForm.CurrentColor();
  };
  hooks.ended = [this, command] {
    FSession->deleteLater();
    FSession = nullptr;
    if (command) return Done(std::nullopt);  // no-op after a take
    FForm.activateWindow();                  // the keys go back to the main window
  };
  FSession = new TPickSession(frame, desktop, target, StartCross(desktop, scale), std::move(hooks));
  connect(FSession, &TPickSession::FirstPaint, this, [this, command] {
    // Started from a key elsewhere, the program may not get the focus from
    // the window manager: the pick window takes the keyboard itself.
    if (command && FSession && QGuiApplication::platformName() == "xcb")
      for (TPickWindow* w : FSession->Windows())
        if (w->Source().contains(FSession->Cross().x, FSession->Cross().y)) w->grabKeyboard();
    emit PickWindowShown();
  });
  FSession->Show();
}

TCrossPos TPickController::StartCross(QRect desktop, double scale) const {
  // Only X11 tells where the pointer is outside the program's own windows.
  if (QGuiApplication::platformName() == "xcb") {
    const QPoint p = QCursor::pos();
    if (desktop.contains(p))
      return {int((p.x() - desktop.x()) * scale), int((p.y() - desktop.y()) * scale)};
  }
  // Else the centre pixel of the screen that holds the main window.
  QScreen* s = FForm.screen() ? FForm.screen() : QGuiApplication::primaryScreen();
  const QRect g = s ? s->geometry() : desktop;
  const int w = int(g.width() * scale), h = int(g.height() * scale);
  return {int((g.x() - desktop.x()) * scale) + w / 2, int((g.y() - desktop.y()) * scale) + h / 2};
}

}  // namespace tintorb
