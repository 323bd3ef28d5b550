// Toolbar pictures of the numeric sheets, painted from the sliders' own gradients.
#pragma once

#include <QIcon>

#include "sheets/ColorSlider.h"

namespace tintorb {

// A field next to a bar, as the HSV, HLS and YUV sheets show them.
QIcon FieldAndBarIcon(TTintorbColorPanelStyle field, TTintorbColorPanelStyle bar);
// Three red, green and blue bars.
QIcon RGBSheetIcon();

}  // namespace tintorb
