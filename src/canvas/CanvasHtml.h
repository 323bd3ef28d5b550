// The canvas written out as an HTML page of absolutely positioned layers.
#pragma once

#include <string>
#include <vector>

#include "canvas/Canvas.h"

namespace tintorb {

// The page's lines, tabs included, without line ends (UTF-8).
std::vector<std::string> CanvasHtmlLines(const TCanvasItemList& items, TColor backColor);
// The file's bytes: CP932, CR LF after every line, no byte-order mark.
std::string CanvasHtmlBytes(const TCanvasItemList& items, TColor backColor);
// Writes the page atomically; throws EFileWriteError.
void ExportCanvasHtml(const std::string& path, const TCanvasItemList& items, TColor backColor);

}  // namespace tintorb
