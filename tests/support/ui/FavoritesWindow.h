// The real main window with the favourites sheet as its only sheet.
#pragma once

namespace tintorb {
class TForm1;
class TfrmFavorite;
}  // namespace tintorb

namespace tintorb::testing {

// Builds the sheet into `form`, shows the window and returns the sheet.
TfrmFavorite* ShowWithFavoritesSheet(TForm1& form);

}  // namespace tintorb::testing
