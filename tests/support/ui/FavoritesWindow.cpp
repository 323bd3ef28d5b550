#include "support/ui/FavoritesWindow.h"

#include <memory>
#include <vector>

#include "app/ui/MainForm.h"
#include "collections/ui/SheetFavorite.h"

namespace tintorb::testing {

TfrmFavorite* ShowWithFavoritesSheet(TForm1& form) {
  std::vector<std::unique_ptr<TColorSheetForm>> sheets;
  sheets.push_back(std::make_unique<TfrmFavorite>(form));
  auto* sheet = static_cast<TfrmFavorite*>(sheets.back().get());
  form.BuildSheets(std::move(sheets));
  form.show();
  return sheet;
}

}  // namespace tintorb::testing
