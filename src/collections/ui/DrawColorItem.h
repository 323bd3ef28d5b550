// The painter of one row of a colour list, shared by the collection sheets.
#pragma once

#include <QFont>
#include <QRect>
#include <QString>

#include "core/Color.h"

class QPainter;

namespace tintorb {

// The owner-draw flags of a row that the painter looks at.
struct TOwnerDrawState {
  bool selected = false;
  bool focused = false;
};

// Paints row `rect` (white strip, swatch, hex code in the contrast colour and
// the name right-aligned, cut on its left when too long). `listFont` is the
// list's font; its size is kept and the faces are set here.
void DrawColorItem(QPainter& canvas, const QRect& rect, TColor color, const QString& name,
                   TOwnerDrawState state, const QFont& listFont);

// The faces DrawColorItem asks for, or installed Japanese stand-ins when the
// desktop lacks them (fixed pitch for the code, proportional for the name).
QString ColorItemCodeFace();
QString ColorItemNameFace();

// Inverts every other pixel along the inside edge of `rect`: the dotted focus
// frame, which a second call removes.
void DrawFocusFrame(QPainter& canvas, const QRect& rect);

}  // namespace tintorb
