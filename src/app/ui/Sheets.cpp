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

namespace {

template <class TSheet>
TSheetPage Page() {
  return {TSheet::PageCaption(), TSheet::PageIcon(),
          [](TSheetHost& host) -> std::unique_ptr<TColorSheetForm> {
            return std::make_unique<TSheet>(host);
          }};
}

}  // namespace

std::vector<TSheetPage> SheetPages() {
  // Creation order: TfrmRGB, TfrmHSV, TfrmHLS, TfrmYUV, TfrmHTML, TfrmPalette,
  // TfrmScheme, TfrmFavorite, TfrmFontList, Tfrmimode.
  return {Page<TfrmRGB>(),      Page<TfrmHSV>(),      Page<TfrmHLS>(),
          Page<TfrmYUV>(),      Page<TfrmHTML>(),     Page<TfrmPalette>(),
          Page<TfrmScheme>(),   Page<TfrmFavorite>(),  // page 2
          Page<TfrmFontList>(),                        // page 1
          Page<Tfrmimode>()};                          // last: page 0
}

std::vector<std::unique_ptr<TColorSheetForm>> CreateSheets(TSheetHost& host) {
  std::vector<std::unique_ptr<TColorSheetForm>> sheets;
  for (const TSheetPage& page : SheetPages()) sheets.push_back(page.make(host));
  return sheets;
}

std::unique_ptr<TCanvasLink> CreateCanvasWindow(TSheetHost& host) {
  return std::make_unique<TCanvasForm>(host);
}

}  // namespace tintorb
