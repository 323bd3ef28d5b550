// The main window's keys in the settings file: every default, and the order in
// which closing writes them.
#pragma once

#include <array>
#include <string>

#include "app/IniFile.h"
#include "core/ColorText.h"

namespace tintorb {

inline constexpr const char* kDefaultPreviewCaption = "だってTintorbなんだもん！";
inline constexpr int kMinPreviewSize = 16;

struct TMainSettings {
  TColor current = 0;  // unsnapped
  TColor back = 0xFFFFFF;
  TWindowPlacement form;
  TCopyOptions copy;
  bool stayOnTop = false;
  bool webSafe = false;
  bool taskTray = false;
  int activePage = 0;
  int previewSize = kMinPreviewSize;
  bool previewShow = true;
  std::string previewCaption = kDefaultPreviewCaption;
  TFontSpec previewFont;
  TColor previewFontColor = 0;
  TColor previewColor = 0xFFFFFF;
  std::array<std::string, 10> swatches;

  TMainSettings();
};

// The preview font before any setting: a 32-pixel (24-point) UI face.
TFontSpec DefaultPreviewFont();

// `present` supplies the window placement and preview font defaults (the
// window's own state at the moment of reading).
TMainSettings ReadMainSettings(const TIniFile& ini, const TMainSettings& present);
void WriteMainSettings(TIniFile& ini, const TMainSettings& s);

}  // namespace tintorb
