// Real-event helpers shared by the sheet widget tests.
#pragma once

#include <QtTest/qtestspontaneevent.h>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>

#include "sheets/ui/TintorbColorSlider.h"
#include "support/Fakes.h"

namespace tintorb::testing {

inline FakeDesktop& TheDesktop() {
  return static_cast<FakeDesktop&>(Desktop());
}
inline FakeDialogs& TheDialogs() {
  return static_cast<FakeDialogs&>(Dialogs());
}

// Shows a sheet as a window of its own and makes it active, so focus and
// keyboard behave as in the program.
inline bool ShowActive(QWidget* w, int width, int height) {
  w->resize(width, height);
  w->show();
  if (!QTest::qWaitForWindowExposed(w)) return false;
  w->activateWindow();
  return QTest::qWaitForWindowActive(w);
}

// Focuses the box, selects its text and types over it.
inline void TypeOver(QLineEdit* edit, const QString& text) {
  QTest::mouseClick(edit, Qt::LeftButton);
  QTest::keyClick(edit, Qt::Key_End);
  QTest::keyClick(edit, Qt::Key_Home, Qt::ShiftModifier);
  QTest::keyClicks(edit, text);
}

// Press, move and release with the left button.
inline void DragTo(QWidget* w, QPoint from, QPoint to) {
  QTest::mousePress(w, Qt::LeftButton, {}, from);
  QTest::mouseMove(w, to);
  QTest::mouseRelease(w, Qt::LeftButton, {}, to);
}

// One wheel notch over a widget, delivered as from the window system: an
// unhandled wheel travels up to the parents. (sendEvent would clear the
// spontaneous flag, so go through notify as QTest does.)
inline void WheelOver(QWidget* over, int delta) {
  const QPoint local(over->width() / 2, over->height() / 2);
  QWheelEvent ev(QPointF(local), QPointF(over->mapToGlobal(local)), QPoint(), QPoint(0, delta),
                 Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QSpontaneKeyEvent::setSpontaneous(&ev);
  qApp->notify(over, &ev);
}

}  // namespace tintorb::testing
