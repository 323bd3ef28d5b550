// The program's own pictures, painted in code.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace tintorb {

// Toolbar images in their fixed order.
enum class TToolImage { Favorite = 0, Random = 1, Copy = 2, Invert = 3, ColorPick = 4, Canvas = 5 };

QIcon ToolIcon(TToolImage image);
QIcon AppIcon();
// The colour well's two 10 x 10 icons: 0 swap, 1 default colours.
QPixmap WellIcon(int index);

}  // namespace tintorb
