// The colour-vision simulation the windows draw through. Only painting asks
// for it: every colour that is copied, stored, exported or picked is the real one.
#pragma once

#include <QColor>
#include <QString>

#include "core/ColorVision.h"

namespace tintorb {

// The simulation in force (none while suspended).
const TCvdFilter& ShownFilter();
TCvdType ShownType();
int ShownPercent();  // the chosen strength, also while none is shown
void SetShownFilter(TCvdType type, int percent);
// While suspended (a screen pick under way) everything is drawn real.
void SuspendShownFilter(bool suspended);
// Changes whenever what ShownColor returns may have changed.
int ShownFilterGeneration();

// The colour as drawn: simulated when a simulation is on.
inline TColor ShownColor(TColor c) {
  const TCvdFilter& f = ShownFilter();
  return f.Active() ? f.Apply(c) : c;
}
QColor ShownQColor(TColor c);

// "P型(1型)", "D型(2型)", "T型(3型)", "全色盲(グレー)"; "なし" for none.
QString CvdTypeCaption(TCvdType type);
// " - 色覚シミュレーション D型(2型) 100%", empty while none is on.
QString ShownFilterCaption();

}  // namespace tintorb
