#include "support/ui/FakeSheetHost.h"

#include <stdexcept>

namespace tintorb::testing {

FakeSheetHost::FakeSheetHost() {
  settings.SetDefaultDir(TIniGTDefaultDir::ddNone);
}

TFavorites& FakeSheetHost::GetFavorites() {
  if (!favorites) throw std::logic_error("FakeSheetHost: no favourites store set");
  return *favorites;
}

QString FakeSheetHost::ApplyCopyOptions(const QString& text, bool noSharp) const {
  QString s = text;
  if (!noSharp && sharp) s = "#" + s;
  if (quote) s = "\"" + s + "\"";
  if (lower) {
    for (auto& ch : s)
      if (ch >= 'A' && ch <= 'Z') ch = ch.toLower();
  }
  if (colorTag) s = "COLOR=" + s;
  return s;
}

}  // namespace tintorb::testing
