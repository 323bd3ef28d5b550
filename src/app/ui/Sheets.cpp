#include "app/ui/Sheets.h"

#include "app/ui/CanvasLink.h"
#include "canvas/ui/CanvasForm.h"
#include "collections/ui/SheetFavorite.h"
#include "collections/ui/SheetFontList.h"
#include "collections/ui/SheetHTML.h"
#include "collections/ui/SheetPalette.h"
#include "collections/ui/SheetScheme.h"
#include "collections/ui/Sheetimode.h"
#include "sheets/ui/SheetHLS.h"
#include "sheets/ui/SheetHSV.h"
#include "sheets/ui/SheetRGB.h"
#include "sheets/ui/SheetYUV.h"

// Each window adds its header here and one line below, keeping the order.

namespace tintorb {

std::vector<std::unique_ptr<TColorSheetForm>> CreateSheets(TSheetHost& host) {
  std::vector<std::unique_ptr<TColorSheetForm>> sheets;
  // Creation order: TfrmRGB, TfrmHSV, TfrmHLS, TfrmYUV, TfrmHTML, TfrmPalette,
  // TfrmScheme, TfrmFavorite, TfrmFontList, Tfrmimode.
  sheets.push_back(std::make_unique<TfrmRGB>(host));
  sheets.push_back(std::make_unique<TfrmHSV>(host));
  sheets.push_back(std::make_unique<TfrmHLS>(host));
  sheets.push_back(std::make_unique<TfrmYUV>(host));
  sheets.push_back(std::make_unique<TfrmHTML>(host));
  sheets.push_back(std::make_unique<TfrmPalette>(host));
  sheets.push_back(std::make_unique<TfrmScheme>(host));
  sheets.push_back(std::make_unique<TfrmFavorite>(host));  // page 2
  sheets.push_back(std::make_unique<TfrmFontList>(host));  // page 1
  sheets.push_back(std::make_unique<Tfrmimode>(host));     // last: page 0
  return sheets;
}

std::unique_ptr<TCanvasLink> CreateCanvasWindow(TSheetHost& host) {
  return std::make_unique<TCanvasForm>(host);
}

}  // namespace tintorb
