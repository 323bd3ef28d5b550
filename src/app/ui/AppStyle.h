// The platform's own style, with the few icons that Qt reads from image files
// while the first window is built read when first drawn instead.
#pragma once

class QStyle;

namespace tintorb {

// A style for QApplication::setStyle: looks and behaves as the default one.
QStyle* CreateAppStyle();

}  // namespace tintorb
