// Input-box helpers shared by the numeric sheets.
#pragma once

#include <QFocusEvent>
#include <QKeyEvent>

namespace tintorb {

// True when a typed key must be refused: it carries a character that
// `accepts` rejects (Backspace counts as one). Keys without text, Tab and
// Delete pass, so moving and deleting still work.
template <class Accepts>
bool RefusesKey(const QKeyEvent& event, Accepts accepts) {
  switch (event.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
      return false;
    case Qt::Key_Backspace:
      return true;
    default:
      break;
  }
  for (const QChar ch : event.text())
    if (!accepts(char32_t(ch.unicode()))) return true;
  return false;
}

// A box is left when the focus moves on inside the application, not when
// another window is activated or a popup opens.
inline bool LeavesBox(const QFocusEvent& event) {
  return event.reason() != Qt::ActiveWindowFocusReason && event.reason() != Qt::PopupFocusReason;
}

}  // namespace tintorb
