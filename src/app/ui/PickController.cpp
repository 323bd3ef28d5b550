#include "app/ui/PickController.h"

#include "app/ui/ColorVisionCommands.h"

#include <QCursor>
#include <QDBusConnection>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>
#include <utility>

#include "app/ColorWellLayout.h"
#include "app/ui/ColorVisionCommands.h"
#include "app/ui/MainForm.h"
#include "app/ui/PickWindow.h"
#include "platform/Desktop.h"
#include "platform/ui/PortalClient.h"
#include "platform/ui/ScreenGrab.h"

namespace tintorb {

namespace {

// For the portal to take a request; its answer may take as long as the user.
constexpr int kPortalCallTimeoutMs = 30000;
// A quick answer shows no wait box.
constexpr int kWaitDelayMs = 800;
// Quicker than any person could cancel a dialog.
constexpr qint64 kInstantCancelMs = 1000;

}  // namespace

const char* const TPickController::kNoPortalMessage =
    "画面から色を取るには、デスクトップポータル (xdg-desktop-portal) と、"
    "お使いのデスクトップ用の実装 (xdg-desktop-portal-gnome、xdg-desktop-portal-kde、"
    "xdg-desktop-portal-wlr など) が必要です。\n"
    "これらのパッケージを入れてから、もう一度お試しください。";
const char* const TPickController::kNoAnswerMessage =
    "デスクトップポータルから応答がありませんでした。画面の色は取っていません。";
const char* const TPickController::kRefusedMessage =
    "デスクトップポータルは画面の色を渡しませんでした (許可されないか、時間切れです)。"
    "画面の色は取っていません。";
const char* const TPickController::kRefusedHint =
    "このデスクトップでは Tintorb のスクリーンショットが許可されていません。"
    "代わりにデスクトップのスポイトで 1 点の色を取ります (範囲の平均はとれません)。\n"
    "画面全体から取れるようにするには、デスクトップの設定 (プライバシー、またはアプリの権限) で"
    "スクリーンショットを許可してください。一度「拒否」を選んだときは、端末で "
    "flatpak permission-remove screenshot screenshot を実行すると次の取得でまた尋ねられます。";
const char* const TPickController::kUnavailableHint =
    "デスクトップがスクリーンショットを取らずに取り消しました "
    "(KDE ではピクチャフォルダ ~/Pictures がないときに起こります)。"
    "代わりにデスクトップのスポイトで 1 点の色を取ります (範囲の平均はとれません)。";
const char* const kWaitText =
    "デスクトップの応答を待っています…\n"
    "許可を求める画面が出ていたら、そちらでお答えください。";
const char* const TPickController::kFallbackHint =
    "カラーピック (デスクトップのスポイトを使います。範囲の平均はとれません)";

TPickController::TPickController(TForm1& form, QToolButton* button)
    : QObject(&form), FForm(form), FButton(button) {
  FButton->installEventFilter(this);
  if (IsWaylandSession(QGuiApplication::platformName().toStdString(),
                       qgetenv("WAYLAND_DISPLAY").constData(),
                       qgetenv("XDG_SESSION_TYPE").constData()))
    SetPortal(std::make_unique<TPortalClient>(kPortalCallTimeoutMs));
  FWaitTimer.setSingleShot(true);
  FWaitTimer.setInterval(kWaitDelayMs);
  connect(&FWaitTimer, &QTimer::timeout, this, &TPickController::ShowWait);
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

void TPickController::CancelWait() {
  FCancelling = true;
  FPortal->Cancel();
}

bool TPickController::eventFilter(QObject* watched, QEvent* event) {
  // The box shows only while a request is open.
  if (watched == FWaitBox && event->type() == QEvent::Close && FWaitBox->isVisible()) CancelWait();
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
  ShowReal(true);
  const TColor c = Desktop().ScreenPixel(p.x, p.y);
  ShowReal(false);
  Apply(target, c);
}

void TPickController::ShowReal(bool real) {
  if (TColorVisionCommands* cvd = FForm.ColorVision()) cvd->ShowReal(real);
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
    ShowReal(true);
    FPortal->Screenshot();
    FWaitTimer.start();
    return true;
  }
  ShowReal(true);
  const TDesktopFrame f = FGrab ? FGrab() : GrabDesktop();
  ShowReal(false);
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
  ShowReal(true);
  FPortal->Screenshot();
  FWaitTimer.start();
}

// A non-modal box while the portal has not answered (a dialog of the desktop
// may be asking the user); its cancel closes the request.
void TPickController::ShowWait() {
  if (!FWaitBox) {
    FWaitBox = new QWidget(&FForm, Qt::Tool);
    FWaitBox->setObjectName("portalWait");
    FWaitBox->setWindowTitle("Tintorb");
    auto* layout = new QVBoxLayout(FWaitBox);
    layout->addWidget(new QLabel(QString::fromUtf8(kWaitText), FWaitBox));
    auto* cancel = new QPushButton("キャンセル", FWaitBox);
    layout->addWidget(cancel, 0, Qt::AlignRight);
    connect(cancel, &QPushButton::clicked, this, &TPickController::CancelWait);
    // Closed from its title bar, the box means the same as its button.
    FWaitBox->installEventFilter(this);
  }
  FWaitBox->show();
}

// No frame: the desktop's own one-pixel picker, after saying why (once).
void TPickController::FallBack(const char* hint, bool& said) {
  if (hint && !said) {
    said = true;
    Dialogs().Information(hint);
  }
  FPickingColor = true;
  ShowReal(true);
  FPortal->PickColor();
}

void TPickController::PortalFinished(const TPortalReply& reply) {
  ShowReal(false);
  FWaitTimer.stop();
  if (FWaitBox) FWaitBox->hide();
  const bool byUser = std::exchange(FCancelling, false);
  switch (reply.status) {
    case TPortalStatus::Ok:
      break;
    case TPortalStatus::Cancelled:
      // A cancel that no person could have given (no dialog, at once): the
      // desktop takes no screenshots, its picker may still work.
      if (!byUser && !FPickingColor && reply.elapsedMs < kInstantCancelMs)
        return FallBack(kUnavailableHint, FSaidUnavailable);
      return Done(std::nullopt);
    case TPortalStatus::NoAnswer:
      Dialogs().Warning(kNoAnswerMessage);
      return Done(std::nullopt);
    case TPortalStatus::Failed:
      if (!FPickingColor) return FallBack(kRefusedHint, FSaidRefused);
      Dialogs().Warning(kRefusedMessage);
      return Done(std::nullopt);
    case TPortalStatus::BadReply:
    case TPortalStatus::NoInterface:
      if (!FPickingColor) return FallBack(nullptr, FSaidRefused);
      Dialogs().Warning(reply.status == TPortalStatus::NoInterface ? kNoPortalMessage
                                                                   : kRefusedMessage);
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

bool TPickController::OpenPicture(QImage picture) {
  if (FSession || FDone || FPickMode != 0 || (FPortal && FPortal->Busy()) || picture.isNull())
    return false;
  TPickSession::THooks hooks;
  hooks.take = [this](TPickTarget t, TColor c) { Apply(t, c); };
  hooks.current = [this](TPickTarget t) {
    return t.kind == TPickTarget::Back ? FForm.GetBackColor() : FForm.CurrentColor();
  };
  hooks.ended = [this] {
    FSession->deleteLater();
    FSession = nullptr;
    FForm.activateWindow();
  };
  QScreen* screen = FForm.screen() ? FForm.screen() : QGuiApplication::primaryScreen();
  FSession = new TPickSession(std::move(picture), screen, {TPickTarget::Fore}, std::move(hooks));
  connect(FSession, &TPickSession::FirstPaint, this, &TPickController::PickWindowShown);
  FSession->Show();
  return true;
}

}  // namespace tintorb
