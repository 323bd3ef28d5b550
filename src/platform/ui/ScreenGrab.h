// A frozen frame of the whole desktop, as the pick window shows it.
#pragma once

#include <QImage>
#include <QRect>

namespace tintorb {

struct TDesktopFrame {
  QImage image;   // device pixels
  QRect desktop;  // the union of the screens, logical pixels
};

// Every screen grabbed from the window system (the X server's root window)
// and composed into one picture; a null image where the screen cannot be read
// (Wayland).
TDesktopFrame GrabDesktop();

}  // namespace tintorb
