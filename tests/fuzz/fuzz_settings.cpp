// The settings reader: any bytes read as a settings file, every key read the
// way the program reads them, and the rewrite reads back as the same settings.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/HistoryList.h"
#include "app/IniFile.h"
#include "app/MainSettings.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace tintorb;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TIniFile ini = TIniFile::FromBytes(bytes);
  for (const auto& section : ini.ReadSections()) {
    for (const auto& key : ini.ReadSection(section)) {
      FUZZ_CHECK(ini.ValueExists(section, key));
      ini.ReadInteger(section, key, 0);
      ini.ReadBool(section, key, false);
    }
  }
  ReadMainSettings(ini, TMainSettings{});
  ReadFont(ini, "Preview", "Font", TFontSpec{});
  ReadWindowPlacement(ini, "Config", "Form", TWindowPlacement{});

  // What the program writes back reads as the same settings, and writing
  // those again gives the same bytes.
  const std::string text = ini.ToText();
  const std::string once = ini.ToBytes();
  const TIniFile again = TIniFile::FromBytes(once);
  FUZZ_CHECK(again.ToText() == text);
  FUZZ_CHECK(again.ToBytes() == once);

  // A key written keeps its first line only and reads back as written there.
  TIniFile edited = TIniFile::FromBytes(bytes);
  const std::string value(bytes.substr(0, 64));
  edited.WriteString("Fuzz", "Key", value);
  const std::string got = TIniFile::FromBytes(edited.ToBytes()).ReadString("Fuzz", "Key", "\x01");
  FUZZ_CHECK(got != "\x01");
  return 0;
}
