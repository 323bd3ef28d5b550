// The group-file reader: any bytes read as a group file, each row read as a
// colour, sorted every way, and written back as a file that reads as the same
// rows. Group names from file names go through the same door.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "collections/Favorites.h"
#include "core/TextFile.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace tintorb;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool init = (fuzz::InstallSilentDialogs(), true);
  (void)init;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TNamedColorList list;
  list.LoadFromText(DecodeTextFile(bytes));
  for (int i = 0; i < list.Count(); ++i) {
    try {
      const TNamedColor c = list.GetColor(i);
      size_t chars = 0;  // at most six characters (not bytes)
      for (char b : c.Hex) chars += (static_cast<unsigned char>(b) & 0xC0) != 0x80;
      FUZZ_CHECK(chars <= 6);
      TColor color;
      TryHexToColor(c.Hex, color);
    } catch (const EFavoritesError&) {
    }
  }
  TNamedColorList reread;
  reread.LoadFromText(DecodeTextFile(list.FileBytes()));
  FUZZ_CHECK(reread.Rows() == list.Rows());

  for (int kind = 0; kind < 4; ++kind) {
    TNamedColorList sorted;
    sorted.Assign(list);
    try {
      sorted.Sort(kind);
    } catch (const std::exception&) {
      FUZZ_CHECK(sorted.Rows() == list.Rows());  // nothing moved
      continue;
    }
    FUZZ_CHECK(sorted.Count() == list.Count());
  }
  try {
    if (list.Count() <= 256) FUZZ_CHECK(list.ACTBytes().size() >= 768);
  } catch (const std::exception&) {  // a row without a colour, as GetColor
  }

  // A group name (UTF-8, from the user) becomes a file name and back; other
  // bytes in a file name read as CP932.
  const std::string name(bytes.substr(0, 255));
  bool ok = false;
  if (name.empty() || !IsValidUtf8(name)) return 0;
  const std::string file = TFavorites::GroupFileName(name);
  FUZZ_CHECK(file.find('/') == std::string::npos);
  const std::string back = TFavorites::GroupNameOfFile(file, &ok);
  FUZZ_CHECK(ok && back == name);
  TFavorites::GroupNameOfFile(name, &ok);
  return 0;
}
