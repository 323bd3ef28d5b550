#include "support/ui/FakeSheetHost.h"

#include <stdexcept>

#include "core/ColorText.h"

namespace tintorb::testing {

FakeSheetHost::FakeSheetHost() {
  settings.SetDefaultDir(TIniGTDefaultDir::ddNone);
}

TFavorites& FakeSheetHost::GetFavorites() {
  if (!favorites) throw std::logic_error("FakeSheetHost: no favourites store set");
  return *favorites;
}

QString FakeSheetHost::ApplyCopyOptions(const QString& text, bool noSharp) const {
  const TCopyOptions options{sharp, quote, lower, colorTag};
  return QString::fromStdString(tintorb::ApplyCopyOptions(text.toStdString(), noSharp, options));
}

}  // namespace tintorb::testing
