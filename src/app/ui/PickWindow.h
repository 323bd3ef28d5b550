// The frozen-frame pick: one frameless full-screen window per screen over a
// picture of the desktop taken once, with a cross at the pick point and a
// loupe showing the square around it enlarged and the colour it would give.
#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

#include "app/ScreenPick.h"

class QScreen;

namespace tintorb {

class TPickSession;

class TPickWindow : public QWidget {
  Q_OBJECT
 public:
  // `source` is the part of the session's frame shown on `screen`.
  TPickWindow(TPickSession& session, QScreen* screen, QRect source);

  QRect Source() const { return FSource; }
  // Window rectangle (logical pixels) of what changes when the cross moves.
  QRect MarkRect(TCrossPos cross, int radius) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  TCrossPos FramePos(QPointF local) const;
  QPointF WindowPos(TCrossPos p) const;  // centre of that frame pixel
  QRect LoupeRect(TCrossPos cross) const;

  TPickSession& FSession;
  QRect FSource;
  Qt::KeyboardModifiers FHeld;  // Ctrl, Shift, Alt as their own keys report them
};

// One pick on a frozen frame: the frame, the cross, the windows, and what a
// take, a cancel or a digit does. `onEnd` runs once the windows are gone.
class TPickSession : public QObject {
  Q_OBJECT
 public:
  struct THooks {
    std::function<void(TPickTarget, TColor)> take;  // set a colour or a swatch
    std::function<TColor(TPickTarget)> current;     // the colour a target holds now
    std::function<void()> ended;
    bool live = true;  // the colour follows the pointer; Esc puts it back
  };

  // `frame` covers `desktop` (logical pixels, the union of the screens);
  // `start` is the first cross position in frame pixels.
  TPickSession(QImage frame, QRect desktop, TPickTarget target, TCrossPos start, THooks hooks);
  ~TPickSession() override;

  void Show();
  const QImage& Frame() const { return FFrame; }
  TFrameView View() const;
  TCrossPos Cross() const { return FCross; }
  TPickTarget Target() const { return FTarget; }
  int Radius() const { return FRadius; }
  const std::vector<TPickWindow*>& Windows() const { return FWindows; }

  // What the windows report.
  void MoveCrossBy(TCrossKey key);
  void PointerAt(TCrossPos p, int radius);  // the colour follows the pointer
  void SetRadius(int radius);
  void Take(int radius);  // Return, Space, a click
  void StoreSwatch(int d);
  void Cancel();  // Esc: back to the colour from before
  TColor ColorAt(TCrossPos p, int radius) const;

 signals:
  void FirstPaint();

 private:
  friend class TPickWindow;
  void MoveCross(TCrossPos to);
  void End();

  QImage FFrame;
  TPickTarget FTarget;
  TCrossPos FCross;
  int FRadius = 0;
  THooks FHooks;
  TColor FBefore = 0;
  bool FChanged = false;  // a live change was made that Esc undoes
  bool FEnded = false;
  bool FPainted = false;
  std::vector<TPickWindow*> FWindows;
};

}  // namespace tintorb
