// The one place where the program's windows beside the main window are made.
#pragma once

#include <memory>
#include <vector>

#include "app/ui/ColorSheet.h"

namespace tintorb {

// The ten pages in their fixed creation order (RGB/CMYK first, pictograms
// last), none built yet. The main window collects them last-to-first, which
// gives the page numbers 9 .. 0 to that order.
std::vector<TSheetPage> SheetPages();

// The ten sheets built at once, in the same order.
std::vector<std::unique_ptr<TColorSheetForm>> CreateSheets(TSheetHost& host);

}  // namespace tintorb
