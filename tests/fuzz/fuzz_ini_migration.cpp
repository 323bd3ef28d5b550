// The old settings layout (groups as keys of the section Favorite): any
// settings bytes migrate without harm, keep the keys while the groups cannot
// be written and give groups whose rows all have a comma.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/IniFile.h"
#include "collections/Favorites.h"
#include "core/TextCase.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace tintorb;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool init = (fuzz::InstallSilentDialogs(), true);
  (void)init;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TIniFile ini = TIniFile::FromBytes(bytes);
  TFavorites favorites;
  const TFavoritesSource source = LoadFavorites(favorites, ini, "/nonexistent-tintorb-fuzz");
  if (source != TFavoritesSource::IniMigrated) return 0;
  // The folder does not exist: any group keeps the old layout in the settings.
  FUZZ_CHECK(ini.ValueExists("Favorite", "Count") == (favorites.Count() > 0));
  for (int g = 0; g < favorites.Count(); ++g) {
    FUZZ_CHECK(!favorites.GroupName(g).empty());
    for (const auto& row : favorites.Group(g).Rows())
      FUZZ_CHECK(row.find(',') != std::string::npos);
  }
  return 0;
}
