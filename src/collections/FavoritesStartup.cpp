#include <algorithm>
#include <charconv>
#include <map>
#include <set>
#include <unordered_map>
#include <vector>

#include "app/IniFile.h"
#include "collections/Favorites.h"
#include "core/TextCase.h"
#include "core/TextFile.h"
#include "platform/Desktop.h"

namespace tintorb {

namespace {

const char kSection[] = "Favorite";

// Reads a whole non-negative decimal number written by "%d" (no sign, no
// leading zero) at the front of s, and removes it.
bool TakeIndex(std::string_view& s, int& out) {
  size_t n = 0;
  while (n < s.size() && s[n] >= '0' && s[n] <= '9') ++n;
  if (n == 0 || (n > 1 && s[0] == '0')) return false;
  const auto r = std::from_chars(s.data(), s.data() + n, out);
  if (r.ec != std::errc()) return false;
  s.remove_prefix(n);
  return true;
}

bool TakePrefix(std::string_view& s, std::string_view prefix) {
  if (s.substr(0, prefix.size()) != prefix) return false;
  s.remove_prefix(prefix.size());
  return true;
}

// The keys that exist, by group index: whether it has a Name, and the colour
// indices it has. Walking these instead of 0 .. Count-1 gives the same result
// and cannot hang on a huge Count in a damaged file. The values are taken in
// the same pass (the first of a repeated key, as ReadString), so that a huge
// old section takes one pass rather than one per key.
struct TOldLayout {
  std::map<int, std::vector<int>> colors;               // group index -> colour indices (sorted)
  std::set<int> named;                                  // group indices with a Name key
  std::unordered_map<std::string, std::string> values;  // folded key -> first value
  int countKeys = 0;                                    // Count, repeated in a damaged file
};

TOldLayout ScanOldLayout(const TIniFile& ini) {
  TOldLayout layout;
  for (auto& [key, value] : ini.ReadSectionValues(kSection)) {
    const std::string folded = FoldCase(key);
    if (folded == "count") ++layout.countKeys;
    std::string_view s = folded;
    int i = 0, j = 0;
    if (!TakePrefix(s, "favorite[") || !TakeIndex(s, i) || !TakePrefix(s, "].")) continue;
    if (s == "name") {
      layout.named.insert(i);
    } else if (s == "colors.count") {
      // its value only
    } else if (TakePrefix(s, "colors.") && TakeIndex(s, j) && s.empty()) {
      layout.colors[i].push_back(j);
    } else {
      continue;
    }
    layout.values.emplace(folded, std::move(value));
  }
  for (auto& [i, js] : layout.colors) {
    std::sort(js.begin(), js.end());
    js.erase(std::unique(js.begin(), js.end()), js.end());
  }
  return layout;
}

std::string Value(const TOldLayout& layout, const std::string& key) {
  const auto it = layout.values.find(FoldCase(key));
  return it == layout.values.end() ? std::string() : it->second;
}

// ReadInteger of a key read in the scan, default 0.
int IntegerValue(const TOldLayout& layout, const std::string& key) {
  int v = 0;
  return IniValueToInteger(Value(layout, key), v) ? v : 0;
}

}  // namespace

bool MigrateIniFavorites(TFavorites& favorites, TIniFile& ini, const std::string& dir) {
  const int count = ini.ReadInteger(kSection, "Count", 0);
  const TOldLayout layout = ScanOldLayout(ini);
  std::vector<std::string> done;
  for (const int i : layout.named) {
    if (i >= count) break;
    const std::string p = "Favorite[" + std::to_string(i) + "].";
    const std::string name = Value(layout, p + "Name");
    done.push_back(p + "Name");
    if (name.empty()) continue;
    const int index = favorites.AddGroup(name);
    if (index < 0) continue;
    TNamedColorList& group = favorites.Group(index);
    const int colorCount = IntegerValue(layout, p + "Colors.Count");
    if (auto it = layout.colors.find(i); it != layout.colors.end()) {
      for (int j : it->second) {
        if (j >= colorCount) break;
        const std::string key = p + "Colors." + std::to_string(j);
        const std::string row = Value(layout, key);
        const size_t comma = row.find(',');
        if (comma != std::string::npos) group.Add(row.substr(0, comma), row.substr(comma + 1));
        done.push_back(key);
      }
    }
    done.push_back(p + "Colors.Count");
  }
  // Every Count goes: one left behind would run this again at every start
  // instead of reading the group files.
  done.insert(done.end(), size_t(layout.countKeys), "Count");
  favorites.SetMovedIniKeys(std::move(done));
  // The groups reach their files (synced) before their only other copy leaves
  // the settings: a crash in between leaves both, and the next start moves
  // them again onto the same files.
  std::vector<std::string> failures;
  if (!favorites.SaveToDir(dir, &failures)) {
    std::string text = kMsgOldFavoritesKept;
    for (const auto& f : failures) text += "\n" + f;
    Dialogs().Error(text);
    return false;
  }
  CompleteIniMigration(favorites, ini);
  try {
    ini.UpdateFile();
  } catch (const EFileWriteError& e) {
    Dialogs().Error(e.what());
  }
  return true;
}

bool CompleteIniMigration(TFavorites& favorites, TIniFile& ini) {
  if (!favorites.IniMigrationPending()) return false;
  ini.DeleteKeys(kSection, favorites.TakeMovedIniKeys());
  return true;
}

TFavoritesSource LoadFavorites(TFavorites& favorites, TIniFile& ini, const std::string& dir) {
  if (ini.ValueExists(kSection, "Count")) {
    MigrateIniFavorites(favorites, ini, dir);
    return TFavoritesSource::IniMigrated;
  }
  FinishFavMigration(dir);
  if (favorites.LoadFromDir(dir)) return TFavoritesSource::GroupFiles;
  if (MigrateFavFiles(dir)) {
    favorites.LoadFromDir(dir);
    return TFavoritesSource::FavMigrated;
  }
  CreateBuiltInGroups(favorites);
  return TFavoritesSource::BuiltIn;
}

}  // namespace tintorb
