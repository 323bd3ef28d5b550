// The screen pick of the main window: the drag from btnColorPick and the keys
// Esc and 0..9. On X11 they read the live screen under the pointer; in a
// Wayland session, where that reads nothing, they take one frozen frame
// through the desktop portal and pick on it in a window of its own.
#pragma once

#include <QImage>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

#include "app/ScreenPick.h"

class QToolButton;

namespace tintorb {

class TForm1;
class TPickSession;
class TPortalClient;
struct TPortalReply;
struct TDesktopFrame;

class TPickController : public QObject {
  Q_OBJECT
 public:
  // Watches `button` for the drag; the portal is used in a Wayland session.
  TPickController(TForm1& form, QToolButton* button);
  ~TPickController() override;

  // 0 no drag, 1 dragging for the current colour, 2 for the background.
  int PickMode() const { return FPickMode; }
  // The colour under the pointer goes to `target` (Esc, the digit keys); in a
  // Wayland session this opens the pick window instead.
  void PickUnderPointer(TPickTarget target);

  // The pick of `tintorb --pick`: the pick window for the current colour on
  // a frame of the whole desktop (through the portal in a Wayland session,
  // else grabbed). Moving the cross changes nothing; `done` runs once, with
  // the colour taken, or nullopt (Esc, a digit, no frame). False, and `done`
  // never runs, while another pick is under way.
  using TPickDone = std::function<void(std::optional<TColor>)>;
  bool PickFromScreen(TPickDone done);
  // Where PickFromScreen takes its frame outside Wayland; GrabDesktop when unset.
  void SetGrab(std::function<TDesktopFrame()> grab);
  // Opens the pick window for `target` on `frame`, which covers `desktop`
  // (logical pixels), whatever made it.
  void OpenOnFrame(const QImage& frame, QRect desktop, TPickTarget target);
  // Picks on a picture (a file, a pasted image) in the pick window, for the
  // current colour; false while another pick is open.
  bool OpenPicture(QImage picture);

  // Null for the live screen; otherwise picks go through this portal.
  void SetPortal(std::unique_ptr<TPortalClient> portal);
  TPortalClient* Portal() const { return FPortal.get(); }
  TPickSession* Session() const { return FSession; }

  // Portal messages: the warnings when no colour came, the hints said once
  // before the desktop's own picker stands in for a refused screenshot.
  static const char* const kNoPortalMessage;
  static const char* const kNoAnswerMessage;
  static const char* const kRefusedMessage;
  static const char* const kRefusedHint;
  static const char* const kUnavailableHint;
  static const char* const kFallbackHint;

 signals:
  // The pick window has painted for the first time.
  void PickWindowShown();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void btnColorPickMouseDown(Qt::MouseButton button);
  void btnColorPickMouseMove(QPoint globalPos, Qt::KeyboardModifiers modifiers);
  void btnColorPickMouseUp();

  void OpenFrozen(TPickTarget target);
  void PortalFinished(const TPortalReply& reply);
  void FallBack(const char* hint, bool& said);
  void ShowWait();
  void CancelWait();  // the wait box's button, or its title bar's close
  void Apply(TPickTarget target, TColor color);
  void ShowReal(bool real);  // the screen is read: no simulated colours on it
  void Done(std::optional<TColor> color);
  TCrossPos StartCross(QRect desktop, double scale) const;

  TForm1& FForm;
  QToolButton* FButton;
  int FPickMode = 0;
  std::unique_ptr<TPortalClient> FPortal;
  TPickTarget FPending;        // who the portal request is for
  bool FPickingColor = false;  // the request under way is the PickColor fallback
  bool FCancelling = false;    // the user cancelled from the wait box
  bool FSaidRefused = false, FSaidUnavailable = false;
  QTimer FWaitTimer;
  QWidget* FWaitBox = nullptr;
  TPickSession* FSession = nullptr;
  TPickDone FDone;  // the pick under way is PickFromScreen's
  std::function<TDesktopFrame()> FGrab;
};

}  // namespace tintorb
