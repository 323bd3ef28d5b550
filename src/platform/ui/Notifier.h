// Desktop notifications: the freedesktop Notifications service on the session
// bus, which is connected on first use. Nothing happens when no bus or no
// notification server is there.
#pragma once

#include <QString>

#include "core/Color.h"

namespace tintorb {

// One notification with a square of `color` as its picture; it replaces the
// one this program showed before, when the server still shows that.
void NotifyDesktop(const QString& summary, const QString& body, TColor color);

}  // namespace tintorb
